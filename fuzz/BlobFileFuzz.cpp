// Opens arbitrary bytes as a blob file, first for reading only, then for
// writing: reads every blob, then saves, re-saves and deletes some. Nothing
// may crash, hang or read out of bounds.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzFile.h"
#include "storage/BlobTable.h"
#include "storage/RealFileSystem.h"

namespace {

std::vector<int32_t> BlobIds(const TBLOBTable& t) {
  std::vector<int32_t> ids;
  for (int32_t b = 0; b < t.EntryCount() && ids.size() < 512; ++b)
    if (t.Entry(b) > 0) ids.push_back(t.Entry(b));
  return ids;
}

void ReadEverything(TBLOBTable& t) {
  std::vector<int32_t> ids = BlobIds(t);
  t.Prefetch(ids);
  std::string text;
  char buffer[600];
  for (int32_t id : ids) {
    t.BLOBLength(id);
    t.LoadBLOBText(id, text);
    t.LoadBLOB(id, buffer, sizeof buffer);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TQuietNotifier quiet;
  SetNotifier(&quiet);
  TFuzzFile file(data, size, "blob.dat");
  CRealFileSystem fs;
  try {
    TBLOBTable t;
    t.Create(S_FileName{file.path, &fs}, true);
    ReadEverything(t);
  } catch (const std::exception&) {
  }
  try {
    TBLOBTable t;
    t.Create(S_FileName{file.path, &fs});
    ReadEverything(t);
    std::vector<int32_t> ids = BlobIds(t);
    for (size_t i = 0; i < ids.size() && i < 8; ++i) t.SaveBLOBText(ids[i], std::string(i * 100, 'r'));
    int32_t id = t.NewID();
    t.SaveBLOBText(id, std::string(300, 'x'));
    std::string text;
    t.LoadBLOBText(id, text);
    for (size_t i = 0; i < ids.size() && i < 64; ++i) t.DeleteBLOB(ids[i]);
    t.SaveBLOBText(id, "");
    ReadEverything(t);
  } catch (const std::exception&) {
  }
  return 0;
}
