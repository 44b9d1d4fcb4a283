// "Správce příloh" over a data folder with an attachment folder for every
// vehicle, on the offscreen platform:
//
//   garvelctl generate --vehicles 10000 --records-per-vehicle 20 --customers 5000 W
//   GARVEL_BENCH_DATA=W garvel_ui_bench --benchmark_filter=AttachmentManager
//
// The folder's attach\CARnnnnn folders are made first where missing (each
// with one small file). Each iteration lists every folder under the root,
// names it after its vehicle, fills the tree and paints the shown window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogues/EntryPicture.h"
#include "shell/Stores.h"
#include "storage/RealFileSystem.h"
#include "storage/VirtualFileSystem.h"
#include "ui/AttachmentsForm.h"
#include "bench/ui/BenchApplication.h"

namespace {

void AttachmentManager_ShowAll(benchmark::State& state) {
  BenchApplication();
  const char* data = std::getenv("GARVEL_BENCH_DATA");
  if (!data) {
    state.SkipWithError("GARVEL_BENCH_DATA: a data folder made by garvelctl generate");
    return;
  }
  std::string dir = data;
  if (dir.back() != '/') dir += '/';
  CRealFileSystem real;
  CVirtualFileSystem vfs(real);
  vfs.AddMount(dir);
  TStoreSet stores;
  TStoreOpenOptions options;
  options.readOnly = true;
  if (!OpenStores(stores, real, dir, options)) {
    state.SkipWithError("the stores cannot be opened");
    return;
  }
  for (int i = 0; i < stores.cars->Count(); ++i) {
    const int32_t id = stores.cars->IDAt(i);
    if (id < 0) continue;
    const std::string folder = dir + VirtualToHost(EntryAttachmentFolder("attach\\", "CAR", id));
    if (std::filesystem::exists(folder)) continue;
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/poznamka.txt") << "STK do konce roku";
  }
  TAttachmentsServices services;
  services.place = AttachmentPlaceOf(vfs, "attach\\");
  services.owners = TAttachmentOwners{stores.cars.get(), stores.customers.get(), CatalogueOf(stores)};
  TfAttachments window(services);
  window.resize(860, 540);
  for (auto _ : state) {
    window.ShowAllAttachments();
    window.show();
    window.Tree()->viewport()->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    window.hide();
    state.ResumeTiming();
  }
  state.counters["folders"] = window.Tree()->topLevelItemCount();
}
BENCHMARK(AttachmentManager_ShowAll)->Unit(benchmark::kMillisecond);

}  // namespace
