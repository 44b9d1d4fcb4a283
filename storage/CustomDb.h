#pragma once
// TCustomDb: a table of fixed-width binary records addressed by record ID,
// with erase-and-reuse of slots and growth of the record layout without
// conversion.
//
// A table is a main file (segment 0) and, when a newer layout is wider,
// extension segments "<name>_ex<N><ext>" that hold the extra bytes of every
// record. Each segment starts with a 1024-byte header:
//     0   1  18, then "TCustomDb database" (18 characters), 13 zero bytes
//    32   4  last ID issued
//    36   2  this segment's record width
//    38   2  magic 0xF14E        40  2  version 1
//    44   4  0x67356DB1 when a program password is set (segment 0)
//    48   8  password hash (segment 0)
// Slot k of a segment is at 1024 + k × width. Segment 0 holds the first bytes
// of each record, so a slot's first int32 is its record ID (-1 = erased).
// See doc/record-file.md.
//
// Records are byte buffers of the table's full width (std::string used as
// bytes). Slots are found through an ID → slot index kept in memory.

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "storage/File.h"
#include "storage/FileSystem.h"

class TCustomDb {
 public:
  static constexpr int kHeaderSize = 1024;
  static constexpr int kCommonHeaderSize = 64;  // ID, globalId, reserved
  static constexpr uint16_t kMagic = 0xF14E;
  static constexpr uint32_t kPasswordMarker = 0x67356DB1;

  TCustomDb() = default;
  virtual ~TCustomDb() = default;
  TCustomDb(const TCustomDb&) = delete;
  TCustomDb& operator=(const TCustomDb&) = delete;

  // Opens or creates the table. Raises EGarvelError ("Invalid header",
  // "Invalid record length!", "CreateNewFile: File already exists!" or the
  // file system's error, for example a second writer). `readOnly` opens
  // existing segments for reading only: nothing is created or written.
  void Create(const S_FileName& file, int recordWidth, const std::string& defaultRecord,
              const std::string& userName, const std::string& tableName, bool readOnly = false);
  // Writes the last ID into every segment's header and closes the files.
  virtual void Close();

  int Count() const { return static_cast<int>(ids_.size()); }
  int32_t IDAt(int index) const;
  int GetIndexForID(int32_t id) const;

  bool ReadRecord(int32_t id, std::string& record);
  bool ReadSlot(int index, std::string& record);  // the record of a slot, erased or not
  // Reads the records of several slots (ascending), consecutive slots with
  // one read per segment; `ok` says which could be read. Repairs globalIds
  // like ReadRecord.
  void ReadSlots(const std::vector<int>& slots, std::vector<std::string>& records, std::vector<bool>& ok);
  // Between these, ReadSlots takes the slots from views of the segment files
  // instead of reading them (for scans of a whole table, ScanLiveSlots).
  void BeginScan() { scanning_ = true; }
  void EndScan() { scanning_ = false; }
  bool WriteRecord(const std::string& record);
  bool CreateRecord(std::string& record, const std::string& globalId);
  bool EraseRecord(std::string& record);

  std::string MakeGlobalId(int32_t id) const;
  bool CheckPassword(const std::string& password);
  bool SetPassword(const std::string& password);
  static uint64_t PasswordHash(const std::string& utf8Password);

  // Open, and not for reading only.
  bool CanWrite() const { return Writable(); }
  int RecordWidth() const { return recordWidth_; }
  int32_t LastID() const { return lastID_; }
  const std::string& TableName() const { return tableName_; }
  std::string MainPath() const { return segments_.empty() ? "" : segments_[0].file.Path(); }
  int SegmentCount() const { return static_cast<int>(segments_.size()); }
  // Bytes of segment 0 after the last whole slot (a partial slot).
  int64_t TrailingBytes() const;

 private:
  struct TSegment {
    TFile file;
    uint16_t width = 0;
    int offset = 0;  // within the record
  };

  static std::string SegmentName(const std::string& mainName, int n);
  void OpenSegments(const S_FileName& file, const std::string& defaultRecord);
  void CreateNewFile(const S_FileName& file, int width, TSegment& segment);
  void OpenSegment(const S_FileName& file, TSegment& segment);
  void LoadIDs();

 protected:
  // Called while opening with segment 0's bytes of every slot, as the slot
  // IDs are read, so that a store can index more than the ID without reading
  // the file again.
  virtual void SlotScanned(int slot, const uint8_t* head, int width) {
    (void)slot;
    (void)head;
    (void)width;
  }

 private:
  void FillUpSegments(const std::string& defaultRecord);
  bool WriteLastIDToHeaders();
  void RepairGlobalId(std::string& record) const;
  void IndexSlot(int slot, int32_t id);
  void UnindexSlot(int slot, int32_t id);

  bool FillReadAhead(int first);
  bool Writable() const { return !readOnly_ && !segments_.empty(); }  // open, and not for reading only
  void ForgetReadAhead() {
    aheadCount_ = 0;
    lastSlotRead_ = -2;
  }
  int Segment0Width() const { return segments_.empty() ? 0 : segments_[0].width; }

  std::vector<TSegment> segments_;
  std::vector<int32_t> ids_;
  std::unordered_map<int32_t, int> slotOfId_;  // lowest slot of each ID >= 0
  bool duplicateIds_ = false;
  std::set<int> freeSlots_;  // slots whose ID is negative
  std::vector<uint8_t> slotBuffer_;
  bool scanning_ = false;  // between BeginScan and EndScan
  std::vector<uint8_t> aheadBytes_;  // whole records of slots aheadFirst_.. read ahead
  int aheadFirst_ = 0;
  int aheadCount_ = 0;
  int lastSlotRead_ = -2;
  int32_t lastID_ = 0;
  int recordWidth_ = 0;
  bool readOnly_ = false;
  std::string tableName_;
  std::string userName_;
};

