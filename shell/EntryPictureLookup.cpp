#include "shell/EntryPictureLookup.h"

#include "catalogues/EntryPicture.h"
#include "shell/Config.h"
#include "storage/FileSystemSetup.h"

TEntryPictureLookup::TEntryPictureLookup(CVirtualFileSystem& dataFS, std::string attachmentRoot)
    : real_(dataFS.RealFS()), virtual_(real_), root_(std::move(attachmentRoot)) {
  // The copy's mounts in the same search order; adding them sets the first
  // as the default path, so the real default is put back afterwards.
  for (const std::string& mount : dataFS.GetMounts()) virtual_.AddMount(mount);
  if (!dataFS.GetDefaultPath().empty()) virtual_.SetDefaultPath(dataFS.GetDefaultPath());
}

std::string TEntryPictureLookup::Find(const char* tag, int32_t id) {
  const std::string path = FindEntryPicture(virtual_, root_, tag, id);
  return path.empty() ? path : virtual_.GetRealPath(path);
}

std::shared_ptr<TEntryPictureLookup> CurrentEntryPictureLookup() {
  if (!FileSystemsReady()) return nullptr;
  return std::make_shared<TEntryPictureLookup>(GetVirtualFS(), Config().attachpath);
}
