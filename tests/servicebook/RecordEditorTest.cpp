#include <gtest/gtest.h>

#include "servicebook/RecordEditor.h"
#include "storage/DateTime.h"
#include "storage/PriceRounding.h"
#include "tests/support/RecordingNotifier.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 3, 15);

class RecordEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClockForTests([] { return kToday + 0.5; });
    SetPriceRounding({true, 1});
  }
  void TearDown() override { SetClockForTests(nullptr); }

  static TActRecord Line(uint8_t type, float count, float price, float purchase = 0) {
    TActRecord a;
    a.itemType = type;
    a.count = count;
    a.price = price;
    a.purchasePrice = purchase;
    a.text = type == kItemActivity ? "Práce" : "Díl";
    return a;
  }
  static Tzaznam Record(int32_t kind, const std::string& description) {
    Tzaznam r;
    InitRecord(r, 7, kind);
    r.description = description;
    return r;
  }

  TRecordingNotifier notifier;
};

}  // namespace

TEST_F(RecordEditorTest, NewRecordsStartFromTodayAndPlansWithoutDate) {
  TRecordEditor e;
  e.OpenNew(kKindDone);
  EXPECT_TRUE(e.IsNew());
  EXPECT_TRUE(e.ConfirmShown());
  EXPECT_TRUE(e.ListStyle());
  EXPECT_TRUE(e.DateShown());
  EXPECT_FALSE(e.LatestShown());
  EXPECT_EQ(e.DefaultQuantity(), 1.0f);
  EXPECT_EQ(e.fields.day, 15);
  EXPECT_EQ(e.fields.year, 2024);

  // A plan confirmed without "Nejpozději dne" is stored undated; it has no
  // time group and new lines get quantity 0.
  e.OpenNew(kKindPlan);
  EXPECT_TRUE(e.LatestShown());
  EXPECT_FALSE(e.DateShown());
  EXPECT_FALSE(e.TimeGroupShown());
  EXPECT_FALSE(e.PaidShown());
  EXPECT_EQ(e.DefaultQuantity(), 0.0f);
  ASSERT_TRUE(e.Confirm());
  Tzaznam r = Record(kKindPlan, "");
  e.WriteRecord(r);
  EXPECT_EQ(r.db.date, 0);
  EXPECT_EQ(r.db.kind, kKindPlan);
  EXPECT_EQ(r.db.km, -1);
  EXPECT_EQ(r.db.time, 0);
  EXPECT_EQ(r.db.duration, -1);
  EXPECT_EQ(r.description, "\x04");

  TRecordEditor text(TRecordEditorSettings{.usegraphmode = false});
  text.OpenNew(kKindOrder);
  EXPECT_FALSE(text.ListStyle());
}

TEST_F(RecordEditorTest, ConfirmChecksInOrder) {
  struct Case {
    std::string km, startH, startMin, durH, durMin;
    int day, month;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"", "", "", "", "", 15, 3, nullptr},
      {"123456", "8", "90", "1", "  05", 15, 3, nullptr},  // minutes up to 1440, blanks and zeros ignored
      {"12a", "", "", "", "", 15, 3, "Stav KM není číselná hodnota"},
      {"-5", "", "", "", "", 15, 3, "Stav KM není číselná hodnota"},
      {"12a", "99", "", "", "", 31, 2, "Stav KM není číselná hodnota"},  // km first
      {"", "25", "", "", "", 15, 3, "Údaje o čase jsou neplatné"},
      {"", "", "1441", "", "", 15, 3, "Údaje o čase jsou neplatné"},
      {"", "", "", "241", "", 15, 3, "Údaje o čase jsou neplatné"},
      {"", "", "", "x", "", 15, 3, "Údaje o čase jsou neplatné"},
      {"", "", "", "", "", 31, 2, "Neexistující datum."},
  };
  for (const Case& c : cases) {
    TRecordEditor e;
    e.OpenNew(kKindDone);
    e.fields.km = c.km;
    e.fields.startHours = c.startH;
    e.fields.startMinutes = c.startMin;
    e.fields.durationHours = c.durH;
    e.fields.durationMinutes = c.durMin;
    e.fields.day = c.day;
    e.fields.month = c.month;
    notifier.shown.clear();
    const bool ok = e.Confirm();
    EXPECT_EQ(ok, c.message == nullptr) << c.km << "/" << c.startMin;
    if (c.message) {
      ASSERT_EQ(notifier.shown.size(), 1u);
      EXPECT_EQ(notifier.shown[0].text, c.message);
      EXPECT_EQ(notifier.shown[0].caption, "Chyba");
      EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Warning);
    }
  }
  // A start minute of 90 is stored as hours × 60 + 90.
  TRecordEditor e;
  e.OpenNew(kKindDone);
  e.fields.startHours = "8";
  e.fields.startMinutes = "90";
  e.fields.durationMinutes = "05";
  Tzaznam r = Record(kKindDone, "");
  e.WriteRecord(r);
  EXPECT_EQ(r.db.time, 8 * 60 + 90);
  EXPECT_EQ(r.db.duration, 5);
}

