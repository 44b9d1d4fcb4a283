#pragma once
// Reading a whole table in slot order without one read per record: the live
// slots are read in runs, and each run is handed over at once, so that a
// caller can fetch the blobs of a whole run together.

#include <cstdint>
#include <functional>
#include <vector>

#include "storage/CustomDb.h"

// Calls `batch` with the full-width bytes of each readable live slot of a
// run of up to `runLength` slots, in slot order. Pointers are valid during
// the call only.
void ScanLiveSlots(TCustomDb& db, const std::function<void(const std::vector<const uint8_t*>& records)>& batch,
                   int runLength = 4096);
