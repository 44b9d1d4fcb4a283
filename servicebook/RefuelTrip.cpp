#include "servicebook/RefuelTrip.h"

#include <strings.h>

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
  for (const auto& [key, value] : SplitKeyValueText(text)) {
    if (key == "litres") r.litres = static_cast<float>(ParseNumber(value, 0));
    else if (key == "literprice") r.literPrice = static_cast<float>(ParseNumber(value, 0));
    else if (key == "full") r.full = value != "0";
    else if (key == "place") r.place = value;
    else return false;
  }
  return true;
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
