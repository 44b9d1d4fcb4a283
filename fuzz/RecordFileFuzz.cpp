// Opens arbitrary bytes as a record file (and as the extension segment of a
// wider layout), reads every record and writes a few.
#include <cstdint>

#include "fuzz/FuzzFile.h"
#include "storage/CustomDb.h"
#include "storage/RealFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TQuietNotifier quiet;
  SetNotifier(&quiet);
  TFuzzFile file(data, size, "rec.dat");
  std::string ext = file.path.substr(0, file.path.size() - 4) + "_ex1.dat";
  CRealFileSystem fs;
  for (int width : {680, 700}) {
    try {
      TCustomDb db;
      db.Create(S_FileName{file.path, &fs}, width, std::string(static_cast<size_t>(width), '\0'), "u", "REC");
      std::string r;
      for (int slot = 0; slot < db.Count() && slot < 2048; ++slot) db.ReadRecord(db.IDAt(slot), r);
      std::string fresh(static_cast<size_t>(width), '\0');
      fresh[0] = '\xFF';
      if (db.CreateRecord(fresh, "")) db.EraseRecord(fresh);
      db.CheckPassword("x");
    } catch (const std::exception&) {
    }
  }
  std::remove(ext.c_str());
  return 0;
}
