#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>

#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/VehicleListPanel.h"

namespace {

class VehicleListPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    for (const char* make : {"Škoda", "Ford", "Opel"}) {
      Tautomobil v;
      InitVehicle(v);
      v.manufacturer = make;
      v.lastService = Today();
      stores.cars->CreateCar(v, "");
    }
    panel = std::make_unique<TVehicleListPanel>(stores);
    panel->resize(1000, 600);
    panel->show();
    panel->Reload();
    QApplication::processEvents();
  }
  void TearDown() override { panel.reset(); }

  // A double click as the window system delivers it: press, release, double
  // click, release.
  static void DoubleClick(QAbstractItemView* view, const QModelIndex& index) {
    const QPoint at = view->visualRect(index).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(view->viewport(), &e);
    }
  }
  static void PressEnter(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  std::unique_ptr<TVehicleListPanel> panel;
};

}  // namespace

TEST_F(VehicleListPanelTest, DoubleClickAndEnterOpenOnceInBothViews) {
  std::vector<int32_t> opened;
  QObject::connect(panel.get(), &TVehicleListPanel::openRequested, [&](int32_t id) { opened.push_back(id); });
  QAbstractItemView* table = panel->View();
  DoubleClick(table, table->model()->index(1, 0));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], panel->SelectedVehicle());
  PressEnter(table);
  EXPECT_EQ(opened.size(), 2u);

  // "Seznam": the names only, the same selection, opened the same way.
  const int32_t selected = panel->SelectedVehicle();
  panel->SetDetailsView(false);
  QApplication::processEvents();
  EXPECT_FALSE(panel->IsDetailsView());
  EXPECT_EQ(panel->SelectedVehicle(), selected);
  QListView* brief = panel->BriefView();
  EXPECT_TRUE(brief->isVisible());
  DoubleClick(brief, brief->model()->index(2, 0));
  EXPECT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[2], panel->SelectedVehicle());
  PressEnter(brief);
  EXPECT_EQ(opened.size(), 4u);
  panel->SetDetailsView(true);
  EXPECT_TRUE(table->isVisible());
}

// "Seznam" gives every name the width of the longest, not of the first.
TEST_F(VehicleListPanelTest, BriefViewShowsLongNamesWhole) {
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Mercedes-Benz";
  v.model = "Sprinter 313 CDI";
  v.subtype = "Kombi dlouhý";
  v.lastService = Today();
  stores.cars->CreateCar(v, "");
  panel->Reload();
  emit panel->View()->horizontalHeader()->sectionClicked(1);  // by "Značka, typ": Ford first
  panel->SetDetailsView(false);
  QApplication::processEvents();
  QListView* brief = panel->BriefView();
  const int row = panel->List().RowOfVehicle(v.ID);
  ASSERT_GT(row, 0);
  const QString name = brief->model()->index(row, 0).data().toString();
  EXPECT_GE(brief->visualRect(brief->model()->index(row, 0)).width(), brief->fontMetrics().horizontalAdvance(name));
}

TEST_F(VehicleListPanelTest, DraggedColumnWidthsSurviveKeystrokesAndSorting) {
  QHeaderView* header = panel->View()->horizontalHeader();
  header->resizeSection(2, 222);  // "Motor", as a drag does
  panel->SearchBox()->setText("o");
  panel->SearchBox()->setText("");
  EXPECT_EQ(header->sectionSize(2), 222);
  emit header->sectionClicked(2);  // "Motor" becomes the first column
  EXPECT_EQ(panel->List().Columns()[0].caption, "Motor");
  EXPECT_EQ(panel->List().Columns()[0].width, 222);
  EXPECT_GT(header->sectionSize(0), 222);  // with room for the rows' icon
}

TEST_F(VehicleListPanelTest, NewVehicleShownAndSelectedWhileFiltered) {
  panel->SearchBox()->setText("škoda");
  ASSERT_EQ(panel->List().Rows().size(), 1u);
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Tatra";
  stores.cars->CreateCar(v, "");
  panel->ShowNewVehicle(v.ID);
  EXPECT_EQ(panel->SelectedVehicle(), v.ID);
  EXPECT_EQ(panel->List().Rows().size(), 2u);
}
