#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <unistd.h>

#include "catalogues/ContactRecord.h"
#include "shell/CalendarEvent.h"
#include "shell/CalendarUpdate.h"
#include "shell/CopyDataServer.h"
#include "shell/GarvCalendCom.h"
#include "storage/CarDb.h"
#include "storage/Coding.h"
#include "storage/Errors.h"
#include "storage/RecDb.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/support/TestRecords.h"

namespace {

// A calendar program on the socket that records what it is sent.
class TFakeCalendar {
 public:
  TFakeCalendar() : server_([this](const TCopyDataMessage& m) {
      std::lock_guard<std::mutex> lock(mutex_);
      messages_.push_back(m);
      return 1;
    }) {}
  bool Start() { return server_.Start(kCalendarWindowClass); }
  // "257:<globalId>" per message.
  std::vector<std::string> Log() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> out;
    for (const auto& m : messages_) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(m.data.data());
      out.push_back(std::to_string(DecodeInt32(p)) + ":" + DecodeCountedString(p + 8, 31));
    }
    return out;
  }
  std::vector<TCopyDataMessage> Messages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
  }

 private:
  std::mutex mutex_;
  std::vector<TCopyDataMessage> messages_;
  TCopyDataServer server_;
};

class StoresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("GARVEL_RUNTIME_DIR", fs.dir.Path().c_str(), 1);
    cars.Create("<username>");
    records.Create("<username>");
    TContactRecord c;
    InitContactDefault(c);
    std::string def(kContactWidth, '\0');
    EncodeContact(c, reinterpret_cast<uint8_t*>(def.data()));
    customers.Create(VirtualFile("db_customers.dat"), kContactWidth, def, "<username>", "CUS");
    InstallCalendarLink(cars, &customers);
  }
  void TearDown() override {
    SetCalendarLinkFactory(nullptr);
    unsetenv("GARVEL_RUNTIME_DIR");
  }
  int32_t AddCar(const std::string& tag) {
    Tautomobil v;
    InitVehicle(v);
    v.tag = tag;
    v.manufacturer = "Škoda";
    cars.CreateCar(v, "");
    return v.ID;
  }
  Tzaznam NewRecord(int32_t carID, const std::string& text) {
    Tzaznam r;
    InitRecord(r, carID, kKindDone);
    r.description = text;
    r.material = "olej";
    return r;
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TCustomCarDb cars;
  TCustomRecDb records;
  TCustomDb customers;
};

}  // namespace

TEST_F(StoresTest, VehicleRoundTripAndErase) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = "1A2 3456";
  cars.CreateCar(v, "");
  EXPECT_EQ(v.ID, 1);
  Tautomobil back;
  ASSERT_TRUE(cars.LoadCar(v.ID, back));
  EXPECT_EQ(back.comments, "");  // an empty comments blob exists
  EXPECT_GE(back.commentsBLOBID, 2);
  back.comments = "Zimní pneu v dílně";
  cars.SaveCar(back);
  ASSERT_TRUE(cars.LoadCar(v.ID, back));
  EXPECT_EQ(back.comments, "Zimní pneu v dílně");
  // A missing comments blob: EraseCar fails and keeps the record.
  ASSERT_TRUE(cars.Blobs().DeleteBLOB(back.commentsBLOBID));
  EXPECT_FALSE(cars.EraseCar(v.ID));
  EXPECT_GE(cars.GetIndexForID(v.ID), 0);
}

TEST_F(StoresTest, SaveCarRecordsTellsTheCalendarInOrder) {
  TFakeCalendar calendar;
  ASSERT_TRUE(calendar.Start());
  int32_t car = AddCar("1A2 3456");
  AZaznamy set;
  for (const char* t : {"one", "two", "three"}) set.push_back(NewRecord(car, t));
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  ASSERT_EQ(set[2].db.ID, 3);

  AZaznamy next = {set[1], NewRecord(car, "new")};
  next[0].description = "two changed";
  ASSERT_TRUE(records.SaveCarRecords(car, next));
  EXPECT_EQ(next[1].db.ID, 4);

  std::vector<std::string> log = calendar.Log();
  std::vector<std::string> tail(log.end() - 5, log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"259:REC:<username>-00000001", "257:REC:<username>-00000002",
                                            "259:REC:<username>-00000003", "257:REC:<username>-00000004",
                                            "3840:"}));
  AZaznamy stored;
  records.LoadCarRecords(car, stored);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].description, "two changed");
  // The new record took the latest erased slot (that of record 3).
  EXPECT_EQ(records.GetIndexForID(4), 2);
  EXPECT_EQ(stored[1].db.ID, 4);
  EXPECT_EQ(stored[1].material, "olej");
}

