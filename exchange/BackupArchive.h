#pragma once
// Backup archives: every mount folder of the data file system packed into one
// ZIP archive, each under a numbered folder, with "mapping.txt" at the root
// saying where each folder came from (see BackupNames.h). There is no
// restore: the user unpacks the archive.
//
// What goes in: every regular file and folder of each mount's tree, except
// hidden entries (a name beginning with "."), symbolic links (never followed,
// so nothing outside the mount is packed) and other special files. Entry
// names are relative, "/"-separated, UTF-8. The files are read straight from
// the mounts: the caller sees to it that nothing writes to them meanwhile
// (the program keeps the backup window modal; garvelctl holds the stores'
// locks).
//
// What holds on failure: the archive is written under a hidden temporary
// name beside its target and takes its name only when complete. A file that
// cannot be read, a folder that cannot be listed, a failed write or a
// cancellation makes the whole backup fail; then nothing is left behind. An
// existing file of the archive's name is never replaced. A mount folder that
// no longer exists is logged and skipped.

#include <functional>
#include <string>
#include <vector>

// A file that could not be put into the archive (the second string is
// unused).
struct S_ArchiveItem {
  std::string fileName;
  std::string unused;
};

// How a running backup reports. Every member may be empty. They are called
// on the thread that runs the backup.
struct TBackupReport {
  std::function<void(const std::string& line)> log;
  // 0..1 while the archive is written.
  std::function<void(double fraction)> progress;
  // Asked now and then; true stops the backup (it then fails).
  std::function<bool()> cancelled;
};

struct TBackupResult {
  bool ok = false;
  bool cancelled = false;
  std::vector<S_ArchiveItem> failures;
  // What made it fail, as logged (without the leading tab).
  std::vector<std::string> errors;
  long long files = 0;
};

// Packs the mounts (host folders, in mount order) into `archive` (a host
// path). The target folder is created when missing.
TBackupResult CreateBackup(const std::string& archive, const std::vector<std::string>& mounts,
                           const TBackupReport& report);
