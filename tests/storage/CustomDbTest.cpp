#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "storage/Coding.h"
#include "storage/CustomDb.h"
#include "storage/Errors.h"
#include "storage/FileSystemSetup.h"
#include "storage/RealFileSystem.h"
#include "storage/SaveStages.h"
#include "storage/SlotScan.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

std::string Record(int width, int32_t id = -1, char fill = 0) {
  std::string r(static_cast<size_t>(width), fill);
  EncodeInt32(reinterpret_cast<uint8_t*>(r.data()), id);
  r[4] = 0;  // empty globalId
  return r;
}

int32_t IdOf(const std::string& r) { return DecodeInt32(reinterpret_cast<const uint8_t*>(r.data())); }

class CustomDbTest : public ::testing::Test {
 protected:
  void Open(TCustomDb& db, int width, char defaultFill = 0) {
    db.Create(VirtualFile("t.dat"), width, std::string(static_cast<size_t>(width), defaultFill), "<username>", "CAR");
  }
  std::string Path(const std::string& name) { return fs.dir / name; }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
};

}  // namespace

TEST_F(CustomDbTest, NewTableHeaderIsExact) {
  TCustomDb db;
  Open(db, 680);
  std::string expected(1024, '\0');
  expected[0] = 18;
  std::memcpy(&expected[1], "TCustomDb database", 18);
  expected[36] = static_cast<char>(680 & 0xFF);
  expected[37] = static_cast<char>(680 >> 8);
  expected[38] = static_cast<char>(0x4E);
  expected[39] = static_cast<char>(0xF1);
  expected[40] = 1;
  EXPECT_EQ(ReadFileBytes(Path("t.dat")), expected);

  std::string r = Record(680);
  ASSERT_TRUE(db.CreateRecord(r, ""));
  EXPECT_EQ(IdOf(r), 1);
  std::string bytes = ReadFileBytes(Path("t.dat"));
  EXPECT_EQ(bytes.size(), 1704u);
  EXPECT_EQ(bytes.substr(1028, 24), std::string("\x17") + "CAR:<username>-00000001");
  EXPECT_EQ(db.MakeGlobalId(42), "CAR:<username>-0000002A");
}

TEST_F(CustomDbTest, ErasedSlotsAreReusedLatestFirstWithNewIds) {
  TCustomDb db;
  Open(db, 100);
  for (int i = 0; i < 10; ++i) {
    std::string r = Record(100);
    ASSERT_TRUE(db.CreateRecord(r, ""));
  }
  for (int32_t id : {5, 9}) {
    std::string r;
    ASSERT_TRUE(db.ReadRecord(id, r));
    ASSERT_TRUE(db.EraseRecord(r));
    EXPECT_EQ(IdOf(r), -1);
  }
  std::string a = Record(100), b = Record(100);
  ASSERT_TRUE(db.CreateRecord(a, ""));
  ASSERT_TRUE(db.CreateRecord(b, ""));
  EXPECT_EQ(IdOf(a), 11);
  EXPECT_EQ(db.GetIndexForID(11), 8);
  EXPECT_EQ(IdOf(b), 12);
  EXPECT_EQ(db.GetIndexForID(12), 4);
  EXPECT_EQ(db.Count(), 10);
  std::string r;
  EXPECT_FALSE(db.ReadRecord(5, r));
  EXPECT_FALSE(db.WriteRecord(Record(100, 5)));
  std::string gone = Record(100, 5);
  EXPECT_FALSE(db.EraseRecord(gone));
  EXPECT_EQ(db.GetIndexForID(-1), -1);
  EXPECT_EQ(db.IDAt(99), -1);
}

