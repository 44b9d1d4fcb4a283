#include "documents/DocumentRegister.h"

#include "documents/DocInfo.h"
#include "documents/ValueFormats.h"
#include "storage/FileSystemSetup.h"
#include "storage/TextFiles.h"
#include "storage/UrlCoding.h"

TDocumentRegister ReadDocumentRegister(const std::string& folder) {
  TDocumentRegister reg;
  TFileList names;
  GetVirtualFS().ListFiles(folder + "\\*.html", fdFile, names);
  reg.rows.reserve(names.size());
  for (const std::string& name : names) {
    const std::string path = folder + "\\" + name;
    S_FileName file = VirtualFile(path);
    const std::string text = ReadTextFile(file, "");
    if (text.empty()) {
      reg.failed.push_back(file.RealPath());
      continue;
    }
    const TDocInfo info = DocInfoFromText(text, name);
    TDocumentRow row;
    const size_t dot = name.rfind('.');
    row.plainNumber = URLDecode(name.substr(0, dot));
    row.number = info.Proforma ? row.plainNumber + " (proforma)" : row.plainNumber;
    row.date = info.Date;
    row.dateText = info.Date >= 1 ? DocDateText(info.Date) : "";
    row.label = info.Label;
    row.path = path;
    reg.rows.push_back(std::move(row));
  }
  return reg;
}

std::string RegisterFailureText(const std::vector<std::string>& failed) {
  std::string text = "Nepodařilo se načíst tyto soubory:\n";
  for (const std::string& f : failed) text += f + "\n";
  return text;
}

std::vector<TMonthEntry> RegisterMonths(TDateTime today) {
  TDateParts d = DecodeDate(today);
  int index = d.year * 12 + (d.month - 1) - 119;
  std::vector<TMonthEntry> months;
  months.reserve(120);
  for (int i = 0; i < 120; ++i, ++index) {
    TMonthEntry m;
    m.year = index / 12;
    m.month = index % 12 + 1;
    m.text = std::to_string(m.month) + "/" + std::to_string(m.year);
    months.push_back(m);
  }
  return months;
}

int FirstMonthOfYearIndex(TDateTime today) { return 119 - (DecodeDate(today).month - 1); }

int CurrentMonthIndex() { return 119; }

bool RowInMonths(const TDocumentRow& row, const TMonthEntry& from, const TMonthEntry& to) {
  if (row.date == 0) return true;
  const int32_t first = static_cast<int32_t>(EncodeDate(from.year, from.month, 1));
  const int32_t last = static_cast<int32_t>(EncodeDate(to.year, to.month, DaysInMonth(to.year, to.month)));
  return first <= row.date && row.date <= last;
}

std::vector<size_t> FilterRows(const std::vector<TDocumentRow>& rows, const TMonthEntry& from, const TMonthEntry& to) {
  std::vector<size_t> shown;
  for (size_t i = 0; i < rows.size(); ++i)
    if (RowInMonths(rows[i], from, to)) shown.push_back(i);
  return shown;
}
