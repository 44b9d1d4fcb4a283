#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/BackgroundTableView.h"
#include "ui/VehicleListPanel.h"

namespace {

class WindowsBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    Tautomobil v;
    InitVehicle(v);
    v.tag = "1A2 3456";
    v.manufacturer = "Škoda";
    stores.cars->CreateCar(v, "");
    id = v.ID;
  }

  // True once some label of the panel shows the text (the information panel
  // is filled through its background thread).
  bool Shows(TVehicleListPanel& panel, const QString& text, bool expected) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000) {
      QApplication::processEvents();
      bool found = false;
      for (QLabel* l : panel.findChildren<QLabel*>()) found = found || l->text().contains(text);
      if (found == expected) return true;
    }
    return false;
  }

  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TStoreSet stores;
  int32_t id = -1;
};

}  // namespace

TEST_F(WindowsBarTest, ToggleButtonsSurviveBeingRedrawnFromTheirOwnClick) {
  TVehicleListPanel panel(stores);
  int clicked = -1;
  QObject::connect(&panel, &TVehicleListPanel::windowButtonClicked, [&](int i) {
    clicked = i;
    // What the program does: the window comes to the front, becomes active
    // and the bar is shown again with its button pressed.
    panel.SetWindowButtons({"A - Škoda", "B - Ford"}, i);
  });
  panel.SetWindowButtons({"A - Škoda", "B - Ford"}, 1);
  ASSERT_EQ(panel.WindowButtons().size(), 2);
  EXPECT_TRUE(panel.WindowButtons()[1]->isChecked());
  EXPECT_FALSE(panel.WindowButtons()[0]->isChecked());
  panel.WindowButtons()[0]->click();
  EXPECT_EQ(clicked, 0);
  EXPECT_TRUE(panel.WindowButtons()[0]->isChecked());
  EXPECT_FALSE(panel.WindowButtons()[1]->isChecked());
  panel.SetWindowButtons({"B - Ford"}, -1);
  QApplication::processEvents();
  ASSERT_EQ(panel.WindowButtons().size(), 1);
  EXPECT_EQ(panel.WindowButtons()[0]->text(), "B - Ford");
  EXPECT_FALSE(panel.WindowButtons()[0]->isChecked());
}

TEST_F(WindowsBarTest, EmptySearchClearsTheInformationPanel) {
  TVehicleListPanel panel(stores);
  panel.Reload();
  ASSERT_TRUE(Shows(panel, "1A2 3456", true));
  panel.SearchBox()->setText("nic takového");
  EXPECT_TRUE(Shows(panel, "1A2 3456", false));
  panel.StopInfoThread();
}

TEST_F(WindowsBarTest, RemoveRefusedWhileTheRecordsWindowIsOpen) {
  TVehicleListPanel panel(stores);
  panel.Reload();
  panel.SetRemoveGuard([this](int32_t vehicle) { return vehicle != id; });
  panel.RemoveSelected();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Upozornění");
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(id, v));
  EXPECT_FALSE(v.IsArchived());
  panel.StopInfoThread();
}
