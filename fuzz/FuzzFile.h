#pragma once
// Writes a fuzz input to a file of its own and removes it afterwards.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "storage/File.h"
#include "storage/Notifier.h"

// The folder of this run's files: in memory when the machine has /dev/shm,
// since every input is written and read back.
inline const std::string& FuzzFolder() {
  static const std::string dir = [] {
    char tmpl[] = "/dev/shm/garvelfuzz.XXXXXX";
    char fallback[] = "/tmp/garvelfuzz.XXXXXX";
    const char* made = mkdtemp(tmpl);
    if (!made) made = mkdtemp(fallback);
    if (!made) std::abort();
    return std::string(made) + "/";
  }();
  return dir;
}

class TFuzzFile {
 public:
  TFuzzFile(const uint8_t* data, size_t size, const char* name) : path(FuzzFolder() + name) {
    WriteWholeFile(path, std::string(reinterpret_cast<const char*>(data), size));
  }
  ~TFuzzFile() { std::remove(path.c_str()); }
  TFuzzFile(const TFuzzFile&) = delete;
  TFuzzFile& operator=(const TFuzzFile&) = delete;
  std::string path;
};

// Message boxes of the stores must not print for every input.
class TQuietNotifier : public INotifier {
 public:
  TMsgAnswer Show(const TMessageBox& m) override { return m.defaultAnswer; }
};
