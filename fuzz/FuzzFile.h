#pragma once
// Writes a fuzz input to a file of its own and removes it afterwards.

#include <cstdio>
#include <string>
#include <unistd.h>

#include "storage/File.h"
#include "storage/Notifier.h"

class TFuzzFile {
 public:
  TFuzzFile(const uint8_t* data, size_t size, const char* name) {
    static const std::string dir = [] {
      char tmpl[] = "/tmp/garvelfuzz.XXXXXX";
      return std::string(mkdtemp(tmpl)) + "/";
    }();
    path = dir + name;
    WriteWholeFile(path, std::string(reinterpret_cast<const char*>(data), size));
  }
  ~TFuzzFile() { std::remove(path.c_str()); }
  std::string path;
};

// Message boxes of the stores must not print for every input.
class TQuietNotifier : public INotifier {
 public:
  TMsgAnswer Show(const TMessageBox& m) override { return m.defaultAnswer; }
};
