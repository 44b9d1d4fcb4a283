#pragma once
// One backup as the backup window and garvelctl make it: the next free
// archive name of the day in the target folder, the archive, and on success
// an entry in the backup log. The messages that close it are here too.

#include <string>
#include <vector>

#include "exchange/BackupArchive.h"

struct TBackupRun {
  std::string archive;
  TBackupResult result;
};

// `mounts` are host folders in mount order; `logPath` is the backup log's
// host path (empty: no log). A relative or empty target folder is taken from
// the current folder, so that the archive is named by its full path.
TBackupRun RunBackup(const std::string& targetFolder, const std::vector<std::string>& mounts,
                     const std::string& logPath, const TBackupReport& report);

// Soubor "<archive>" byl úspěšně uložen.
std::string BackupSavedText(const std::string& archive);
// Nezdařilo se uložit soubor "<archive>".
std::string BackupFailedText(const std::string& archive);
