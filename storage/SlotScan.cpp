#include "storage/SlotScan.h"

#include <algorithm>
#include <string>

void ScanLiveSlots(TCustomDb& db, const std::function<void(const std::vector<const uint8_t*>&)>& batch,
                   int runLength) {
  std::vector<int> slots;
  std::vector<std::string> raw;
  std::vector<bool> ok;
  std::vector<const uint8_t*> records;
  const int count = db.Count();
  struct TScan {
    TCustomDb& db;
    explicit TScan(TCustomDb& d) : db(d) { db.BeginScan(); }
    ~TScan() { db.EndScan(); }
  } scan(db);
  for (int first = 0; first < count; first += runLength) {
    slots.clear();
    for (int s = first; s < std::min(count, first + runLength); ++s)
      if (db.IDAt(s) >= 0) slots.push_back(s);
    db.ReadSlots(slots, raw, ok);
    records.clear();
    for (size_t i = 0; i < slots.size(); ++i)
      if (ok[i]) records.push_back(reinterpret_cast<const uint8_t*>(raw[i].data()));
    if (!records.empty()) batch(records);
  }
}
