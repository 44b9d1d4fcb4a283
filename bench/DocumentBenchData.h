#pragma once
// A data folder for the document benchmarks: the shipped templates and
// 5,000 stored invoices, made once per process in the temporary folder.

#include <filesystem>
#include <string>

#include "documents/DocumentBuilder.h"
#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"

namespace bench_documents {

namespace fs = std::filesystem;

constexpr int kStored = 5000;

// A data folder with the shipped templates and 5,000 invoices, made once.
struct TBenchData {
  std::string dir;
  Tautomobil vehicle;
  TContactRecord customer;

  TBenchData() {
    dir = (fs::temp_directory_path() / "garvel-documents-bench/").string();
    fs::remove_all(dir);
    fs::create_directories(dir + "images");
    fs::copy(fs::path(GARVEL_SOURCE_DATA_DIR) / "templates", dir + "templates", fs::copy_options::recursive);
    fs::copy(fs::path(GARVEL_SOURCE_DATA_DIR) / "images" / "white.png", dir + "images/white.png");
    SetupFileSystems(TFileSystemFolders{dir, dir + "no-common/", dir + "no-program/"}, false);
    LoadDefaults(Config());
    ApplyConfig(Config());
    InitVehicle(vehicle);
    vehicle.manufacturer = "Škoda";
    vehicle.model = "Octavia";
    vehicle.tag = "1A2 3456";
    InitContact(customer);
    customer.surname = "Dvořák";
    customer.firstName = "Jiří";
    fs::create_directories(dir + "invoice");
    for (int i = 1; i <= kStored; ++i) {
      TDocumentInfo info = Info(std::to_string(20260000 + i), EncodeDate(2026, 1 + i % 12, 1 + i % 28));
      TBuiltDocument doc = BuildDocumentText(InvoiceTemplates(), Record(3 + i % 5, i), customer, vehicle, info);
      WriteWholeFile(dir + "invoice/" + std::to_string(20260000 + i) + ".html", Utf8ToCp1250(doc.text + "\r\n"));
    }
  }
  static TDocumentInfo Info(const std::string& number, TDateTime date) {
    TDocumentInfo info;
    LoadDocumentInfo(info, "");
    info.DocumentNumber = number;
    info.DocumentDate = date;
    info.Label = "Škoda Octavia (1A2 3456); Dvořák, Jiří; Výměna oleje; ";
    AddParameter(info.Parameters, "%INVOICE_TYPE%", Config().invoicename, pfUnmarked);
    return info;
  }
  static Tzaznam Record(int items, int32_t id) {
    TActRecordList list;
    for (int i = 0; i < items; ++i) {
      TActRecord a;
      a.itemType = i % 3 == 0 ? kItemActivity : kItemMaterial;
      a.price = 100.0f + static_cast<float>(i);
      a.count = 1.5f;
      a.text = "Položka číslo " + std::to_string(i) + " – díl & práce";
      list.push_back(a);
    }
    Tzaznam r;
    InitRecord(r, 1, kKindDone);
    r.db.ID = id;
    r.description = EncodeActivities(list);
    return r;
  }
};

inline TBenchData& Data() {
  static TBenchData data;
  return data;
}

}  // namespace bench_documents
