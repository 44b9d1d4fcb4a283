#include "storage/BlobTable.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "storage/Codec.h"
#include "storage/Coding.h"
#include "storage/SaveStages.h"
#include "storage/Errors.h"
#include "storage/Log.h"

namespace {

constexpr int kOffSignature = 32, kOffVersion = 36, kOffBlockSize = 40, kOffBlock0 = 44, kOffCount = 48,
              kOffLastID = 52, kOffMinusOnes = 184;

int64_t BlockOffset(int64_t block) { return TBLOBTable::kHeaderSize + TBLOBTable::kBlockSize * block; }

int32_t CeilDiv(int64_t a, int64_t b) { return static_cast<int32_t>((a + b - 1) / b); }

}  // namespace

void TBLOBTable::Create(const S_FileName& file, bool readOnly) {
  readOnly_ = readOnly;
  ForgetPrefetch();
  file.fileSystem->AssignFile(file_, file.name);
  if (!readOnly && !file.fileSystem->FileOrDirExists(file.name, fdFile)) {
    CreateNewFile();  // and keeps it open, so no other writer comes between
  } else if (!file_.Open(readOnly ? TFile::Mode::Read : TFile::Mode::ReadWrite, !readOnly)) {
    throw EGarvelError(file_.Error());
  }
  // A file that cannot be used is not kept open (nor locked).
  if (!file_.ReadAt(0, header_, kHeaderSize) || DecodeInt32(header_ + kOffSignature) != kSignature) {
    file_.Close();
    throw EGarvelError("BLOB sign not valid!");
  }
  int32_t blockSize = DecodeInt32(header_ + kOffBlockSize);
  if (blockSize != kBlockSize) {
    file_.Close();
    throw EGarvelError("BLOB block size mismatch(" + std::to_string(blockSize) + ")");
  }
  lastID_ = DecodeInt32(header_ + kOffLastID);
  fileSize_ = file_.Size();
  LoadIDTable();
}

void TBLOBTable::CreateNewFile() {
  uint8_t bytes[kHeaderSize + kBlockSize] = {};
  std::memcpy(bytes, "BLOB table", 10);
  EncodeInt32(bytes + kOffSignature, kSignature);
  EncodeInt32(bytes + kOffVersion, 1);
  EncodeInt32(bytes + kOffBlockSize, kBlockSize);
  EncodeInt32(bytes + kOffBlock0, kHeaderSize);
  EncodeInt32(bytes + kOffCount, 1);
  EncodeInt32(bytes + kOffLastID, 1);
  for (int i = 0; i < 32; ++i) EncodeInt32(bytes + kOffMinusOnes + 4 * i, -1);
  EncodeInt32(bytes + kHeaderSize, -1);               // table block 0: last of the chain
  EncodeInt32(bytes + kHeaderSize + 4, kTableBlock);  // entry 0: itself
  if (!file_.Open(TFile::Mode::Create, true) || !file_.WriteAt(0, bytes, sizeof bytes)) {
    file_.Close();
    throw EGarvelError(file_.Error());
  }
}

int64_t TBLOBTable::FileBlocks() const {
  return fileSize_ < kHeaderSize ? 0 : (fileSize_ - kHeaderSize) / kBlockSize;
}

