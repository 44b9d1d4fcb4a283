#include "shell/Registry.h"

#include <unistd.h>

#include "shell/IniFile.h"
#include "storage/FileSystemSetup.h"
#include "storage/NumberText.h"

namespace {

std::string CommonFile() {
  const TFileSystemFolders& f = FileSystemFolders();
  return f.commonData.empty() ? std::string() : f.commonData + "registry.ini";
}

std::string UserFile() {
  const TFileSystemFolders& f = FileSystemFolders();
  return f.userData.empty() ? std::string() : f.userData + "registry.ini";
}

}  // namespace

std::string RegistryFile() {
  const TFileSystemFolders& f = FileSystemFolders();
  if (!f.commonData.empty() && access(f.commonData.c_str(), W_OK) == 0) return CommonFile();
  return UserFile();
}

std::string ReadRegistryText(const std::string& key, const std::string& name, const std::string& fallback) {
  // The file this computer writes to comes first, so that a value written
  // here is the one read back; the other file still supplies what an
  // installer recorded there (an all-users file the user cannot write).
  const std::string own = RegistryFile();
  const std::string other = own == CommonFile() ? UserFile() : CommonFile();
  for (const std::string& file : {own, other}) {
    if (file.empty()) continue;
    TIniFile ini;
    if (ini.Load(file) && ini.Has(key, name)) return ini.Get(key, name, fallback);
  }
  return fallback;
}

int ReadRegistryInteger(const std::string& key, const std::string& name, int fallback) {
  return static_cast<int>(ParseInteger(ReadRegistryText(key, name, ""), fallback));
}

void WriteRegistryText(const std::string& key, const std::string& name, const std::string& value) {
  const std::string file = RegistryFile();
  if (file.empty()) return;
  UpdateIniFile(file, [&](TIniFile& ini) { ini.Set(key, name, value); });
}

void WriteRegistryInteger(const std::string& key, const std::string& name, int value) {
  WriteRegistryText(key, name, std::to_string(value));
}
