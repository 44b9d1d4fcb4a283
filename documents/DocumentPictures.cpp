#include "documents/DocumentPictures.h"

#include <sys/stat.h>

#include "shell/Config.h"
#include "storage/FileSystemSetup.h"

namespace {

bool IsFile(const std::string& path) {
  struct stat st{};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A setting holds a real path, or a data path looked up like data files.
std::string SettingPicture(const std::string& setting) {
  if (setting.empty()) return "";
  std::string path = setting[0] == '/' ? setting : GetVirtualFS().GetRealPath(setting);
  return IsFile(path) ? path : "";
}

std::string BlankPicture() { return GetVirtualFS().GetRealPath("images\\white.png"); }

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

std::string LogoPicturePath() {
  std::string path = SettingPicture(Config().bgprint);
  return path.empty() ? BlankPicture() : path;
}

bool SignaturePictureAvailable() { return !SettingPicture(Config().bgsignature).empty(); }

std::string SignaturePicturePath(bool include) {
  std::string path = include ? SettingPicture(Config().bgsignature) : "";
  return path.empty() ? BlankPicture() : path;
}

std::vector<std::string> PictureFolders() {
  std::vector<std::string> folders;
  for (const std::string& picture : {LogoPicturePath(), SignaturePicturePath(true), BlankPicture()}) {
    std::string folder = FolderOf(picture);
    bool known = folder.empty();
    for (const std::string& f : folders) known = known || f == folder;
    if (!known) folders.push_back(folder);
  }
  return folders;
}

std::string PictureFileUrl(const std::string& realPath) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : realPath) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                 c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url.push_back(static_cast<char>(c));
    } else {
      url.push_back('%');
      url.push_back(kHex[c >> 4]);
      url.push_back(kHex[c & 15]);
    }
  }
  return url;
}
