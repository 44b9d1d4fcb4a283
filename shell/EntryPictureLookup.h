#pragma once
// The pictures of vehicles and contacts for a thread other than the
// user-interface thread: it finds them on copies of the data file systems
// and with a copy of the attachment root made when the lookup is built, so
// it never reads what the user-interface thread may change meanwhile. Build
// a new lookup when the folders or the setting change.

#include <cstdint>
#include <memory>
#include <string>

#include "storage/RealFileSystem.h"
#include "storage/VirtualFileSystem.h"

class TEntryPictureLookup {
 public:
  TEntryPictureLookup(CVirtualFileSystem& dataFS, std::string attachmentRoot);
  TEntryPictureLookup(const TEntryPictureLookup&) = delete;
  TEntryPictureLookup& operator=(const TEntryPictureLookup&) = delete;

  // The entry's picture ("CAR" or "CON" and its ID) as a real path, or empty.
  std::string Find(const char* tag, int32_t id);

 private:
  CRealFileSystem real_;
  CVirtualFileSystem virtual_;
  std::string root_;
};

// A lookup on copies of the process-wide data file system and the current
// attachment setting; null before the file systems exist.
std::shared_ptr<TEntryPictureLookup> CurrentEntryPictureLookup();