// An erased highest ID is never issued again, with or without Close: the
// header's last ID is kept current at every creation.
TEST_F(CustomDbTest, IdAfterReopenNeverReusesTheErasedHighest) {
  for (bool close : {true, false}) {
    SCOPED_TRACE(close ? "closed" : "not closed");
    std::remove(Path("t.dat").c_str());
    {
      TCustomDb db;
      Open(db, 100);
      for (int i = 0; i < 10; ++i) {
        std::string r = Record(100);
        ASSERT_TRUE(db.CreateRecord(r, ""));
      }
      std::string r;
      ASSERT_TRUE(db.ReadRecord(10, r));
      ASSERT_TRUE(db.EraseRecord(r));
      if (close) db.Close();
    }
    TCustomDb db;
    Open(db, 100);
    std::string r = Record(100);
    ASSERT_TRUE(db.CreateRecord(r, ""));
    EXPECT_EQ(IdOf(r), 11);
  }
}

TEST_F(CustomDbTest, WiderLayoutAddsAnExtensionSegmentWithDefaults) {
  {
    TCustomDb db;
    Open(db, 600);
    for (int i = 0; i < 3; ++i) {
      std::string r = Record(600, -1, 'a');
      ASSERT_TRUE(db.CreateRecord(r, ""));
    }
  }
  std::string def(680, 'd');
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 680, def, "<username>", "CAR");
  EXPECT_EQ(db.SegmentCount(), 2);
  std::string ext = ReadFileBytes(Path("t_ex1.dat"));
  ASSERT_EQ(ext.size(), 1024u + 3 * 80);
  EXPECT_EQ(ext[36], 80);
  std::string r;
  ASSERT_TRUE(db.ReadRecord(2, r));
  EXPECT_EQ(r.substr(600), std::string(80, 'd'));
  EXPECT_EQ(r[599], 'a');
  // New records span both segments.
  std::string n = Record(680, -1, 'n');
  ASSERT_TRUE(db.CreateRecord(n, ""));
  std::string back;
  ASSERT_TRUE(db.ReadRecord(IdOf(n), back));
  EXPECT_EQ(back.substr(600), std::string(80, 'n'));
  db.Close();

  TCustomDb narrow;
  try {
    narrow.Create(VirtualFile("t.dat"), 500, std::string(500, 0), "<username>", "CAR");
    FAIL() << "narrower layout opened";
  } catch (const EGarvelError& e) {
    EXPECT_STREQ(e.what(), "Invalid record length!");
  }
}

// A segment header as the format lays it out, written by the test itself.
std::string SegmentHeader(uint16_t width, int32_t lastId = 0, uint16_t magic = 0xF14E, uint16_t version = 1) {
  std::string h(1024, '\0');
  h[0] = 18;
  std::memcpy(&h[1], "TCustomDb database", 18);
  auto* p = reinterpret_cast<uint8_t*>(h.data());
  EncodeInt32(p + 32, lastId);
  EncodeFixed16(p + 36, width);
  EncodeFixed16(p + 38, magic);
  EncodeFixed16(p + 40, version);
  return h;
}