TEST_F(RecordEditorTest, ListStyleStoresRoundedPricesWithoutVatAndRebuildsFlags) {
  TRecordEditor e;
  e.OpenNew(kKindDone);
  e.AppendLines({Line(kItemActivity, 1.5f, 333.3f), Line(kItemMaterial, 2, 10.25f)});
  e.fields.km = "1000";
  e.fields.laborVAT = false;
  e.fields.paid = false;
  Tzaznam r = Record(kKindDone, "");
  r.db.flags = 0xF0;  // other bits are cleared
  e.WriteRecord(r);
  EXPECT_FLOAT_EQ(r.db.priceWrk, 500);  // 499.95 rounded, no VAT whatever the box says
  EXPECT_FLOAT_EQ(r.db.priceMat, 20);   // 20.5 to even
  EXPECT_EQ(r.db.flags, kFlagNoLaborVAT | kFlagUnpaid);
  EXPECT_EQ(r.db.km, 1000);
  EXPECT_EQ(r.db.date, kToday);
  TActRecordList back;
  ASSERT_TRUE(DecodeActivities(r.description, back));
  EXPECT_EQ(back.size(), 2u);

  // "Zaplaceno" only means something for a performed service.
  e.KindChanged(kKindOrder);
  e.WriteRecord(r);
  EXPECT_EQ(r.db.flags, kFlagNoLaborVAT);
}

TEST_F(RecordEditorTest, OpeningPicksTheStyleFromTheDescription) {
  TActRecordList list{Line(kItemActivity, 1, 100)};
  struct Case {
    std::string description;
    bool graph;
    bool listStyle;
  } cases[] = {
      {"volný text", true, false},
      {"", true, false},
      {EncodeActivities(list), false, true},
      {"\x04\x01" "corrupt", true, false},
  };
  for (const Case& c : cases) {
    TRecordEditor e(TRecordEditorSettings{.usegraphmode = c.graph});
    e.OpenExisting(Record(kKindDone, c.description), true);
    EXPECT_EQ(e.ListStyle(), c.listStyle) << c.description;
    EXPECT_EQ(e.Lines().size(), c.listStyle ? 1u : 0u);
  }

  Tzaznam r = Record(kKindDone, "text");
  r.db.km = -1;
  r.db.duration = 65;
  r.db.time = 510;
  r.db.priceWrk = 149.6f;
  r.db.flags = kFlagUnpaid;
  r.material = "olej";
  TRecordEditor e;
  e.OpenExisting(r, true);
  EXPECT_TRUE(e.Locked());
  EXPECT_FALSE(e.ConfirmShown());
  EXPECT_EQ(e.fields.km, "");
  EXPECT_EQ(e.fields.durationHours, "01");
  EXPECT_EQ(e.fields.durationMinutes, "05");
  EXPECT_EQ(e.fields.startHours, "8");
  EXPECT_EQ(e.fields.startMinutes, "30");
  EXPECT_EQ(e.fields.priceWork, 150);
  EXPECT_FALSE(e.fields.paid);
  EXPECT_TRUE(e.fields.laborVAT);
  EXPECT_FALSE(e.ExternalInputShown());
  e.Unlock();
  e.MarkChanged();
  EXPECT_TRUE(e.ConfirmShown());
  EXPECT_TRUE(e.ExternalInputShown());

  // Text style writes the texts cleaned of the list's control characters.
  e.fields.description = "a\x01" "b\x04";
  e.fields.priceWork = -1;
  Tzaznam out = r;
  e.WriteRecord(out);
  EXPECT_EQ(out.description, "a[b#");
  EXPECT_EQ(out.material, "olej");
  EXPECT_FLOAT_EQ(out.db.priceWrk, -1);
}

