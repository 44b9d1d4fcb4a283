// Opens arbitrary bytes as a blob file, reads every blob, then writes and
// deletes some: nothing may crash, hang or read out of bounds.
#include <cstdint>

#include "fuzz/FuzzFile.h"
#include "storage/BlobTable.h"
#include "storage/RealFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TQuietNotifier quiet;
  SetNotifier(&quiet);
  TFuzzFile file(data, size, "blob.dat");
  CRealFileSystem fs;
  try {
    TBLOBTable t;
    t.Create(S_FileName{file.path, &fs});
    std::string text;
    for (int32_t b = 0; b < t.EntryCount() && b < 4096; ++b)
      if (t.Entry(b) > 0) t.LoadBLOBText(t.Entry(b), text);
    int32_t id = t.NewID();
    t.SaveBLOBText(id, std::string(300, 'x'));
    t.LoadBLOBText(id, text);
    for (int32_t b = 0; b < t.EntryCount() && b < 64; ++b)
      if (t.Entry(b) > 0) t.DeleteBLOB(t.Entry(b));
  } catch (const std::exception&) {
  }
  return 0;
}
