// The records window of a vehicle with many records: opened and shown, and
// a search keystroke, on Qt's offscreen platform. By default the benchmark
// stores a vehicle with 500 services in a temporary folder; to measure a
// generated database instead (its vehicle with the most records), run for
// example `garvelctl generate --vehicles 10000 --records-per-vehicle 20
// --customers 4000 --big-vehicle 500 DIR` and pass GARVEL_BENCH_DB=DIR.
// The reminders window is measured on that database too.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <cstdio>
#include <cstdlib>

#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/RealFileSystem.h"
#include "ui/AutoForm.h"
#include "ui/BlizkoForm.h"
#include "ui/BackgroundTableView.h"

namespace {

struct TBenchDatabase {
  std::string dir;
  TStoreSet stores;
  int32_t vehicle = -1;
};

// A vehicle with `count` performed services of three activities and two
// materials each.
void FillVehicle(TBenchDatabase& db, int count) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = "1A2 3456";
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  db.stores.cars->CreateCar(v, "");
  db.vehicle = v.ID;
  AZaznamy records;
  for (int i = 0; i < count; ++i) {
    Tzaznam r;
    InitRecord(r, v.ID, i % 10 == 9 ? kKindPlan : kKindDone);
    r.db.date = Today() - 3 * (count - i);
    r.db.km = 1000 + 150 * i;
    TActRecordList list;
    for (const char* text : {"Výměna oleje a olejového filtru", "Kontrola brzd", "Geometrie náprav"}) {
      TActRecord a;
      a.text = text;
      a.price = 450;
      a.count = 1;
      list.push_back(a);
    }
    for (const char* text : {"Motorový olej 5W-30", "Olejový filtr"}) {
      TActRecord m;
      m.itemType = kItemMaterial;
      m.text = text;
      m.price = 300;
      m.count = 2;
      list.push_back(m);
    }
    r.description = EncodeActivities(list);
    r.db.priceWrk = 1350;
    r.db.priceMat = 1200;
    records.push_back(r);
  }
  db.stores.records->SaveCarRecords(v.ID, records);
}

// The one application, on the offscreen platform unless another is asked
// for, with the program's default settings.
void StartApplication() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The offscreen platform's notes on window sizes would bury the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type != QtDebugMsg && !message.contains("propagateSizeHints")) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    LoadDefaults(Config());
    return new QApplication(argc, argv);
  }();
  (void)app;
}

TBenchDatabase& Database() {
  StartApplication();
  static TBenchDatabase* db = [] {
    auto* d = new TBenchDatabase;
    CRealFileSystem fs;
    TStoreOpenOptions options;
    options.showMessages = false;
    if (const char* given = std::getenv("GARVEL_BENCH_DB")) {
      d->dir = std::string(given) + "/";
      options.readOnly = true;
      OpenStores(d->stores, fs, d->dir, options);
      // The vehicle with the most records.
      size_t most = 0;
      for (int slot = 0; d->stores.cars && slot < d->stores.cars->Count(); ++slot) {
        const int32_t id = d->stores.cars->IDAt(slot);
        if (id >= 0 && d->stores.records->RecordCountOf(id) > most) {
          most = d->stores.records->RecordCountOf(id);
          d->vehicle = id;
        }
      }
    } else {
      d->dir = MakeTempFolder();
      OpenStores(d->stores, fs, d->dir, options);
      FillVehicle(*d, 500);
      // The temporary folder goes when the benchmarks end.
      std::atexit([] {
        Database().stores.CloseAll();
        CRealFileSystem().DeleteDirectory(Database().dir);
      });
    }
    return d;
  }();
  return *db;
}

void BM_RecordsWindowOpenAndShow(benchmark::State& state) {
  TBenchDatabase& db = Database();
  for (auto _ : state) {
    TAutoForm form(*db.stores.cars, *db.stores.records, TRecordWindowServices{});
    form.Open(db.vehicle);
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.grab());  // painted once, as on the screen
  }
}
BENCHMARK(BM_RecordsWindowOpenAndShow)->Unit(benchmark::kMillisecond);

void BM_RecordsWindowSearchKeystroke(benchmark::State& state) {
  TBenchDatabase& db = Database();
  TAutoForm form(*db.stores.cars, *db.stores.records, TRecordWindowServices{});
  form.Open(db.vehicle);
  form.show();
  QApplication::processEvents();
  const char* typed[] = {"k", "ko", "kon", "kont", "kon", "ko", "k", ""};
  size_t i = 0;
  for (auto _ : state) {
    form.SearchBox()->setText(QString::fromUtf8(typed[i++ % std::size(typed)]));
    QApplication::processEvents();
    form.List()->viewport()->repaint();
  }
}
BENCHMARK(BM_RecordsWindowSearchKeystroke)->Unit(benchmark::kMillisecond);

// The reminders window as start-up shows it: the planned view of the
// settings' days scanned, the list filled and painted. Meant for a generated
// database (GARVEL_BENCH_DB); the temporary vehicle has only a few plans.
void BM_RemindersWindowPlannedShown(benchmark::State& state) {
  TBenchDatabase& db = Database();
  TblizkoForm form(db.stores);
  for (auto _ : state) {
    form.ShowPlanned(Config().odaysretro, Config().odaysadvance, true);
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.grab());
  }
  state.counters["rows"] = form.List()->rowCount();
  form.hide();
}
BENCHMARK(BM_RemindersWindowPlannedShown)->Unit(benchmark::kMillisecond);

}  // namespace