TEST_F(RecordEditorTest, UndatedPlanTurnedIntoServiceGetsToday) {
  Tzaznam plan = Record(kKindPlan, "");
  plan.db.date = 0;
  TRecordEditor e;
  e.OpenExisting(plan, false);
  EXPECT_FALSE(e.fields.latest);
  EXPECT_EQ(e.fields.year, 2024);  // not 1899 when the box gets checked
  e.KindChanged(kKindDone);
  EXPECT_TRUE(e.fields.latest);
  EXPECT_TRUE(e.DateShown());
  EXPECT_EQ(e.DefaultQuantity(), 1.0f);
  EXPECT_TRUE(e.ConfirmShown());
  Tzaznam out = plan;
  e.WriteRecord(out);
  EXPECT_EQ(out.db.date, kToday);

  // A dated plan keeps its date through the change.
  plan.db.date = EncodeDate(2024, 6, 1);
  e.OpenExisting(plan, false);
  e.KindChanged(kKindOrder);
  e.WriteRecord(out);
  EXPECT_EQ(out.db.date, EncodeDate(2024, 6, 1));
}

TEST_F(RecordEditorTest, InPlaceValuesFollowTheUnitQuantityTotalRule) {
  struct Case {
    uint8_t type;
    float count, price;
    int column;
    const char* typed;
    float wantCount, wantPrice;
  } cases[] = {
      {kItemActivity, 0, 0, kColTotal, "300", 1, 300},
      {kItemActivity, 2, 0, kColTotal, "300", 2, 150},
      {kItemActivity, 0, 100, kColTotal, "300", 3, 100},
      {kItemActivity, 1, 100, kColCount, "1:30", 1.5f, 100},
      {kItemActivity, 1, 100, kColCount, "2,5", 2.5f, 100},
      {kItemMaterial, 2, 0, kColTotalVAT, "242", 2, 100},   // 242 / 1.21 / 2
      {kItemMaterial, 1, 0, kColPriceVAT, "121", 1, 100},
      {kItemActivity, 1, 100, kColPrice, "abc", 1, 100},   // not a number: nothing
      {kItemActivity, 1, 100, kColPrice, "1e300", 1, 100}, // beyond bounds: nothing
  };
  for (const Case& c : cases) {
    TRecordEditor e;
    e.OpenNew(kKindDone);
    e.AppendLines({Line(c.type, c.count, c.price)});
    e.SetLineValue(0, c.column, c.typed);
    EXPECT_FLOAT_EQ(e.Lines()[0].count, c.wantCount) << c.typed;
    EXPECT_NEAR(e.Lines()[0].price, c.wantPrice, 1e-3) << c.typed;
  }

  // Purchase price with VAT, and what the columns show.
  TRecordEditor e;
  e.OpenNew(kKindDone);
  e.AppendLines({Line(kItemActivity, 1.5f, 200)});
  ASSERT_TRUE(e.SetLineValue(0, kColPurchaseVAT, "121"));
  EXPECT_NEAR(e.Lines()[0].purchasePrice, 100, 1e-3);
  EXPECT_EQ(e.CellText(0, kColCount), "1:30");
  EXPECT_EQ(e.CellText(0, kColPriceVAT), "242,00");
  EXPECT_EQ(e.CellText(0, kColTotalVAT), "363,00");
  // Labour without VAT: the VAT columns equal the plain ones.
  e.fields.laborVAT = false;
  EXPECT_EQ(e.CellText(0, kColTotalVAT), "300,00");
}

