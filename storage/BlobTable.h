#pragma once
// TBLOBTable: texts of any length kept outside the fixed-width records.
//
// The file is a 312-byte header followed by 256-byte blocks; block k is at
// 312 + 256 k. A block table, itself stored in a chain of blocks (table
// block 0 is block 0), says what each block holds:
//   -1 free, -2 second or later block of a blob, -3 table block,
//   n > 0 first block of the blob with ID n.
// Table block: int32 link to the next table block (-1 last), 63 entries.
// Data block: int32 link to the next block of the blob (-1 last), int32 total
// length of the blob, 248 payload bytes.
// Header: "BLOB table" padded to 32, signature 42014, version 1, block size
// 256, offset of block 0 (312), number of entries, last blob ID, 32 int32 0,
// 32 int32 -1. See doc/blob-file.md.
//
// The lowest free block and a blob's first block are found through in-memory
// indexes kept in step with the table, with the same results as a scan.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "storage/BlockSet.h"
#include "storage/File.h"
#include "storage/FileSystem.h"

class TBLOBTable {
 public:
  static constexpr int kHeaderSize = 312;
  static constexpr int kBlockSize = 256;
  static constexpr int kPayload = 248;
  static constexpr int kEntriesPerTableBlock = 63;
  static constexpr int kGrowthStep = 15872;
  static constexpr int32_t kSignature = 42014;
  static constexpr int32_t kFree = -1, kContinuation = -2, kTableBlock = -3;

  TBLOBTable() = default;
  TBLOBTable(const TBLOBTable&) = delete;
  TBLOBTable& operator=(const TBLOBTable&) = delete;

  // Opens the file, creating a new one when it does not exist. Raises
  // EGarvelError ("BLOB sign not valid!", "BLOB block size mismatch(N)", or
  // the file system's error). `readOnly` opens an existing file for reading
  // only, without the writer's lock.
  void Create(const S_FileName& file, bool readOnly = false);
  void Close() { file_.Close(); }

  // The next blob ID, kept in the header at once; -1 when read-only or when
  // every ID has been issued.
  int32_t NewID();
  bool SaveBLOB(int32_t id, const void* bytes, int32_t length);
  bool SaveBLOBText(int32_t id, const std::string& utf8Text);
  int32_t BLOBLength(int32_t id);
  int32_t LoadBLOB(int32_t id, void* buffer, int32_t length);
  // True when the whole blob was read. A blob that does not exist gives an
  // empty text; a damaged one (a broken or short chain) gives what could be
  // read before the damage, and false.
  bool LoadBLOBText(int32_t id, std::string& utf8Text);
  bool DeleteBLOB(int32_t id);

  // Reads the blocks of the given blobs ahead with as few reads as their
  // places in the file allow; the next loads of those blobs are served from
  // memory. Any write forgets what was read ahead.
  void Prefetch(const std::vector<int32_t>& ids);

  // For checks and tools.
  // Open, and not for reading only.
  bool CanWrite() const { return Writable(); }
  int32_t EntryCount() const { return static_cast<int32_t>(idTable_.size()); }
  int32_t Entry(int32_t block) const { return idTable_[static_cast<size_t>(block)]; }
  int32_t LastID() const { return lastID_; }
  int32_t FindBlock(int32_t value) const;
  int64_t FileBlocks() const;
  const std::string& Path() const { return file_.Path(); }
  // Reads a block's link and length fields; false when it is not in the file.
  bool ReadBlockHead(int32_t block, int32_t& link, int32_t& length);

 private:
  void CreateNewFile();
  bool Writable() const { return !readOnly_ && file_.IsOpen(); }  // open, and not for reading only
  void LoadIDTable();
  void RebuildIndexes();
  void SetEntry(int32_t block, int32_t value, bool writeNow = true);
  bool WriteEntry(int32_t block, int32_t value);
  std::vector<int32_t> OwnBlocks(int32_t id);
  void Reload();
  void Barrier();
  void IndexRemove(int32_t block, int32_t value);
  void IndexAdd(int32_t block, int32_t value);
  int32_t FirstBlockOf(int32_t id) const;
  void SetFirstBlock(int32_t id, int32_t block);  // -1 removes
  int64_t DenseLimit() const;
  bool SeekToIndex(int32_t block);
  bool FillUpTo(int32_t block);
  bool WriteAtBlock(int32_t block, int offset, const void* data, size_t size);
  bool WriteTableBlock(size_t chainIndex);
  int32_t AppendBlock();
  int32_t NextFreeFrom(int32_t block) const;
  int32_t ReadBlob(int32_t id, int32_t length, bool wholeBlob, std::string& out);
  const uint8_t* PrefetchedBlock(int64_t block) const;
  std::string OutOfFileMessage(int32_t block) const;
  void ForgetPrefetch() { prefetched_.clear(); }
  void SaveHeader();

  TFile file_;
  int64_t fileSize_ = 0;  // kept in step with our writes; saves a stat per read
  bool readOnly_ = false;
  uint8_t header_[kHeaderSize] = {};
  int32_t lastID_ = 1;
  std::vector<int32_t> idTable_;       // entry per block
  std::vector<int32_t> idBlockIndex_;  // table blocks in chain order
  TBlockSet freeBlocks_;               // blocks whose entry is -1
  // Blob ID -> its lowest first block (-1 none): a vector for the IDs issued
  // so far, a map for IDs far beyond them (only in damaged files).
  std::vector<int32_t> firstBlockDense_;
  std::unordered_map<int32_t, int32_t> firstBlockSparse_;
  std::unordered_set<int32_t> duplicateIds_;         // IDs with several first blocks (damaged files)
  struct TRange {
    int64_t first = 0;
    int64_t count = 0;
    std::vector<uint8_t> bytes;
  };
  std::vector<TRange> prefetched_;  // ascending, non-overlapping
  std::vector<uint8_t> ahead_;      // blocks of the blob being read
  std::string scratch_;             // its bytes, before conversion
  int32_t readLength_ = 0;          // bytes the last read should have given
};
