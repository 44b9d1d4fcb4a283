// The icon window and the record editor's activity list under load, on the
// offscreen platform:
//
//   garvel_ui_bench --benchmark_filter=Icon
//   garvel_ui_bench --benchmark_filter=ActivityList
//
// IconWindow_Open1000: a library of 1,000 icons in a temporary data folder;
// each iteration lists the library again, fills the list and paints the
// shown window (pictures are read for the rows on screen only).
// ActivityList_Repaint50: an editor of 50 activity lines, each with its
// icon and a two-line text; each iteration paints the list once, with the
// whole list on screen and with a window of ordinary height.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <filesystem>
#include <string>

#include "bench/ui/BenchApplication.h"
#include "catalogues/Icons.h"
#include "servicebook/RecordEditor.h"
#include "storage/FileSystemSetup.h"
#include "ui/ActivityListView.h"
#include "ui/IconsForm.h"

namespace {

QApplication& App() { return BenchApplication(); }

// A data folder with `count` icons made from the shipped ones.
std::string IconFolder(int count) {
  const std::string dir = (std::filesystem::temp_directory_path() / ("garvel-icons-" + std::to_string(count))).string();
  const std::string icons = dir + "/icons/";
  std::filesystem::create_directories(icons);
  std::vector<std::string> shipped;
  for (const auto& e : std::filesystem::directory_iterator(std::string(GARVEL_SOURCE_DATA_DIR) + "/icons"))
    shipped.push_back(e.path().string());
  std::sort(shipped.begin(), shipped.end());
  for (int i = 0; i < count; ++i) {
    const std::string target = icons + IconFilePrefix(i) + "Ikona " + std::to_string(i) + ".ico";
    if (!std::filesystem::exists(target)) std::filesystem::copy_file(shipped[i % shipped.size()], target);
  }
  return dir + "/";
}

void EnsureFileSystems(const std::string& folder) {
  if (FileSystemsReady()) return;
  SetupFileSystems(TFileSystemFolders{folder, folder + "no-common/", folder + "no-program/"}, false);
}

void IconWindow_Open1000(benchmark::State& state) {
  App();
  EnsureFileSystems(IconFolder(1000));
  TfIcons window;
  window.resize(420, 560);
  for (auto _ : state) {
    window.Open(500, 0x008000);
    window.show();
    window.List()->viewport()->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    window.hide();
    state.ResumeTiming();
  }
  state.counters["rows"] = window.List()->model()->rowCount();
}
BENCHMARK(IconWindow_Open1000)->Unit(benchmark::kMillisecond);

void ActivityList_Repaint50(benchmark::State& state) {
  App();
  EnsureFileSystems(IconFolder(1000));
  TRecordEditor editor;
  editor.OpenNew(kKindDone);
  TActRecordList lines;
  for (int i = 0; i < 50; ++i) {
    TActRecord a;
    a.icon = i % 40;
    a.color = 0x008000 + i * 0x000300;
    a.count = 1.5f;
    a.price = 200;
    a.text = "Úkon číslo " + std::to_string(i) + "\r\nse dvěma řádky popisu";
    lines.push_back(a);
  }
  editor.AppendLines(lines);
  TActivityListView view(editor);
  view.resize(1100, static_cast<int>(state.range(0)));
  view.Reload();
  view.show();
  QApplication::processEvents();
  for (auto _ : state) view.viewport()->repaint();
  const int last = view.LineAt(view.viewport()->height() - 1);
  state.counters["lines_on_screen"] = last < 0 ? 50 : last + 1;
}
BENCHMARK(ActivityList_Repaint50)->Arg(2200)->Arg(520)->Unit(benchmark::kMillisecond);

}  // namespace
