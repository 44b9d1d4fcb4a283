// The document register window over 5,000 stored invoices, on the offscreen
// platform:
//
//   garvel_ui_bench --benchmark_filter=DocumentList
//
// DocumentList_Open5000: the window reads the folder and fills the list.
// DocumentList_FilterChange5000: "Od:" moves one month; the list is refilled
// from what was read, without reading again, and painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>

#include "bench/DocumentBenchData.h"
#include "ui/DocumentListForm.h"

namespace {

using namespace bench_documents;

QApplication& DocumentsApp() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

void DocumentList_Open5000(benchmark::State& state) {
  DocumentsApp();
  Data();
  TfInvoiceList list;
  for (auto _ : state) {
    list.Fill("invoice", "Seznam faktur");
    list.show();
    QApplication::processEvents();
  }
}
BENCHMARK(DocumentList_Open5000)->Unit(benchmark::kMillisecond);

void DocumentList_FilterChange5000(benchmark::State& state) {
  DocumentsApp();
  Data();
  TfInvoiceList list;
  list.Fill("invoice", "Seznam faktur");
  list.show();
  QApplication::processEvents();
  int from = 0;
  for (auto _ : state) {
    from = (from + 1) % 119;
    list.FromBox()->setCurrentIndex(from);
    list.repaint();
    QApplication::processEvents();
  }
}
BENCHMARK(DocumentList_FilterChange5000)->Unit(benchmark::kMillisecond);

}  // namespace
