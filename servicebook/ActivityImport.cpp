#include "servicebook/ActivityImport.h"

#include <cmath>

#include "servicebook/TypedNumbers.h"
#include "storage/Codec.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

constexpr std::string_view kSegmentSeparator = "|||";
constexpr int32_t kMaxIcon = 9999;

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  size_t pos = 0;
  for (;;) {
    const size_t end = text.find(separator, pos);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(pos));
      return parts;
    }
    parts.push_back(text.substr(pos, end - pos));
    pos = end + separator.size();
  }
}

// At most `count` fields separated by "@"; the last one takes the rest (a
// text may hold "@"). Missing fields are empty.
std::vector<std::string> Fields(std::string_view segment, size_t count) {
  std::vector<std::string> fields;
  size_t pos = 0;
  while (fields.size() + 1 < count) {
    const size_t at = segment.find('@', pos);
    if (at == std::string_view::npos) break;
    fields.emplace_back(segment.substr(pos, at - pos));
    pos = at + 1;
  }
  fields.emplace_back(pos <= segment.size() ? segment.substr(pos) : std::string_view());
  fields.resize(count);
  return fields;
}

double Amount(const std::string& text) {
  double v = 0;
  return ReadTypedAmount(TrimBlanks(text), v) ? v : 0;
}

int32_t WholeInRange(const std::string& text, long long low, long long high, int32_t fallback) {
  const long long v = ParseInteger(TrimBlanks(text), fallback);
  return v < low || v > high ? fallback : static_cast<int32_t>(v);
}

TActRecord NewLine(uint8_t itemType, const std::string& count, const std::string& price, const std::string& text,
                   double hourRate) {
  TActRecord line;
  line.itemType = itemType;
  line.icon = -1;
  line.color = itemType == kItemActivity ? kDefaultActivityColor : kMaterialColor;
  line.count = static_cast<float>(Amount(count));
  const double p = Amount(price);
  line.price = static_cast<float>(p < 0 ? hourRate : p);
  line.text = LimitLineText(TrimBlanks(text));
  return line;
}

}  // namespace

std::string LimitLineText(const std::string& text) {
  std::string t = CleanActivityText(text);
  // Too many lines: the last ones go, as the ten-line editor would drop them.
  size_t pos = 0;
  for (int line = 1; line <= kLineTextLines; ++line) {
    pos = t.find("\r\n", pos);
    if (pos == std::string::npos) break;
    if (line == kLineTextLines) t.erase(pos);
    else pos += 2;
  }
  return Utf8Prefix(t, kLineTextLimit);
}

TActRecordList ParseActionTemplate(const std::string& value, double hourRate) {
  if (!std::isfinite(hourRate)) hourRate = 0;
  TActRecordList lines;
  const std::vector<std::string_view> segments = Split(value, kSegmentSeparator);
  if (segments.empty() || TrimBlanks(segments[0]).empty()) return lines;
  const std::vector<std::string> first = Fields(segments[0], 5);
  TActRecord activity = NewLine(kItemActivity, first[2], first[3], first[4], hourRate);
  activity.icon = WholeInRange(first[0], -1, kMaxIcon, -1);
  activity.color = WholeInRange(first[1], 0, 0xFFFFFF, kDefaultActivityColor);
  lines.push_back(activity);
  for (size_t i = 1; i < segments.size(); ++i) {
    if (segments[i].size() < 2) continue;  // nothing after the skipped character
    const std::vector<std::string> f = Fields(segments[i].substr(1), 3);
    lines.push_back(NewLine(kItemMaterial, f[0], f[1], f[2], hourRate));
  }
  return lines;
}

std::vector<TActionTemplate> ParseActionTemplates(const std::vector<std::pair<std::string, std::string>>& section,
                                                  double hourRate) {
  std::vector<TActionTemplate> templates;
  for (const auto& [key, value] : section) {
    TActRecordList lines = ParseActionTemplate(value, hourRate);
    if (!lines.empty()) templates.push_back({key, std::move(lines)});
  }
  return templates;
}

std::vector<TTimerEntry> ParseTimerReply(const std::string& reply) {
  std::vector<TTimerEntry> entries;
  for (std::string_view segment : Split(reply, kSegmentSeparator)) {
    if (TrimBlanks(segment).empty()) continue;
    if (entries.size() == kMaxTimerEntries) break;
    const std::vector<std::string> f = Fields(segment, 3);
    TTimerEntry e;
    e.name = LimitLineText(TrimBlanks(f[0]));
    e.seconds = std::max(0.0, Amount(f[1]));
    e.hundredths = Amount(f[2]);
    entries.push_back(std::move(e));
  }
  return entries;
}

TActRecordList TimerLines(const std::vector<TTimerEntry>& entries) {
  TActRecordList lines;
  for (const TTimerEntry& e : entries) {
    TActRecord line;
    line.itemType = kItemActivity;
    line.icon = -1;
    line.color = kDefaultActivityColor;
    line.text = e.name;
    line.count = static_cast<float>(e.seconds / 3600);
    line.price = static_cast<float>(e.hundredths / 100);
    line.showOnInvoice = true;
    lines.push_back(line);
  }
  return lines;
}
