#include <gtest/gtest.h>

#include "servicebook/RefuelForm.h"
#include "servicebook/RefuelTrip.h"
#include "servicebook/TripForm.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingNotifier.h"

namespace {

const TDateTime kNow = EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 0);

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetClockForTests([] { return kNow; }); }
  void TearDown() override { SetClockForTests(nullptr); }
  TRecordingNotifier notifier;
};

Tzaznam Record(int32_t kind, const std::string& description) {
  Tzaznam r;
  InitRecord(r, 1, kind);
  r.description = description;
  return r;
}

}  // namespace

TEST_F(FormsTest, TripKmBoxesKeepEachOtherConsistent) {
  using B = TTripForm::TKmBox;
  struct Case {
    const char *begin, *end, *count;
    B typed;
    const char *wantEnd, *wantCount;
  } cases[] = {
      {"1000", "", "250", B::Count, "1250", "250"},
      {"1000", "", "250", B::Begin, "1250", "250"},
      {"1000", "1300", "", B::End, "1300", "300"},
      {"1000", "900", "50", B::End, "900", ""},       // negative: the count empties
      {"1000", "1300", "7", B::Begin, "1300", "300"},  // begin and end win over the count
      {"x", "1300", "", B::End, "1300", ""},
  };
  for (const Case& c : cases) {
    TTripForm f;
    f.fields.beginKM = c.begin;
    f.fields.endKM = c.end;
    f.fields.countKM = c.count;
    f.KmChanged(c.typed);
    EXPECT_EQ(f.fields.endKM, c.wantEnd) << c.begin << " " << c.end << " " << c.count;
    EXPECT_EQ(f.fields.countKM, c.wantCount) << c.begin << " " << c.end << " " << c.count;
  }
}

TEST_F(FormsTest, TripChecksInOrder) {
  const TDateTime day = EncodeDate(2024, 3, 15);
  struct Case {
    TDateTime beginDate, beginTime;
    bool beginUsed;
    TDateTime endDate, endTime;
    bool endUsed;
    const char *begin, *end, *count;
    const char* message;
  } cases[] = {
      // Only a begin time on one day: the end is the last moment of the day.
      {day, day + 0.9, true, day, day, false, "", "", "", nullptr},
      {day, day + 0.5, true, day, day + 0.4, true, "", "", "", "Počáteční datum je vetší než koncové!"},
      {day + 1, day, false, day, day, false, "", "", "", "Počáteční datum je vetší než koncové!"},
      {day, day, false, day, day, false, "1000", "12a", "", "Stavy KM nejsou vpořádku!"},
      {day, day, false, day, day, false, "-4", "", "", "Stavy KM nejsou vpořádku!"},
      {day, day, false, day, day, false, "1000", "900", "", "Počáteční stav KM je větší než koncový stav KM!"},
      {day, day, false, day, day, false, "1000", "1300", "200", "Počet KM nesedí s počátečním a koncovým stavem!"},
      {day, day, false, day, day, false, "1000", "1300", "300", nullptr},
  };
  for (const Case& c : cases) {
    TTripForm f;
    f.fields.beginDate = c.beginDate;
    f.fields.beginTime = c.beginTime;
    f.fields.beginTimeUsed = c.beginUsed;
    f.fields.endDate = c.endDate;
    f.fields.endTime = c.endTime;
    f.fields.endTimeUsed = c.endUsed;
    f.fields.beginKM = c.begin;
    f.fields.endKM = c.end;
    f.fields.countKM = c.count;
    notifier.shown.clear();
    EXPECT_EQ(f.Confirm(), c.message == nullptr) << (c.message ? c.message : "ok");
    if (c.message) {
      ASSERT_EQ(notifier.shown.size(), 1u);
      EXPECT_EQ(notifier.shown[0].text, c.message);
      EXPECT_EQ(notifier.shown[0].caption, "Chyba");
    }
  }
}

