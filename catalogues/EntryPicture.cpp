#include "catalogues/EntryPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "storage/FileSystem.h"
#include "storage/FileSystemSetup.h"
#include "storage/RealFileSystem.h"

std::string EntryAttachmentFolder(const std::string& root, const std::string& tag, int32_t id) {
  char number[16];
  std::snprintf(number, sizeof number, "%05d", static_cast<int>(id));
  std::string folder = root;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder + tag + number;
}

std::string FindEntryPicture(IFileSystem& fs, const std::string& root, const std::string& tag, int32_t id) {
  const std::string folder = EntryAttachmentFolder(root, tag, id);
  if (!fs.FileOrDirExists(folder, fdFolder)) return "";
  TFileList files;
  fs.ListFiles(folder + "\\*.JPG", fdFile, files);
  if (files.empty()) return "";
  for (const std::string& name : files) {
    const std::string upper = UpperAscii(name);
    if (upper.find("LOGO") != std::string::npos || upper.find("FOTO") != std::string::npos)
      return folder + "\\" + name;
  }
  return folder + "\\" + files.back();
}

std::string FindEntryPictureFile(const std::string& root, const std::string& tag, int32_t id) {
  if (!FileSystemsReady()) return "";
  std::string path = FindEntryPicture(GetVirtualFS(), root, tag, id);
  return path.empty() ? path : GetVirtualFS().GetRealPath(path);
}

TPictureRect CataloguePictureRect(int pw, int ph, int side) {
  TPictureRect r;
  if (pw <= 0 || ph <= 0) return r;
  const float scale = std::min(static_cast<float>(side) / static_cast<float>(pw),
                               static_cast<float>(side) / static_cast<float>(ph));
  r.width = std::max(2, static_cast<int>(std::lround(static_cast<float>(pw) * scale)));
  r.height = std::max(2, static_cast<int>(std::lround(static_cast<float>(ph) * scale)));
  r.x = (side - r.width) / 2;
  r.y = (side - r.height) / 2;
  return r;
}
