#include "storage/DateText.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// A locale's short date and long time pattern. Letters: d/dd day, M/MM
// month, yy/yyyy year, H/HH/h/hh hour, m/mm minute, s/ss second, tt the
// AM/PM marker; a blank stands for any run of blanks; any other character is
// a literal separator (blanks around it are tolerated).
//
// Reading is lenient the way people type: a day, month, hour, minute or
// second has one or two digits whichever the pattern shows; a year has four
// digits or two (00-49 -> 20xx, 50-99 -> 19xx); the AM/PM marker may be left
// out (the hour then counts from 0 to 23); the seconds, or the whole time,
// may be left out; a separator that ends the date pattern may be left out
// ("2024.03.05" reads by "yyyy. MM. dd.").
struct TLocaleForm {
  const char* locale;
  const char* date;
  const char* time;
};

// The default short date and long time of fifty locales. The Czech locale
// comes first; then the rest of Central and Eastern Europe, then Western
// Europe and the other day-first locales, then the year-first ones, and the
// United States last. The order settles ambiguous texts: "03/04/2024" is
// 3 April because the day-first locales come before the month-first one.
const TLocaleForm kLocales[50] = {
    {"cs-CZ", "d.M.yyyy", "H:mm:ss"},         {"sk-SK", "d. M. yyyy", "H:mm:ss"},
    {"de-DE", "dd.MM.yyyy", "HH:mm:ss"},      {"de-AT", "dd.MM.yyyy", "HH:mm:ss"},
    {"de-CH", "dd.MM.yyyy", "HH:mm:ss"},      {"pl-PL", "dd.MM.yyyy", "HH:mm:ss"},
    {"hu-HU", "yyyy. MM. dd.", "H:mm:ss"},    {"sl-SI", "d. MM. yyyy", "H:mm:ss"},
    {"hr-HR", "d.M.yyyy.", "H:mm:ss"},        {"sr-Latn-RS", "d.M.yyyy.", "H:mm:ss"},
    {"ru-RU", "dd.MM.yyyy", "H:mm:ss"},       {"uk-UA", "dd.MM.yyyy", "H:mm:ss"},
    {"be-BY", "dd.MM.yyyy", "H:mm:ss"},       {"ro-RO", "dd.MM.yyyy", "HH:mm:ss"},
    {"bg-BG", "d.M.yyyy", "H:mm:ss"},         {"fi-FI", "d.M.yyyy", "H.mm.ss"},
    {"nb-NO", "dd.MM.yyyy", "HH:mm:ss"},      {"da-DK", "dd-MM-yyyy", "HH:mm:ss"},
    {"tr-TR", "dd.MM.yyyy", "HH:mm:ss"},      {"et-EE", "d.MM.yyyy", "H:mm:ss"},
    {"lv-LV", "dd.MM.yyyy", "H:mm:ss"},       {"lt-LT", "yyyy-MM-dd", "HH:mm:ss"},
    {"en-GB", "dd/MM/yyyy", "HH:mm:ss"},      {"en-IE", "dd/MM/yyyy", "HH:mm:ss"},
    {"fr-FR", "dd/MM/yyyy", "HH:mm:ss"},      {"fr-BE", "dd-MM-yy", "HH:mm:ss"},
    {"fr-CH", "dd.MM.yyyy", "HH:mm:ss"},      {"it-IT", "dd/MM/yyyy", "HH:mm:ss"},
    {"es-ES", "dd/MM/yyyy", "H:mm:ss"},       {"pt-PT", "dd/MM/yyyy", "HH:mm:ss"},
    {"pt-BR", "dd/MM/yyyy", "HH:mm:ss"},      {"nl-NL", "d-M-yyyy", "HH:mm:ss"},
    {"nl-BE", "d/MM/yyyy", "HH:mm:ss"},       {"el-GR", "d/M/yyyy", "h:mm:ss tt"},
    {"he-IL", "dd/MM/yyyy", "HH:mm:ss"},      {"ar-SA", "dd/MM/yy", "hh:mm:ss tt"},
    {"en-IN", "dd-MM-yyyy", "HH:mm:ss"},      {"en-AU", "d/MM/yyyy", "h:mm:ss tt"},
    {"en-NZ", "d/MM/yyyy", "h:mm:ss tt"},     {"es-MX", "dd/MM/yyyy", "hh:mm:ss tt"},
    {"vi-VN", "dd/MM/yyyy", "h:mm:ss tt"},    {"th-TH", "d/M/yyyy", "H:mm:ss"},
    {"id-ID", "dd/MM/yyyy", "H.mm.ss"},       {"sv-SE", "yyyy-MM-dd", "HH:mm:ss"},
    {"fr-CA", "yyyy-MM-dd", "HH:mm:ss"},      {"ko-KR", "yyyy-MM-dd", "tt h:mm:ss"},
    {"ja-JP", "yyyy/MM/dd", "H:mm:ss"},       {"zh-CN", "yyyy/M/d", "H:mm:ss"},
    {"zh-TW", "yyyy/M/d", "tt hh:mm:ss"},     {"en-US", "M/d/yyyy", "h:mm:ss tt"},
};

