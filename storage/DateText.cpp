#include "storage/DateText.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

// A locale's short date and long time pattern. Letters: d dd M MM yy yyyy
// H HH h hh m mm s ss tt; other characters are literal separators.
struct TLocaleForm {
  const char* locale;
  const char* date;
  const char* time;
};

// Fifty common locales; the Czech one first. Several share their forms; the
// order decides between ambiguous readings (day before month wins over the
// American order because Central European locales come first).
const TLocaleForm kLocales[50] = {
    {"cs-CZ", "d.M.yyyy", "H:mm:ss"},    {"sk-SK", "d.M.yyyy", "H:mm:ss"},   {"de-DE", "dd.MM.yyyy", "HH:mm:ss"},
    {"de-AT", "dd.MM.yyyy", "HH:mm:ss"}, {"pl-PL", "dd.MM.yyyy", "HH:mm:ss"}, {"hu-HU", "yyyy.MM.dd.", "H:mm:ss"},
    {"sl-SI", "d.M.yyyy", "H:mm:ss"},    {"hr-HR", "d.M.yyyy.", "H:mm:ss"},  {"ru-RU", "dd.MM.yyyy", "H:mm:ss"},
    {"uk-UA", "dd.MM.yyyy", "H:mm:ss"},  {"en-GB", "dd/MM/yyyy", "HH:mm:ss"}, {"fr-FR", "dd/MM/yyyy", "HH:mm:ss"},
    {"it-IT", "dd/MM/yyyy", "HH:mm:ss"}, {"es-ES", "dd/MM/yyyy", "H:mm:ss"},  {"pt-PT", "dd/MM/yyyy", "HH:mm:ss"},
    {"pt-BR", "dd/MM/yyyy", "HH:mm:ss"}, {"el-GR", "d/M/yyyy", "h:mm:ss tt"}, {"tr-TR", "dd.MM.yyyy", "HH:mm:ss"},
    {"ro-RO", "dd.MM.yyyy", "HH:mm:ss"}, {"bg-BG", "d.M.yyyy", "H:mm:ss"},   {"fi-FI", "d.M.yyyy", "H:mm:ss"},
    {"nb-NO", "dd.MM.yyyy", "HH:mm:ss"}, {"da-DK", "dd-MM-yyyy", "HH:mm:ss"}, {"nl-NL", "d-M-yyyy", "H:mm:ss"},
    {"nl-BE", "d/MM/yyyy", "H:mm:ss"},   {"fr-BE", "dd-MM-yy", "HH:mm:ss"},  {"sv-SE", "yyyy-MM-dd", "HH:mm:ss"},
    {"lt-LT", "yyyy-MM-dd", "HH:mm:ss"}, {"fr-CA", "yyyy-MM-dd", "HH:mm:ss"}, {"en-CA", "dd/MM/yyyy", "h:mm:ss tt"},
    {"en-US", "M/d/yyyy", "h:mm:ss tt"}, {"en-AU", "d/MM/yyyy", "h:mm:ss tt"}, {"en-NZ", "d/MM/yyyy", "h:mm:ss tt"},
    {"en-IE", "dd/MM/yyyy", "HH:mm:ss"}, {"en-ZA", "yyyy/MM/dd", "hh:mm:ss tt"}, {"en-IN", "dd-MM-yyyy", "HH:mm:ss"},
    {"ja-JP", "yyyy/MM/dd", "H:mm:ss"},  {"zh-CN", "yyyy/M/d", "H:mm:ss"},   {"zh-TW", "yyyy/M/d", "tt hh:mm:ss"},
    {"ko-KR", "yyyy-MM-dd", "tt h:mm:ss"}, {"et-EE", "d.MM.yyyy", "H:mm:ss"}, {"lv-LV", "yyyy.MM.dd.", "H:mm:ss"},
    {"sr-Latn", "d.M.yyyy", "H:mm:ss"},  {"he-IL", "dd/MM/yyyy", "HH:mm:ss"}, {"ar-SA", "dd/MM/yy", "hh:mm:ss tt"},
    {"th-TH", "d/M/yyyy", "H:mm:ss"},    {"vi-VN", "dd/MM/yyyy", "h:mm:ss tt"}, {"id-ID", "dd/MM/yyyy", "H:mm:ss"},
    {"es-MX", "dd/MM/yyyy", "hh:mm:ss tt"}, {"is-IS", "d.M.yyyy", "HH:mm:ss"},
};

