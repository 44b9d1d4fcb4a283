#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "shell/Config.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/ConfigWindow.h"
#include "ui/PasswordPrompt.h"

namespace {

QApplication& App() { return TestApplication(); }

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
  const QStringList hidden = {QString::fromUtf8(" Oznámení zákazníkům "), QString::fromUtf8(" Webservice "),
                              QString::fromUtf8(" Automatické odesílání e-mailů "),
                              QString::fromUtf8(" Identifikace počítače ")};
  int hiddenGroups = 0;
  for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
    EXPECT_EQ(group->isHidden(), hidden.contains(group->title())) << group->title().toStdString();
    hiddenGroups += group->isHidden();
  }
  EXPECT_EQ(hiddenGroups, 4);

  // The owner still sets the months of history his due dates come from.
  TConfig c;
  LoadDefaults(c);
  c.kmcalcmonths = 37;
  window.initialize(c);
  QLineEdit* months = EditShowing(&window, "37");
  ASSERT_NE(months, nullptr);
  QWidget* page = months;
  while (page && pages->indexOf(page) < 0) page = page->parentWidget();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(pages->isTabVisible(pages->indexOf(page)));
  EXPECT_FALSE(months->parentWidget()->isHidden());
}

TEST(PasswordPrompt, ShowsAStarPerCharacter) {
  App();
  std::string shown;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    QLineEdit* edit = w->findChild<QLineEdit*>();
    edit->setText(QString::fromUtf8("tajné"));
    shown = edit->displayText().toStdString();
    static_cast<QDialog*>(w)->accept();
  });
  std::string password;
  EXPECT_TRUE(AskPassword(nullptr, password));
  EXPECT_EQ(password, "tajné");
  EXPECT_EQ(shown, "*****");
}

// Every setting the window shows comes back from its control unchanged, so
// initialize() and save() cannot drift apart.
TEST(ConfigWindow, EverySettingRoundTripsThroughTheControls) {
  App();
  TConfig c;
  LoadDefaults(c);
  int n = 0;
  auto text = [&n](std::string& field) { field = "Hodnota č. " + std::to_string(++n); };
  for (std::string* f : {&c.usersubj, &c.ordersubj, &c.orderaddr, &c.mapsurl, &c.phonebookurl, &c.webserviceurl,
                         &c.webservicelogin, &c.webservicepwd, &c.bgmain, &c.bgcontacts, &c.bgrec, &c.bgprint,
                         &c.bgsignature, &c.currency, &c.invoicename, &c.proforminvoicename, &c.simpleinvoicename,
                         &c.timer, &c.calend, &c.name, &c.street, &c.city, &c.postalCode, &c.phones, &c.email, &c.icq,
                         &c.skype, &c.www, &c.ico, &c.dic, &c.motto})
    text(*f);
  for (int i = 0; i < 4; ++i) {
    text(c.bankName[i]);
    text(c.accountNr[i]);
    text(c.iban[i]);
  }
  c.custmailtext = "Dobrý den,\r\n\r\n%TEXT";
  c.ordertext = "Řádek 1\r\nŘádek 2";
  c.addvehinfo = "Barva\r\nPneu";
  c.webserviceemailmethod = 2;
  c.usegraphmode = false;
  c.taxrate = 12.5;
  c.hourrate = 450.25;
  c.roundto = 0.05;
  for (bool* f : {&c.taxpaid, &c.invoicerounding, &c.autoupdate, &c.autoopen, &c.unpaidautoopen, &c.autobackup})
    *f = false;
  for (bool* f : {&c.instantsave, &c.autosend, &c.simplerecords, &c.autoSendDisallowed}) *f = true;
  int k = 100;
  for (int* f : {&c.updateperiod, &c.odaysretro, &c.odaysadvance, &c.sdaysretro, &c.sdaysadvance, &c.kmcalcmonths,
                 &c.backupinterval})
    *f = ++k;

  TfConfig window(nullptr, nullptr);
  window.initialize(c);
  TConfig back;
  LoadDefaults(back);
  window.save(back);
  EXPECT_TRUE(back == c);
  EXPECT_EQ(back.ordertext, c.ordertext);
  EXPECT_DOUBLE_EQ(back.roundto, 0.05);
}

TEST(ConfigWindow, ASettingsFileThatCannotBeWrittenIsReported) {
  App();
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  std::filesystem::create_directory(fs.dir / "elsewhere");
  std::filesystem::create_directory_symlink(fs.dir / "elsewhere", fs.dir / "garvconf.ini");
  TConfig c;
  LoadDefaults(c);
  QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
  EXPECT_TRUE(ShowSettings(c, nullptr, nullptr));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  LoadDefaults(Config());
  ApplyConfig(Config());
}

// A typo in a number field is shown and kept for correction instead of being
// saved as 0.
TEST(ConfigWindow, OkRefusesANumberFieldThatIsNotANumber) {
  App();
  TRecordingNotifier notifier;
  TfConfig window(nullptr, nullptr);
  TConfig c;
  LoadDefaults(c);
  c.odaysretro = 37;
  window.initialize(c);
  QLineEdit* days = EditShowing(&window, "37");
  ASSERT_NE(days, nullptr);
  for (const char* typed : {"abc", "3O", "1,5,"}) {
    days->setText(typed);
    window.accept();
    EXPECT_NE(window.result(), QDialog::Accepted) << typed;
    ASSERT_FALSE(notifier.shown.empty());
    EXPECT_NE(notifier.Texts().back().find(typed), std::string::npos);
  }
  size_t errors = notifier.shown.size();
  days->setText(" 14 ");
  window.accept();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(notifier.shown.size(), errors);
  window.save(c);
  EXPECT_EQ(c.odaysretro, 14);
}