TEST_F(StoresTest, EraseAllSendsOneDeletePerRecordThenEndOfBatch) {
  int32_t car = AddCar("X");
  int32_t other = AddCar("Y");
  AZaznamy set = {NewRecord(car, "a"), NewRecord(car, "b")};
  records.SaveCarRecords(car, set);
  AZaznamy keep = {NewRecord(other, "c")};
  records.SaveCarRecords(other, keep);
  TFakeCalendar calendar;
  ASSERT_TRUE(calendar.Start());
  ASSERT_TRUE(records.EraseAllCarRecords(car));
  EXPECT_EQ(calendar.Log(), (std::vector<std::string>{"259:REC:<username>-00000001", "259:REC:<username>-00000002", "3840:"}));
  EXPECT_EQ(records.RecordCountOf(car), 0u);
  EXPECT_EQ(records.RecordCountOf(other), 1u);
}

TEST_F(StoresTest, RecordOperationsReportErrors) {
  int32_t car = AddCar("X");
  AZaznamy set = {NewRecord(car, "a")};
  records.SaveCarRecords(car, set);
  Tzaznam moved = set[0];
  moved.db.carID = car + 1;
  EXPECT_FALSE(records.SaveCarRecord(moved));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_NE(notifier.shown[0].text.find("SaveCarRecord"), std::string::npos);
  Tzaznam stored;
  ASSERT_TRUE(records.LoadCarRecord(set[0].db.ID, stored));
  EXPECT_EQ(stored.db.carID, car);

  Tzaznam existing = set[0];
  EXPECT_FALSE(records.CreateCarRecord(existing, car, ""));
  EXPECT_EQ(notifier.shown.back().text, "CreateCarRecord: Error! Z.db.ID.ID >= 0");
  Tzaznam fresh = NewRecord(car, "x");
  EXPECT_FALSE(records.EraseCarRecord(fresh));
  EXPECT_EQ(notifier.shown.back().text, "EraseCarRecord: Error! Z.db.ID.ID < 0");
}

// Saving a vehicle's records writes only what changed: a record left as it
// was keeps its texts where they are, even with free blocks below them.
TEST_F(StoresTest, SaveCarRecordsLeavesUnchangedRecordsAlone) {
  const int32_t car = AddCar("1A2 3456");
  AZaznamy set = {NewRecord(car, "první"), NewRecord(car, "druhý"), NewRecord(car, "třetí")};
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  set.erase(set.begin());  // frees the lowest blocks
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  const int32_t first = records.Blobs().FindBlock(set[0].db.popisBLOBID);
  set[1].description = "třetí, změněný";
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  EXPECT_EQ(records.Blobs().FindBlock(set[0].db.popisBLOBID), first);
  AZaznamy back;
  records.LoadCarRecords(car, back);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].description, "druhý");
  EXPECT_EQ(back[1].description, "třetí, změněný");
}

TEST_F(StoresTest, StoresSurviveReopenWithCarIdList) {
  int32_t a = AddCar("A"), b = AddCar("B");
  AZaznamy ra = {NewRecord(a, "1"), NewRecord(a, "2")};
  AZaznamy rb = {NewRecord(b, "3")};
  records.SaveCarRecords(a, ra);
  records.SaveCarRecords(b, rb);
  records.Close();
  TCustomRecDb again;
  again.Create("<username>");
  AZaznamy back;
  again.LoadCarRecords(a, back);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].description, "2");
  EXPECT_EQ(again.CarIDAt(2), b);
}

