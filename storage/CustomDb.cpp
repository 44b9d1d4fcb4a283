#include "storage/CustomDb.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "storage/Codec.h"
#include "storage/Coding.h"
#include "storage/SaveStages.h"
#include "storage/Errors.h"
#include "storage/FileView.h"
#include "storage/Log.h"

namespace {

constexpr int kOffLastID = 32, kOffWidth = 36, kOffMagic = 38, kOffVersion = 40, kOffMarker = 44;  // hash at 48
constexpr size_t kScanChunk = 4 << 20;

uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

}  // namespace

std::string TCustomDb::SegmentName(const std::string& mainName, int n) {
  if (n == 0) return mainName;
  size_t dot = mainName.find_last_of('.');
  size_t sep = mainName.find_last_of("\\/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
    return mainName + "_ex" + std::to_string(n);
  return mainName.substr(0, dot) + "_ex" + std::to_string(n) + mainName.substr(dot);
}

void TCustomDb::Create(const S_FileName& file, int recordWidth, const std::string& defaultRecord,
                       const std::string& userName, const std::string& tableName, bool readOnly) {
  if (!readOnly)
    LogError("TCustomDb.Create: filename=" + file.name + ", dbName=" + tableName + ", userName=" + userName, false);
  segments_.clear();
  ids_.clear();
  slotOfId_.clear();
  freeSlots_.clear();
  ForgetReadAhead();
  duplicateIds_ = false;
  lastID_ = 0;
  recordWidth_ = recordWidth;
  readOnly_ = readOnly;
  tableName_ = tableName;
  userName_ = userName;
  // Every record starts with the 64-byte common header (ID, globalId).
  if (recordWidth < kCommonHeaderSize || static_cast<int>(defaultRecord.size()) != recordWidth)
    throw EGarvelError("Invalid record length!");

  try {
    OpenSegments(file, defaultRecord);
  } catch (...) {
    segments_.clear();  // a table that cannot be used is not kept open (nor locked)
    ids_.clear();
    slotOfId_.clear();
    freeSlots_.clear();
    throw;
  }
}

void TCustomDb::OpenSegments(const S_FileName& file, const std::string& defaultRecord) {
  int remaining = recordWidth_;
  int offset = 0;
  for (int n = 0; remaining > 0; ++n) {
    S_FileName segName{SegmentName(file.name, n), file.fileSystem};
    TSegment seg;
    if (file.fileSystem->FileOrDirExists(segName.name, fdFile)) {
      OpenSegment(segName, seg);
      remaining -= seg.width;
    } else {
      if (readOnly_) throw EGarvelError("Missing file: " + segName.RealPath());
      CreateNewFile(segName, remaining, seg);
      remaining = 0;
    }
    // Segment 0 holds each record's common header, the ID first.
    if (n == 0 && seg.width < kCommonHeaderSize) throw EGarvelError("Invalid header");
    seg.offset = offset;
    offset += seg.width;
    segments_.push_back(std::move(seg));
  }
  if (remaining != 0) throw EGarvelError("Invalid record length!");
  LoadIDs();
  if (!readOnly_) FillUpSegments(defaultRecord);
}

// Creates the segment and keeps it open (and locked), so that no other
// writer comes between its creation and its use.
void TCustomDb::CreateNewFile(const S_FileName& file, int width, TSegment& seg) {
  if (file.fileSystem->FileOrDirExists(file.name, fdEither)) throw EGarvelError("CreateNewFile: File already exists!");
  if (width > 65535) throw EGarvelError("Invalid record length!");
  uint8_t header[kHeaderSize] = {};
  header[0] = 18;
  std::memcpy(header + 1, "TCustomDb database", 18);
  EncodeFixed16(header + kOffWidth, static_cast<uint16_t>(width));
  EncodeFixed16(header + kOffMagic, kMagic);
  EncodeFixed16(header + kOffVersion, 1);
  file.fileSystem->AssignFile(seg.file, file.name);
  if (!seg.file.Open(TFile::Mode::Create, true) || !seg.file.WriteAt(0, header, kHeaderSize))
    throw EGarvelError(seg.file.Error());
  seg.width = static_cast<uint16_t>(width);
}

void TCustomDb::OpenSegment(const S_FileName& file, TSegment& seg) {
  file.fileSystem->AssignFile(seg.file, file.name);
  if (!seg.file.Open(readOnly_ ? TFile::Mode::Read : TFile::Mode::ReadWrite, !readOnly_))
    throw EGarvelError(seg.file.Error());
  uint8_t header[kHeaderSize];
  if (!seg.file.ReadAt(0, header, kHeaderSize)) throw EGarvelError("Invalid header");
  if (DecodeFixed16(header + kOffMagic) != kMagic || DecodeFixed16(header + kOffVersion) != 1)
    throw EGarvelError("Invalid header");
  seg.width = DecodeFixed16(header + kOffWidth);
  if (seg.width == 0) throw EGarvelError("Invalid header");
  lastID_ = std::max(lastID_, DecodeInt32(header + kOffLastID));
}

void TCustomDb::LoadIDs() {
  TSegment& s0 = segments_[0];
  const int64_t size = s0.file.Size();
  const int64_t slots = size < kHeaderSize ? 0 : (size - kHeaderSize) / s0.width;
  ids_.resize(static_cast<size_t>(slots));
  auto scan = [&](int64_t first, const uint8_t* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      const uint8_t* head = bytes + i * s0.width;
      ids_[static_cast<size_t>(first) + i] = DecodeInt32(head);
      SlotScanned(static_cast<int>(first + static_cast<int64_t>(i)), head, s0.width);
    }
  };
  // Large sequential pieces: one pread per slot is far too slow for hundreds
  // of thousands of records. Each piece is looked at where the page cache
  // holds it, which saves copying the file once more at every opening; a
  // piece that cannot be mapped is read.
  const size_t perChunk = static_cast<size_t>(std::clamp<int64_t>(static_cast<int64_t>(kScanChunk / s0.width), 1,
                                                                  std::max<int64_t>(slots, 1)));
  std::vector<uint8_t> buf;
  for (int64_t first = 0; first < slots; first += static_cast<int64_t>(perChunk)) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(perChunk), slots - first));
    const int64_t offset = kHeaderSize + first * s0.width;
    TFileView view(s0.file, offset, n * s0.width);
    const uint8_t* bytes = view.Data();
    if (!bytes) {
      buf.resize(n * s0.width);
      if (!s0.file.ReadAt(offset, buf.data(), buf.size())) throw EGarvelError(s0.file.Error());
      bytes = buf.data();
    }
    scan(first, bytes, n);
  }
  slotOfId_.reserve(ids_.size());
  for (int slot = 0; slot < static_cast<int>(ids_.size()); ++slot) IndexSlot(slot, ids_[static_cast<size_t>(slot)]);
  // IDs present are never issued again, whatever the header says: the header
  // is only current after Close, and a crash must not bring an ID back.
  for (int32_t id : ids_) lastID_ = std::max(lastID_, id);
}

