#include "documents/DocInfo.h"

#include <climits>
#include <cmath>

#include "documents/DocumentInfo.h"
#include "documents/TemplateProcessor.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/TextFiles.h"

namespace {

std::string RawValue(const TParameters& parameters, std::string_view name, bool& found) {
  for (const TParameter& p : parameters) {
    if (p.Name == name) {
      found = true;
      return p.Value;
    }
  }
  found = false;
  return "";
}

// "<!--LABEL:" date "||" label "-->", the last such line of the text.
void ReadEarlierFormat(const std::string& text, TDocInfo& info, bool& dateFound) {
  static const std::string kMark = "<!--LABEL:";
  size_t at = text.find(kMark);
  while (at != std::string::npos) {
    size_t start = at + kMark.size();
    size_t lineEnd = text.find_first_of("\r\n", start);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    size_t end = text.find("-->", start);
    if (end == std::string::npos || end > lineEnd) end = lineEnd;
    std::string label = text.substr(start, end - start);
    size_t bars = label.find("||");
    if (bars != std::string::npos) {
      long long day = ParseInteger(label.substr(0, bars), LLONG_MIN);
      if (day != LLONG_MIN && day >= 0 && day < 2958466) {
        info.Date = static_cast<int32_t>(day);
        dateFound = true;
        label = label.substr(bars + 2);
      } else {
        info.Date = 0;
      }
    }
    info.Label = DecodeHtmlLenient(label);
    at = text.find(kMark, lineEnd);
  }
}

// "2026…" gives 1 January 2026.
bool YearOfFileName(const std::string& fileName, int32_t& date) {
  size_t slash = fileName.find_last_of("/\\");
  std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (name.size() < 4) return false;
  long long year = ParseInteger(name.substr(0, 4), 0);
  if (year < 1901 || year > 2099) return false;
  date = static_cast<int32_t>(EncodeDate(static_cast<int>(year), 1, 1));
  return true;
}

}  // namespace

TDocInfo DocInfoFromText(const std::string& text, const std::string& fileName) {
  TDocInfo info;
  const TParameters p = ReadTemplateParameters(text);
  bool found = false;
  std::string date = DecodeHtmlLenient(RawValue(p, "%DOCUMENT_DATE%", found));
  bool dateFound = false;
  TDateTime parsed = 0;
  if (found && ParseDateTime(date, parsed)) {
    info.Date = static_cast<int32_t>(std::lround(parsed));
    dateFound = true;
  }
  info.Label = DecodeHtmlLenient(RawValue(p, "%LABEL%", found));
  info.Proforma = RawValue(p, "%PROFORM_INVOICE%", found) == "1";
  info.VehicleId = ParameterId(p, "%VEH_ID%");
  info.CustomerId = ParameterId(p, "%CUS_ID%");
  info.RecordId = ParameterId(p, "%REC_ID%");
  if (info.Label.empty() && info.Date == kDocInfoNoDate) {
    dateFound = false;
    ReadEarlierFormat(text, info, dateFound);
    int32_t year = 0;
    if (!dateFound && YearOfFileName(fileName, year)) info.Date = year;
  }
  return info;
}

bool LoadDocInfo(const S_FileName& file, TDocInfo& info) {
  info = TDocInfo{};
  if (file.name.empty()) return false;
  std::string text = ReadTextFile(file, "");
  if (text.empty()) return false;
  info = DocInfoFromText(text, file.name);
  return true;
}
