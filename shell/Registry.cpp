#include "shell/Registry.h"

#include <unistd.h>

#include "shell/IniFile.h"
#include "storage/FileSystemSetup.h"
#include "storage/NumberText.h"

std::string RegistryFile() {
  const TFileSystemFolders& f = FileSystemFolders();
  if (!f.commonData.empty() && access(f.commonData.c_str(), W_OK) == 0) return f.commonData + "registry.ini";
  return f.userData + "registry.ini";
}

std::string ReadRegistryText(const std::string& key, const std::string& name, const std::string& fallback) {
  TIniFile ini;
  // The all-users file wins when it exists, even where it cannot be written.
  const TFileSystemFolders& f = FileSystemFolders();
  if (!ini.Load(f.commonData + "registry.ini")) ini.Load(f.userData + "registry.ini");
  return ini.Get(key, name, fallback);
}

int ReadRegistryInteger(const std::string& key, const std::string& name, int fallback) {
  return static_cast<int>(ParseInteger(ReadRegistryText(key, name, ""), fallback));
}

void WriteRegistryText(const std::string& key, const std::string& name, const std::string& value) {
  std::string file = RegistryFile();
  TIniFile ini;
  ini.Load(file);
  ini.Set(key, name, value);
  ini.Save(file);
}

void WriteRegistryInteger(const std::string& key, const std::string& name, int value) {
  WriteRegistryText(key, name, std::to_string(value));
}