TEST_F(CustomDbTest, DamagedFilesGiveClearErrors) {
  const std::string slot = Record(100, 1);
  struct Case {
    const char* name;
    std::string main, ext;  // ext empty: no extension segment
    int width;
    const char* message;
  } cases[] = {
      {"truncated header", SegmentHeader(100).substr(0, 100), "", 100, "Invalid header"},
      {"empty file", "", "", 100, "Invalid header"},
      {"wrong magic", SegmentHeader(100, 0, 0x1234) + slot, "", 100, "Invalid header"},
      {"wrong version", SegmentHeader(100, 0, 0xF14E, 2) + slot, "", 100, "Invalid header"},
      {"width 0", SegmentHeader(0) + slot, "", 100, "Invalid header"},
      {"segment 0 without the common header", SegmentHeader(10) + std::string(10, '\0'), "", 100,
       "Invalid header"},
      {"extension with wrong magic", SegmentHeader(100) + slot, SegmentHeader(20, 0, 0), 120, "Invalid header"},
      {"segments wider than the record", SegmentHeader(100) + slot, SegmentHeader(50), 120,
       "Invalid record length!"},
      {"record narrower than the common header", SegmentHeader(100) + slot, "", 40, "Invalid record length!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(Path("bad.dat"), c.main);
    std::remove(Path("bad_ex1.dat").c_str());
    if (!std::string(c.ext).empty()) WriteFileBytes(Path("bad_ex1.dat"), c.ext);
    for (bool readOnly : {false, true}) {
      TCustomDb db;
      try {
        db.Create(VirtualFile("bad.dat"), c.width, std::string(static_cast<size_t>(c.width), 0), "u", "CAR", readOnly);
        ADD_FAILURE() << "opened";
      } catch (const EGarvelError& e) {
        EXPECT_STREQ(e.what(), c.message);
      }
    }
    // The failed open left the file as it was and unlocked.
    EXPECT_EQ(ReadFileBytes(Path("bad.dat")), c.main);
  }

  // A folder where the extension segment should be created.
  WriteFileBytes(Path("bad.dat"), SegmentHeader(100) + slot);
  std::remove(Path("bad_ex1.dat").c_str());
  ASSERT_TRUE(GetRealFS().ForceDirectories(Path("bad_ex1.dat/")));
  TCustomDb db;
  try {
    db.Create(VirtualFile("bad.dat"), 120, std::string(120, 0), "u", "CAR");
    ADD_FAILURE() << "opened";
  } catch (const EGarvelError& e) {
    EXPECT_STREQ(e.what(), "CreateNewFile: File already exists!");
  }
}

// Every prefix of a table of three records: short of the header it is
// refused, after it the whole slots are the table.
TEST_F(CustomDbTest, EveryTruncationIsHandled) {
  const std::string good =
      SegmentHeader(100, 3) + Record(100, 1, 'a') + Record(100, -1, 'b') + Record(100, 3, 'c');
  for (size_t size = 0; size <= good.size(); ++size) {
    SCOPED_TRACE(size);
    std::remove(Path("t.dat").c_str());  // a new file each time: rewriting one in place makes ext4 flush it
    WriteFileBytes(Path("t.dat"), good.substr(0, size));
    TCustomDb db;
    try {
      db.Create(VirtualFile("t.dat"), 100, std::string(100, 0), "u", "CAR", true);
    } catch (const EGarvelError& e) {
      EXPECT_LT(size, 1024u);
      EXPECT_STREQ(e.what(), "Invalid header");
      continue;
    }
    ASSERT_GE(size, 1024u);
    const int slots = static_cast<int>((size - 1024) / 100);
    EXPECT_EQ(db.Count(), slots);
    std::string r;
    EXPECT_EQ(db.ReadRecord(1, r), slots >= 1);
    EXPECT_EQ(db.ReadRecord(3, r), slots >= 3);
  }
}

TEST_F(CustomDbTest, PartialSlotsAreIgnoredOrFilledUp) {
  // Main file: two whole slots and 3 bytes of a third.
  WriteFileBytes(Path("t.dat"), SegmentHeader(100, 2) + Record(100, 1, 'a') + Record(100, 2, 'b') + "xyz");
  // Extension: one whole slot and half of the second.
  WriteFileBytes(Path("t_ex1.dat"), SegmentHeader(20) + std::string(20, 'e') + std::string(10, 'h'));
  std::string def(120, 'd');
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 120, def, "<username>", "CAR");
  EXPECT_EQ(db.Count(), 2);
  EXPECT_EQ(db.TrailingBytes(), 3);
  // The half slot of the extension is overwritten with the defaults.
  EXPECT_EQ(ReadFileBytes(Path("t_ex1.dat")), SegmentHeader(20) + std::string(20, 'e') + std::string(20, 'd'));
  std::string r;
  ASSERT_TRUE(db.ReadRecord(2, r));
  EXPECT_EQ(r.substr(100), std::string(20, 'd'));
  ASSERT_TRUE(db.ReadRecord(1, r));
  EXPECT_EQ(r.substr(100), std::string(20, 'e'));
}