void TBLOBTable::LoadIDTable() {
  int32_t count = std::max(0, DecodeInt32(header_ + kOffCount));
  idTable_.clear();
  idBlockIndex_.clear();
  const int32_t needed = CeilDiv(count, kEntriesPerTableBlock);
  const int64_t fileBlocks = FileBlocks();
  idTable_.reserve(static_cast<size_t>(std::min<int64_t>(count, fileBlocks * kEntriesPerTableBlock)) + 102400);
  std::vector<bool> visited;
  // Table blocks come in runs (each growth adds them side by side), so the
  // chain is read a run of blocks at a time.
  constexpr int64_t kRun = 256;
  std::vector<uint8_t> run;
  int64_t runFirst = 0, runCount = 0;
  int32_t block = 0;
  for (int32_t k = 0; k < needed; ++k) {
    if (block < runFirst || block >= runFirst + runCount) {
      runFirst = block;
      runCount = std::min<int64_t>(kRun, fileBlocks - block);
      run.resize(static_cast<size_t>(std::max<int64_t>(runCount, 0) * kBlockSize));
      if (runCount <= 0 || !file_.ReadAt(BlockOffset(block), run.data(), run.size())) {
        // Only block 0 can get here (links are checked below): a file cut
        // short inside its first block.
        LogError("LoadIDTable: next index out of range (" + std::to_string(block) + ")", true);
        break;
      }
    }
    const uint8_t* buf = run.data() + (block - runFirst) * kBlockSize;
    if (visited.size() <= static_cast<size_t>(block)) visited.resize(static_cast<size_t>(block) + 1);
    visited[static_cast<size_t>(block)] = true;
    idBlockIndex_.push_back(block);
    int32_t n = std::min<int32_t>(kEntriesPerTableBlock, count - kEntriesPerTableBlock * k);
    for (int32_t i = 0; i < n; ++i) idTable_.push_back(DecodeInt32(buf + 4 + 4 * i));
    if (k + 1 == needed) break;
    int32_t link = DecodeInt32(buf);
    if (link <= 0) {
      LogError("LoadIDTable: next index <= 0 (" + std::to_string(link) + ")", true);
      break;
    }
    // A link past the end of the file or back into the chain is damage too:
    // stop there rather than read garbage or loop.
    if (link >= fileBlocks || (static_cast<size_t>(link) < visited.size() && visited[static_cast<size_t>(link)])) {
      LogError("LoadIDTable: next index out of range (" + std::to_string(link) + ")", true);
      break;
    }
    block = link;
  }
  // Entries of table blocks that could not be read are dropped. The block
  // whose link is bad was read, so its own entries stay: dropping them would
  // lose data and, at block 0, make the table's own first block look free.
  idTable_.resize(std::min<size_t>(idTable_.size(), idBlockIndex_.size() * kEntriesPerTableBlock));
  RebuildIndexes();
}

void TBLOBTable::RebuildIndexes() {
  freeBlocks_.Clear();
  firstBlockDense_.clear();
  firstBlockSparse_.clear();
  duplicateIds_.clear();
  // Blob IDs are issued one after another, so a vector indexed by ID holds
  // them; an ID far beyond the ones issued (damage) goes to the map.
  const int64_t expected = std::max<int64_t>(lastID_, 0) + 1;
  firstBlockDense_.assign(static_cast<size_t>(std::min<int64_t>(expected, DenseLimit())), -1);
  for (int32_t b = 0; b < static_cast<int32_t>(idTable_.size()); ++b) IndexAdd(b, idTable_[static_cast<size_t>(b)]);
}

// Bounded by the table's size, not by IDs read from the file, so that a
// damaged ID cannot make the vector huge.
int64_t TBLOBTable::DenseLimit() const { return 4 * static_cast<int64_t>(idTable_.size()) + (1 << 20); }

int32_t TBLOBTable::FirstBlockOf(int32_t id) const {
  if (id <= 0) return -1;
  if (static_cast<size_t>(id) < firstBlockDense_.size()) return firstBlockDense_[static_cast<size_t>(id)];
  auto it = firstBlockSparse_.find(id);
  return it == firstBlockSparse_.end() ? -1 : it->second;
}

void TBLOBTable::SetFirstBlock(int32_t id, int32_t block) {
  if (static_cast<size_t>(id) >= firstBlockDense_.size() && id < DenseLimit()) {
    // New IDs arrive in order: grow the vector and take over what the map
    // held in the range it now covers.
    size_t oldSize = firstBlockDense_.size();
    size_t newSize = std::max<size_t>(static_cast<size_t>(id) + 1, oldSize + oldSize / 2);
    firstBlockDense_.resize(std::min<size_t>(newSize, static_cast<size_t>(DenseLimit())), -1);
    for (auto it = firstBlockSparse_.begin(); it != firstBlockSparse_.end();) {
      if (static_cast<size_t>(it->first) < firstBlockDense_.size()) {
        firstBlockDense_[static_cast<size_t>(it->first)] = it->second;
        it = firstBlockSparse_.erase(it);
      } else {
        ++it;
      }
    }
  }
  if (static_cast<size_t>(id) < firstBlockDense_.size()) {
    firstBlockDense_[static_cast<size_t>(id)] = block;
  } else if (block < 0) {
    firstBlockSparse_.erase(id);
  } else {
    firstBlockSparse_[id] = block;
  }
}

