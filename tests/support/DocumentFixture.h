#pragma once
// What the document tests share: file systems over a temporary folder, the
// settings of a VAT-paying workshop, a fixed clock, recorded messages and
// desktop, and a converter that writes a small PDF instead of running
// wkhtmltopdf.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "documents/ProgramRunner.h"
#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/DateTime.h"
#include "storage/ServiceRecord.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

// Writes what it is told to the last argument (the destination).
class TFakeConverter : public IProgramRunner {
 public:
  TFakeConverter() { SetProgramRunner(this); }
  ~TFakeConverter() override { SetProgramRunner(nullptr); }
  TProgramRun Run(const std::string& program, const std::vector<std::string>& arguments, const std::string&,
                  bool) override {
    runs.push_back({program, arguments});
    TProgramRun run;
    run.started = start;
    run.ended = start;
    run.exitCode = exitCode;
    run.output = output;
    if (start && !arguments.empty() && !writes.empty()) WriteFileBytes(arguments.back(), writes);
    return run;
  }
  struct TRun {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<TRun> runs;
  bool start = true;
  int exitCode = 0;
  std::string writes = "%PDF-1.4\n% fake\n";
  std::string output;
};

class TDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDefaults(Config());
    Config().taxpaid = true;
    Config().taxrate = 21;
    Config().invoicerounding = true;
    Config().roundto = 1;
    Config().currency = "Kč";
    Config().name = "Autoservis Novák";
    Config().bankName = {"Banka A", "Banka B", "", ""};
    Config().accountNr = {"123456789/0100", "987654321/0300", "", ""};
    Config().iban = {"CZ6501000000000123456789", "", "", ""};
    ApplyConfig(Config());
    SetClockForTests([] { return EncodeDate(2026, 3, 5) + EncodeTime(10, 30, 0); });
  }
  void TearDown() override {
    SetClockForTests({});
    LoadDefaults(Config());
    ApplyConfig(Config());
  }

  std::string Dir() const { return fs.dir.Path(); }
  // A text file of the data folder in Windows-1250.
  void WriteData(const std::string& relative, const std::string& utf8) {
    WriteFileBytes(Dir() + relative, Utf8ToCp1250(utf8));
  }
  std::string ReadData(const std::string& relative) const { return Cp1250ToUtf8(ReadFileBytes(Dir() + relative)); }
  bool Exists(const std::string& relative) const { return PathExists(Dir() + relative); }
  // The shipped templates and pictures, as a fresh installation has them.
  void InstallShippedData() {
    namespace fsys = std::filesystem;
    fsys::copy(fsys::path(GARVEL_SOURCE_DATA_DIR) / "templates", Dir() + "templates", fsys::copy_options::recursive);
    fsys::create_directories(Dir() + "images");
    fsys::copy(fsys::path(GARVEL_SOURCE_DATA_DIR) / "images" / "white.png", Dir() + "images/white.png");
  }

  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TFakeConverter converter;
};

inline TActRecord Item(uint8_t type, double price, double count, const std::string& text, bool shown = true) {
  TActRecord a;
  a.itemType = type;
  a.price = static_cast<float>(price);
  a.count = static_cast<float>(count);
  a.purchasePrice = static_cast<float>(price);
  a.text = text;
  a.showOnInvoice = shown;
  return a;
}

inline Tzaznam RecordWithItems(const TActRecordList& items, int32_t id = 7, uint32_t flags = 0) {
  Tzaznam r;
  InitRecord(r, 3, kKindDone);
  r.db.ID = id;
  r.db.flags = flags;
  r.db.date = EncodeDate(2026, 3, 2);
  r.db.km = 120500;
  r.description = EncodeActivities(items);
  return r;
}