TEST_F(RecordEditorTest, VatAppliesOnlyToPayersAndSaneRates) {
  struct Case {
    bool taxpaid;
    double rate;
    bool laborVAT;
    double labourVAT, materialVAT, total;
  } cases[] = {
      {true, 21, true, 63, 21, 484},
      {true, 21, false, 0, 21, 421},
      {false, 21, true, 0, 0, 400},   // not a VAT payer: no VAT on labour either
      {true, -150, true, 0, 0, 400},  // a rate that would make prices negative
  };
  for (const Case& c : cases) {
    TRecordEditor e(TRecordEditorSettings{.taxpaid = c.taxpaid, .taxrate = c.rate});
    e.OpenNew(kKindDone);
    e.fields.laborVAT = c.laborVAT;
    e.AppendLines({Line(kItemActivity, 1.5f, 200, 120), Line(kItemMaterial, 2, 50, 30)});
    const TEditorSums s = e.Sums();
    EXPECT_DOUBLE_EQ(s.hours, 1.5);
    EXPECT_DOUBLE_EQ(s.labour, 300);
    EXPECT_NEAR(s.labourVAT, c.labourVAT, 1e-9) << c.rate;
    EXPECT_NEAR(s.materialVAT, c.materialVAT, 1e-9) << c.rate;
    EXPECT_DOUBLE_EQ(s.total, c.total);
    EXPECT_DOUBLE_EQ(s.cost, 240);
    EXPECT_DOUBLE_EQ(s.margin, 160);
  }
  // "Spočítat": the duration becomes the activities' hours.
  TRecordEditor e;
  e.OpenNew(kKindDone);
  e.AppendLines({Line(kItemActivity, 1.5f, 200), Line(kItemActivity, 0.25f, 200), Line(kItemMaterial, 9, 1)});
  e.CalcDuration();
  EXPECT_EQ(e.fields.durationHours, "01");
  EXPECT_EQ(e.fields.durationMinutes, "45");
  EXPECT_EQ(HoursText(1.75), "1:45");
}

TEST_F(RecordEditorTest, LinesInsertDeleteMoveCopyPaste) {
  TRecordEditor e(TRecordEditorSettings{.hourrate = 350});
  e.OpenNew(kKindOrder);
  EXPECT_EQ(e.InsertLine(kItemActivity, -1), 0);
  EXPECT_EQ(e.InsertLine(kItemActivity, -1), 1);
  EXPECT_EQ(e.InsertLine(kItemMaterial, 0), 1);  // after the selected line
  const TActRecord& m = e.Lines()[1];
  EXPECT_EQ(m.itemType, kItemMaterial);
  EXPECT_EQ(m.color, kMaterialColor);
  EXPECT_FLOAT_EQ(m.price, 0);
  EXPECT_FLOAT_EQ(m.count, 0);  // an order's default quantity
  EXPECT_FLOAT_EQ(e.Lines()[0].price, 350);
  EXPECT_EQ(e.Lines()[0].color, kDefaultActivityColor);
  EXPECT_TRUE(e.Lines()[0].showOnInvoice);

  e.SetLineText(0, "a\x02" "b");
  EXPECT_EQ(e.Lines()[0].text, "a]b");
  std::string many;
  for (int i = 0; i < 12; ++i) many += "r" + std::to_string(i) + "\r\n";
  e.SetLineText(2, many);
  EXPECT_EQ(e.Lines()[2].text, "r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9");
  e.SetLineText(1, std::string(300, 'x'));
  EXPECT_EQ(e.Lines()[1].text.size(), 200u);

  EXPECT_EQ(e.MoveLine(0, -1), 0);  // the first cannot go up
  EXPECT_EQ(e.MoveLine(0, +1), 1);
  EXPECT_EQ(e.Lines()[1].text, "a]b");

  // Copy and paste through the clipboard form; text not starting with 04
  // does nothing.
  const std::string clip = e.CopyLines({1});
  EXPECT_EQ(clip[0], '\x04');
  EXPECT_EQ(e.PasteLines(clip), 3);
  EXPECT_EQ(e.Lines()[3].text, "a]b");
  EXPECT_EQ(e.PasteLines("a]b"), -1);
  EXPECT_EQ(e.Lines().size(), 4u);

  e.SetShowOnInvoice({0, 3}, false);
  EXPECT_FALSE(e.Lines()[3].showOnInvoice);
  EXPECT_TRUE(e.Lines()[1].showOnInvoice);

  // Deleting asks: one line by its text, several by their number.
  notifier.Script({TMsgAnswer::No, TMsgAnswer::Yes});
  EXPECT_FALSE(e.DeleteLines({1}));
  EXPECT_EQ(notifier.shown.back().caption, "Opravdu odstranit záznam?");
  EXPECT_EQ(notifier.shown.back().text, "a]b");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  EXPECT_TRUE(e.DeleteLines({3, 0}));
  EXPECT_EQ(notifier.shown.back().caption, "Opravdu odstranit záznamy?");
  EXPECT_EQ(notifier.shown.back().text, "Označeno je 2 záznamů.");
  ASSERT_EQ(e.Lines().size(), 2u);
  EXPECT_EQ(e.Lines()[0].text, "a]b");
}

