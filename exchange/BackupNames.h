#pragma once
// Names of backup archives and of the folders inside them.
//
// An archive is named GarvBackup_<year>_<month>_<day>__<sequence>.zip
// (month and day of two digits, sequence of three, from 001), for example
// GarvBackup_2026_12_08__001.zip, in the target folder. Each mount of the
// data file system becomes one folder of the archive, named by its 1-based
// position (three digits), "-" and the mount folder's last component:
// 001-Garvel.

#include <string>
#include <vector>

#include "storage/DateTime.h"

// The target folder (a host path; "/" is appended unless it is empty or ends
// in one) followed by the archive name of the day and sequence number.
std::string BackupArchiveName(const std::string& folder, const TDateParts& day, int sequence);

// The first archive name of today (sequence 1, 2, 3 ...) that does not exist
// as a file or folder in the target folder. A removed archive's number is
// taken again.
std::string NextBackupName(const std::string& folder);

// A mount folder without its trailing "/".
std::string MountSource(const std::string& mount);
// "001-Garvel" for position 1 and the mount "/var/lib/Garvel/".
std::string MountArchiveFolder(int position, const std::string& mount);
// The text of mapping.txt: one line per mount that is in the archive, its
// folder name, ": " and the mount folder, each ended by CR LF (UTF-8; the
// file holds it in Windows-1250).
struct TMountFolder {
  std::string archiveFolder;
  std::string source;
};
std::string MappingText(const std::vector<TMountFolder>& mounts);
