#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "exchange/BackupLog.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/BackupForm.h"

namespace {

struct BackupWindowTest : ::testing::Test {
  TTestFileSystems fs;  // the error log
  const TTempDir& dir = fs.dir;
  TRecordingNotifier notifier;
  TBackupSetup setup;

  void SetUp() override {
    TestApplication();
    std::filesystem::create_directories(dir / "data");
    WriteFileBytes(dir / "data/db_cars.dat", "cars");
    setup.mounts = {dir / "data/"};
    setup.logPath = dir / "data/backup_log.ini";
    AppendBackupLog(setup.logPath, "/z/first.zip", 46000.25);
    AppendBackupLog(setup.logPath, "/z/second.zip", 46001.5);
    setup.targetFolder = dir / "out";
  }
};

}  // namespace

TEST_F(BackupWindowTest, ListsEarlierBackupsAndMakesANewOne) {
  TfBackup form(setup);
  QTreeWidget* list = form.BackupRecords();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(1)->text(2).toStdString(), "/z/second.zip");
  EXPECT_EQ(list->topLevelItem(1)->text(1).toStdString(), "12:00:00");
  EXPECT_EQ(list->currentItem(), list->topLevelItem(1));  // the last one selected
  EXPECT_EQ(form.OutputPath()->text().toStdString(), dir / "out");

  form.bCreateBackupClick();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Informace");
  const auto made = std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir / "out"), {});
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Soubor \"" + made[0].string() + "\" byl úspěšně uložen.");
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(ReadBackupLog(setup.logPath).back().file, made[0].string());
  EXPECT_TRUE(form.Compression()->Log()->toPlainText().contains(QString::fromUtf8("Záloha dokončena")));
  EXPECT_FALSE(form.Compression()->isVisible());
}

TEST_F(BackupWindowTest, AFailureKeepsTheWindowOpenAndSaysWhy) {
  setup.mounts = {dir / "gone/"};
  TfBackup form(setup);
  form.OutputPath()->clear();
  form.bCreateBackupClick();  // no target folder: asked for one, nothing made
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Zvolte cílovou složku zálohy.");

  form.OutputPath()->setText(QString::fromStdString(dir / "out"));
  form.bCreateBackupClick();
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[1].caption, "Chyba");
  EXPECT_EQ(notifier.shown[1].icon, TMsgIcon::Error);
  EXPECT_EQ(notifier.shown[1].text.rfind("Nezdařilo se uložit soubor \"" + dir.Path() + "out/GarvBackup_", 0), 0u);
  EXPECT_NE(notifier.shown[1].text.find("Žádná ze složek dat nebyla nalezena."), std::string::npos);
  EXPECT_NE(form.result(), QDialog::Accepted);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
  EXPECT_EQ(ReadBackupLog(setup.logPath).size(), 2u);
  EXPECT_NE(ReadFileBytes(dir / "errlog.txt").find("GarvBackup_"), std::string::npos);
}

// The window is made once; each opening reads the target and the log again.
TEST_F(BackupWindowTest, OneWindowForTheProcessLoadedAtEachOpening) {
  QWidget owner;
  std::vector<QPointer<QWidget>> shown;
  std::vector<std::string> targets;
  std::vector<int> rows;
  auto closeWhenShown = [&] {
    QTimer::singleShot(0, [&] {
      auto* window = qobject_cast<TfBackup*>(QApplication::activeModalWidget());
      ASSERT_NE(window, nullptr);
      shown.push_back(window);
      targets.push_back(window->OutputPath()->text().toStdString());
      rows.push_back(window->BackupRecords()->topLevelItemCount());
      window->reject();
    });
  };
  closeWhenShown();
  EXPECT_FALSE(RunBackupWindow(setup, &owner));
  AppendBackupLog(setup.logPath, "/z/third.zip", 46002.5);
  setup.targetFolder = dir / "elsewhere";
  closeWhenShown();
  EXPECT_FALSE(RunBackupWindow(setup, &owner));
  ASSERT_EQ(shown.size(), 2u);
  // Still alive after both openings: the same window, not a new one each time.
  ASSERT_FALSE(shown[0].isNull());
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_EQ(targets[1], dir / "elsewhere");
  EXPECT_EQ(rows, (std::vector<int>{2, 3}));
}