TEST_F(FormsTest, TripTextRoundTripsAndDamagedTextsOpen) {
  TTripRecord t;
  t.beginDate = EncodeDate(2024, 3, 5) + EncodeTime(7, 5, 0);
  t.beginTime = t.beginDate;
  t.beginTimeUsed = true;
  t.endDate = EncodeDate(2024, 3, 6);
  t.endTime = 0;
  t.from = "Brno|sever";
  t.to = "Praha";
  t.roundTrip = true;
  t.purpose = "a=b";
  t.comment = "řádek 1\r\nřádek 2";
  t.beginKM = "1000";
  const std::string text = EncodeTrip(t);
  EXPECT_EQ(text,
            "beginDate=5.3.2024.7.5|beginTime=5.3.2024.7.5|endDate=6.3.2024.0.0|endTime=!|from=Brno/sever|"
            "to=Praha|roundTrip=1|purpose=a:b|comment=řádek 1\r\nřádek 2|beginKM=1000|endKM=|countKM=|");
  EXPECT_EQ(TripDescription(text), "Cesta Brno/sever -> Praha a zpět");

  Tzaznam r = Record(kKindTrip, text);
  TTripForm f;
  f.Open(r);
  EXPECT_EQ(f.fields.from, "Brno/sever");
  EXPECT_TRUE(f.fields.beginTimeUsed);
  EXPECT_FALSE(f.fields.endTimeUsed);
  EXPECT_DOUBLE_EQ(f.fields.endDate, EncodeDate(2024, 3, 6));
  EXPECT_EQ(f.fields.comment, "řádek 1\r\nřádek 2");
  ASSERT_TRUE(f.Confirm());
  f.WriteRecord(r);
  EXPECT_EQ(r.db.km, 1000);
  EXPECT_DOUBLE_EQ(r.db.date, EncodeDate(2024, 3, 5));
  EXPECT_EQ(r.description, text);

  // Unknown keys are skipped, a malformed date stays at now, keys match in
  // any case; nothing of this stops the editor.
  f.Open(Record(kKindTrip, "BEGINKM=5|weather=rain|beginDate=31.2.2024.1.1|endDate=1.2|FROM=A|"));
  EXPECT_EQ(f.fields.beginKM, "5");
  EXPECT_EQ(f.fields.from, "A");
  EXPECT_DOUBLE_EQ(f.fields.beginDate, kNow);
  EXPECT_DOUBLE_EQ(f.fields.endDate, kNow);
  f.Open(Record(kKindTrip, std::string("\x01\xFF|||===", 8)));
  EXPECT_EQ(f.fields.to, "");
}

TEST_F(FormsTest, RefuelChecksAndWhatIsStored) {
  // All boxes empty: km -1 and a text with -1 for both numbers.
  TRefuelForm f;
  Tzaznam r = Record(kKindRefuel, "");
  r.db.km = -1;
  f.Open(r);
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(f.fields.day, "15");
  ASSERT_TRUE(f.Confirm());
  f.WriteRecord(r);
  EXPECT_EQ(r.db.km, -1);
  EXPECT_EQ(r.description, "litres=-1,00|literprice=-1,00|full=0|place=");
  EXPECT_EQ(RefuelingDescription(r.description), "");

  struct Case {
    const char *km, *litres, *price, *day;
    const char* message;
  } cases[] = {
      {"", "45,5", "32.9", "15", nullptr},
      {"", "abc", "", "15", "Počet litrů je špatně vyplněn."},
      {"", "-3", "", "15", "Počet litrů je špatně vyplněn."},
      {"", "", "1e300", "15", "Cena za litr je špatně vyplněna."},
      {"12,5", "", "", "15", "Stav KM je špatně vyplněn."},
      {"", "", "", "31", "Datum je špatně vyplněn."},  // 31 March exists, 31 February not
  };
  for (const Case& c : cases) {
    f.fields.km = c.km;
    f.fields.litres = c.litres;
    f.fields.literPrice = c.price;
    f.fields.day = c.day;
    f.fields.month = c.message && std::string(c.message).starts_with("Datum") ? "2" : "3";
    notifier.shown.clear();
    EXPECT_EQ(f.Confirm(), c.message == nullptr) << c.litres << c.price;
    if (c.message) {
      ASSERT_EQ(notifier.shown.size(), 1u);
      EXPECT_EQ(notifier.shown[0].text, c.message);
    }
  }

  f.fields = TRefuelFields{"51000", "45,5", "32,9", true, "Shell|Brno", "1", "3", "2024"};
  ASSERT_TRUE(f.Confirm());
  f.WriteRecord(r);
  EXPECT_EQ(r.db.km, 51000);
  EXPECT_DOUBLE_EQ(r.db.date, EncodeDate(2024, 3, 1));
  EXPECT_EQ(RefuelingDescription(r.description), "tankováno 45,50 litrů (do plné nádrže); 32,90 kč/litr; Shell/Brno");

  // A text with a foreign key says so but shows what it could read.
  r.description = "litres=20|colour=red|place=OMV";
  notifier.shown.clear();
  f.Open(r);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Došlo k chybě při dekódování");
  EXPECT_EQ(f.fields.litres, "20,00");
  EXPECT_EQ(f.fields.place, "OMV");
  EXPECT_EQ(f.fields.literPrice, "");
}
