#include "servicebook/RefuelTrip.h"

#include <cmath>
#include <strings.h>

#include "servicebook/TypedNumbers.h"
#include "storage/NumberText.h"

namespace {

std::string ReplaceChar(std::string s, char what, char by) {
  for (char& c : s)
    if (c == what) c = by;
  return s;
}

const std::string* FindKey(const std::vector<std::pair<std::string, std::string>>& fields, const char* key) {
  for (const auto& [k, v] : fields)
    if (strcasecmp(k.c_str(), key) == 0) return &v;
  return nullptr;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SplitKeyValueText(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> fields;
  size_t pos = 0;
  bool first = true;
  while (pos <= text.size()) {
    size_t end = text.find('|', pos);
    std::string field = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (!first) field.erase(0, field.find_first_not_of(' ') == std::string::npos ? field.size() : field.find_first_not_of(' '));
    first = false;
    if (field.empty()) break;
    size_t eq = field.find('=');
    if (eq == std::string::npos) fields.emplace_back(field, "");
    else fields.emplace_back(field.substr(0, eq), field.substr(eq + 1));
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return fields;
}

std::string EncodeRefueling(const TRefuelingRecord& r) {
  return "litres=" + FormatFixed(r.litres, 2) + "|literprice=" + FormatFixed(r.literPrice, 2) +
         "|full=" + (r.full ? "1" : "0") + "|place=" + ReplaceChar(r.place, '|', '/');
}

bool DecodeRefueling(const std::string& text, TRefuelingRecord& r) {
  r = TRefuelingRecord{};
  auto number = [](const std::string& value) {
    const double v = ParseNumber(value, 0);
    return static_cast<float>(std::fabs(v) <= kMaxTypedAmount ? v : -1);
  };
  bool known = true;
  for (const auto& [key, value] : SplitKeyValueText(text)) {
    if (key == "litres") r.litres = number(value);
    else if (key == "literprice") r.literPrice = number(value);
    else if (key == "full") r.full = value != "0";
    else if (key == "place") r.place = value;
    else known = false;
  }
  return known;
}

std::string RefuelingDescription(const std::string& text) {
  TRefuelingRecord r;
  if (!DecodeRefueling(text, r)) return "ERR!";
  std::string out;
  if (r.litres >= 0) out += "tankováno " + FormatFixed(r.litres, 2) + " litrů";
  if (r.full) out += " (do plné nádrže)";
  if (r.literPrice >= 0) out += "; " + PriceText(r.literPrice, true) + "/litr; ";
  out += r.place;
  return out;
}

std::string TripDescription(const std::string& text) {
  auto fields = SplitKeyValueText(text);
  const std::string* from = FindKey(fields, "from");
  const std::string* to = FindKey(fields, "to");
  const std::string* round = FindKey(fields, "roundTrip");
  std::string out = "Cesta " + (from ? *from : std::string()) + " -> " + (to ? *to : std::string());
  if (round && *round == "1") out += " a zpět";
  return out;
}

namespace {

std::string TripValue(std::string value) { return ReplaceChar(ReplaceChar(std::move(value), '|', '/'), '=', ':'); }

std::string TripDateText(TDateTime value) {
  const TDateParts d = DecodeDate(value);
  const TTimeParts t = DecodeTime(value);
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year) + "." +
         std::to_string(t.hour) + "." + std::to_string(t.minute);
}

// day.month.year.hour.minute; false for anything else.
bool ReadTripDate(const std::string& text, TDateTime& value) {
  int parts[5];
  size_t pos = 0;
  for (int i = 0; i < 5; ++i) {
    const size_t dot = i < 4 ? text.find('.', pos) : text.size();
    if (dot == std::string::npos) return false;
    const long long v = ParseInteger(std::string_view(text).substr(pos, dot - pos), -1);
    if (v < 0 || v > 9999) return false;
    parts[i] = static_cast<int>(v);
    pos = dot + 1;
  }
  if (!IsValidDate(parts[2], parts[1], parts[0]) || parts[3] > 23 || parts[4] > 59) return false;
  value = EncodeDate(parts[2], parts[1], parts[0]) + EncodeTime(parts[3], parts[4], 0);
  return true;
}

}  // namespace

std::string EncodeTrip(const TTripRecord& t) {
  std::string out;
  auto add = [&out](const char* key, const std::string& value) { out += std::string(key) + "=" + TripValue(value) + "|"; };
  add("beginDate", TripDateText(t.beginDate));
  add("beginTime", t.beginTimeUsed ? TripDateText(t.beginTime) : "!");
  add("endDate", TripDateText(t.endDate));
  add("endTime", t.endTimeUsed ? TripDateText(t.endTime) : "!");
  add("from", t.from);
  add("to", t.to);
  add("roundTrip", t.roundTrip ? "1" : "0");
  add("purpose", t.purpose);
  add("comment", t.comment);
  add("beginKM", t.beginKM);
  add("endKM", t.endKM);
  add("countKM", t.countKM);
  return out;
}

void DecodeTrip(const std::string& text, TTripRecord& t, TDateTime now) {
  t = TTripRecord{};
  t.beginDate = t.beginTime = t.endDate = t.endTime = now;
  for (const auto& [key, value] : SplitKeyValueText(text)) {
    // Init-captures: clang before 16 cannot capture a structured binding.
    auto is = [&key = key](const char* name) { return strcasecmp(key.c_str(), name) == 0; };
    auto time = [&value = value](TDateTime& when, bool& used) {
      used = value != "!" && ReadTripDate(value, when);
    };
    if (is("beginDate")) ReadTripDate(value, t.beginDate);
    else if (is("endDate")) ReadTripDate(value, t.endDate);
    else if (is("beginTime")) time(t.beginTime, t.beginTimeUsed);
    else if (is("endTime")) time(t.endTime, t.endTimeUsed);
    else if (is("from")) t.from = value;
    else if (is("to")) t.to = value;
    else if (is("roundTrip")) t.roundTrip = value == "1";
    else if (is("purpose")) t.purpose = value;
    else if (is("comment")) t.comment = value;
    else if (is("beginKM")) t.beginKM = value;
    else if (is("endKM")) t.endKM = value;
    else if (is("countKM")) t.countKM = value;
  }
}
