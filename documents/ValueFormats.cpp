#include "documents/ValueFormats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "storage/AmountInWords.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"

namespace {

double RoundToSignificant(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return value;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
  return std::strtod(buf, nullptr);
}

std::string Exponent(double value, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", digits - 1, value);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

}  // namespace

std::string MoneyText(double value) {
  if (!std::isfinite(value)) return FormatFixed(0, 2);
  if (std::fabs(value) >= 1e9) return Exponent(value, 9);
  return FormatFixed(RoundToSignificant(value, 9), 2);
}

std::string MoneyCurText(double value) { return MoneyText(value) + " " + CurrencyText(); }

std::string PercentText(double value) { return FormatFixed(std::isfinite(value) ? value : 0, 2); }

std::string AmountText(double value) {
  if (!std::isfinite(value)) return FormatFixed(0, 2);
  if (std::fabs(value) >= 1e6) return Exponent(value, 6);
  return FormatFixed(RoundToSignificant(value, 6), 2);
}

std::string DocDateText(TDateTime date) { return DateText(date); }

std::string DocDateTimeText(TDateTime moment) {
  std::string text = DateText(moment);
  TTimeParts t = DecodeTime(moment);
  if (t.hour == 0 && t.minute == 0 && t.second == 0) return text;
  char buf[32];
  std::snprintf(buf, sizeof buf, " %d:%02d:%02d", t.hour, t.minute, t.second);
  return text + buf;
}

std::string MinutesTimeText(double minutes) {
  TTimeParts t = DecodeTime(minutes / 1440.0);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

const char* ClassText(bool visible) { return visible ? "visible" : "hidden"; }

std::string WordsText(double amount) {
  double rounded = std::nearbyint(amount);
  if (rounded < 0) return "minus " + AmountInWords(-rounded);
  return AmountInWords(rounded);
}