TEST(CalendarEvent, AddEventBytes) {
  SetClockForTests([] { return EncodeDate(2024, 3, 1); });
  Tzaznam r;
  InitRecord(r, 1, kKindPlan);
  SetClockForTests(nullptr);
  r.db.globalId = "REC:u-00000007";
  r.db.time = 510;
  r.db.duration = 90;
  r.description = "Výměna oleje\r\nfiltr";
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Škoda";
  v.model = "Fabia";
  v.engine = "1.2";
  v.year = 2010;
  v.tag = "1A2";
  v.vin = "TMB";
  TContactRecord o;
  InitContact(o);
  o.surname = "Novák";
  o.firstName = "Jan";
  std::string e = BuildAddOrChangeEvent(r, v, o);
  ASSERT_EQ(e.size(), 1352u);
  const uint8_t* p = reinterpret_cast<const uint8_t*>(e.data());
  EXPECT_EQ(DecodeInt32(p), 257);
  EXPECT_EQ(DecodeCountedString(p + 8, 31), "REC:u-00000007");
  EXPECT_EQ(DecodeCountedString(p + 40, 255), "Novák: Výměna oleje, filtr");
  EXPECT_DOUBLE_EQ(DecodeDouble(p + 1320), EncodeDate(2024, 3, 1) + 510 / 1440.0);
  EXPECT_EQ(p[1328], 1);
  EXPECT_EQ(DecodeInt32(p + 1332), 90);
  EXPECT_EQ(DecodeInt32(p + 1336), -10080);
  EXPECT_EQ(DecodeInt32(p + 1340), 0x00FF00);
  EXPECT_EQ(DecodeInt32(p + 1344), 2);
  std::string body(e.data() + 296);
  EXPECT_EQ(body, "Jan Nov\xE1k\r\n\r\n\r\ntel. \r\ne-mail: \r\n\r\n\x8Akoda Fabia , 1.2 r.v. 2010\r\nRZ: 1A2, VIN: TMB\r\n\r\nV\xFDm\xECna oleje\r\nfiltr");
}

TEST(CalendarEvent, UpdateRequestSelection) {
  TzaznamDb d;
  const int32_t first = 45000, last = 45006;
  struct Case { int32_t day; int32_t kind; bool selected; } cases[] = {
      {45000, kKindDone, true},  {45006, kKindDone, true},  {44999, kKindDone, false},
      {44000, kKindPlan, true},  {44000, kKindOrder, true}, {44000, kKindPlanNoWarn, false},
      {45007, kKindPlan, false},
  };
  for (const Case& c : cases) {
    d.date = c.day + 0.5;
    d.sortDate = 0;
    d.kind = c.kind;
    EXPECT_EQ(CalendarRequestSelects(d, first, last), c.selected) << c.day << " " << c.kind;
  }
}

TEST_F(StoresTest, CalendarUpdateRequestSendsTheWeekAndOlderPlans) {
  int32_t car = AddCar("X");
  struct R { int32_t kind; TDateTime date; } specs[] = {
      {kKindDone, EncodeDate(2024, 3, 4)},   // in the week
      {kKindDone, EncodeDate(2024, 3, 1)},   // before: left out
      {kKindPlan, EncodeDate(2023, 1, 1)},   // planned long ago: sent
      {kKindOrder, EncodeDate(2022, 1, 1)},  // ordered long ago: sent
      {kKindPlan, EncodeDate(2024, 3, 11)},  // after the week: left out
  };
  AZaznamy set;
  for (const R& s : specs) {
    Tzaznam r = NewRecord(car, "x");
    r.db.kind = s.kind;
    r.db.date = s.date;
    set.push_back(r);
  }
  records.SaveCarRecords(car, set);
  std::string request(12, '\0');
  uint8_t* p = reinterpret_cast<uint8_t*>(request.data());
  EncodeInt32(p, 256);
  EncodeInt32(p + 4, static_cast<int32_t>(EncodeDate(2024, 3, 4)));
  EncodeInt32(p + 8, static_cast<int32_t>(EncodeDate(2024, 3, 10)));
  auto parsed = ParseCalendarRequest(request);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_FALSE(ParseCalendarRequest(request.substr(0, 8)).has_value());

  TFakeCalendar calendar;
  ASSERT_TRUE(calendar.Start());
  EXPECT_EQ(SendCalendarPeriod(cars, records, *parsed), 3);
  EXPECT_EQ(calendar.Log(), (std::vector<std::string>{"257:REC:<username>-00000001", "257:REC:<username>-00000003",
                                                      "257:REC:<username>-00000004", "3840:"}));
}

