#include "exchange/BackupLog.h"

#include <cstdio>

#include "shell/IniFile.h"
#include "storage/DateText.h"
#include "storage/TextUtils.h"

namespace {

std::string SectionName(int index) { return "item" + ZeroPad(index, 4); }

}  // namespace

std::string BackupDateTimeText(TDateTime dateTime) {
  const TDateParts d = DecodeDate(dateTime);
  char text[48];
  std::snprintf(text, sizeof text, "%d.%d.%04d %s", d.day, d.month, d.year, BackupTimeText(dateTime).c_str());
  return text;
}

std::string BackupDateText(TDateTime dateTime) { return DateText(dateTime); }

std::string BackupTimeText(TDateTime dateTime) {
  const TTimeParts t = DecodeTime(dateTime);
  char text[24];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

std::vector<TBackupLogEntry> ReadBackupLog(const std::string& realPath) {
  std::vector<TBackupLogEntry> entries;
  TIniFile ini;
  if (!ini.Load(realPath)) return entries;
  for (int i = 0; ini.HasSection(SectionName(i)); ++i) {
    TBackupLogEntry e;
    if (!ParseDateTime(ini.Get(SectionName(i), "datetime", ""), e.dateTime)) e.dateTime = 0;
    e.file = ini.Get(SectionName(i), "file", "");
    entries.push_back(std::move(e));
  }
  return entries;
}

bool AppendBackupLog(const std::string& realPath, const std::string& file, TDateTime dateTime) {
  return UpdateIniFile(realPath, [&](TIniFile& ini) {
    int i = 0;
    while (ini.HasSection(SectionName(i))) ++i;
    ini.Set(SectionName(i), "datetime", BackupDateTimeText(dateTime));
    ini.Set(SectionName(i), "file", file);
  });
}
