#pragma once
// Service records for tests, made as the program makes them.

#include <string>

#include "storage/BlobTable.h"
#include "storage/Coding.h"
#include "storage/ServiceRecord.h"
#include "tests/support/TempDir.h"

inline Tzaznam TestRecord(int32_t car, int32_t kind, TDateTime date, int32_t km, const std::string& description) {
  Tzaznam r;
  InitRecord(r, car, kind);
  r.db.date = date;
  r.db.km = km;
  r.description = description;
  return r;
}

// The block after a blob's first block (-1 when there is none), for tests
// that damage a blob part-way.
inline int32_t SecondBlockOf(TBLOBTable& blobs, int32_t id) {
  int32_t next = -1, length = 0;
  return blobs.ReadBlockHead(blobs.FindBlock(id), next, length) ? next : -1;
}

// Makes a block of a closed blob file claim another blob length: reading
// the blob then fails at that block, after the blocks before it.
inline void PatchBlockLength(const std::string& blobFile, int32_t block, int32_t length) {
  std::string bytes = ReadFileBytes(blobFile);
  EncodeInt32(reinterpret_cast<uint8_t*>(bytes.data()) + TBLOBTable::kHeaderSize + TBLOBTable::kBlockSize * block + 4,
              length);
  WriteFileBytes(blobFile, bytes);
}
