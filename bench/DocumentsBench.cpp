// Documents on generated data:
//
//   garvel_bench --benchmark_filter=Document
//
// Document_Build200: an invoice of 200 items at 20 a page built from the
// shipped templates, without writing or converting it.
// Document_Convert200 / Document_ConvertOnePage: wkhtmltopdf on that written
// document and on a one-page invoice (a few iterations; skipped without the
// converter).
// Document_Register5000: the register of a folder of 5,000 stored invoices
// read again (warm: the files are in the cache after the first pass).
// Document_Filter5000: a month filter over the rows read.
// Document_NextNumber5000: the proposed number over that folder.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/DocumentBenchData.h"
#include "documents/DocumentRegister.h"
#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"

namespace {

using namespace bench_documents;

void Document_Build200(benchmark::State& state) {
  TBenchData& d = Data();
  const Tzaznam record = TBenchData::Record(200, 1);
  TDocumentInfo info = TBenchData::Info("1", EncodeDate(2026, 3, 5));
  info.MaxItemsPerPage = 20;
  for (auto _ : state) {
    TBuiltDocument doc = BuildDocumentText(InvoiceTemplates(), record, d.customer, d.vehicle, info);
    benchmark::DoNotOptimize(doc.text.data());
    if (doc.pages != 10) state.SkipWithError("not 10 pages");
  }
}
BENCHMARK(Document_Build200)->Unit(benchmark::kMillisecond);

void Convert(benchmark::State& state, int items, const std::string& name) {
  TBenchData& d = Data();
  TDocumentInfo info = TBenchData::Info(name, EncodeDate(2026, 3, 5));
  info.MaxItemsPerPage = 20;
  TBuiltDocument doc = BuildDocumentText(InvoiceTemplates(), TBenchData::Record(items, 1), d.customer, d.vehicle, info);
  const std::string html = d.dir + "bench-" + name + ".html";
  WriteWholeFile(html, Utf8ToCp1250(doc.text + "\r\n"));
  for (auto _ : state) {
    if (!ConvertToPdf(RealFile(d.dir + "bench-" + name + ".PDF"), RealFile(html))) state.SkipWithError("no PDF");
  }
}

void Document_Convert200(benchmark::State& state) { Convert(state, 200, "200"); }
void Document_ConvertOnePage(benchmark::State& state) { Convert(state, 3, "one"); }
BENCHMARK(Document_Convert200)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Document_ConvertOnePage)->Unit(benchmark::kMillisecond)->Iterations(3);

void Document_Register5000(benchmark::State& state) {
  Data();
  ReadDocumentRegister("invoice");  // warm
  for (auto _ : state) {
    TDocumentRegister reg = ReadDocumentRegister("invoice");
    if (reg.rows.size() != kStored) state.SkipWithError("rows missing");
  }
}
BENCHMARK(Document_Register5000)->Unit(benchmark::kMillisecond);

void Document_Filter5000(benchmark::State& state) {
  Data();
  const TDocumentRegister reg = ReadDocumentRegister("invoice");
  const std::vector<TMonthEntry> months = RegisterMonths(EncodeDate(2026, 12, 1));
  size_t from = 0;
  for (auto _ : state) {
    from = (from + 1) % 119;
    benchmark::DoNotOptimize(FilterRows(reg.rows, months[from], months.back()).size());
  }
}
BENCHMARK(Document_Filter5000)->Unit(benchmark::kMicrosecond);

void Document_NextNumber5000(benchmark::State& state) {
  Data();
  for (auto _ : state) {
    std::string n = NextDocumentNumber("invoice", 2026);
    if (n != "20265001") state.SkipWithError("wrong number");
  }
}
BENCHMARK(Document_NextNumber5000)->Unit(benchmark::kMillisecond);

}  // namespace
