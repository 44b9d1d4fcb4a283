// Daily and vehicle statistics at workshop scale, on a database folder made
// by the command-line tool (10,000 vehicles, 200,000 records):
//
//   garvelctl generate --vehicles 10000 --records-per-vehicle 20 /tmp/w
//   GARVEL_STATS_DIR=/tmp/w garvel_bench --benchmark_filter=Statistics
//
// Statistics_DailyAll: every record of the folder by days (the four series,
// the separators and the list rows with their descriptions, owners and
// vehicles). Statistics_Vehicles: every vehicle grouped by model and by
// concern. The stores are opened once, outside the measured time.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "catalogues/CatalogueStores.h"
#include "shell/Stores.h"
#include "statistics/DailyStatistics.h"
#include "statistics/VehicleStatistics.h"
#include "storage/RealFileSystem.h"

namespace {

struct TStatsFolder {
  CRealFileSystem fs;
  TStoreSet stores;
  bool open = false;
};

TStatsFolder* Folder() {
  static std::unique_ptr<TStatsFolder> folder = [] {
    auto f = std::make_unique<TStatsFolder>();
    const char* dir = std::getenv("GARVEL_STATS_DIR");
    if (!dir) return f;
    TStoreOpenOptions options;
    options.readOnly = true;
    options.showMessages = false;
    f->open = OpenStores(f->stores, f->fs, std::string(dir) + "/", options);
    return f;
  }();
  return folder->open ? folder.get() : nullptr;
}

void Statistics_DailyAll(benchmark::State& state) {
  TStatsFolder* f = Folder();
  if (!f) {
    state.SkipWithError("GARVEL_STATS_DIR names no database folder");
    return;
  }
  size_t rows = 0;
  for (auto _ : state) {
    auto s = ComputeDailyStatistics(TDailySources{*f->stores.records, *f->stores.cars, f->stores.customers.get()},
                                    kGroupDays, EncodeDate(1990, 1, 1), Today(), "kč");
    rows = s ? s->rows.size() : 0;
    benchmark::DoNotOptimize(rows);
  }
  state.counters["records"] = static_cast<double>(rows);
}
BENCHMARK(Statistics_DailyAll)->Unit(benchmark::kMillisecond);

void Statistics_Vehicles(benchmark::State& state) {
  TStatsFolder* f = Folder();
  if (!f) {
    state.SkipWithError("GARVEL_STATS_DIR names no database folder");
    return;
  }
  const int grouping = static_cast<int>(state.range(0));
  size_t groups = 0;
  for (auto _ : state) {
    CGroupList list(grouping);
    ComputeVehicleStatistics(*f->stores.cars, *f->stores.records, CatalogueOf(f->stores), grouping, 0, 0, Today(),
                             list);
    groups = list.Groups().size();
    benchmark::DoNotOptimize(groups);
  }
  state.counters["groups"] = static_cast<double>(groups);
}
BENCHMARK(Statistics_Vehicles)->Arg(kGroupModel)->Arg(kGroupConcern)->Unit(benchmark::kMillisecond);

}  // namespace