void TBLOBTable::IndexAdd(int32_t block, int32_t value) {
  if (value == kFree) {
    freeBlocks_.Insert(block);
  } else if (value > 0) {
    int32_t first = FirstBlockOf(value);
    if (first < 0) {
      SetFirstBlock(value, block);
    } else {
      duplicateIds_.insert(value);
      if (block < first) SetFirstBlock(value, block);
    }
  }
}

void TBLOBTable::IndexRemove(int32_t block, int32_t value) {
  if (value == kFree) {
    freeBlocks_.Erase(block);
  } else if (value > 0) {
    if (FirstBlockOf(value) != block) return;
    SetFirstBlock(value, -1);
    if (duplicateIds_.count(value)) {
      // A damaged file holds this ID twice: find the next lowest by a scan.
      for (int32_t b = 0; b < static_cast<int32_t>(idTable_.size()); ++b)
        if (b != block && idTable_[static_cast<size_t>(b)] == value) {
          SetFirstBlock(value, b);
          break;
        }
    }
  }
}

int32_t TBLOBTable::FindBlock(int32_t value) const {
  if (value == kFree) return freeBlocks_.Lowest();
  if (value > 0) return FirstBlockOf(value);
  auto it = std::find(idTable_.begin(), idTable_.end(), value);
  return it == idTable_.end() ? -1 : static_cast<int32_t>(it - idTable_.begin());
}

int32_t TBLOBTable::NextFreeFrom(int32_t block) const {
  return freeBlocks_.From(block);
}

void TBLOBTable::SetEntry(int32_t block, int32_t value, bool writeNow) {
  int32_t& entry = idTable_[static_cast<size_t>(block)];
  IndexRemove(block, entry);
  entry = value;
  IndexAdd(block, value);
  if (writeNow) WriteEntry(block, value);
}

// Writes one entry into its table block, whatever the table in memory says.
bool TBLOBTable::WriteEntry(int32_t block, int32_t value) {
  const size_t chain = static_cast<size_t>(block / kEntriesPerTableBlock);
  if (block < 0 || chain >= idBlockIndex_.size()) return false;
  uint8_t bytes[4];
  EncodeInt32(bytes, value);
  return WriteAtBlock(idBlockIndex_[chain], 4 + 4 * (block % kEntriesPerTableBlock), bytes, 4);
}

// Positions the file at a block about to be written. A block exactly one
// past the end gets a block of 0xFF before it; a block further out is
// reported, and the write goes ahead (the file system fills the gap).
bool TBLOBTable::SeekToIndex(int32_t block) {
  const int64_t position = BlockOffset(block);
  if (position == fileSize_ + kBlockSize) {
    uint8_t filler[kBlockSize];
    std::memset(filler, 0xFF, sizeof filler);
    if (file_.WriteAt(fileSize_, filler, sizeof filler)) fileSize_ += kBlockSize;
  }
  if (position > fileSize_) LogError(OutOfFileMessage(block), true);
  return file_.Seek(position);
}

// Writes blocks of 0xFF from the end of the file up to `block`. The table
// grows right after its last entry, and the last entries may belong to a
// save in flight that writes its data only after the table has grown.
bool TBLOBTable::FillUpTo(int32_t block) {
  uint8_t filler[kBlockSize];
  std::memset(filler, 0xFF, sizeof filler);
  while (fileSize_ < BlockOffset(block)) {
    const int64_t at = std::max<int64_t>(fileSize_, kHeaderSize);
    const int64_t end = kHeaderSize + ((at - kHeaderSize) / kBlockSize + 1) * kBlockSize;
    if (!file_.WriteAt(at, filler, static_cast<size_t>(end - at))) return false;
    fileSize_ = end;
  }
  return true;
}

bool TBLOBTable::WriteAtBlock(int32_t block, int offset, const void* data, size_t size) {
  if (readOnly_) return false;
  ForgetPrefetch();
  if (offset == 0) {
    if (!SeekToIndex(block)) return false;
  }
  const int64_t at = BlockOffset(block) + offset;
  if (!file_.WriteAt(at, data, size)) return false;
  fileSize_ = std::max<int64_t>(fileSize_, at + static_cast<int64_t>(size));
  return true;
}

