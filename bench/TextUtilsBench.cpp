// Search folding over a vehicle list: every keystroke in the list's filter
// folds the typed text and looks for it in each vehicle's line.
//
//   garvel_bench --benchmark_filter='Fold|ContainsFolded'
//
// The per-line benchmarks report the time of one call; the "AllLines" ones
// the time of one keystroke over the whole list.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "storage/Codec.h"
#include "storage/TextUtils.h"

namespace {

constexpr size_t kLines = 10000;

// Owner, make and model, engine, plate and VIN, as the list shows them.
const std::vector<std::string>& VehicleLines() {
  static const std::vector<std::string> lines = [] {
    const char* owners[] = {"Jiří Dvořák", "Marie Nováková", "Petr Černý", "Autodoprava Šťastný s.r.o.",
                            "Zdeněk Růžička", "Kateřina Procházková", "Tomáš Kučera", "Lukáš Veselý"};
    const char* models[] = {"Škoda Octavia Combi", "Škoda Fabia", "Volkswagen Golf", "Ford Focus",
                            "Hyundai i30", "Renault Mégane", "Peugeot 308 SW", "Dacia Duster"};
    const char* engines[] = {"1.6 TDI 77 kW", "1.0 TSI 81 kW", "2.0 TDI 110 kW", "1.5 dCi 85 kW", "1.2 HTP 51 kW"};
    std::mt19937 rng(1);
    std::vector<std::string> out;
    out.reserve(kLines);
    for (size_t i = 0; i < kLines; ++i) {
      std::string plate = std::to_string(1 + rng() % 9) + "B" + std::to_string(rng() % 10) + " " +
                          std::to_string(1000 + rng() % 9000);
      std::string vin = "TMB";
      for (int k = 0; k < 14; ++k) vin.push_back("ABCDEFGHJKLMNPRSTUVWXYZ0123456789"[rng() % 33]);
      out.push_back(std::string(owners[rng() % 8]) + " | " + models[rng() % 8] + " | " + engines[rng() % 5] +
                    " | " + plate + " | " + vin);
    }
    return out;
  }();
  return lines;
}

// The straightforward way, through a Windows-1250 copy, for comparison.
std::string FoldThroughCodePage(const std::string& text) {
  std::string bytes = Utf8ToCp1250(text);
  for (char& c : bytes) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
  return Cp1250ToUtf8(bytes);
}

void BM_FoldText(benchmark::State& state) {
  const auto& lines = VehicleLines();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FoldText(lines[i]));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FoldText);

void BM_FoldThroughCodePage(benchmark::State& state) {
  const auto& lines = VehicleLines();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FoldThroughCodePage(lines[i]));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FoldThroughCodePage);

void BM_ContainsFolded(benchmark::State& state) {
  const auto& lines = VehicleLines();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ContainsFolded("octávia", lines[i]));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ContainsFolded);

void BM_FoldText_AllLines(benchmark::State& state) {
  const auto& lines = VehicleLines();
  for (auto _ : state)
    for (const std::string& line : lines) benchmark::DoNotOptimize(FoldText(line));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_FoldText_AllLines)->Unit(benchmark::kMicrosecond);

void BM_ContainsFolded_AllLines(benchmark::State& state) {
  const auto& lines = VehicleLines();
  for (auto _ : state) {
    size_t found = 0;
    for (const std::string& line : lines) found += ContainsFolded("růžička", line);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_ContainsFolded_AllLines)->Unit(benchmark::kMicrosecond);

}  // namespace
