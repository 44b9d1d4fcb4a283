#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>

#include "storage/BlobTable.h"
#include "storage/BlockSet.h"
#include "storage/Coding.h"
#include "storage/Errors.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

std::string I32(int32_t v) {
  std::string s(4, '\0');
  EncodeInt32(reinterpret_cast<uint8_t*>(s.data()), v);
  return s;
}

int32_t At(const std::string& bytes, size_t off) { return DecodeInt32(reinterpret_cast<const uint8_t*>(bytes.data()) + off); }

// The block table as the file holds it: the header's count of entries, read
// from the chain of table blocks that starts at block 0.
std::vector<int32_t> EntriesOnDisk(const std::string& bytes) {
  std::vector<int32_t> entries;
  const int32_t count = At(bytes, 48);
  for (int32_t block = 0; static_cast<int32_t>(entries.size()) < count; block = At(bytes, 312 + 256 * block)) {
    for (int i = 0; i < 63 && static_cast<int32_t>(entries.size()) < count; ++i)
      entries.push_back(At(bytes, 312 + 256 * block + 4 + 4 * i));
  }
  return entries;
}

void ExpectFileMatches(const TBLOBTable& t, const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  std::vector<int32_t> entries = EntriesOnDisk(bytes);
  ASSERT_EQ(static_cast<int32_t>(entries.size()), t.EntryCount());
  for (int32_t b = 0; b < t.EntryCount(); ++b) ASSERT_EQ(entries[static_cast<size_t>(b)], t.Entry(b)) << b;
  EXPECT_EQ(At(bytes, 52), t.LastID());
}

class BlobTableTest : public ::testing::Test {
 protected:
  std::string Path() { return fs.dir / "b.dat"; }
  void Open(TBLOBTable& t) { t.Create(VirtualFile("b.dat")); }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
};

}  // namespace

TEST_F(BlobTableTest, NewFileAndFirstGrowthAreExact) {
  TBLOBTable t;
  Open(t);
  std::string expected = std::string("BLOB table") + std::string(22, '\0') + I32(42014) + I32(1) + I32(256) +
                         I32(312) + I32(1) + I32(1) + std::string(128, '\0');
  for (int i = 0; i < 32; ++i) expected += I32(-1);
  expected += I32(-1) + I32(-3) + std::string(248, '\0');
  ASSERT_EQ(expected.size(), 568u);
  EXPECT_EQ(ReadFileBytes(Path()), expected);

  EXPECT_EQ(t.NewID(), 2);
  ASSERT_TRUE(t.SaveBLOB(2, "0123456789", 10));
  std::string bytes = ReadFileBytes(Path());
  ASSERT_EQ(bytes.size(), 65080u);
  EXPECT_EQ(At(bytes, 48), 15876);  // entries
  EXPECT_EQ(At(bytes, 52), 2);      // last blob ID
  // Table blocks 0..251 chained in order, the last ending the chain.
  for (int b = 0; b < 252; ++b) EXPECT_EQ(At(bytes, 312 + 256 * b), b < 251 ? b + 1 : -1) << b;
  // Entry i lives in table block i / 63 at slot i % 63.
  auto entry = [&](int i) { return At(bytes, 312 + 256 * (i / 63) + 4 + 4 * (i % 63)); };
  EXPECT_EQ(entry(0), -3);
  EXPECT_EQ(entry(251), -3);
  EXPECT_EQ(entry(252), 2);
  EXPECT_EQ(entry(253), -1);
  EXPECT_EQ(entry(15875), -1);
  // The data block: link -1, length 10, payload.
  EXPECT_EQ(At(bytes, 312 + 256 * 252), -1);
  EXPECT_EQ(At(bytes, 312 + 256 * 252 + 4), 10);
  EXPECT_EQ(bytes.substr(312 + 256 * 252 + 8, 10), "0123456789");
}

