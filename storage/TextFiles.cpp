#include "storage/TextFiles.h"

#include "storage/Codec.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/NumberText.h"

std::string ReadTextFile(const S_FileName& file, const std::string& fallback) {
  std::string bytes;
  if (!ReadWholeFile(file.RealPath(), bytes)) return fallback;
  return Cp1250ToUtf8(bytes);
}

long long HighestNumber(const std::string& mask, size_t prefixLength) {
  TFileList names;
  GetVirtualFS().ListFiles(mask, fdFile, names);
  long long highest = 0;
  for (const std::string& name : names) {
    if (name.size() <= prefixLength) continue;
    std::string rest = name.substr(prefixLength);
    rest = rest.substr(0, rest.find('.'));
    long long n = ParseInteger(rest, 0);
    if (n > highest) highest = n;
  }
  return highest;
}
