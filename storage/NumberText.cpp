#include "storage/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_mutex;
std::string g_currency = "kč";

std::string WithPoint(std::string_view text) {
  std::string t(text);
  for (char& c : t)
    if (c == ',') c = '.';
  return t;
}

// strtod accepts hexadecimal, "inf" and "nan"; a typed number is none of them.
bool LooksDecimal(const std::string& t) {
  for (char c : t)
    if (c == 'x' || c == 'X' || c == 'n' || c == 'N' || c == 'i' || c == 'I') return false;
  return true;
}

}  // namespace

double ParseNumber(std::string_view text, double fallback) {
  std::string t = WithPoint(text);
  if (t.empty() || !LooksDecimal(t)) return fallback;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || !std::isfinite(v)) return fallback;
  return v;
}

bool IsNumber(std::string_view text) {
  std::string t = WithPoint(text);
  if (t.empty() || !LooksDecimal(t) || t[0] == ' ' || t[0] == '\t') return false;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  return *end == '\0' && std::isfinite(v);
}

bool IsInteger(std::string_view text) {
  std::string t(text);
  if (t.empty() || t[0] == ' ' || t[0] == '\t') return false;
  errno = 0;
  char* end = nullptr;
  std::strtoll(t.c_str(), &end, 10);
  return *end == '\0' && errno == 0;
}

long long ParseInteger(std::string_view text, long long fallback) {
  if (!IsInteger(text)) return fallback;
  return std::strtoll(std::string(text).c_str(), nullptr, 10);
}

std::string FormatFixed(double value, int decimals) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string s = buf;
  if (s == "-0" || s.rfind("-0.", 0) == 0) {
    // No "minus zero" for a value that rounds to zero.
    bool allZero = s.find_first_not_of("-0.") == std::string::npos;
    if (allZero) s.erase(0, 1);
  }
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

std::string PriceText(double value, bool withCurrency) {
  std::string text = FormatFixed(value, 2);
  if (withCurrency) text += " " + CurrencyText();
  return text;
}

void SetCurrencyText(const std::string& currency) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_currency = currency;
}

std::string CurrencyText() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_currency;
}