void TCustomDb::FillUpSegments(const std::string& defaultRecord) {
  const int64_t slots = Count();
  for (size_t n = 1; n < segments_.size(); ++n) {
    TSegment& seg = segments_[n];
    int64_t size = seg.file.Size();
    int64_t have = size < kHeaderSize ? 0 : (size - kHeaderSize) / seg.width;
    if (have >= slots) continue;
    std::string chunk;
    for (int64_t k = have; k < slots; ++k) chunk.append(defaultRecord, static_cast<size_t>(seg.offset), seg.width);
    if (!seg.file.WriteAt(kHeaderSize + have * seg.width, chunk.data(), chunk.size()))
      throw EGarvelError(seg.file.Error());
  }
}

void TCustomDb::IndexSlot(int slot, int32_t id) {
  if (id < 0) {
    freeSlots_.insert(slot);
    return;
  }
  auto [it, inserted] = slotOfId_.emplace(id, slot);
  if (!inserted) duplicateIds_ = true;
}

void TCustomDb::UnindexSlot(int slot, int32_t id) {
  if (id < 0) {
    freeSlots_.erase(slot);
    return;
  }
  auto it = slotOfId_.find(id);
  if (it == slotOfId_.end() || it->second != slot) return;
  slotOfId_.erase(it);
  if (duplicateIds_) {
    for (int s = 0; s < Count(); ++s)
      if (s != slot && ids_[static_cast<size_t>(s)] == id) {
        slotOfId_[id] = s;
        break;
      }
  }
}

bool TCustomDb::WriteLastIDToHeaders() {
  if (readOnly_) return false;
  uint8_t bytes[4];
  EncodeInt32(bytes, lastID_);
  bool ok = true;
  for (TSegment& seg : segments_) ok = seg.file.WriteAt(kOffLastID, bytes, 4) && ok;
  return ok;
}

void TCustomDb::Close() {
  ForgetReadAhead();
  scanning_ = false;
  if (!readOnly_) WriteLastIDToHeaders();
  for (TSegment& seg : segments_) seg.file.Close();
  segments_.clear();
}

int32_t TCustomDb::IDAt(int index) const {
  if (index < 0 || index >= Count()) return -1;
  return ids_[static_cast<size_t>(index)];
}

int TCustomDb::GetIndexForID(int32_t id) const {
  if (id < 0) return -1;
  auto it = slotOfId_.find(id);
  return it == slotOfId_.end() ? -1 : it->second;
}

