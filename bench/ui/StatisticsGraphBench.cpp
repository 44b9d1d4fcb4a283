// The daily statistics window's graph at workshop scale, on the offscreen
// platform: ten years by days (3,652 periods) with the window at 1240 × 700.
//
//   garvel_ui_bench --benchmark_filter=DailyGraph
//
// DailyGraph_FirstDraw: a new result shown (series and separators into the
// graph, the zoom fitted) and the picture painted. DailyGraph_Scroll and
// DailyGraph_Zoom: the picture painted again after moving the scroll bar by
// a page or the zoom by one step.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QScrollBar>
#include <QSlider>
#include <cmath>

#include "bench/ui/BenchApplication.h"
#include "storage/CarDb.h"
#include "storage/RecDb.h"
#include "ui/StatDailyForm.h"

namespace {

TDailyStatistics TenYears() {
  TDailyStatistics s;
  s.from = static_cast<int32_t>(EncodeDate(2015, 1, 1));
  s.to = static_cast<int32_t>(EncodeDate(2024, 12, 31));
  s.grouping = kGroupDays;
  s.periods = CountPeriods(kGroupDays, s.from, s.to);
  s.currency = "kč";
  const char* captions[] = {"Práce", "Materiál", "Zisk", "Počet záznamů"};
  for (size_t k = 0; k < 4; ++k) {
    TSingleGraph& g = s.series[k];
    g.Caption = captions[k];
    g.Legend = kLegendSum;
    g.Unit = k == 3 ? "" : "kč";
    for (int i = 0; i < s.periods; ++i) g.Values.push_back(std::fabs(std::sin(i * 0.37 + k)) * (k == 3 ? 12 : 40000));
  }
  s.separators = PeriodSeparators(kGroupDays, s.from, s.periods);
  return s;
}

struct TWindow {
  QApplication& app = BenchApplication();  // before any widget
  TCustomRecDb records;
  TCustomCarDb cars;
  TfStatDaily window{TDailySources{records, cars, nullptr}};
  QImage picture;
  TWindow() {
    window.resize(1240, 700);
    window.show();
    QApplication::processEvents();  // laid out
  }
  // Paints the picture as the window would on screen.
  void Paint() {
    if (picture.size() != window.Picture()->size()) picture = QImage(window.Picture()->size(), QImage::Format_RGB32);
    window.Picture()->render(&picture);
  }
};

TWindow& Window() {
  static TWindow* w = new TWindow;  // kept: Qt frees its caches only at exit
  return *w;
}

void DailyGraph_FirstDraw(benchmark::State& state) {
  TWindow& w = Window();
  const TDailyStatistics stats = TenYears();
  for (auto _ : state) {
    w.window.ShowStatistics(stats);
    w.Paint();
  }
}
BENCHMARK(DailyGraph_FirstDraw)->Unit(benchmark::kMillisecond);

void DailyGraph_Scroll(benchmark::State& state) {
  TWindow& w = Window();
  w.window.ShowStatistics(TenYears());
  w.Paint();
  QScrollBar* scroll = w.window.Scroll();
  for (auto _ : state) {
    scroll->setValue(scroll->value() + scroll->pageStep() > scroll->maximum() ? 0 : scroll->value() + scroll->pageStep());
    w.Paint();
  }
}
BENCHMARK(DailyGraph_Scroll)->Unit(benchmark::kMillisecond);

void DailyGraph_Zoom(benchmark::State& state) {
  TWindow& w = Window();
  w.window.ShowStatistics(TenYears());
  w.Paint();
  QSlider* zoom = w.window.Zoom();
  for (auto _ : state) {
    zoom->setValue(zoom->value() >= zoom->maximum() ? zoom->minimum() : zoom->value() + 1);
    w.Paint();
  }
}
BENCHMARK(DailyGraph_Zoom)->Unit(benchmark::kMillisecond);

}  // namespace
