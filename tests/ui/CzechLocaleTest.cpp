#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "tests/ui/TestApplication.h"
#include "ui/CzechLocale.h"

// Qt's own dialogs speak Czech whatever the host's language.
TEST(CzechLocale, QtDialogsAreTranslated) {
  QApplication& app = TestApplication();
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ASSERT_TRUE(InstallCzechTranslations(app)) << "Qt's Czech translations are not installed";
  EXPECT_EQ(QLocale().language(), QLocale::Czech);
  EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print").toStdString(), "Tisk");
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Open"), QString("Open"));
}