TEST_F(BlobTableTest, BlockBoundariesReuseAndDeletion) {
  TBLOBTable t;
  Open(t);
  int32_t a = t.NewID(), b = t.NewID();
  std::string s248(248, 'x'), s249(249, 'y');
  ASSERT_TRUE(t.SaveBLOB(a, s248.data(), 248));
  ASSERT_TRUE(t.SaveBLOB(b, s249.data(), 249));
  EXPECT_EQ(t.Entry(252), a);
  EXPECT_EQ(t.Entry(253), b);
  EXPECT_EQ(t.Entry(254), -2);
  EXPECT_EQ(t.Entry(255), -1);
  std::string text;
  ASSERT_TRUE(t.LoadBLOBText(b, text));
  EXPECT_EQ(text, s249);
  // A shorter text reuses the first block and frees the rest.
  ASSERT_TRUE(t.SaveBLOBText(b, "short"));
  EXPECT_EQ(t.Entry(253), b);
  EXPECT_EQ(t.Entry(254), -1);
  ASSERT_TRUE(t.LoadBLOBText(b, text));
  EXPECT_EQ(text, "short");
  // Never saved: false and empty; saved empty: true and empty.
  EXPECT_FALSE(t.LoadBLOBText(99, text));
  EXPECT_EQ(text, "");
  int32_t c = t.NewID();
  ASSERT_TRUE(t.SaveBLOBText(c, ""));
  EXPECT_TRUE(t.LoadBLOBText(c, text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(t.BLOBLength(c), 0);
  // Deleting an unknown ID changes nothing.
  EXPECT_FALSE(t.DeleteBLOB(99));
  EXPECT_FALSE(t.DeleteBLOB(0));
  EXPECT_TRUE(t.DeleteBLOB(a));
  EXPECT_EQ(t.BLOBLength(a), -1);
  ExpectFileMatches(t, Path());
  // Texts are Windows-1250 in the file.
  ASSERT_TRUE(t.SaveBLOBText(a, "čšž"));
  ASSERT_TRUE(t.LoadBLOBText(a, text));
  EXPECT_EQ(text, "čšž");
  EXPECT_EQ(t.BLOBLength(a), 3);
}

TEST_F(BlobTableTest, ContentSurvivesReopenAndGrowth) {
  std::vector<std::string> texts;
  {
    TBLOBTable t;
    Open(t);
    // Enough data to make the table grow a second time.
    for (int i = 0; i < 16000; ++i) {
      int32_t id = t.NewID();
      texts.push_back(std::string(static_cast<size_t>(i % 300), static_cast<char>('a' + i % 26)));
      ASSERT_TRUE(t.SaveBLOBText(id, texts.back()));
    }
  }
  TBLOBTable t;
  Open(t);
  EXPECT_EQ(t.EntryCount(), 15876 + 15876);  // 63 x ceil((15876 + 15872) / 63)
  ExpectFileMatches(t, Path());
  for (int i = 0; i < 16000; i += 997) {
    std::string text;
    ASSERT_TRUE(t.LoadBLOBText(i + 2, text));
    EXPECT_EQ(text, texts[static_cast<size_t>(i)]);
  }
}

TEST_F(BlobTableTest, DamagedFilesNeverCrashOrLoop) {
  {
    TBLOBTable t;
    Open(t);
    int32_t id = t.NewID();
    ASSERT_TRUE(t.SaveBLOB(id, std::string(600, 'z').data(), 600));  // blocks 252, 253, 254
  }
  const std::string good = ReadFileBytes(Path());
  auto patched = [&](size_t off, int32_t v) {
    std::string b = good;
    std::memcpy(&b[off], I32(v).data(), 4);
    return b;
  };
  const size_t block0 = 312, block252 = 312 + 256 * 252, block253 = block252 + 256;
  // Table block 251 links to 20 (a table block met before); the table chain
  // would loop.
  struct Case { const char* name; std::string bytes; const char* logged; } cases[] = {
      {"link past the table", patched(block253, 100000), "Index out of range (ID=2, index=100000"},
      {"link to block 0", patched(block253, 0), ""},  // ends the chain: a short read, no message
      {"link past the file", patched(block253, 400),
       "TBLOBTable.SeekToIndex: idx=400 (pos=102712) out of range (fileSize=65592)"},
      {"length changes", patched(block253 + 4, 599), "LoadBLOB(2): size changed from 600 to 599"},
      {"negative length", patched(block252 + 4, -5), "LoadBLOB(2): remSize=-5"},
      {"huge length", patched(block252 + 4, 0x7FFFFFFF), "LoadBLOB(2): size 2147483647 exceeds the file"},
      {"table link 0", patched(block0, 0), "LoadIDTable: next index <= 0 (0)"},
      {"table chain loops", patched(block0 + 256 * 100, 20), "LoadIDTable: next index out of range (20)"},
      {"table link past the file", patched(block0 + 256 * 100, 9999), "LoadIDTable: next index out of range (9999)"},
      {"cut inside the data", good.substr(0, block253 + 100), "TBLOBTable.SeekToIndex: idx=253"},
      {"cut inside block 0", good.substr(0, block0 + 100), "LoadIDTable: next index out of range (0)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(Path(), c.bytes);
    notifier.shown.clear();
    TBLOBTable t;
    Open(t);
    std::string text;
    // A damaged blob is never read as complete, and what was read before
    // the damage is kept (so that nobody saves an empty text over it).
    const bool loaded = t.LoadBLOBText(2, text);
    EXPECT_EQ(loaded, text.size() == 600u);
    EXPECT_EQ(text, std::string(text.size(), 'z'));
    if (std::string(c.logged).empty()) {
      EXPECT_EQ(text, std::string(248 * 2, 'z'));  // what the chain holds up to the broken link
      EXPECT_TRUE(notifier.shown.empty());
      continue;
    }
    ASSERT_FALSE(notifier.shown.empty());
    EXPECT_EQ(notifier.shown[0].caption, "Chyba");
    EXPECT_NE(notifier.shown[0].text.find(c.logged), std::string::npos) << notifier.shown[0].text;
    if (std::string(c.name) == "table link 0" || std::string(c.name) == "table chain loops") {
      // The block whose link is bad keeps its own 63 entries: table block 0
      // still marks itself, so no later save can be handed it as free.
      EXPECT_EQ(t.EntryCount(), std::string(c.name) == "table link 0" ? 63 : 63 * 101);
      EXPECT_EQ(t.Entry(0), TBLOBTable::kTableBlock);
    }
    // Whatever was damaged, the table stays usable and consistent.
    int32_t id = t.NewID();
    ASSERT_GT(id, 0);
    ASSERT_TRUE(t.SaveBLOBText(id, std::string(300, 'n')));
    ASSERT_TRUE(t.LoadBLOBText(id, text));
    EXPECT_EQ(text, std::string(300, 'n'));
    t.DeleteBLOB(2);
  }
  // A chain that loops back (253 -> 252) ends once the blob's length is read
  // and its deletion stops at the first block already freed.
  WriteFileBytes(Path(), patched(block253, 252));
  TBLOBTable t;
  Open(t);
  std::string text;
  EXPECT_TRUE(t.LoadBLOBText(2, text));
  EXPECT_EQ(text.size(), 600u);
  EXPECT_TRUE(t.DeleteBLOB(2));
  EXPECT_EQ(t.Entry(254), -2);  // never reached through the broken chain
  t.Close();
  // Wrong signature, block size and a cut header are raised.
  struct Raised { const char* name; std::string bytes; const char* message; } raised[] = {
      {"signature", patched(32, 1), "BLOB sign not valid!"},
      {"block size", patched(40, 512), "BLOB block size mismatch(512)"},
      {"cut header", good.substr(0, 100), "BLOB sign not valid!"},
      {"empty", "", "BLOB sign not valid!"},
  };
  for (const Raised& c : raised) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(Path(), c.bytes);
    for (bool readOnly : {false, true}) {
      TBLOBTable bad;
      try {
        bad.Create(VirtualFile("b.dat"), readOnly);
        ADD_FAILURE() << "opened";
      } catch (const EGarvelError& e) {
        EXPECT_STREQ(e.what(), c.message);
      }
    }
    EXPECT_EQ(ReadFileBytes(Path()), c.bytes);
  }
}

// A link damaged to point into another blob's chain must not make deleting
// or saving the first blob free (and then overwrite) the other's block.
TEST_F(BlobTableTest, DamagedLinkNeverFreesAnotherBlobsBlock) {
  const std::string two(300, 'a'), other(400, 'b');
  int32_t a = 0, b = 0;
  {
    TBLOBTable t;
    Open(t);
    a = t.NewID();
    b = t.NewID();
    ASSERT_TRUE(t.SaveBLOB(a, two.data(), 300));    // blocks 252, 253
    ASSERT_TRUE(t.SaveBLOB(b, other.data(), 400));  // blocks 254, 255
  }
  for (bool save : {false, true}) {
    SCOPED_TRACE(save ? "saving" : "deleting");
    std::string bytes = ReadFileBytes(Path());
    bytes.replace(312 + 256 * 252, 4, I32(255));  // a's first block now leads into b's second
    WriteFileBytes(Path(), bytes);
    TBLOBTable t;
    Open(t);
    if (save) {
      ASSERT_TRUE(t.SaveBLOB(a, two.data(), 300));
    } else {
      ASSERT_TRUE(t.DeleteBLOB(a));
      EXPECT_EQ(t.Entry(252), -1);
      EXPECT_EQ(t.Entry(253), -2);  // unreachable now, but not handed out
      const std::string filler(600, 'c');
      ASSERT_TRUE(t.SaveBLOB(a, filler.data(), 600));
    }
    EXPECT_EQ(t.Entry(255), -2);
    std::string text;
    ASSERT_TRUE(t.LoadBLOBText(b, text));
    EXPECT_EQ(text, other);
    ExpectFileMatches(t, Path());
  }
}

TEST_F(BlobTableTest, SecondWriterIsRefusedButReadersWork) {
  TBLOBTable t;
  Open(t);
  int32_t id = t.NewID();
  ASSERT_TRUE(t.SaveBLOBText(id, "text"));
  const std::string before = ReadFileBytes(Path());
  TBLOBTable second;
  try {
    Open(second);
    ADD_FAILURE() << "second writer opened";
  } catch (const EGarvelError& e) {
    EXPECT_NE(std::string(e.what()).find("another program"), std::string::npos) << e.what();
  }
  TBLOBTable reader;
  reader.Create(VirtualFile("b.dat"), true);
  std::string text;
  EXPECT_TRUE(reader.LoadBLOBText(id, text));
  EXPECT_EQ(text, "text");
  EXPECT_EQ(reader.NewID(), -1);
  EXPECT_FALSE(reader.SaveBLOBText(id, "other"));
  EXPECT_FALSE(reader.DeleteBLOB(id));
  EXPECT_EQ(ReadFileBytes(Path()), before);
  TBLOBTable missing;
  EXPECT_THROW(missing.Create(VirtualFile("none.dat"), true), EGarvelError);
  EXPECT_FALSE(PathExists(fs.dir / "none.dat"));

  // Closing releases the lock; a closed table refuses writes.
  t.Close();
  EXPECT_EQ(t.NewID(), -1);
  EXPECT_FALSE(t.SaveBLOBText(id, "other"));
  EXPECT_FALSE(t.DeleteBLOB(id));
  Open(second);
  EXPECT_TRUE(second.LoadBLOBText(id, text));
  EXPECT_EQ(text, "text");
}

TEST_F(BlobTableTest, NoBlobIdAfterTheLargest) {
  {
    TBLOBTable t;
    Open(t);
  }
  std::string bytes = ReadFileBytes(Path());
  std::memcpy(&bytes[52], I32(0x7FFFFFFE).data(), 4);
  WriteFileBytes(Path(), bytes);
  TBLOBTable t;
  Open(t);
  EXPECT_EQ(t.NewID(), 0x7FFFFFFF);
  EXPECT_EQ(t.NewID(), -1);
  EXPECT_EQ(At(ReadFileBytes(Path()), 52), 0x7FFFFFFF);
  ASSERT_TRUE(t.SaveBLOBText(0x7FFFFFFF, "last"));
  std::string text;
  EXPECT_TRUE(t.LoadBLOBText(0x7FFFFFFF, text));
  EXPECT_EQ(text, "last");
}

// Every prefix of a small file and every flipped bit of its header, table
// and block heads: opening and reading either works or reports, and never
// reads out of bounds or hangs.
TEST_F(BlobTableTest, TruncatedAndFlippedFilesAreReadSafely) {
  // Blocks: 0 table (entries -3, 2, -2, -1, 3), 1-2 blob 2 (300 bytes),
  // 3 free, 4 blob 3 ("hello"), built from the layout.
  std::string header = std::string("BLOB table") + std::string(22, '\0') + I32(42014) + I32(1) + I32(256) +
                       I32(312) + I32(5) + I32(3) + std::string(128, '\0');
  for (int i = 0; i < 32; ++i) header += I32(-1);
  auto block = [](int32_t link, int32_t length, const std::string& payload) {
    std::string b = I32(link) + I32(length) + payload;
    return b + std::string(256 - b.size(), '\0');
  };
  std::string table = I32(-1) + I32(-3) + I32(2) + I32(-2) + I32(-1) + I32(3);
  table += std::string(256 - table.size(), '\0');
  const std::string good = header + table + block(2, 300, std::string(248, 'a')) +
                           block(-1, 300, std::string(52, 'b')) + std::string(256, '\xFF') + block(-1, 5, "hello");
  WriteFileBytes(Path(), good);
  {
    TBLOBTable t;
    Open(t);
    std::string text;
    ASSERT_TRUE(t.LoadBLOBText(2, text));
    EXPECT_EQ(text, std::string(248, 'a') + std::string(52, 'b'));
    ASSERT_TRUE(t.LoadBLOBText(3, text));
    EXPECT_EQ(text, "hello");
  }
  auto readAll = [&](const std::string& bytes) {
    std::remove(Path().c_str());  // a new file each time: rewriting one in place makes ext4 flush it
    WriteFileBytes(Path(), bytes);
    TBLOBTable t;
    try {
      t.Create(VirtualFile("b.dat"), true);
    } catch (const EGarvelError&) {
      return;
    }
    std::string text;
    for (int32_t b = 0; b < t.EntryCount(); ++b)
      if (t.Entry(b) > 0) t.LoadBLOBText(t.Entry(b), text);
    char buffer[16];
    t.LoadBLOB(2, buffer, sizeof buffer);
    t.BLOBLength(3);
  };
  for (size_t size = 0; size < good.size(); ++size) readAll(good.substr(0, size));
  for (size_t bit = 0; bit < (312 + 256) * 8; ++bit) {
    std::string bytes = good;
    bytes[bit / 8] = static_cast<char>(bytes[bit / 8] ^ (1 << (bit % 8)));
    readAll(bytes);
  }
  for (int b = 1; b <= 4; ++b) {
    for (size_t bit = 0; bit < 64; ++bit) {
      std::string bytes = good;
      size_t at = 312 + 256 * static_cast<size_t>(b) + bit / 8;
      bytes[at] = static_cast<char>(bytes[at] ^ (1 << (bit % 8)));
      readAll(bytes);
    }
  }
}

// The free-block bitmap answers as an ordered set does, across word edges.
TEST(BlockSet, AnswersLikeAnOrderedSet) {
  std::mt19937 rng(11);
  TBlockSet bits;
  std::set<int32_t> reference;
  for (int step = 0; step < 20000; ++step) {
    int32_t block = static_cast<int32_t>(rng() % 700);
    if (rng() % 3 == 0) {
      bits.Erase(block);
      reference.erase(block);
    } else {
      bits.Insert(block);
      reference.insert(block);
    }
    ASSERT_EQ(bits.Lowest(), reference.empty() ? -1 : *reference.begin());
    int32_t from = static_cast<int32_t>(rng() % 720);
    auto it = reference.lower_bound(from);
    ASSERT_EQ(bits.From(from), it == reference.end() ? -1 : *it) << from;
  }
  bits.Clear();
  EXPECT_EQ(bits.Lowest(), -1);
  EXPECT_EQ(bits.From(0), -1);
}

// The last free blocks of a full table are taken by a text that needs more:
// the table grows past blocks the text has not written yet. That is an
// ordinary save, never an error about a write out of the file, and the
// blocks read back.
TEST_F(BlobTableTest, GrowthBehindATextsUnwrittenBlocks) {
  TBLOBTable t;
  Open(t);
  const int32_t dataBlocks = 15876 - 252;
  for (int32_t i = 0; i < dataBlocks - 2; ++i) ASSERT_TRUE(t.SaveBLOBText(t.NewID(), "x"));
  const std::string text(3 * TBLOBTable::kPayload, 'y');
  const int32_t id = t.NewID();
  ASSERT_TRUE(t.SaveBLOBText(id, text));
  EXPECT_TRUE(notifier.shown.empty());
  ExpectFileMatches(t, Path());
  std::string back;
  ASSERT_TRUE(t.LoadBLOBText(id, back));
  EXPECT_EQ(back, text);
}