int64_t TCustomDb::TrailingBytes() const {
  if (segments_.empty()) return 0;
  int64_t size = segments_[0].file.Size();
  return size < kHeaderSize ? 0 : (size - kHeaderSize) % segments_[0].width;
}

// Reading slot after slot (the vehicle list, a tool walking the table) is
// served from a read-ahead of the following slots, one read per segment;
// any write forgets it.
bool TCustomDb::ReadSlot(int index, std::string& record) {
  if (index < 0 || index >= Count()) return false;
  const bool sequential = index == lastSlotRead_ + 1;
  lastSlotRead_ = index;
  record.resize(static_cast<size_t>(recordWidth_));
  if (index < aheadFirst_ || index >= aheadFirst_ + aheadCount_) {
    if (!sequential || !FillReadAhead(index)) {
      for (TSegment& seg : segments_) {
        if (!seg.file.ReadAt(kHeaderSize + static_cast<int64_t>(index) * seg.width, Bytes(record) + seg.offset,
                             seg.width))
          return false;
      }
      return true;
    }
  }
  std::memcpy(Bytes(record), aheadBytes_.data() + static_cast<size_t>(index - aheadFirst_) * recordWidth_,
              static_cast<size_t>(recordWidth_));
  return true;
}

bool TCustomDb::FillReadAhead(int first) {
  constexpr int kReadAhead = 64;
  aheadCount_ = 0;
  const int count = std::min(kReadAhead, Count() - first);
  aheadBytes_.resize(static_cast<size_t>(count) * recordWidth_);
  for (TSegment& seg : segments_) {
    slotBuffer_.resize(static_cast<size_t>(count) * seg.width);
    if (!seg.file.ReadAt(kHeaderSize + static_cast<int64_t>(first) * seg.width, slotBuffer_.data(), slotBuffer_.size()))
      return false;  // a short segment (a reader's view): slot by slot then
    for (int k = 0; k < count; ++k)
      std::memcpy(aheadBytes_.data() + static_cast<size_t>(k) * recordWidth_ + seg.offset,
                  slotBuffer_.data() + static_cast<size_t>(k) * seg.width, seg.width);
  }
  aheadFirst_ = first;
  aheadCount_ = count;
  return true;
}

void TCustomDb::RepairGlobalId(std::string& record) const {
  uint8_t* p = Bytes(record) + 4;
  bool bad = p[0] >= 32;
  for (int i = 0; !bad && i < p[0]; ++i)
    if (p[1 + i] == 0 || p[1 + i] >= 128) bad = true;
  if (bad) EncodeCountedString(p, 31, MakeGlobalId(DecodeInt32(Bytes(record))));
}

bool TCustomDb::ReadRecord(int32_t id, std::string& record) {
  int slot = GetIndexForID(id);
  if (slot < 0 || !ReadSlot(slot, record)) return false;
  RepairGlobalId(record);
  return true;
}

void TCustomDb::ReadSlots(const std::vector<int>& slots, std::vector<std::string>& records, std::vector<bool>& ok) {
  // The caller's strings are reused: a whole-database load calls this once
  // per vehicle.
  records.resize(slots.size());
  ok.assign(slots.size(), false);
  // During a scan, the span of this call is looked at where the page cache
  // holds it instead of being copied out first.
  std::vector<std::unique_ptr<TFileView>> views;
  const int spanFirst = slots.empty() ? 0 : slots.front();
  if (scanning_ && !slots.empty() && spanFirst >= 0 && slots.back() >= spanFirst && slots.back() < Count())
    for (TSegment& seg : segments_)
      views.push_back(std::make_unique<TFileView>(
          seg.file, kHeaderSize + static_cast<int64_t>(spanFirst) * seg.width,
          static_cast<size_t>(slots.back() - spanFirst + 1) * seg.width));
  for (size_t i = 0; i < slots.size();) {
    size_t j = i + 1;
    while (j < slots.size() && slots[j] == slots[j - 1] + 1 && j - i < 256) ++j;
    const int first = slots[i];
    const size_t run = j - i;
    bool readOk = first >= 0 && first + static_cast<int>(run) <= Count();
    for (size_t k = i; k < j; ++k) records[k].resize(static_cast<size_t>(recordWidth_));
    for (size_t n = 0; n < segments_.size() && readOk; ++n) {
      TSegment& seg = segments_[n];
      const size_t length = run * seg.width;
      const uint8_t* bytes;
      if (n < views.size() && views[n]->Data() && first >= spanFirst &&
          first + static_cast<int>(run) - 1 <= slots.back()) {
        bytes = views[n]->Data() + static_cast<size_t>(first - spanFirst) * seg.width;
      } else {
        slotBuffer_.resize(length);
        readOk = seg.file.ReadAt(kHeaderSize + static_cast<int64_t>(first) * seg.width, slotBuffer_.data(), length);
        bytes = slotBuffer_.data();
      }
      for (size_t k = 0; readOk && k < run; ++k)
        std::memcpy(Bytes(records[i + k]) + seg.offset, bytes + k * seg.width, seg.width);
    }
    for (size_t k = i; k < j; ++k) {
      ok[k] = readOk;
      if (readOk) RepairGlobalId(records[k]);
      else records[k].clear();
    }
    i = j;
  }
}

