// garvelctl backup: the backup archive of data folders, as the backup window
// makes it, and the list of backups made.
#include <chrono>
#include <cstdio>
#include <unistd.h>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "exchange/BackupLog.h"
#include "exchange/BackupRun.h"
#include "exchange/DataFileLocks.h"
#include "shell/IniFile.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "Použití: garvelctl backup --to SLOŽKA [--progress] [DATOVÁ_SLOŽKA...]\n"
               "        garvelctl backup --list [DATOVÁ_SLOŽKA]\n");
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The folders to back up, the backup log and the settings file: those of the
// folders named, else the program's own data folders.
struct TBackupSources {
  std::vector<std::string> mounts;
  std::string logPath;
  std::string configPath;
  bool ownFileSystems = false;

  explicit TBackupSources(const std::vector<std::string>& named) {
    if (!named.empty()) {
      for (const std::string& f : named) mounts.push_back(WithSlash(f));
      logPath = mounts[0] + "backup_log.ini";
      configPath = mounts[0] + "garvconf.ini";
      return;
    }
    SetupFileSystems(false);
    ownFileSystems = true;
    mounts = GetVirtualFS().GetMounts();
    logPath = GetVirtualFS().GetRealPath("backup_log.ini");
    configPath = GetVirtualFS().GetRealPath("garvconf.ini");
  }
  ~TBackupSources() {
    if (ownFileSystems) TeardownFileSystems();
  }
};

int ListBackups(const TArgs& args) {
  if (args.positional.size() > 1) {
    Usage();
    return 2;
  }
  TBackupSources sources(args.positional);
  std::printf("Datum\tČas\tSoubor\n");
  for (const TBackupLogEntry& e : ReadBackupLog(sources.logPath))
    std::printf("%s\t%s\t%s\n", BackupDateText(e.dateTime).c_str(), BackupTimeText(e.dateTime).c_str(), e.file.c_str());
  return 0;
}

}  // namespace

int CmdBackup(int argc, char** argv) {
  TArgs args(argc, argv, {"--to"});
  if (args.Has("--list")) return ListBackups(args);
  const std::string target = args.Value("--to");
  if (target.empty()) {
    Usage();
    return 2;
  }
  TBackupSources sources(args.positional);
  // The program must not save while the files are read.
  TDataFileLocks locks;
  std::string busy;
  if (!locks.Acquire(sources.mounts, busy)) {
    std::fprintf(stderr,
                 "garvelctl backup: soubor \"%s\" má otevřený program Garvel; zálohujte z programu "
                 "(Správa - Zálohování) nebo ho nejprve ukončete.\n",
                 busy.c_str());
    return 1;
  }
  TBackupReport report;
  report.log = [](const std::string& line) { std::printf("%s\n", line.c_str()); };
  // --progress: a line per percent written, with the seconds since the start.
  const auto start = std::chrono::steady_clock::now();
  int shown = -1;
  if (args.Has("--progress"))
    report.progress = [&](double fraction) {
      const int percent = static_cast<int>(fraction * 100);
      if (percent == shown) return;
      shown = percent;
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("Průběh: %d %% (%.2f s)\n", percent, seconds);
      std::fflush(stdout);
    };
  const TBackupRun run = RunBackup(target, sources.mounts, sources.logPath, report);
  if (!run.result.ok) {
    std::fprintf(stderr, "%s\n", BackupFailedText(run.archive).c_str());
    return 1;
  }
  // The program then waits a whole interval before it offers the next one.
  if (access(sources.configPath.c_str(), F_OK) == 0)
    UpdateIniFile(sources.configPath, [](TIniFile& ini) { ini.Set("backup", "lastbackup", std::to_string(DayNumber(Today()))); });
  std::printf("%s\n", BackupSavedText(run.archive).c_str());
  return 0;
}

namespace {
const TCtlRegistration kRegisterBackup(
    "backup", "zazálohuje datové složky do archivu ZIP nebo vypíše dřívější zálohy",
    "--to SLOŽKA [--progress] [DATOVÁ_SLOŽKA...]\n--list [DATOVÁ_SLOŽKA]", CmdBackup,
    "Bez DATOVÉ_SLOŽKY se zálohují datové složky programu; --progress vypisuje průběh po procentech.");
}  // namespace