TEST_F(RecordEditorTest, TimerDataReplacesTheListOnYes) {
  TRecordEditor e;
  e.OpenNew(kKindDone);
  e.AppendLines({Line(kItemMaterial, 1, 1)});
  const auto entries = ParseTimerReply("Seřízení@5400@25000|||Mytí@x@y|||");
  ASSERT_EQ(entries.size(), 2u);
  notifier.Script({TMsgAnswer::No});
  EXPECT_EQ(e.OfferTimerData(entries), -1);
  EXPECT_EQ(notifier.shown.back().text, "Vložit tato data?\r\nSeřízení\r\nMytí\r\n");
  EXPECT_EQ(notifier.shown.back().caption, "Dotaz");
  EXPECT_EQ(e.Lines().size(), 1u);
  notifier.Script({TMsgAnswer::Yes});
  EXPECT_EQ(e.OfferTimerData(entries), 1);
  ASSERT_EQ(e.Lines().size(), 2u);
  EXPECT_FLOAT_EQ(e.Lines()[0].count, 1.5f);
  EXPECT_FLOAT_EQ(e.Lines()[0].price, 250);
  EXPECT_EQ(e.Lines()[0].color, kDefaultActivityColor);
  EXPECT_FLOAT_EQ(e.Lines()[1].count, 0);  // numbers that do not read keep zeros
  notifier.shown.clear();
  EXPECT_EQ(e.OfferTimerData({}), -1);  // an empty reply asks nothing
  EXPECT_TRUE(notifier.shown.empty());
}

TEST(ActivityImport, TemplatesAreReadWithBounds) {
  auto lines = ParseActionTemplate("5@255@1,5@-1@Výměna oleje|||@2@120@Olej 5W-30|||@1@80@Filtr@Mann|||", 400);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].itemType, kItemActivity);
  EXPECT_EQ(lines[0].icon, 5);
  EXPECT_EQ(lines[0].color, 255);
  EXPECT_FLOAT_EQ(lines[0].count, 1.5f);
  EXPECT_FLOAT_EQ(lines[0].price, 400);  // a negative price takes the hourly rate
  EXPECT_EQ(lines[0].text, "Výměna oleje");
  EXPECT_EQ(lines[1].itemType, kItemMaterial);
  EXPECT_EQ(lines[1].color, kMaterialColor);
  EXPECT_EQ(lines[1].icon, -1);
  EXPECT_FLOAT_EQ(lines[1].price, 120);
  EXPECT_EQ(lines[2].text, "Filtr@Mann");

  // Damaged values: numbers out of range become defaults, control
  // characters go, long texts are cut.
  lines = ParseActionTemplate("99999999999@-5@1e300@nan@" + std::string(250, 'a') + "\x01", 200);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].icon, -1);
  EXPECT_EQ(lines[0].color, kDefaultActivityColor);
  EXPECT_FLOAT_EQ(lines[0].count, 0);
  EXPECT_FLOAT_EQ(lines[0].price, 0);
  EXPECT_EQ(lines[0].text.size(), 200u);
  EXPECT_TRUE(ParseActionTemplate("", 200).empty());
  EXPECT_EQ(ParseActionTemplate("jen text", 200).size(), 1u);  // never reads past the end

  auto templates = ParseActionTemplates({{"a", "1@2@1@100@A"}, {"b", ""}}, 200);
  ASSERT_EQ(templates.size(), 1u);
  EXPECT_EQ(templates[0].name, "a");

  // A huge timer reply is cut off instead of making thousands of lines.
  std::string reply;
  for (int i = 0; i < 2000; ++i) reply += "x@1@1|||";
  EXPECT_EQ(ParseTimerReply(reply).size(), kMaxTimerEntries);
  EXPECT_FLOAT_EQ(ParseTimerReply("a@-60@100")[0].seconds, 0);
}

TEST(ActivityColumns, MaskAlwaysShowsTheText) {
  EXPECT_EQ(EffectiveColumnMask(0), 2);
  EXPECT_TRUE(ColumnShown(EffectiveColumnMask(kDefaultColumnMask), kColPurchaseVAT));
  EXPECT_FALSE(ColumnShown(EffectiveColumnMask(0x1), kColCount));
  EXPECT_STREQ(ActColumnHeading(kColTotalVAT), "Cena s DPH");
  EXPECT_STREQ(ActColumnHeading(kColEnd), "");
}