TEST_F(StoresTest, RecordsNotReadCleanlyAreNeverWrittenBackOrErased) {
  int32_t car = AddCar("X");
  AZaznamy set = {NewRecord(car, std::string(600, 'x')), NewRecord(car, "b"), NewRecord(car, "c")};
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  // The second block of the first description claims another length: the
  // blob fails part-way.
  const int32_t first = records.Blobs().FindBlock(set[0].db.popisBLOBID);
  const int32_t second = SecondBlockOf(records.Blobs(), set[0].db.popisBLOBID);
  ASSERT_GT(second, 0);
  records.Close();
  const std::string blobPath = fs.dir / "db_rec_blob.dat";
  PatchBlockLength(blobPath, second, 599);
  const std::string bytes = ReadFileBytes(blobPath);
  records.Create("<username>");

  AZaznamy loaded;
  EXPECT_FALSE(records.LoadCarRecords(car, loaded));
  ASSERT_EQ(loaded.size(), 3u);
  EXPECT_TRUE(loaded[0].damaged);
  EXPECT_EQ(loaded[0].description, std::string(248, 'x'));  // what was read, not ""
  EXPECT_FALSE(loaded[1].damaged);

  // Saving the set changes the clean records only; dropping the damaged one
  // does not erase it. Neither counts as a failed save.
  loaded[0].description = "";
  loaded[1].description = "b2";
  ASSERT_TRUE(records.SaveCarRecords(car, loaded));
  AZaznamy withoutFirst = {loaded[1], loaded[2]};
  ASSERT_TRUE(records.SaveCarRecords(car, withoutFirst));
  EXPECT_EQ(ReadFileBytes(blobPath).substr(312 + 256 * first, 256), bytes.substr(312 + 256 * first, 256));
  Tzaznam again;
  EXPECT_FALSE(records.LoadCarRecord(set[0].db.ID, again));
  EXPECT_TRUE(again.damaged);
  EXPECT_EQ(again.description, std::string(248, 'x'));
  EXPECT_EQ(records.RecordCountOf(car), 3u);
  // Asked directly, the store refuses both.
  notifier.shown.clear();
  EXPECT_FALSE(records.SaveCarRecord(again));
  EXPECT_FALSE(records.EraseCarRecord(again));
  EXPECT_EQ(notifier.shown.size(), 2u);

  // A blob that is missing altogether held nothing to lose: the record is
  // not damaged, and saving it stores the text again.
  ASSERT_TRUE(records.Blobs().DeleteBLOB(loaded[2].db.materialBLOBID));
  AZaznamy missing;
  EXPECT_FALSE(records.LoadCarRecords(car, missing));  // the first record is still damaged
  ASSERT_EQ(missing.size(), 3u);
  EXPECT_FALSE(missing[2].damaged);
  EXPECT_EQ(missing[2].material, "");
  missing[2].material = "filtr";
  ASSERT_TRUE(records.SaveCarRecords(car, missing));
  Tzaznam restored;
  ASSERT_TRUE(records.LoadCarRecord(loaded[2].db.ID, restored));
  EXPECT_EQ(restored.material, "filtr");
}

TEST_F(StoresTest, UnreadableSlotIsLeftOutAndKept) {
  int32_t car = AddCar("X");
  AZaznamy set = {NewRecord(car, "a"), NewRecord(car, "b"), NewRecord(car, "c")};
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  // The file loses the middle of its last slot while the store is open.
  const std::string path = fs.dir / "db_records.dat";
  const std::string whole = ReadFileBytes(path);
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(whole.size() - 100)), 0);
  AZaznamy loaded;
  EXPECT_FALSE(records.LoadCarRecords(car, loaded));
  ASSERT_EQ(loaded.size(), 2u);  // no blank record in place of the third
  EXPECT_EQ(loaded[1].description, "b");
  ASSERT_TRUE(records.SaveCarRecords(car, loaded));
  WriteFileBytes(path, ReadFileBytes(path) + whole.substr(whole.size() - 100));
  Tzaznam third;
  ASSERT_TRUE(records.LoadCarRecord(set[2].db.ID, third));
  EXPECT_EQ(third.description, "c");
  EXPECT_EQ(records.RecordCountOf(car), 3u);
}

TEST_F(StoresTest, SaveCarRecordsReportsFailedWrites) {
  int32_t car = AddCar("X");
  AZaznamy set = {NewRecord(car, "a")};
  ASSERT_TRUE(records.SaveCarRecords(car, set));
  records.Close();
  TCustomRecDb readOnly;
  readOnly.Create(VirtualFile("db_records.dat"), VirtualFile("db_rec_blob.dat"), "<username>", true);
  set[0].description = "changed";
  set.push_back(NewRecord(car, "new"));
  EXPECT_FALSE(readOnly.SaveCarRecords(car, set));
  EXPECT_FALSE(notifier.shown.empty());
}