// Writes a whole table block from memory: link, then its 63 entries.
bool TBLOBTable::WriteTableBlock(size_t chainIndex) {
  uint8_t buf[kBlockSize] = {};
  int32_t link = chainIndex + 1 < idBlockIndex_.size() ? idBlockIndex_[chainIndex + 1] : -1;
  EncodeInt32(buf, link);
  size_t first = chainIndex * kEntriesPerTableBlock;
  for (size_t i = 0; i < kEntriesPerTableBlock && first + i < idTable_.size(); ++i)
    EncodeInt32(buf + 4 + 4 * i, idTable_[first + i]);
  return WriteAtBlock(idBlockIndex_[chainIndex], 0, buf, kBlockSize);
}

// The growth becomes part of the table only when the header's entry count
// is written, last: first the new table blocks (past the counted table), then
// the new entries of the old last table block and its link. Entries of the
// old table are not written from memory here, as a save in progress may hold
// changes there that must not reach the disk yet.
int32_t TBLOBTable::AppendBlock() {
  const int32_t n = static_cast<int32_t>(idTable_.size());
  const int32_t N = kEntriesPerTableBlock * CeilDiv(static_cast<int64_t>(n) + kGrowthStep, kEntriesPerTableBlock);
  const int32_t k = CeilDiv(N, kEntriesPerTableBlock) - CeilDiv(n, kEntriesPerTableBlock);
  const size_t firstNew = idBlockIndex_.size();
  idTable_.resize(static_cast<size_t>(N), 0);
  for (int32_t f = n; f < n + k; ++f) idBlockIndex_.push_back(f);
  // New table blocks go right after the last existing block; the rest of the
  // new entries are free.
  for (int32_t b = n; b < N; ++b) {
    idTable_[static_cast<size_t>(b)] = 0;
    SetEntry(b, b < n + k ? kTableBlock : kFree, false);
  }
  if (!readOnly_) FillUpTo(n);
  for (size_t c = firstNew; c < idBlockIndex_.size(); ++c) WriteTableBlock(c);
  if (firstNew > 0) {
    const size_t last = firstNew - 1;
    const size_t from = static_cast<size_t>(n), to = std::min<size_t>((last + 1) * kEntriesPerTableBlock, N);
    if (from < to) {
      std::vector<uint8_t> bytes(4 * (to - from));
      for (size_t i = from; i < to; ++i) EncodeInt32(bytes.data() + 4 * (i - from), idTable_[i]);
      WriteAtBlock(idBlockIndex_[last], static_cast<int>(4 + 4 * (from - last * kEntriesPerTableBlock)), bytes.data(),
                   bytes.size());
    }
    uint8_t link[4];
    EncodeInt32(link, idBlockIndex_[firstNew]);
    WriteAtBlock(idBlockIndex_[last], 0, link, sizeof link);
  }
  Barrier();  // the count must not reach the disk before the blocks it counts
  SaveHeader();
  CrashPoint("blob-grow");
  return n + k;
}

void TBLOBTable::SaveHeader() {
  EncodeInt32(header_ + kOffCount, static_cast<int32_t>(idTable_.size()));
  EncodeInt32(header_ + kOffLastID, lastID_);
  if (!readOnly_) file_.WriteAt(0, header_, kHeaderSize);
  fileSize_ = std::max<int64_t>(fileSize_, kHeaderSize);
}

int32_t TBLOBTable::NewID() {
  // No ID left (a damaged header may claim the largest one) is a failure,
  // not a wrap to negative IDs.
  if (!Writable() || lastID_ == std::numeric_limits<int32_t>::max()) return -1;
  ++lastID_;
  SaveHeader();
  CrashPoint("blob-id");
  return lastID_;
}

