// garvelctl check on blob chains damaged the ways an interrupted save or a
// bad disk leaves them: each names the record whose text is at stake.
#include <gtest/gtest.h>

#include "shell/Stores.h"
#include "storage/Coding.h"
#include "storage/RealFileSystem.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/RunGarvelctl.h"
#include "tests/support/TempDir.h"

namespace {

struct TBlobPlace {
  int32_t first = -1, second = -1;  // blocks of the record's description
};

// A vehicle with two records whose descriptions take two blocks each; where
// the descriptions lie.
std::vector<TBlobPlace> MakeDatabase(const std::string& dir) {
  TRecordingNotifier notifier;
  CRealFileSystem fs;
  TStoreSet stores;
  TStoreOpenOptions options;
  options.showMessages = false;
  EXPECT_TRUE(OpenStores(stores, fs, dir, options));
  Tautomobil v;
  InitVehicle(v);
  v.tag = "1A2 3456";
  stores.cars->CreateCar(v, "");
  AZaznamy set(2);
  for (Tzaznam& r : set) {
    InitRecord(r, v.ID, 1);
    r.description = std::string(300, 'x');
  }
  stores.records->SaveCarRecords(v.ID, set);
  std::vector<TBlobPlace> places;
  for (const Tzaznam& r : set) {
    TBlobPlace p;
    p.first = stores.records->Blobs().FindBlock(r.db.popisBLOBID);
    int32_t length = 0;
    stores.records->Blobs().ReadBlockHead(p.first, p.second, length);
    places.push_back(p);
  }
  stores.CloseAll();
  return places;
}

void Poke(std::string& bytes, int64_t offset, int32_t value) {
  EncodeInt32(reinterpret_cast<uint8_t*>(bytes.data()) + offset, value);
}

int64_t BlockAt(int32_t block) { return 312 + 256 * static_cast<int64_t>(block); }
// The table blocks of a small file lie in order from block 0.
int64_t EntryAt(int32_t block) { return BlockAt(block / 63) + 4 + 4 * (block % 63); }

}  // namespace

TEST(CheckCommand, NamesTheRecordOfEveryDamagedChain) {
  struct TCase {
    const char* damage;
    void (*apply)(std::string& blob, const std::vector<TBlobPlace>& p);
    const char* says;
  };
  const TCase cases[] = {
      {"chain cut short", [](std::string& b, const auto& p) { Poke(b, BlockAt(p[0].first), -1); },
       "record 1: blob 2 not readable in full"},
      {"link into a free block",
       [](std::string& b, const auto& p) { Poke(b, EntryAt(p[0].second), -1); },
       "record 1: blob 2 leads into block"},
      {"two chains share a block",
       [](std::string& b, const auto& p) { Poke(b, BlockAt(p[1].first), p[0].second); },
       "shares block"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.damage);
    TTempDir dir;
    const std::vector<TBlobPlace> places = MakeDatabase(dir.Path());
    ASSERT_EQ(places.size(), 2u);
    TCtlRun clean = RunGarvelctl("check " + dir.Path());
    EXPECT_EQ(clean.status, 0) << clean.out;
    std::string blob = ReadFileBytes(dir / "db_rec_blob.dat");
    c.apply(blob, places);
    WriteFileBytes(dir / "db_rec_blob.dat", blob);
    TCtlRun check = RunGarvelctl("check " + dir.Path());
    EXPECT_EQ(check.status, 1) << check.out;
    EXPECT_NE(check.out.find(c.says), std::string::npos) << check.out;
  }
}
