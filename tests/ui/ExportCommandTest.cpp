#include <gtest/gtest.h>

#include <filesystem>

#include "shell/Stores.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/ExportCommand.h"

TEST(ExportCommand, AsksForTheFolderAndReports) {
  TestApplication();
  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TStoreSet stores;
  ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));

  EXPECT_FALSE(RunDatabaseExport(stores, TVatSettings{}, nullptr));  // cancelled
  ASSERT_EQ(desktop.questions.size(), 1u);
  EXPECT_EQ(desktop.questions[0], "Zvolte cílovou složku pro export");
  EXPECT_TRUE(notifier.shown.empty());

  std::filesystem::create_directories(fs.dir / "csv");
  desktop.Script({fs.dir / "csv"});
  EXPECT_TRUE(RunDatabaseExport(stores, TVatSettings{}, nullptr));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Hotovo");
  EXPECT_EQ(notifier.shown[0].text, "Export databáze dokončen - " + fs.dir / "csv");
  EXPECT_TRUE(PathExists(fs.dir / "csv/export_zaznamy.csv"));

  stores.customers.reset();
  EXPECT_FALSE(RunDatabaseExport(stores, TVatSettings{}, nullptr, fs.dir / "csv"));
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[1].caption, "Chyba");
}
