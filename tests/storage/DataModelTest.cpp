#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "storage/PriceRounding.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

namespace {

// Fixture writers that follow the documented layout tables, independent of
// the code under test.
void PutI32(std::vector<uint8_t>& b, size_t off, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutF64(std::vector<uint8_t>& b, size_t off, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  for (int i = 0; i < 8; ++i) b[off + i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutF32(std::vector<uint8_t>& b, size_t off, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutStr(std::vector<uint8_t>& b, size_t off, const std::string& cp1250) {
  b[off] = static_cast<uint8_t>(cp1250.size());
  std::memcpy(&b[off + 1], cp1250.data(), cp1250.size());
}

}  // namespace

TEST(VehicleLayout, EncodesEveryFieldAtItsDocumentedOffset) {
  std::vector<uint8_t> expected(1112, 0);
  PutI32(expected, 0, 42);
  PutStr(expected, 4, "CAR:<username>-0000002A");
  PutStr(expected, 64, "1A2 3456");
  PutStr(expected, 128, "\x8A" "koda");  // Škoda in Windows-1250
  PutStr(expected, 192, "Octavia");
  PutStr(expected, 256, "Combi");
  PutStr(expected, 320, "1.9 TDI");
  PutStr(expected, 384, "modr\xE1");
  PutI32(expected, 448, 2004);
  PutStr(expected, 452, "TMBJJ41U0A1234567");
  PutStr(expected, 516, "ALH");
  PutI32(expected, 580, 7);
  PutI32(expected, 584, 3);
  PutF64(expected, 592, 45000.0);
  PutI32(expected, 600, 3);
  PutI32(expected, 604, static_cast<int32_t>(0x70164854));
  for (int i = 0; i < 125; ++i) PutI32(expected, 608 + 4 * i, -1);
  PutI32(expected, 1108, -1);

  Tautomobil v;
  InitVehicle(v);
  v.ID = 42;
  v.globalId = "CAR:<username>-0000002A";
  v.tag = "1A2 3456";
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  v.subtype = "Combi";
  v.engine = "1.9 TDI";
  v.color = "modrá";
  v.year = 2004;
  v.vin = "TMBJJ41U0A1234567";
  v.engineNumber = "ALH";
  v.commentsBLOBID = 7;
  v.ownerID = 3;
  v.lastService = 45000.0;
  v.month = 3;
  v.archived = kArchivedMark;
  std::vector<uint8_t> bytes(1112);
  EncodeVehicle(v, bytes.data());
  EXPECT_EQ(bytes, expected);

  Tautomobil back;
  DecodeVehicle(expected.data(), back);
  EXPECT_EQ(back.manufacturer, "Škoda");
  EXPECT_EQ(back.color, "modrá");
  EXPECT_EQ(back.ownerID, 3);
  EXPECT_TRUE(back.IsArchived());
}

TEST(VehicleLayout, InitVehicleIsTheDefaultRecord) {
  Tautomobil v;
  InitVehicle(v);
  std::vector<uint8_t> expected(1112, 0);
  PutI32(expected, 580, -1);
  PutI32(expected, 584, -1);
  PutI32(expected, 600, -1);
  for (int i = 0; i < 125; ++i) PutI32(expected, 608 + 4 * i, -1);
  PutI32(expected, 1108, -1);
  std::vector<uint8_t> bytes(1112);
  EncodeVehicle(v, bytes.data());
  EXPECT_EQ(bytes, expected);
}

TEST(VehicleLayout, ReservedByteSurvivesReadModifyWrite) {
  std::vector<uint8_t> disk(1112, 0);
  disk[588] = 0xAB;
  disk[591] = 0xCD;
  Tautomobil v;
  DecodeVehicle(disk.data(), v);
  v.tag = "NEW";
  std::vector<uint8_t> out(1112);
  EncodeVehicle(v, out.data());
  EXPECT_EQ(out[588], 0xAB);
  EXPECT_EQ(out[591], 0xCD);
}

TEST(VehicleReadCorrections, Table) {
  struct Case {
    double lastService;
    int32_t layoutMark;
    int32_t month;
    double wantLastService;
    int32_t wantMonth;
  } cases[] = {
      {-5, -1, 4, 0, 4},
      {std::numeric_limits<double>::quiet_NaN(), -1, 4, 0, 4},
      {EncodeDate(2100, 1, 1), -1, 4, EncodeDate(2000, 1, 1), 4},
      {EncodeDate(2049, 12, 31), -1, 4, EncodeDate(2049, 12, 31), 4},
      {40000, 0, 7, 40000, 0},  // written before the month existed
  };
  for (const Case& c : cases) {
    Tautomobil v;
    InitVehicle(v);
    v.lastService = c.lastService;
    v.layoutMark = c.layoutMark;
    v.month = c.month;
    ApplyVehicleReadCorrections(v);
    EXPECT_EQ(v.lastService, c.wantLastService);
    EXPECT_EQ(v.month, c.wantMonth);
    EXPECT_EQ(v.layoutMark, -1);
  }
}

TEST(VehicleText, YearAndDisplayName) {
  Tautomobil v;
  InitVehicle(v);
  v.year = 0;
  v.month = 5;
  EXPECT_EQ(YearText(v), "?");
  v.year = 2004;
  v.month = 13;
  EXPECT_EQ(YearText(v), "2004");
  v.month = 3;
  EXPECT_EQ(YearText(v), "3/2004");

  Tautomobil s;
  InitVehicle(s);
  s.manufacturer = "Škoda";
  s.tag = "1A2 3456";
  EXPECT_EQ(VehicleDisplayName(s), "Škoda 0 - 1A2 3456");
  s.model = "Fabia";
  s.year = 2010;
  s.tag.clear();
  EXPECT_EQ(VehicleDisplayName(s), "Škoda Fabia 2010");
  Tautomobil empty;
  InitVehicle(empty);
  EXPECT_EQ(VehicleDisplayName(empty), "0");
}

TEST(RecordLayout, EncodesEveryFieldAtItsDocumentedOffset) {
  SetClockForTests([] { return EncodeDate(2024, 1, 31) + 0.5; });
  Tzaznam r;
  InitRecord(r, 12, kKindPlan);
  SetClockForTests(nullptr);

  std::vector<uint8_t> expected(680, 0);
  PutI32(expected, 0, -1);
  PutI32(expected, 64, 12);
  PutI32(expected, 68, -1);
  PutF64(expected, 72, EncodeDate(2024, 1, 31));
  PutI32(expected, 80, 2);
  PutI32(expected, 84, -1);
  PutI32(expected, 88, -1);
  PutI32(expected, 104, -1);
  for (size_t off : {108, 112, 116, 120}) PutI32(expected, off, -1);
  for (int i = 0; i < 32; ++i) PutI32(expected, 548 + 4 * i, -1);
  std::vector<uint8_t> bytes(680);
  EncodeRecord(r.db, bytes.data());
  EXPECT_EQ(bytes, expected);

  r.db.priceWrk = 100.5f;
  r.db.priceMat = 50.25f;
  r.db.time = 510;
  r.db.invoiceNrText = "F-12";
  r.db.receiptNrText = "P/7";
  r.db.sortDate = 45000;
  r.db.flags = kFlagUnpaid | kFlagNoLaborVAT;
  PutF32(expected, 92, 100.5f);
  PutF32(expected, 96, 50.25f);
  PutI32(expected, 100, 510);
  PutStr(expected, 164, "F-12");
  PutStr(expected, 260, "P/7");
  PutI32(expected, 420, 45000);
  PutI32(expected, 424, 3);
  EncodeRecord(r.db, bytes.data());
  EXPECT_EQ(bytes, expected);

  TzaznamDb back;
  DecodeRecord(expected.data(), back);
  EXPECT_EQ(back.receiptNrText, "P/7");
  EXPECT_EQ(back.time, 510);
  EXPECT_FLOAT_EQ(back.priceMat, 50.25f);
}

TEST(RecordLayout, UnassignedBytesSurviveReadModifyWrite) {
  std::vector<uint8_t> disk(680, 0x5A);
  PutI32(disk, 0, 9);
  disk[4] = 3;  // globalId "ZZZ" (0x5A)
  for (size_t off : {164, 196, 228, 260}) disk[off] = 0;
  TzaznamDb d;
  DecodeRecord(disk.data(), d);
  d.km = 12345;
  std::vector<uint8_t> out(680);
  EncodeRecord(d, out.data());
  for (size_t i : {124, 163, 292, 419, 428, 547, 548, 679}) EXPECT_EQ(out[i], 0x5A) << i;
}

TEST(RecordKinds, WordsAndCodes) {
  const char* words[] = {"DONE", "PLAN", "PLAN_NOWARN", "ORDER", "REFUEL", "TRIP"};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(KindToText(k), words[k - 1]);
    int32_t back = 0;
    EXPECT_TRUE(TextToKind(words[k - 1], back));
    EXPECT_EQ(back, k);
  }
  EXPECT_EQ(KindToText(0), "");
  EXPECT_EQ(KindToText(7), "");
  int32_t kind = 0;
  EXPECT_FALSE(TextToKind("done", kind));
  EXPECT_EQ(kind, 1);
}

TEST(RecordHelpers, NumberOrTextAndRecordDate) {
  EXPECT_EQ(NumberOrText(0, "F-12"), "F-12");
  EXPECT_EQ(NumberOrText(-1, "F-12"), "F-12");
  EXPECT_EQ(NumberOrText(17, "F-12"), "17");
  TzaznamDb d;
  d.date = 45000.75;
  d.sortDate = 0;
  EXPECT_EQ(RecordDate(d), 45000.75);
  d.sortDate = 45010;
  EXPECT_EQ(RecordDate(d), 45010.0);
}

TEST(RecordPrice, VatLabourFlagAndRounding) {
  TzaznamDb d;
  d.priceWrk = 100;
  d.priceMat = 50;
  d.flags = kFlagNoLaborVAT;
  SetPriceRounding({false, 1});
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, true, 21, true), 160.5);
  SetPriceRounding({true, 1});
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, true, 21, true), 160);  // half to even
  d.flags = 0;
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, true, 21, true), 182);  // 181.5
  EXPECT_DOUBLE_EQ(RecordPrice(d, false, true, 21, false), 100);
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, false, 21, true), 60);  // 60.5 -> 60
  SetPriceRounding({true, 0.5});
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, false, 21, true), 60.5);
  SetPriceRounding({true, 0});  // a zero step leaves the value unchanged
  EXPECT_DOUBLE_EQ(RecordPrice(d, true, false, 21, true), 60.5);
  SetPriceRounding({});
}