// The blob takes the blocks it always has: its old blocks count as free, the
// first block is the lowest free one and each next one the lowest free after
// it. The writes come in an order that lets a crash cost at most this blob's
// text, never another blob's blocks:
//   1. blocks the blob did not have are written, then marked as taken, before
//      any link leads to them (a crash leaves them unused, the old text whole;
//      a link into a block still marked free would let another blob take it);
//   2. the blob's own old blocks are rewritten in place;
//   3. the table: the first block, then the old blocks no longer used are
//      freed.
bool TBLOBTable::SaveBLOB(int32_t id, const void* bytes, int32_t length) {
  if (!Writable() || id <= 0 || length < 0) return false;
  std::vector<int32_t> old = OwnBlocks(id);
  for (int32_t b : old) SetEntry(b, kFree, false);
  const int32_t blocks = std::max(1, CeilDiv(length, kPayload));
  std::vector<int32_t> chain;
  chain.reserve(static_cast<size_t>(blocks));
  int32_t b = FindBlock(kFree);
  if (b < 0) b = AppendBlock();
  for (int32_t i = 0; i < blocks; ++i) {
    chain.push_back(b);
    SetEntry(b, i == 0 ? id : kContinuation, false);
    // The next block is looked up for the last block too, as the growth of
    // the table may happen here.
    int32_t next = NextFreeFrom(b + 1);
    if (next < 0) next = AppendBlock();
    b = next;
  }
  const int32_t oldFirst = old.empty() ? -1 : old.front();
  std::sort(old.begin(), old.end());
  auto wasOwn = [&](int32_t block) { return std::binary_search(old.begin(), old.end(), block); };
  const uint8_t* src = static_cast<const uint8_t*>(bytes);
  auto writeData = [&](size_t i) {
    uint8_t buf[kBlockSize] = {};
    const int64_t from = static_cast<int64_t>(i) * kPayload;
    const int64_t chunk = std::clamp<int64_t>(length - from, 0, kPayload);
    if (chunk > 0) std::memcpy(buf + 8, src + from, static_cast<size_t>(chunk));
    EncodeInt32(buf, i + 1 < chain.size() ? chain[i + 1] : -1);
    EncodeInt32(buf + 4, length);
    return WriteAtBlock(chain[i], 0, buf, kBlockSize);
  };
  bool ok = true, fresh = false;
  for (size_t i = 0; ok && i < chain.size(); ++i)
    if (!wasOwn(chain[i])) {
      ok = writeData(i);
      fresh = true;
    }
  for (size_t i = 0; ok && i < chain.size(); ++i)
    if (!wasOwn(chain[i])) ok = WriteEntry(chain[i], kContinuation);
  if (ok && fresh) Barrier();
  if (ok) CrashPoint("blob-fresh");
  for (size_t i = 0; ok && i < chain.size(); ++i) {
    if (!wasOwn(chain[i])) continue;
    ok = writeData(i);
    CrashPoint("blob-data");
  }
  if (ok && !old.empty()) Barrier();  // the new chain is whole before the old blocks are let go
  auto entry = [&](int32_t block, int32_t value) {
    ok = ok && WriteEntry(block, value);
    if (ok) CrashPoint("blob-table");
  };
  entry(chain[0], id);
  if (oldFirst >= 0 && oldFirst != chain[0]) entry(oldFirst, idTable_[static_cast<size_t>(oldFirst)]);
  for (int32_t o : old)
    if (o != oldFirst && idTable_[static_cast<size_t>(o)] == kFree) entry(o, kFree);
  if (ok) SaveHeader();
  // After a failed write the disk is the truth: a table in memory that
  // believes more than the disk holds would give away used blocks.
  if (!ok) Reload();
  return ok;
}

void TBLOBTable::Barrier() {
  if (DurableSaves()) file_.Flush();
}

void TBLOBTable::Reload() {
  ForgetPrefetch();
  const int32_t lastID = lastID_;
  fileSize_ = std::max<int64_t>(file_.Size(), 0);
  if (file_.ReadAt(0, header_, kHeaderSize)) {
    lastID_ = std::max(lastID, DecodeInt32(header_ + kOffLastID));  // an ID once given is never given again
    LoadIDTable();
  }
}

bool TBLOBTable::SaveBLOBText(int32_t id, const std::string& utf8Text) {
  std::string bytes = Utf8ToCp1250(utf8Text);
  return SaveBLOB(id, bytes.data(), static_cast<int32_t>(bytes.size()));
}

