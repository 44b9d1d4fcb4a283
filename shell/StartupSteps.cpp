#include "shell/StartupSteps.h"

#include <cstdio>

#include "storage/CustomDb.h"

namespace {
constexpr int kMajor = 3;
constexpr int kMinor = 63;
}  // namespace

bool CheckProgramPassword(TCustomDb* customers, const std::function<bool(std::string&)>& ask) {
  if (!customers || customers->CheckPassword("")) return true;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string password;
    if (ask(password) && customers->CheckPassword(password)) return true;
  }
  return false;
}

bool VersionCheckDue(bool autoUpdate, int periodDays, int32_t lastCheckDay, int32_t today) {
  return autoUpdate && today - lastCheckDay >= periodDays;
}

std::optional<std::string> NewVersionQuestion(int major, int minor) {
  if (major < kMajor || (major == kMajor && minor <= kMinor)) return std::nullopt;
  char buf[160];
  std::snprintf(buf, sizeof buf,
                "K dispozici je nová verze programu (%d.%02d). Chcete navštívit stránku se stahováním?", major, minor);
  return std::string(buf);
}

bool BackupDue(bool autoBackup, int periodDays, int32_t& lastBackupDay, int32_t today) {
  if (lastBackupDay <= 0) lastBackupDay = today;
  return autoBackup && today - lastBackupDay >= periodDays;
}
