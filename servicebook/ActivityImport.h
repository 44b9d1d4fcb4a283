#pragma once
// Activity lines that come into the record editor from outside the window:
// the templates of frequent actions (INI section "frequentactions") and the
// reply of the time-measurement program. Both texts are read with bounds
// checks: numbers must be finite and within the typed-number bounds, texts
// are cleaned of the list's control characters and cut to 200 characters.
//
// Template (one INI value): segments separated by "|||", fields by "@".
//   first segment     icon@colour@count@price@text      an activity
//   further segments  X count@price@text                a material; the
//                     first character X (normally "@") is skipped
// A negative price takes the hourly rate.
//
// Timer reply: segments separated by "|||", each name@seconds@hundredths.
// A segment whose numbers do not read keeps zeros.

#include <string>
#include <utility>
#include <vector>

#include "servicebook/Activities.h"

inline constexpr int32_t kMaterialColor = 0xA08000;
inline constexpr size_t kLineTextLimit = 200;  // characters
inline constexpr int kLineTextLines = 10;

struct TActionTemplate {
  std::string name;      // the INI key
  TActRecordList lines;  // never empty
};

// One template value; an empty list when it holds no activity.
TActRecordList ParseActionTemplate(const std::string& value, double hourRate);
// Every key=value line of the section that holds a template, in order.
std::vector<TActionTemplate> ParseActionTemplates(const std::vector<std::pair<std::string, std::string>>& section,
                                                  double hourRate);

struct TTimerEntry {
  std::string name;
  double seconds = 0;
  double hundredths = 0;
};
// At most kMaxTimerEntries entries; empty segments are skipped.
inline constexpr size_t kMaxTimerEntries = 500;
std::vector<TTimerEntry> ParseTimerReply(const std::string& reply);
// One activity per entry: hours = seconds / 3600, price = hundredths / 100.
TActRecordList TimerLines(const std::vector<TTimerEntry>& entries);

// A line's text as it may enter a list: 01..04 replaced, at most
// kLineTextLines lines (CR LF) and kLineTextLimit characters.
std::string LimitLineText(const std::string& text);