struct TFields {
  int year = -1, month = -1, day = -1, hour = 0, minute = 0, second = 0;
  int ampm = -1;  // -1 none, 0 AM, 1 PM
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class TReader {
 public:
  explicit TReader(std::string_view s) : s_(s) {}
  bool AtEnd() const { return pos_ >= s_.size(); }
  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
  }
  // Up to `maxDigits` digits; false when there is none. `count` says how many.
  bool Number(int maxDigits, int& value, int& count) {
    value = 0;
    count = 0;
    while (pos_ < s_.size() && count < maxDigits && IsDigit(s_[pos_])) {
      value = value * 10 + (s_[pos_++] - '0');
      ++count;
    }
    return count > 0;
  }
  bool Literal(char c) {
    if (pos_ >= s_.size() || s_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  // "AM" or "PM" in any case: 0 or 1; -1 (nothing read) otherwise.
  int Marker() {
    if (pos_ + 1 >= s_.size()) return -1;
    const char a = s_[pos_], m = s_[pos_ + 1];
    if (m != 'M' && m != 'm') return -1;
    if (a == 'A' || a == 'a') return pos_ += 2, 0;
    if (a == 'P' || a == 'p') return pos_ += 2, 1;
    return -1;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

bool IsField(char p) { return p == 'd' || p == 'M' || p == 'y' || p == 'H' || p == 'h' || p == 'm' || p == 's' || p == 't'; }

// Matches `pattern` at the reader's position.
bool Match(TReader& r, std::string_view pattern, TFields& f) {
  for (size_t i = 0; i < pattern.size();) {
    const char p = pattern[i];
    size_t run = 1;
    while (IsField(p) && i + run < pattern.size() && pattern[i + run] == p) ++run;
    int value = 0, count = 0;
    switch (p) {
      case 'd':
        if (!r.Number(2, f.day, count)) return false;
        break;
      case 'M':
        if (!r.Number(2, f.month, count)) return false;
        break;
      case 'y':
        if (!r.Number(4, value, count) || (count != 2 && count != 4)) return false;
        f.year = count == 2 ? value + (value < 50 ? 2000 : 1900) : value;
        break;
      case 'H':
      case 'h':
        if (!r.Number(2, f.hour, count)) return false;
        break;
      case 'm':
        if (!r.Number(2, f.minute, count)) return false;
        break;
      case 's':
        if (!r.Number(2, f.second, count)) return false;
        break;
      case 't':
        r.SkipBlanks();
        f.ampm = r.Marker();
        break;
      case ' ':
        r.SkipBlanks();
        break;
      default: {
        r.SkipBlanks();
        const bool last = i + 1 == pattern.size();
        if (!r.Literal(p) && !last) return false;
        r.SkipBlanks();
        break;
      }
    }
    i += run;
  }
  return true;
}

std::string WithoutSeconds(std::string_view time) {
  std::string t(time);
  for (const char* seconds : {":ss", ".ss"}) {
    size_t at = t.find(seconds);
    if (at != std::string::npos) t.erase(at, 3);
  }
  return t;
}

bool TryForm(std::string_view text, std::string_view date, std::string_view time, TDateTime& result) {
  TReader r(text);
  TFields f;
  r.SkipBlanks();
  if (!Match(r, date, f)) return false;
  if (!time.empty()) {
    r.SkipBlanks();
    if (r.AtEnd() || !Match(r, time, f)) return false;
  }
  r.SkipBlanks();
  if (!r.AtEnd()) return false;
  if (f.ampm >= 0) {
    if (f.hour < 1 || f.hour > 12) return false;
    f.hour = f.hour % 12 + (f.ampm == 1 ? 12 : 0);
  }
  if (!IsValidDate(f.year, f.month, f.day) || f.hour > 23 || f.minute > 59 || f.second > 59) return false;
  result = EncodeDate(f.year, f.month, f.day) + EncodeTime(f.hour, f.minute, f.second);
  return true;
}

bool TryLocale(std::string_view text, const TLocaleForm& form, TDateTime& result) {
  return TryForm(text, form.date, form.time, result) || TryForm(text, form.date, WithoutSeconds(form.time), result) ||
         TryForm(text, form.date, "", result);
}

}  // namespace

std::string DateText(TDateTime date) {
  TDateParts d = DecodeDate(date);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
  return buf;
}

TDateTime TextDate(std::string_view text) {
  int parts[3] = {0, 0, 0};
  size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    int v = 0;
    bool any = false;
    while (pos < text.size() && IsDigit(text[pos])) {
      if (v < 100000) v = v * 10 + (text[pos] - '0');  // capped: any such value is impossible anyway
      ++pos;
      any = true;
    }
    if (!any) return EncodeDate(2000, 1, 1);
    parts[k] = v;
    if (pos < text.size()) ++pos;  // the non-digit that ends the number
  }
  if (!IsValidDate(parts[2], parts[1], parts[0])) return EncodeDate(2000, 1, 1);
  return EncodeDate(parts[2], parts[1], parts[0]);
}

bool ParseDateTime(std::string_view text, TDateTime& result) {
  for (const TLocaleForm& form : kLocales)
    if (TryLocale(text, form, result)) return true;
  return false;
}

int WeekdayIndex(TDateTime date) {
  // Day 0 (30 December 1899) was a Saturday.
  long long day = static_cast<long long>(std::floor(date));
  return static_cast<int>(((day + 5) % 7 + 7) % 7);
}
