#pragma once
// The backup log "backup_log.ini" in the data folder: one section per backup
// made, "item0000", "item0001" ... numbered without gaps, with the keys
// "datetime" (d.M.yyyy H:mm:ss) and "file" (the archive's full path). A new
// entry takes the first number whose section is missing; reading stops at the
// first missing number.

#include <string>
#include <vector>

#include "storage/DateTime.h"

struct TBackupLogEntry {
  TDateTime dateTime = 0;  // 0 when the stored text cannot be read
  std::string file;
};

// The entries from item0000 up to the first missing section. A log that
// cannot be read lists nothing.
std::vector<TBackupLogEntry> ReadBackupLog(const std::string& realPath);
// Adds an entry; false when the log cannot be read or written (an unreadable
// log is left as it is).
bool AppendBackupLog(const std::string& realPath, const std::string& file, TDateTime dateTime);

// "d.M.yyyy H:mm:ss", as the log stores it.
std::string BackupDateTimeText(TDateTime dateTime);
// The rows of the backup window: DD.MM.YYYY and H:mm:ss.
std::string BackupDateText(TDateTime dateTime);
std::string BackupTimeText(TDateTime dateTime);
