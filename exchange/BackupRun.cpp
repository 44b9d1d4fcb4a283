#include "exchange/BackupRun.h"

#include <filesystem>

#include "exchange/BackupLog.h"
#include "exchange/BackupNames.h"

TBackupRun RunBackup(const std::string& targetFolder, const std::vector<std::string>& mounts,
                     const std::string& logPath, const TBackupReport& report) {
  TBackupRun run;
  // The log and the messages name the archive by its full path; an empty
  // folder is the current one.
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(targetFolder.empty() ? "." : targetFolder, ec);
  run.archive = NextBackupName(ec ? targetFolder : folder.lexically_normal().string());
  run.result = CreateBackup(run.archive, mounts, report);
  // Only a complete archive is a backup worth listing.
  if (run.result.ok && !logPath.empty()) AppendBackupLog(logPath, run.archive, Now());
  return run;
}

std::string BackupSavedText(const std::string& archive) { return "Soubor \"" + archive + "\" byl úspěšně uložen."; }

std::string BackupFailedText(const std::string& archive) { return "Nezdařilo se uložit soubor \"" + archive + "\"."; }
