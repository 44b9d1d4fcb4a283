#include "servicebook/Activities.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "servicebook/RefuelTrip.h"
#include "storage/NumberText.h"
#include "storage/ServiceRecord.h"

namespace {

constexpr char kLineStart = '\x01';
constexpr char kLineEnd = '\x02';
constexpr char kFieldEnd = '\x03';
constexpr char kHeader = '\x04';
const char* const kInvoiceHidden = "FLG:InvoiceHidden";

std::string Amount3(float v) {
  // "nan" or "inf" would make the whole description unreadable next time.
  if (!std::isfinite(v)) v = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(v));
  return buf;
}

// A field ends at the next 03 or 02; `endedLine` says which, and a field
// that runs to the end of the text ends neither (a corrupt line).
struct TField {
  std::string value;
  bool endedLine = false;
  bool terminated = false;
};

TField ReadField(const std::string& s, size_t& pos) {
  TField f;
  size_t end = s.find_first_of("\x02\x03", pos);
  if (end == std::string::npos) {
    f.value = s.substr(pos);
    pos = s.size();
    return f;
  }
  f.value = s.substr(pos, end - pos);
  f.terminated = true;
  f.endedLine = s[end] == kLineEnd;
  pos = end + 1;
  return f;
}

std::string TrimBlanksLocal(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool ParseIntStrict(const std::string& s, int32_t& out) {
  if (s.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno || *end || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int32_t>(v);
  return true;
}

bool ParseFloatStrict(const std::string& s, float& out) {
  if (s.empty()) return false;
  std::string t = s;
  for (char& c : t)
    if (c == ',') c = '.';
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (*end || !std::isfinite(v)) return false;
  out = static_cast<float>(v);
  return true;
}

// One line as raw fields, for both decoding and rendering.
struct TRawLine {
  std::vector<TField> fields;
};

// Splits the lines after the header. Returns false when a character other
// than 01 starts a line; stops at the end or at a 00.
bool SplitLines(const std::string& s, std::vector<TRawLine>& lines) {
  size_t pos = 1;
  while (pos < s.size() && s[pos] != '\0') {
    if (s[pos] != kLineStart) return false;
    ++pos;
    TRawLine line;
    for (;;) {
      TField f = ReadField(s, pos);
      line.fields.push_back(f);
      if (!f.terminated || f.endedLine) break;
    }
    lines.push_back(std::move(line));
  }
  return true;
}

bool DecodeLine(const TRawLine& raw, TActRecord& a) {
  const auto& f = raw.fields;
  // text, itemType, icon, color and price must each be followed by 03.
  for (size_t i = 0; i < 5; ++i)
    if (i >= f.size() || !f[i].terminated || f[i].endedLine) return false;
  a.text = TrimBlanksLocal(f[0].value);
  int32_t itemType = 0;
  if (!ParseIntStrict(f[1].value, itemType) || (itemType != 0 && itemType != 1)) return false;
  a.itemType = static_cast<uint8_t>(itemType);
  if (!ParseIntStrict(f[2].value, a.icon) || !ParseIntStrict(f[3].value, a.color)) return false;
  if (!ParseFloatStrict(f[4].value, a.price)) return false;
  if (f.size() < 6 || !f[5].terminated || !ParseFloatStrict(f[5].value, a.count)) return false;
  a.purchasePrice = 0;
  if (!f[5].endedLine) {
    if (f.size() < 7 || !ParseFloatStrict(f[6].value, a.purchasePrice)) a.purchasePrice = 0;
    for (size_t i = 7; i < f.size(); ++i)
      if (f[i].value == kInvoiceHidden) a.showOnInvoice = false;
    if (!f.back().terminated) return false;  // the line never ended
  }
  return true;
}

std::string Spaces(int n) { return std::string(static_cast<size_t>(std::max(0, n)), ' '); }

std::string IndentLines(const std::string& text, int indent) {
  std::string out;
  const std::string pad = Spaces(indent);
  for (size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out.push_back('\n');
      ++i;
      out += pad;
    }
  }
  return out;
}

}  // namespace

std::string EncodeActivities(const TActRecordList& list) {
  std::string out(1, kHeader);
  for (const TActRecord& a : list) {
    out += kLineStart;
    out += CleanActivityText(a.text);
    out += kFieldEnd + std::to_string(a.itemType);
    out += kFieldEnd + std::to_string(a.icon);
    out += kFieldEnd + std::to_string(a.color);
    out += kFieldEnd + Amount3(a.price);
    out += kFieldEnd + Amount3(a.count);
    out += kFieldEnd + Amount3(a.purchasePrice);
    if (!a.showOnInvoice) out += kFieldEnd + std::string(kInvoiceHidden);
    out += kLineEnd;
  }
  return out;
}

