#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "shell/Config.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "ui/ConfigWindow.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

QLineEdit* EditShowing(QWidget* w, const QString& text) {
  for (QLineEdit* e : w->findChildren<QLineEdit*>())
    if (e->text() == text) return e;
  return nullptr;
}

}  // namespace

TEST(ConfigWindow, OkSavesAndStornoKeeps) {
  App();
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TConfig c;
  LoadDefaults(c);
  c.currency = "Kč";
  QTimer::singleShot(0, [] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    QLineEdit* currency = EditShowing(w, "Kč");
    ASSERT_NE(currency, nullptr);  // the settings reach the controls
    currency->setText("EUR");
    QLineEdit* round = EditShowing(w, "1");
    ASSERT_NE(round, nullptr);
    round->setText("0,5");
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(ShowSettings(c, nullptr, nullptr));
  EXPECT_EQ(c.currency, "Kč");
  EXPECT_FALSE(PathExists(fs.dir / "garvconf.ini"));

  QTimer::singleShot(0, [] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    EditShowing(w, "Kč")->setText("EUR");
    auto combos = w->findChildren<QComboBox*>();
    for (QComboBox* combo : combos) {
      if (combo->isEditable()) {
        EXPECT_EQ(combo->count(), 1);  // the supplier addresses
      }
    }
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_TRUE(ShowSettings(c, [] { return std::vector<std::string>{"Dodavatel <d@x.cz>"}; }, nullptr));
  EXPECT_EQ(c.currency, "EUR");
  TConfig back;
  LoadDefaults(back);
  LoadConfig(back);
  EXPECT_EQ(back.currency, "EUR");
  LoadDefaults(Config());
  ApplyConfig(Config());
}

TEST(ConfigWindow, CustomerEditionHidesWorkshopParts) {
  App();
  TfConfig window(nullptr, nullptr);
  window.HideWorkshopParts();
  QTabWidget* pages = window.Pages();
  for (int i = 0; i < pages->count(); ++i) {
    bool workshop = pages->tabText(i) == QString::fromUtf8("Informace o autoservisu") ||
                    pages->tabText(i) == QString::fromUtf8("Zadávání záznamů");
    EXPECT_EQ(pages->isTabVisible(i), !workshop) << pages->tabText(i).toStdString();
  }
}