struct TReader {
  std::string_view s;
  size_t pos = 0;
  void SkipBlanks() {
    while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
  }
  // Reads 1..maxDigits digits (exactly `exact` when given).
  bool Number(int minDigits, int maxDigits, int& out) {
    size_t start = pos;
    int v = 0;
    while (pos < s.size() && pos - start < static_cast<size_t>(maxDigits) && std::isdigit(static_cast<unsigned char>(s[pos])))
      v = v * 10 + (s[pos++] - '0');
    if (static_cast<int>(pos - start) < minDigits) return false;
    out = v;
    return true;
  }
};

struct TFields {
  int year = -1, month = -1, day = -1, hour = 0, minute = 0, second = 0;
  int ampm = -1;  // -1 none, 0 AM, 1 PM
};

// Matches a pattern against the reader; blanks in the text around separators
// are tolerated.
bool Match(TReader& r, std::string_view pattern, TFields& f) {
  size_t i = 0;
  while (i < pattern.size()) {
    char p = pattern[i];
    size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == p) ++run;
    int v = 0;
    switch (p) {
      case 'd':
        if (!r.Number(run, 2, v)) return false;
        f.day = v;
        break;
      case 'M':
        if (!r.Number(run, 2, v)) return false;
        f.month = v;
        break;
      case 'y':
        if (run >= 4) {
          if (!r.Number(4, 4, v)) return false;
        } else {
          if (!r.Number(2, 2, v)) return false;
          v += v < 50 ? 2000 : 1900;
        }
        f.year = v;
        break;
      case 'H':
      case 'h':
        if (!r.Number(1, 2, v)) return false;
        f.hour = v;
        break;
      case 'm':
        if (!r.Number(1, 2, v)) return false;
        f.minute = v;
        break;
      case 's':
        if (!r.Number(1, 2, v)) return false;
        f.second = v;
        break;
      case 't': {
        r.SkipBlanks();
        std::string_view rest = r.s.substr(r.pos);
        if (rest.size() >= 2 && (rest[1] == 'M' || rest[1] == 'm') && (rest[0] == 'A' || rest[0] == 'a' || rest[0] == 'P' || rest[0] == 'p')) {
          f.ampm = (rest[0] == 'P' || rest[0] == 'p') ? 1 : 0;
          r.pos += 2;
        } else {
          return false;
        }
        break;
      }
      case ' ':
        r.SkipBlanks();
        break;
      default:
        r.SkipBlanks();
        if (r.pos >= r.s.size() || r.s[r.pos] != p) return false;
        ++r.pos;
        r.SkipBlanks();
        break;
    }
    i += (p == 'd' || p == 'M' || p == 'y' || p == 'H' || p == 'h' || p == 'm' || p == 's' || p == 't') ? run : 1;
  }
  return true;
}

// The time pattern without seconds, for texts that leave them out.
std::string WithoutSeconds(std::string_view time) {
  std::string t(time);
  size_t s = t.find(":ss");
  if (s != std::string::npos) t.erase(s, 3);
  return t;
}

bool TryLocale(std::string_view text, const TLocaleForm& form, TDateTime& result) {
  std::string times[3] = {form.time, WithoutSeconds(form.time), ""};
  for (const std::string& time : times) {
    TReader r{text};
    TFields f;
    r.SkipBlanks();
    if (!Match(r, form.date, f)) return false;
    r.SkipBlanks();
    if (!time.empty()) {
      if (r.pos >= r.s.size() || !Match(r, time, f)) continue;
    }
    r.SkipBlanks();
    if (r.pos != r.s.size()) continue;
    if (f.ampm >= 0) {
      if (f.hour < 1 || f.hour > 12) continue;
      f.hour = f.hour % 12 + (f.ampm == 1 ? 12 : 0);
    }
    if (!IsValidDate(f.year, f.month, f.day) || f.hour > 23 || f.minute > 59 || f.second > 59) continue;
    result = EncodeDate(f.year, f.month, f.day) + EncodeTime(f.hour, f.minute, f.second);
    return true;
  }
  return false;
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
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
      if (v < 100000) v = v * 10 + (text[pos] - '0');
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
