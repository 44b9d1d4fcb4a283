#include "exchange/BackupNames.h"

#include <cstdio>
#include <sys/stat.h>

#include "storage/TextUtils.h"

std::string BackupArchiveName(const std::string& folder, const TDateParts& day, int sequence) {
  char name[64];
  std::snprintf(name, sizeof name, "GarvBackup_%04d_%02d_%02d__%03d.zip", day.year, day.month, day.day, sequence);
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name;
}

std::string NextBackupName(const std::string& folder) {
  const TDateParts today = DecodeDate(Today());
  for (int sequence = 1;; ++sequence) {
    std::string name = BackupArchiveName(folder, today, sequence);
    // lstat: a dangling link of that name is taken too, never written through.
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0) return name;
  }
}

std::string MountSource(const std::string& mount) {
  std::string source = mount;
  while (source.size() > 1 && source.back() == '/') source.pop_back();
  return source;
}

std::string MountArchiveFolder(int position, const std::string& mount) {
  const std::string source = MountSource(mount);
  const size_t slash = source.find_last_of('/');
  const std::string last = slash == std::string::npos ? source : source.substr(slash + 1);
  return ZeroPad(position, 3) + "-" + last;
}

std::string MappingText(const std::vector<TMountFolder>& mounts) {
  std::string text;
  for (const TMountFolder& m : mounts) text += m.archiveFolder + ": " + m.source + "\r\n";
  return text;
}