bool TBLOBTable::ReadBlockHead(int32_t block, int32_t& link, int32_t& length) {
  uint8_t head[8];
  if (block < 0 || !file_.ReadAt(BlockOffset(block), head, sizeof head)) return false;
  link = DecodeInt32(head);
  length = DecodeInt32(head + 4);
  return true;
}

int32_t TBLOBTable::BLOBLength(int32_t id) {
  if (id <= 0) return -1;
  int32_t b = FindBlock(id);
  int32_t link = 0, length = 0;
  if (b < 0 || !ReadBlockHead(b, link, length)) return -1;
  return length;
}

int32_t TBLOBTable::LoadBLOB(int32_t id, void* buffer, int32_t length) {
  int32_t got = ReadBlob(id, std::max(0, length), false, scratch_);
  if (got > 0) std::memcpy(buffer, scratch_.data(), static_cast<size_t>(got));
  return got;
}

bool TBLOBTable::LoadBLOBText(int32_t id, std::string& utf8Text) {
  int32_t got = ReadBlob(id, 0, true, scratch_);
  // A damaged blob keeps what could be read: the caller must know the text
  // is incomplete rather than get an empty one it might save over the blob.
  utf8Text = Cp1250ToUtf8(scratch_);
  return got >= 0 && got >= readLength_;
}

std::string TBLOBTable::OutOfFileMessage(int32_t block) const {
  return "TBLOBTable.SeekToIndex: idx=" + std::to_string(block) + " (pos=" + std::to_string(BlockOffset(block)) +
         ") out of range (fileSize=" + std::to_string(fileSize_) + ")";
}

// Reads blob `id` into `out`: at most `length` bytes, or the blob's own
// length when `wholeBlob`. A blob's blocks usually follow each other, so the
// blocks still needed are read ahead in one go; the chain's links are still
// followed one by one, and a block outside the read-ahead is read on its own.
// Every walk ends: the blob's length bounds it (a looping chain only repeats
// bytes up to that length) and so does the number of blocks.
int32_t TBLOBTable::ReadBlob(int32_t id, int32_t length, bool wholeBlob, std::string& out) {
  out.clear();
  int32_t b = id > 0 ? FindBlock(id) : -1;
  if (b <= 0) return -1;
  const int64_t maxBlocks = static_cast<int64_t>(idTable_.size());
  const int64_t fileBlocks = FileBlocks();
  readLength_ = 0;
  auto fail = [&](const std::string& message) {
    LogError(message, true);  // what was read so far stays in `out`
    return -1;
  };
  auto indexOutOfRange = [&](int32_t index) {
    return fail("Index out of range (ID=" + std::to_string(id) + ", index=" + std::to_string(index));
  };
  int64_t aheadFirst = -1, aheadCount = 0;
  int32_t pos = 0;
  int32_t blobLength = -1;
  for (int64_t steps = 0;; ++steps) {
    if (b <= 0 || b >= maxBlocks || steps > maxBlocks) return indexOutOfRange(b);
    if (b >= fileBlocks) return fail(OutOfFileMessage(b));
    const uint8_t* block = PrefetchedBlock(b);
    if (!block && (b < aheadFirst || b >= aheadFirst + aheadCount)) {
      int64_t want = 4;  // the length is not known yet: a typical text fits
      if (steps > 0 || !wholeBlob) want = std::max<int64_t>(1, (std::max(0, length - pos) + kPayload - 1) / kPayload);
      want = std::min<int64_t>({want, 64, fileBlocks - b});
      ahead_.resize(static_cast<size_t>(want * kBlockSize));
      if (!file_.ReadAt(BlockOffset(b), ahead_.data(), ahead_.size())) return fail(file_.Error());
      aheadFirst = b;
      aheadCount = want;
    }
    if (!block) block = ahead_.data() + (b - aheadFirst) * kBlockSize;
    int32_t thisLength = DecodeInt32(block + 4);
    if (steps == 0) {
      blobLength = thisLength;
      // A length the file cannot hold is damage, not a reason to read on.
      if (static_cast<int64_t>(blobLength) > maxBlocks * kPayload)
        return fail("LoadBLOB(" + std::to_string(id) + "): size " + std::to_string(blobLength) + " exceeds the file");
      if (wholeBlob) length = std::max(0, blobLength);
      readLength_ = std::max(0, std::min(length, blobLength));
      out.reserve(static_cast<size_t>(std::max(0, std::min(length, blobLength))));
    } else if (thisLength != blobLength) {
      return fail("LoadBLOB(" + std::to_string(id) + "): size changed from " + std::to_string(blobLength) + " to " +
                  std::to_string(thisLength));
    }
    int32_t count = std::min(std::min(length, blobLength) - pos, kPayload);
    if (count < 0) return fail("LoadBLOB(" + std::to_string(id) + "): remSize=" + std::to_string(count));
    out.append(reinterpret_cast<const char*>(block + 8), static_cast<size_t>(count));
    pos += count;
    b = DecodeInt32(block);
    if (b <= 0 || count <= 0) return pos;
  }
}