TEST_F(CustomDbTest, DuplicateIdsResolveToTheFirstSlot) {
  WriteFileBytes(Path("t.dat"), SegmentHeader(100, 3) + Record(100, 3, 'a') + Record(100, 7, 'b') + Record(100, 3, 'c'));
  TCustomDb db;
  Open(db, 100);
  EXPECT_EQ(db.GetIndexForID(3), 0);
  std::string r;
  ASSERT_TRUE(db.ReadRecord(3, r));
  EXPECT_EQ(r[99], 'a');
  ASSERT_TRUE(db.EraseRecord(r));
  EXPECT_EQ(db.GetIndexForID(3), 2);  // the other copy is found next
  // The next ID is above every ID present, whatever the header says.
  std::string n = Record(100);
  ASSERT_TRUE(db.CreateRecord(n, ""));
  EXPECT_EQ(IdOf(n), 8);
  EXPECT_EQ(db.GetIndexForID(8), 0);
}

TEST_F(CustomDbTest, NoIdIsIssuedTwiceAtTheLargest) {
  WriteFileBytes(Path("t.dat"), SegmentHeader(100, 0x7FFFFFFE));
  TCustomDb db;
  Open(db, 100);
  std::string r = Record(100);
  ASSERT_TRUE(db.CreateRecord(r, ""));
  EXPECT_EQ(IdOf(r), 0x7FFFFFFF);
  std::string next = Record(100);
  EXPECT_FALSE(db.CreateRecord(next, ""));
  EXPECT_EQ(db.Count(), 1);
}

TEST_F(CustomDbTest, SecondWriterIsRefusedButReadersWork) {
  TCustomDb db;
  Open(db, 100);
  std::string r = Record(100);
  ASSERT_TRUE(db.CreateRecord(r, ""));
  const std::string before = ReadFileBytes(Path("t.dat"));
  TCustomDb second;
  try {
    Open(second, 100);
    ADD_FAILURE() << "second writer opened";
  } catch (const EGarvelError& e) {
    EXPECT_NE(std::string(e.what()).find("another program"), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFileBytes(Path("t.dat")), before);

  TCustomDb reader;
  reader.Create(VirtualFile("t.dat"), 100, std::string(100, 0), "u", "CAR", true);
  EXPECT_EQ(reader.Count(), 1);
  std::string back;
  EXPECT_TRUE(reader.ReadRecord(1, back));
  EXPECT_FALSE(reader.WriteRecord(back));
  EXPECT_FALSE(reader.CreateRecord(back, ""));
  EXPECT_FALSE(reader.EraseRecord(back));
  EXPECT_FALSE(reader.SetPassword("x"));
  reader.Close();
  EXPECT_EQ(ReadFileBytes(Path("t.dat")), before);

  // A reader never creates an extension segment: a wider layout fails.
  TCustomDb wide;
  EXPECT_THROW(wide.Create(VirtualFile("t.dat"), 120, std::string(120, 0), "u", "CAR", true), EGarvelError);
  EXPECT_FALSE(PathExists(Path("t_ex1.dat")));
  TCustomDb missing;
  EXPECT_THROW(missing.Create(VirtualFile("none.dat"), 100, std::string(100, 0), "u", "CAR", true), EGarvelError);
  EXPECT_FALSE(PathExists(Path("none.dat")));

  // Closing releases the lock; a closed table refuses writes.
  db.Close();
  EXPECT_FALSE(db.WriteRecord(r));
  std::string fresh = Record(100);
  EXPECT_FALSE(db.CreateRecord(fresh, ""));
  EXPECT_FALSE(db.EraseRecord(r));
  Open(second, 100);
  EXPECT_EQ(second.Count(), 1);
}

// Reading slot after slot is served from a read-ahead: writes in between
// must show, in both segments.
TEST_F(CustomDbTest, SequentialReadsSeeEveryWrite) {
  {
    TCustomDb db;
    Open(db, 100);
    for (int i = 0; i < 200; ++i) {
      std::string r = Record(100, -1, 'a');
      ASSERT_TRUE(db.CreateRecord(r, ""));
    }
  }
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 120, std::string(120, 'd'), "<username>", "CAR");
  std::string r;
  for (int32_t id = 1; id <= 200; ++id) {
    ASSERT_TRUE(db.ReadRecord(id, r)) << id;
    ASSERT_EQ(IdOf(r), id);
    ASSERT_EQ(r[99], 'a');
    ASSERT_EQ(r[119], 'd');
    if (id % 50 == 10) {
      // Change a record a few slots ahead, erase the next one.
      std::string ahead;
      ASSERT_TRUE(db.ReadRecord(id + 3, ahead));
      ahead[99] = 'b';
      ahead[119] = 'e';
      ASSERT_TRUE(db.WriteRecord(ahead));
      ASSERT_TRUE(db.ReadRecord(id + 3, r));
      EXPECT_EQ(r[99], 'b');
      EXPECT_EQ(r[119], 'e');
      std::string next;
      ASSERT_TRUE(db.ReadRecord(id + 1, next));
      ASSERT_TRUE(db.EraseRecord(next));
      ASSERT_TRUE(db.ReadRecord(id + 2, r));
      EXPECT_FALSE(db.ReadRecord(id + 1, r));
      std::string slot;
      ASSERT_TRUE(db.ReadSlot(id, slot));  // slot of ID id + 1
      EXPECT_EQ(IdOf(slot), -1);
      id += 3;
    }
  }
}

