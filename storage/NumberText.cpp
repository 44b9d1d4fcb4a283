#include "storage/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <mutex>

namespace {

std::mutex g_mutex;
std::string g_currency = "kč";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of `t` (after leading blanks) that is a decimal number:
// [sign] digits [. digits] [e [sign] digits], with at least one digit in the
// mantissa; "," counts as ".". Hexadecimal, "inf" and "nan" are not numbers
// here. The number goes to `out` with "." and without "+". Returns the end
// of the prefix in `t`, or npos when there is none.
size_t ScanDecimal(std::string_view t, std::string& out) {
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n')) ++i;
  out.clear();
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    if (t[i] == '-') out.push_back('-');
    ++i;
  }
  size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) out.push_back(t[i++]), ++digits;
  if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
    size_t j = i + 1;
    std::string fraction = ".";
    while (j < t.size() && IsDigit(t[j])) fraction.push_back(t[j++]);
    if (digits > 0 || fraction.size() > 1) {  // "5." and ".5" are numbers, "." is not
      if (digits == 0) out.push_back('0');
      if (fraction.size() > 1) out += fraction;
      digits += fraction.size() - 1;
      i = j;
    }
  }
  if (digits == 0) return std::string_view::npos;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
      if (t[j] == '-') exponent.push_back('-');
      ++j;
    }
    size_t expDigits = 0;
    while (j < t.size() && IsDigit(t[j])) exponent.push_back(t[j++]), ++expDigits;
    if (expDigits > 0) {
      out += exponent;
      i = j;
    }
  }
  return i;
}

// Reads the scanned number; false when it is out of the double range.
bool ReadDouble(const std::string& number, double& value) {
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  return ec == std::errc() && end == number.data() + number.size() && std::isfinite(value);
}

}  // namespace

double ParseNumber(std::string_view text, double fallback) {
  if (text.empty()) return fallback;
  std::string number;
  double value = 0;
  if (ScanDecimal(text, number) == std::string_view::npos || !ReadDouble(number, value)) return 0;
  return value;
}

bool IsNumber(std::string_view text) {
  if (text.empty() || text[0] == ' ' || text[0] == '\t' || text[0] == '\r' || text[0] == '\n') return false;
  std::string number;
  double value = 0;
  return ScanDecimal(text, number) == text.size() && ReadDouble(number, value);
}

namespace {

// Reads a complete whole number: [sign] digits, nothing else.
bool ReadInteger(std::string_view text, long long& value) {
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') {
    ++begin;
    if (begin != end && *begin == '-') return false;  // from_chars would take "+-4"
  }
  const auto [stop, ec] = std::from_chars(begin, end, value, 10);
  return ec == std::errc() && stop == end && begin != end;
}

}  // namespace

bool IsInteger(std::string_view text) {
  long long value = 0;
  return ReadInteger(text, value);
}

long long ParseInteger(std::string_view text, long long fallback) {
  long long value = 0;
  return ReadInteger(text, value) ? value : fallback;
}

std::string FormatFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  // Large enough for any double in fixed notation (up to 309 digits).
  char buf[400 + 64];
  const int precision = decimals > 64 ? 64 : decimals;
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
  std::string s = ec == std::errc() ? std::string(buf, end) : std::string("0");
  // No "minus zero" for a value that rounds to zero.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

std::string GeneralNumberText(double value, int digits) {
  if (!std::isfinite(value) || value == 0) return "0";
  digits = digits < 1 ? 1 : digits > 17 ? 17 : digits;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*g", digits, value);
  std::string s = buf;
  std::string exponent;
  if (size_t e = s.find('e'); e != std::string::npos) {
    // "e+12" becomes "E12", "e-07" becomes "E-7".
    std::string digitsPart = s.substr(e + 1);
    s.erase(e);
    const bool negative = !digitsPart.empty() && digitsPart[0] == '-';
    size_t i = digitsPart.find_first_not_of("+-0");
    exponent = std::string("E") + (negative ? "-" : "") + (i == std::string::npos ? "0" : digitsPart.substr(i));
  }
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  for (char& c : s)
    if (c == '.') c = ',';
  if (s == "-0") s = "0";
  return s + exponent;
}

std::string PriceText(double value, bool withCurrency) { return PriceText(value, withCurrency, CurrencyText()); }

std::string PriceText(double value, bool withCurrency, const std::string& currency) {
  std::string text = FormatFixed(value, 2);
  if (withCurrency) text += " " + currency;
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
