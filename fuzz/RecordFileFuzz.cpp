// Opens arbitrary bytes as a record file and its first extension segment,
// first for reading only, then for writing: reads every record, then
// creates, changes and erases some. Nothing may crash, hang or read out of
// bounds.
//
// Input: 2 bytes record width, 2 bytes length of the main file, the main
// file, then the extension segment (none when nothing is left).
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzFile.h"
#include "storage/Coding.h"
#include "storage/CustomDb.h"
#include "storage/RealFileSystem.h"

namespace {

void ReadEverything(TCustomDb& db) {
  std::string r;
  std::vector<int> slots;
  for (int slot = 0; slot < db.Count() && slot < 4096; ++slot) {
    db.ReadRecord(db.IDAt(slot), r);
    db.ReadSlot(slot, r);
    slots.push_back(slot);
  }
  std::vector<std::string> records;
  std::vector<bool> ok;
  db.ReadSlots(slots, records, ok);
  db.CheckPassword("");
  db.CheckPassword("heslo");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TQuietNotifier quiet;
  SetNotifier(&quiet);
  if (size < 4) return 0;
  const int width = 64 + DecodeFixed16(data) % 2048;
  const size_t mainSize = std::min<size_t>(DecodeFixed16(data + 2), size - 4);
  TFuzzFile main(data + 4, mainSize, "rec.dat");
  const bool hasExt = 4 + mainSize < size;
  TFuzzFile ext(data + 4 + mainSize, size - 4 - mainSize, "rec_ex1.dat");
  if (!hasExt) std::remove(ext.path.c_str());
  CRealFileSystem fs;
  const std::string defaults(static_cast<size_t>(width), 'd');
  try {
    TCustomDb db;
    db.Create(S_FileName{main.path, &fs}, width, defaults, "u", "REC", true);
    ReadEverything(db);
  } catch (const std::exception&) {
  }
  try {
    TCustomDb db;
    db.Create(S_FileName{main.path, &fs}, width, defaults, "u", "REC");
    ReadEverything(db);
    std::string fresh = defaults;
    EncodeInt32(reinterpret_cast<uint8_t*>(fresh.data()), -1);
    if (db.CreateRecord(fresh, "")) {
      fresh[width - 1] = 'x';
      db.WriteRecord(fresh);
      db.EraseRecord(fresh);
    }
    std::string r;
    if (db.Count() > 0 && db.ReadRecord(db.IDAt(0), r)) db.EraseRecord(r);
    db.SetPassword("heslo");
    db.CheckPassword("heslo");
    db.Close();
  } catch (const std::exception&) {
  }
  for (int n = 2; n < 4; ++n) std::remove((FuzzFolder() + "rec_ex" + std::to_string(n) + ".dat").c_str());
  return 0;
}