// A whole-table scan hands over every live slot of both segments in order,
// and sees what is written to the table while it runs.
TEST_F(CustomDbTest, ScanSeesEveryLiveSlotAndWritesMadeDuringIt) {
  constexpr int kCount = 5000;  // more than one run of the scan
  {
    TCustomDb db;
    Open(db, 100);
    for (int i = 0; i < kCount; ++i) {
      std::string r = Record(100, -1, 'a');
      ASSERT_TRUE(db.CreateRecord(r, ""));
    }
  }
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 120, std::string(120, 'd'), "<username>", "CAR");
  for (int32_t id = 7; id <= kCount; id += 1000) {
    std::string r;
    ASSERT_TRUE(db.ReadRecord(id, r));
    ASSERT_TRUE(db.EraseRecord(r));
  }
  std::vector<int32_t> seen;
  ScanLiveSlots(db, [&](const std::vector<const uint8_t*>& records) {
    if (seen.empty()) {
      std::string late;
      ASSERT_TRUE(db.ReadRecord(kCount, late));
      late[99] = 'b';
      late[119] = 'e';
      ASSERT_TRUE(db.WriteRecord(late));
    }
    for (const uint8_t* r : records) {
      const int32_t id = DecodeInt32(r);
      seen.push_back(id);
      ASSERT_EQ(r[99], id == kCount ? 'b' : 'a') << id;
      ASSERT_EQ(r[119], id == kCount ? 'e' : 'd') << id;
      ASSERT_EQ(r[4], 23) << id;  // the globalId is there
    }
  });
  ASSERT_EQ(seen.size(), static_cast<size_t>(kCount - 5));
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1007), 0);
  // After the scan the table reads as before.
  std::string r;
  ASSERT_TRUE(db.ReadRecord(kCount, r));
  EXPECT_EQ(r[119], 'e');
}

// A reader does not fill up a segment cut short; a scan must not touch what
// is not in the file (a mapped page past its end would end the process).
TEST_F(CustomDbTest, ScanOfASegmentCutShortHandsOverOnlyWholeRecords) {
  {
    TCustomDb db;
    Open(db, 100);
    for (int i = 0; i < 5000; ++i) {
      std::string r = Record(100, -1, 'a');
      ASSERT_TRUE(db.CreateRecord(r, ""));
    }
  }
  {
    TCustomDb db;
    db.Create(VirtualFile("t.dat"), 120, std::string(120, 'd'), "<username>", "CAR");
  }
  std::string ext = ReadFileBytes(Path("t_ex1.dat"));
  WriteFileBytes(Path("t_ex1.dat"), ext.substr(0, 1024 + 10 * 20));
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 120, std::string(120, 'd'), "<username>", "CAR", true);
  size_t seen = 0;
  ScanLiveSlots(db, [&](const std::vector<const uint8_t*>& records) {
    for (const uint8_t* r : records) {
      EXPECT_LE(DecodeInt32(r), 10);
      ++seen;
    }
  });
  EXPECT_LE(seen, 10u);
}