bool DecodeActivities(const std::string& description, TActRecordList& list) {
  list.clear();
  if (description.empty() || description[0] != kHeader) return false;
  std::vector<TRawLine> lines;
  bool wellFormed = SplitLines(description, lines);
  for (const TRawLine& raw : lines) {
    TActRecord a;
    bool ok = DecodeLine(raw, a);
    list.push_back(a);  // a failing line stays as far as it was read
    if (!ok) return false;
  }
  return wellFormed;
}

std::string CleanActivityText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    switch (c) {
      case '\x01': c = '['; break;
      case '\x02': c = ']'; break;
      case '\x03': c = ' '; break;
      case '\x04': c = '#'; break;
      default: break;
    }
  }
  return out;
}

double VatFactor(const TVatSettings& vat) {
  const double factor = 1 + vat.rate / 100;
  // A rate that would turn prices negative (or a damaged setting) is no VAT.
  if (!vat.taxPaid || !std::isfinite(factor) || factor <= 0) return 1;
  return factor;
}

double AmountWithVat(double amount, uint8_t itemType, uint32_t recordFlags, const TVatSettings& vat) {
  // A workshop that is not a VAT payer charges no VAT on labour either.
  bool applies = itemType == kItemMaterial || !(recordFlags & kFlagNoLaborVAT);
  return applies ? amount * VatFactor(vat) : amount;
}

std::string QuantityText(uint8_t itemType, double count) {
  if (itemType == kItemMaterial) return FormatFixed(count, 2);
  double whole = std::trunc(count);
  long minutes = std::lround(std::fabs(count - whole) * 60);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0f:%02ld", whole, minutes);
  return buf;
}

double ActivitiesTotal(const TActRecordList& list) {
  double sum = 0;
  for (const TActRecord& a : list) sum += static_cast<double>(a.count) * a.price;
  return sum;
}

double ActivitiesMargin(const TActRecordList& list) {
  double sum = 0;
  for (const TActRecord& a : list) sum += (static_cast<double>(a.price) - a.purchasePrice) * a.count;
  return sum;
}

std::string FormatActivities(int32_t kind, uint32_t flags, const std::string& description, int indent,
                             const std::string& between, const std::string& afterEach, char valueSeparator,
                             const TVatSettings& vat) {
  if (kind == kKindRefuel) return RefuelingDescription(description);
  if (kind == kKindTrip) return TripDescription(description);
  if (kind < kKindDone || kind > kKindOrder) return description;
  if (description.empty() || description[0] != kHeader) return description;

  std::vector<TRawLine> lines;
  SplitLines(description, lines);
  std::string result;
  for (const TRawLine& raw : lines) {
    const auto& f = raw.fields;
    int32_t itemType = -1;
    if (f.size() < 2 || !ParseIntStrict(f[1].value, itemType) || (itemType != 0 && itemType != 1))
      return description;
    float price = 0, count = 0;
    if (f.size() < 6 || !ParseFloatStrict(f[4].value, price) || !ParseFloatStrict(f[5].value, count)) return "";
    for (size_t i = 0; i < 5; ++i)
      if (f[i].endedLine || !f[i].terminated) return "";  // the line ends before its count
    std::string text = TrimBlanksLocal(f[0].value);
    bool shown = true;
    if (itemType == kItemActivity) {
      if (!result.empty()) result += between;
      result += text;
    } else if (indent >= 0) {
      result += Spaces(indent) + IndentLines(text, indent);
    } else {
      shown = false;
    }
    if (shown && valueSeparator != '\0') {
      if (count > 0) {
        double unit = AmountWithVat(price, static_cast<uint8_t>(itemType), flags, vat);
        result += valueSeparator + QuantityText(static_cast<uint8_t>(itemType), count);
        result += valueSeparator + PriceText(unit, false);
        result += valueSeparator + PriceText(unit * count, false);
      } else {
        result += std::string(3, valueSeparator);
      }
    }
    result += afterEach;
  }
  return result;
}

std::string ActivitiesOneLine(int32_t kind, uint32_t flags, const std::string& description, const TVatSettings& vat) {
  return FormatActivities(kind, flags, description, -1, "", "; ", '\0', vat);
}

std::string ActivitiesDescriptionText(int32_t kind, uint32_t flags, const std::string& description,
                                      const TVatSettings& vat) {
  return FormatActivities(kind, flags, description, 4, "\r\n", "\r\n", '\0', vat);
}

std::string ActivitiesPrintText(int32_t kind, uint32_t flags, const std::string& description, const TVatSettings& vat) {
  return FormatActivities(kind, flags, description, 4, "\r\n", "\r\n", '\t', vat);
}
