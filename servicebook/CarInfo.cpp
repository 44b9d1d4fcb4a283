#include "servicebook/CarInfo.h"

std::vector<std::string> MemoLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> CarInfoLines(const Tautomobil& v, const std::string& orderText) {
  std::vector<std::string> lines = {
      "Značka:     " + v.manufacturer + " " + v.model + " " + v.subtype,
      "Motor:      " + v.engine,
      "VIN:        " + v.vin,
      "Rok výroby: " + YearText(v),
      "",
      "Poznámky:",
  };
  for (std::string& l : MemoLines(v.comments)) lines.push_back(std::move(l));
  for (const char* l : {"", "Objednávám:", ""}) lines.emplace_back(l);
  for (std::string& l : MemoLines(orderText)) lines.push_back(std::move(l));
  return lines;
}

std::string OrderMailBody(const std::vector<std::string>& lines) {
  std::string body;
  for (const std::string& l : lines) body += l + "\r";
  return body;
}

std::string AdditionalInfoText(const Tautomobil& v, const std::string& addvehinfo) {
  return v.comments.empty() ? addvehinfo : v.comments;
}
