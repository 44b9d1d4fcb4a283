#include "storage/PriceRounding.h"

#include <cmath>
#include <mutex>

namespace {
std::mutex g_mutex;
TPriceRounding g_rule;
}  // namespace

void SetPriceRounding(const TPriceRounding& rule) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_rule = rule;
}

TPriceRounding GetPriceRounding() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_rule;
}

double RoundPrice(double value, const TPriceRounding& rule) {
  if (!rule.enabled || !(rule.step > 0.00001)) return value;
  // nearbyint rounds halves to even in the default rounding mode.
  return rule.step * std::nearbyint(value / rule.step);
}

double RoundPrice(double value) { return RoundPrice(value, GetPriceRounding()); }
