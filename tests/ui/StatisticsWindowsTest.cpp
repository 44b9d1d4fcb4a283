#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest/QTest>

#include "tests/statistics/StatisticsFixture.h"
#include "tests/ui/TestApplication.h"
#include "ui/StatCarsForm.h"
#include "ui/StatCarsSetupForm.h"
#include "ui/StatDailyForm.h"
#include "ui/StatDailySetupForm.h"

namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

class StatisticsWindows : public StatisticsFixture {
 protected:
  void SetUp() override {
    TestApplication();
    StatisticsFixture::SetUp();
  }
};

}  // namespace

TEST_F(StatisticsWindows, DailySetupStartsWithThisMonthAndKeepsToAfterFrom) {
  SetClockForTests([] { return EncodeDate(2024, 1, 31) + 0.5; });
  TfStatDailySetup setup;
  SetClockForTests(nullptr);
  EXPECT_EQ(setup.From(), D(2024, 1, 1));
  EXPECT_EQ(setup.To(), D(2024, 1, 31));
  EXPECT_EQ(setup.Grouping(), kGroupDays);
  EXPECT_EQ(setup.LengthLabel()->text().toStdString(), "31 dnů, 5 týdnů, 1 měsíc");
  setup.FromEdit()->setDate(QDate(2024, 2, 10));  // after To: To follows
  EXPECT_EQ(setup.To(), D(2024, 2, 10));
  EXPECT_EQ(setup.LengthLabel()->text().toStdString(), "1 den, 1 týden, 1 měsíc");
  setup.GroupButton(kGroupMonths)->setChecked(true);
  QTimer::singleShot(0, [&] { setup.ComputeButton()->click(); });
  int grouping = -1;
  TDateTime from = 0, to = 0;
  // Opening again starts over: days, this month.
  ASSERT_TRUE(setup.Ask(grouping, from, to));
  EXPECT_EQ(grouping, kGroupDays);
  EXPECT_EQ(from, DayNumber(Today()) - DecodeDate(Today()).day + 1);
}

TEST_F(StatisticsWindows, DailySetupTakesADateTypedIntoTo) {
  // "Do" typed from 20.03.2025 to 20.02.2026 passes 20.02.2025, before
  // "Od": that half-typed date must not pull "Do" to "Od".
  TfStatDailySetup setup;
  setup.FromEdit()->setDate(QDate(2025, 3, 15));
  setup.ToEdit()->setDate(QDate(2025, 3, 20));
  setup.show();
  setup.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&setup));
  QDateEdit* to = setup.ToEdit();
  to->setFocus();
  auto select = [&](Qt::Key from, Qt::Key along, int skip, int length) {
    QTest::keyClick(to, from);
    for (int i = 0; i < skip; ++i) QTest::keyClick(to, along);
    for (int i = 0; i < length; ++i) QTest::keyClick(to, along, Qt::ShiftModifier);
  };
  select(Qt::Key_Home, Qt::Key_Right, 3, 2);  // the month
  QTest::keyClicks(to, "02");
  select(Qt::Key_End, Qt::Key_Left, 0, 4);  // the year
  QTest::keyClicks(to, "2026");
  QTest::keyClick(to, Qt::Key_Return);
  EXPECT_EQ(setup.To(), D(2026, 2, 20));
  EXPECT_EQ(setup.LengthLabel()->text().toStdString(), "343 dnů, 50 týdnů, 12 měsíců");
  // A date before "Od" still makes "Do" equal to "Od" once typed.
  setup.show();
  to->setFocus();
  select(Qt::Key_End, Qt::Key_Left, 0, 4);
  QTest::keyClicks(to, "2024");
  QTest::keyClick(to, Qt::Key_Return);
  EXPECT_EQ(setup.To(), D(2025, 3, 15));
}