const uint8_t* TBLOBTable::PrefetchedBlock(int64_t block) const {
  for (const TRange& r : prefetched_)
    if (block >= r.first && block < r.first + r.count) return r.bytes.data() + (block - r.first) * kBlockSize;
  return nullptr;
}

void TBLOBTable::Prefetch(const std::vector<int32_t>& ids) {
  prefetched_.clear();
  std::vector<int64_t> firsts;
  for (int32_t id : ids) {
    int32_t b = id > 0 ? FindBlock(id) : -1;
    if (b > 0) firsts.push_back(b);
  }
  if (firsts.empty()) return;
  std::sort(firsts.begin(), firsts.end());
  const int64_t fileBlocks = FileBlocks();
  // Blobs saved together lie together: one read covers first blocks that are
  // at most a few blocks apart, plus a few blocks for their continuations.
  constexpr int64_t kGap = 16, kTail = 4, kMaxRange = 4096;
  size_t i = 0;
  while (i < firsts.size()) {
    size_t j = i + 1;
    while (j < firsts.size() && firsts[j] - firsts[j - 1] <= kGap && firsts[j] - firsts[i] < kMaxRange) ++j;
    TRange r;
    r.first = firsts[i];
    r.count = std::min(firsts[j - 1] + kTail, fileBlocks) - r.first;
    if (r.count > 0) {
      r.bytes.resize(static_cast<size_t>(r.count * kBlockSize));
      int64_t got = file_.ReadSomeAt(BlockOffset(r.first), r.bytes.data(), r.bytes.size());
      r.count = got < 0 ? 0 : got / kBlockSize;
      if (r.count > 0) prefetched_.push_back(std::move(r));
    }
    i = j;
  }
}

// The blocks of blob `id` in chain order: its first block, then the blocks
// its links lead to while they are marked as continuations, hold the blob's
// length and are needed for that length. A damaged link therefore never
// takes in a block of another blob, nor goes round in a circle.
std::vector<int32_t> TBLOBTable::OwnBlocks(int32_t id) {
  std::vector<int32_t> own;
  int32_t b = id > 0 ? FindBlock(id) : -1;
  if (b <= 0) return own;
  own.push_back(b);
  int32_t link = 0, length = 0;
  if (!ReadBlockHead(b, link, length)) return own;
  const int64_t needed = length <= 0 ? 1 : (static_cast<int64_t>(length) + kPayload - 1) / kPayload;
  std::unordered_set<int32_t> seen{b};
  while (static_cast<int64_t>(own.size()) < needed) {
    b = link;
    int32_t thisLength = 0;
    if (b <= 0 || b >= EntryCount() || idTable_[static_cast<size_t>(b)] != kContinuation || !seen.insert(b).second ||
        !ReadBlockHead(b, link, thisLength) || thisLength != length)
      break;
    own.push_back(b);
  }
  return own;
}

// The first block is freed first: from then on the blob is gone, and a crash
// leaves its other blocks unused rather than a chain into free blocks.
bool TBLOBTable::DeleteBLOB(int32_t id) {
  if (id <= 0 || !Writable()) return false;
  const std::vector<int32_t> own = OwnBlocks(id);
  for (int32_t b : own) {
    SetEntry(b, kFree);
    CrashPoint("blob-table");
  }
  return !own.empty();
}