bool TCustomDb::WriteRecord(const std::string& record) {
  if (!Writable() || static_cast<int>(record.size()) != recordWidth_) return false;
  int slot = GetIndexForID(DecodeInt32(Bytes(record)));
  if (slot < 0) return false;
  ForgetReadAhead();
  // Segment 0, which holds the ID, goes last: a crash between the segments
  // must not leave a new record in a reused slot with the extension bytes of
  // the record erased there before.
  for (size_t n = segments_.size(); n-- > 0;) {
    TSegment& seg = segments_[n];
    if (!seg.file.WriteAt(kHeaderSize + static_cast<int64_t>(slot) * seg.width, Bytes(record) + seg.offset, seg.width))
      return false;
    CrashPoint("record-slot");
  }
  return true;
}

bool TCustomDb::CreateRecord(std::string& record, const std::string& globalId) {
  if (!Writable() || static_cast<int>(record.size()) != recordWidth_) return false;
  if (lastID_ == std::numeric_limits<int32_t>::max()) return false;  // every ID has been issued
  // The latest erased slot is reused first; otherwise a new slot at the end.
  const bool reuse = !freeSlots_.empty();
  const int slot = reuse ? *freeSlots_.rbegin() : Count();
  const int32_t previous = reuse ? ids_[static_cast<size_t>(slot)] : -1;
  if (reuse) UnindexSlot(slot, previous);
  else ids_.push_back(-1);
  const int32_t id = ++lastID_;
  ids_[static_cast<size_t>(slot)] = id;
  IndexSlot(slot, id);

  uint8_t* p = Bytes(record);
  EncodeInt32(p, id);
  EncodeCountedString(p + 4, 31, globalId.empty() ? MakeGlobalId(id) : globalId);
  std::memset(p + 36, 0, 28);
  // Keep the header's last ID current so that an ID is never issued twice,
  // even when the program ends without closing the table.
  WriteLastIDToHeaders();
  CrashPoint("record-id");
  if (WriteRecord(record)) return true;
  // The slot stays as the file has it (the ID stays used).
  UnindexSlot(slot, id);
  if (reuse) {
    ids_[static_cast<size_t>(slot)] = previous;
    IndexSlot(slot, previous);
  } else {
    ids_.pop_back();
  }
  return false;
}

bool TCustomDb::EraseRecord(std::string& record) {
  if (!Writable() || static_cast<int>(record.size()) != recordWidth_) return false;
  int32_t id = DecodeInt32(Bytes(record));
  int slot = GetIndexForID(id);
  if (slot < 0) return false;
  UnindexSlot(slot, id);
  ids_[static_cast<size_t>(slot)] = -1;
  IndexSlot(slot, -1);
  ForgetReadAhead();
  EncodeInt32(Bytes(record), -1);
  TSegment& s0 = segments_[0];
  const bool ok = s0.file.WriteAt(kHeaderSize + static_cast<int64_t>(slot) * s0.width, Bytes(record), s0.width);
  if (ok) CrashPoint("record-erase");
  return ok;
}

std::string TCustomDb::MakeGlobalId(int32_t id) const {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<uint32_t>(id));
  return tableName_ + ":" + userName_ + "-" + hex;
}

uint64_t TCustomDb::PasswordHash(const std::string& utf8Password) {
  uint64_t h = 0;
  for (char c : Utf8ToCp1250(utf8Password)) h = (h + static_cast<unsigned char>(c)) * 0x6C0DDCD1CAD41133ULL;
  return h;
}

bool TCustomDb::CheckPassword(const std::string& password) {
  uint8_t head[16];
  if (segments_.empty() || !segments_[0].file.ReadAt(kOffMarker, head, sizeof head)) return false;
  if (DecodeFixed32(head) != kPasswordMarker) return password.empty();
  return DecodeFixed64(head + 4) == PasswordHash(password);
}

bool TCustomDb::SetPassword(const std::string& password) {
  if (readOnly_ || segments_.empty()) return false;
  uint8_t bytes[12];
  EncodeFixed32(bytes, kPasswordMarker);
  EncodeFixed64(bytes + 4, PasswordHash(password));
  return segments_[0].file.WriteAt(kOffMarker, bytes, sizeof bytes);
}
