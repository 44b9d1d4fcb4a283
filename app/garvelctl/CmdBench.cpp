// garvelctl bench: measures the storage work the program does at workshop
// scale on a database folder (for example one made by garvelctl generate).
// The save measurement runs on a copy in a temporary folder.
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include "app/garvelctl/Commands.h"
#include "servicebook/RecordList.h"
#include "servicebook/VehicleSave.h"
#include "servicebook/Reminders.h"
#include "shell/Stores.h"
#include "shell/VehicleList.h"
#include "storage/FileOps.h"
#include "storage/File.h"
#include "storage/RealFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

long PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

double ReadFilesMs(const std::string& dir) {
  auto t = Clock::now();
  // What `cat db_* > /dev/null` does: stream every byte through a buffer.
  std::vector<char> buffer(1 << 20);
  for (const char* f : {"db_cars.dat", "db_cars_blob.dat", "db_records.dat", "db_rec_blob.dat", "db_customers.dat"}) {
    TFile file;
    file.Assign(dir + f);
    if (!file.Open(TFile::Mode::Read)) continue;
    while (file.Read(buffer.data(), buffer.size()) > 0) {
    }
  }
  return Ms(t);
}

}  // namespace

int CmdBench(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "Použití: garvelctl bench SLOŽKA\n");
    return 2;
  }
  std::string dir = argv[0];
  if (dir.back() != '/') dir += '/';
  CRealFileSystem fs;
  TStoreOpenOptions options;
  options.readOnly = true;

  // Warm the page cache so that every figure measures our work.
  ReadFilesMs(dir);
  const double catMs = ReadFilesMs(dir);

  auto t = Clock::now();
  TStoreSet stores;
  if (!OpenStores(stores, fs, dir, options)) return 1;
  const double openMs = Ms(t);

  // One vehicle with about 20 records, loaded many times.
  int32_t sample = -1;
  for (int slot = 0; slot < stores.cars->Count() && sample < 0; ++slot) {
    int32_t id = stores.cars->IDAt(slot);
    if (id >= 0 && stores.records->RecordCountOf(id) >= 15) sample = id;
  }
  double loadOneMs = 0;
  size_t sampleCount = 0;
  if (sample >= 0) {
    AZaznamy recs;
    const int rounds = 200;
    t = Clock::now();
    for (int i = 0; i < rounds; ++i) stores.records->LoadCarRecords(sample, recs);
    loadOneMs = Ms(t) / rounds;
    sampleCount = recs.size();
  }

  // Every record of every vehicle with its texts, vehicle by vehicle.
  t = Clock::now();
  long vehicles = 0, records = 0;
  size_t textBytes = 0;
  int32_t largest = -1;  // the vehicle with the most records
  size_t largestCount = 0;
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    int32_t id = stores.cars->IDAt(slot);
    Tautomobil v;
    if (id < 0 || !stores.cars->LoadCar(id, v)) continue;
    ++vehicles;
    AZaznamy recs;
    stores.records->LoadCarRecords(id, recs);
    records += static_cast<long>(recs.size());
    for (const Tzaznam& r : recs) textBytes += r.description.size() + r.material.size();
    if (recs.size() > largestCount) {
      largest = id;
      largestCount = recs.size();
    }
  }
  const double loadAllMs = Ms(t);
  const long peakMb = PeakRssMb();

  // The vehicle list as the main window uses it.
  TVehicleList list;
  t = Clock::now();
  list.Load(*stores.cars, stores.customers.get(), Today);
  const double listLoadMs = Ms(t);
  double keystrokeMs = 0;
  const char* typed[] = {"n", "no", "nov", "nova", "nov", "no", "n", ""};
  for (const char* text : typed) {
    TVehicleFilter f = list.Filter();
    f.search = text;
    t = Clock::now();
    list.SetFilter(f);
    keystrokeMs = std::max(keystrokeMs, Ms(t));
  }
  double sortMs = 0;
  for (int column = 1; column < 6; ++column) {
    t = Clock::now();
    list.ClickColumn(column);
    sortMs = std::max(sortMs, Ms(t));
  }
  // The records window of the vehicle with the most records: reading the
  // vehicle and its records and building the list, then typing a search.
  double windowFillMs = 0, windowKeystrokeMs = 0;
  if (largest >= 0) {
    const TRecordListSettings settings = [] {
      TRecordListSettings s;
      s.today = Today();
      return s;
    }();
    const int rounds = 50;
    t = Clock::now();
    for (int i = 0; i < rounds; ++i) {
      Tautomobil v;
      AZaznamy recs;
      stores.cars->LoadCar(largest, v);
      stores.records->LoadCarRecords(largest, recs);
      BuildRecordList(recs, "", settings);
    }
    windowFillMs = Ms(t) / rounds;
    AZaznamy recs;
    stores.records->LoadCarRecords(largest, recs);
    const char* searched[] = {"v", "vý", "vým", "výmě", "výměn", "výměna", "výměna o", "výměna", "vým", "v", ""};
    for (const char* text : searched) {
      t = Clock::now();
      BuildRecordList(recs, text, settings);
      windowKeystrokeMs = std::max(windowKeystrokeMs, Ms(t));
    }
  }
  // The reminders' scans, warm: the best of three runs each.
  double plannedMs = 1e9, unpaidMs = 1e9;
  size_t plannedRows = 0, unpaidRows = 0;
  for (int run = 0; run < 3; ++run) {
    TReminderScanSettings scan;
    scan.today = Today();
    t = Clock::now();
    plannedRows = ScanReminders(*stores.cars, *stores.records, stores.customers.get(), scan).size();
    plannedMs = std::min(plannedMs, Ms(t));
    scan.view = TReminderView::Unpaid;
    scan.daysBack = scan.daysAhead = kUnpaidViewDays;
    t = Clock::now();
    unpaidRows = ScanReminders(*stores.cars, *stores.records, stores.customers.get(), scan).size();
    unpaidMs = std::min(unpaidMs, Ms(t));
  }
  stores.CloseAll();

  // Saving one changed and one new record, on a copy.
  std::string copy = MakeTempFolder();
  double saveMs = -1, saveVehicleMs = 0;
  if (!copy.empty() && sample >= 0 &&
      CopyTree(S_FileName{dir, &fs}, S_FileName{copy, &fs})) {
    TStoreSet rw;
    TStoreOpenOptions writeOptions;
    if (OpenStores(rw, fs, copy, writeOptions)) {
      const int rounds = 50;
      double total = 0;
      for (int i = 0; i < rounds; ++i) {
        AZaznamy recs;
        rw.records->LoadCarRecords(sample, recs);
        recs.front().description += " ";
        Tzaznam fresh;
        InitRecord(fresh, sample, kKindDone);
        fresh.description = "Kontrola";
        recs.push_back(fresh);
        auto s = Clock::now();
        rw.records->SaveCarRecords(sample, recs);
        total += Ms(s);
        recs.pop_back();
        rw.records->SaveCarRecords(sample, recs);  // back to the old count
      }
      saveMs = total / rounds;
      // The records window's save of the largest vehicle after one change,
      // as instant save does after every change.
      if (largest >= 0) {
        Tautomobil v;
        AZaznamy recs;
        rw.cars->LoadCar(largest, v);
        rw.records->LoadCarRecords(largest, recs);
        const int saves = 20;
        for (int i = 0; i < saves; ++i) {
          recs[static_cast<size_t>(i) % recs.size()].description += " ";
          auto s = Clock::now();
          SaveVehicleAndRecords(*rw.cars, *rw.records, v, recs);
          saveVehicleMs = std::max(saveVehicleMs, Ms(s));
        }
      }
      rw.CloseAll();
    }
    fs.DeleteDirectory(copy);
  }

  std::printf("databáze: %s (%ld vozidel, %ld záznamů, %zu bajtů textů)\n", dir.c_str(), vehicles, records, textBytes);
  std::printf("otevření všech osmi databází:       %8.1f ms\n", openMs);
  std::printf("LoadCarRecords (%zu záznamů):        %8.3f ms\n", sampleCount, loadOneMs);
  std::printf("načtení všech záznamů s texty:      %8.1f ms\n", loadAllMs);
  std::printf("  čtení souborů (cat):              %8.1f ms (poměr %.2f)\n", catMs, catMs > 0 ? loadAllMs / catMs : 0);
  std::printf("SaveCarRecords (1 změněný, 1 nový): %8.3f ms\n", saveMs);
  std::printf("nejvyšší spotřeba paměti:           %8ld MB\n", peakMb);
  std::printf("seznam vozidel: načtení a řazení:   %8.1f ms\n", listLoadMs);
  std::printf("seznam vozidel: nejdelší úhoz:      %8.1f ms\n", keystrokeMs);
  std::printf("seznam vozidel: nejdelší řazení:    %8.1f ms\n", sortMs);
  std::printf("okno záznamů (%zu záznamů): načtení a seznam: %8.2f ms\n", largestCount, windowFillMs);
  std::printf("okno záznamů: nejdelší úhoz hledání:         %8.2f ms\n", windowKeystrokeMs);
  std::printf("okno záznamů: nejdelší SaveVehicle:          %8.2f ms\n", saveVehicleMs);
  std::printf("upozornění: plánovaný servis (%zu):  %8.1f ms\n", plannedRows, plannedMs);
  std::printf("upozornění: nezaplacené (%zu):       %8.1f ms\n", unpaidRows, unpaidMs);
  return 0;
}

namespace {
const TCtlRegistration kRegisterBench(
    "bench", "změří rychlost práce s databází",
    "SLOŽKA", CmdBench);
}  // namespace