TEST_F(StatisticsWindows, DailyWindowGraphHintListAndPrint) {
  const int32_t car = Vehicle("Škoda", "Octavia", Owner("Novák", "Jan"));
  Record(car, kKindDone, D(2024, 1, 2), 1000, 100, 50, WithMargin(20));
  Record(car, kKindDone, D(2024, 1, 20), 2000, 300, 0);
  TfStatDaily window(TDailySources{*stores.records, *stores.cars, stores.customers.get()});
  std::vector<int32_t> opened;
  window.SetOpenVehicle([&](int32_t id) { opened.push_back(id); });
  window.resize(700, 500);
  ASSERT_TRUE(window.ComputeDailyStatistics(kGroupDays, D(2024, 1, 1), D(2024, 1, 31)));
  EXPECT_TRUE(window.isVisible());
  QApplication::processEvents();  // laid out and painted
  window.Redraw();

  // Money as bars, the count as a line; the zoom fits the month in the picture.
  EXPECT_EQ(window.Graph().Series(kSeriesLabour).Style, kStyleBars);
  EXPECT_EQ(window.Graph().Series(kSeriesCount).Style, kStyleLines);
  EXPECT_EQ(window.Zoom()->value(), std::clamp(window.Picture()->width() - 40, 9 * 31, 30 * 31) / 31);
  window.LineButton(kSeriesLabour)->click();
  EXPECT_EQ(window.Graph().Series(kSeriesLabour).Style, kStyleLines);
  window.BarButton(kSeriesCount)->click();
  EXPECT_EQ(window.Graph().Series(kSeriesCount).Style, kStyleBars);

  // The hint of the day under the pointer: 2 January is the second period.
  window.Zoom()->setValue(20);
  window.Redraw();
  const int x = window.Graph().PlotLeft() + 30;  // the middle of the second day's slot
  window.PointerAt(QPoint(x, 100));
  EXPECT_FALSE(window.Hint()->isHidden());
  EXPECT_EQ(window.Hint()->text().toStdString(),
            "02.01.2024\nPráce: 100,00 kč\nMateriál: 50,00 kč\nZisk: 20,00 kč\nPočet záznamů: 1,00");
  window.PointerAt(QPoint(window.Graph().PlotLeft() - 5, 100));
  EXPECT_TRUE(window.Hint()->isHidden());
  // Scrolled by ten days, the same place shows 12 January.
  window.Scroll()->setValue(10);
  window.Redraw();
  window.PointerAt(QPoint(x, 100));
  EXPECT_EQ(window.Hint()->text().toStdString().substr(0, 10), "12.01.2024");
  window.Pages()->setCurrentIndex(1);
  EXPECT_TRUE(window.Hint()->isHidden());

  // The list: two rows by date; a double click opens the vehicle.
  QTableView* list = window.List();
  ASSERT_EQ(list->model()->rowCount(), 2);
  EXPECT_EQ(list->model()->index(0, 4).data().toString().toStdString(), "Novák, Jan");
  EXPECT_EQ(list->model()->index(1, 1).data().toString().toStdString(), "300");
  emit list->doubleClicked(list->model()->index(1, 0));
  EXPECT_EQ(opened, std::vector<int32_t>{car});

  // Printing to a PDF file.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = fs.dir / "daily.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  window.Print(printer);
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_GT(file.size(), 5000);
}

TEST_F(StatisticsWindows, VehicleSetupRefusesInvalidFields) {
  TfStatCarsSetup setup;
  EXPECT_FALSE(setup.BestEdit()->isEnabled());
  EXPECT_EQ(setup.MinimumEdit()->text().toStdString(), "10");
  EXPECT_TRUE(setup.GroupButton(kGroupModel)->isChecked());
  setup.MinimumEdit()->setText("1000001");
  setup.ComputeButton()->click();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_EQ(notifier.shown[0].text, "Neplatné hodnoty");
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Warning);
  EXPECT_EQ(setup.result(), 0);  // still open

  setup.MinimumEdit()->setText("0");
  setup.GroupButton(kGroupMake)->setChecked(true);
  QTimer::singleShot(0, [&] { setup.ComputeButton()->click(); });
  int grouping = -1;
  TVehicleStatSetup values;
  ASSERT_TRUE(setup.Ask(grouping, values));
  EXPECT_EQ(grouping, kGroupMake);
  EXPECT_EQ(values.minimumCount, 0);
}

TEST_F(StatisticsWindows, VehicleWindowSortsByClickedColumn) {
  for (int i = 0; i < 3; ++i) Record(Vehicle("Škoda", "Fabia", -1, 2010 + i), kKindDone, D(2020, 1, 1), 1000 * i);
  Vehicle("Audi", "A4", -1, 2001);
  TfStatCars window(*stores.cars, *stores.records, CatalogueOf(stores));
  ASSERT_TRUE(window.Compute(kGroupMake, 0, 0));
  QAbstractItemModel* model = window.List()->model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(0, 0).data().toString().toStdString(), "Audi");
  EXPECT_EQ(model->index(0, 3).data().toString().toStdString(), "-");  // no records: no km
  EXPECT_EQ(model->index(1, 3).data().toString().toStdString(), "0");
  EXPECT_EQ(model->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(0xD0, 0xFF, 0xD0));
  window.SortByColumn(1);  // numbers descending
  EXPECT_EQ(model->index(0, 0).data().toString().toStdString(), "Škoda");
  window.SortByColumn(0);
  EXPECT_EQ(model->index(0, 0).data().toString().toStdString(), "Audi");
  EXPECT_EQ(window.Summary()->text().toStdString(), "podle výrobce, nejméně 0 vozidel ve skupině: 2 skupiny");
}