TEST_F(CustomDbTest, InvalidGlobalIdIsRepairedOnRead) {
  TCustomDb db;
  Open(db, 100);
  std::string r = Record(100);
  ASSERT_TRUE(db.CreateRecord(r, "X"));
  struct Case { std::string field; } cases[] = {
      {std::string("\x28") + std::string(31, 'A')},  // length 40
      {std::string("\x03") + "A\xE9" "B"},             // byte 0xE9
      {std::string("\x03") + std::string("A\0B", 3)},  // zero byte
  };
  for (const Case& c : cases) {
    std::memcpy(&r[4], c.field.data(), c.field.size());
    ASSERT_TRUE(db.WriteRecord(r));
    std::string back;
    ASSERT_TRUE(db.ReadRecord(1, back));
    EXPECT_EQ(DecodeCountedString(reinterpret_cast<const uint8_t*>(back.data()) + 4, 31), "CAR:<username>-00000001");
  }
}

TEST_F(CustomDbTest, Password) {
  TCustomDb db;
  Open(db, 100);
  EXPECT_TRUE(db.CheckPassword(""));
  EXPECT_FALSE(db.CheckPassword("x"));
  ASSERT_TRUE(db.SetPassword("tajné"));
  EXPECT_TRUE(db.CheckPassword("tajné"));
  EXPECT_FALSE(db.CheckPassword(""));
  // The hash is taken over the Windows-1250 bytes.
  uint64_t h = 0;
  for (unsigned char b : std::string("taj") + "n\xE9") h = (h + b) * 0x6C0DDCD1CAD41133ULL;
  std::string bytes = ReadFileBytes(Path("t.dat"));
  EXPECT_EQ(DecodeFixed32(reinterpret_cast<const uint8_t*>(bytes.data()) + 44), 0x67356DB1u);
  EXPECT_EQ(DecodeFixed64(reinterpret_cast<const uint8_t*>(bytes.data()) + 48), h);
  // An empty password stored counts as none.
  ASSERT_TRUE(db.SetPassword(""));
  EXPECT_TRUE(db.CheckPassword(""));
}

namespace {
struct TCrash {};
void CrashAtFirstSlotWrite(const char* stage) {
  if (std::string(stage) == "record-slot") throw TCrash{};
}
}  // namespace

// A process that dies between the segments of a new record in a reused slot
// must not leave that record with the extension bytes of the one erased
// there: until segment 0 holds the new ID, the slot stays erased.
TEST_F(CustomDbTest, RecordCutOffBetweenSegmentsStaysUnborn) {
  {
    TCustomDb db;
    Open(db, 600);
    std::string r = Record(600, -1, 'a');
    ASSERT_TRUE(db.CreateRecord(r, ""));
  }
  {
    TCustomDb db;
    db.Create(VirtualFile("t.dat"), 680, std::string(680, 'd'), "<username>", "CAR");
    std::string old = Record(680, -1, 'o');
    ASSERT_TRUE(db.CreateRecord(old, ""));  // ID 2, slot 1
    ASSERT_TRUE(db.EraseRecord(old));
    SetCrashPointHandler(CrashAtFirstSlotWrite);
    std::string fresh = Record(680, -1, 'n');
    EXPECT_THROW(db.CreateRecord(fresh, ""), TCrash);  // ID 3 into slot 1
    SetCrashPointHandler(nullptr);
  }
  TCustomDb db;
  db.Create(VirtualFile("t.dat"), 680, std::string(680, 'd'), "<username>", "CAR");
  EXPECT_EQ(db.IDAt(1), -1);
  EXPECT_LT(db.GetIndexForID(3), 0);
  std::string r = Record(680, -1, 'x');
  ASSERT_TRUE(db.CreateRecord(r, ""));
  EXPECT_EQ(IdOf(r), 4);  // the ID that was in flight is never issued again
  std::string back;
  ASSERT_TRUE(db.ReadRecord(4, back));
  EXPECT_EQ(back.substr(600), std::string(80, 'x'));
}
