#include "servicebook/TypedNumbers.h"

#include <cmath>

#include "storage/NumberText.h"

bool ReadTypedAmount(std::string_view text, double& value) {
  if (!IsNumber(text)) return false;
  const double v = ParseNumber(text, 0);
  if (!std::isfinite(v) || std::fabs(v) > kMaxTypedAmount) return false;
  value = v;
  return true;
}

bool ReadTypedHours(std::string_view text, double& value) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return ReadTypedAmount(text, value);
  double hours = 0, minutes = 0;
  const std::string_view h = text.substr(0, colon), m = text.substr(colon + 1);
  if (!h.empty() && !ReadTypedAmount(h, hours)) return false;
  if (!m.empty() && !ReadTypedAmount(m, minutes)) return false;
  // "-1:30" is minus one and a half hours, not minus a half.
  const double v = hours + std::copysign(minutes, h.starts_with('-') ? -1.0 : 1.0) / 60;
  if (std::fabs(v) > kMaxTypedAmount) return false;
  value = v;
  return true;
}

bool ReadTypedKm(std::string_view text, int32_t& km) {
  if (!IsInteger(text)) return false;
  const long long v = ParseInteger(text, -1);
  if (v < 0 || v > kMaxKm) return false;
  km = static_cast<int32_t>(v);
  return true;
}
