#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "ui/ContactDetail.h"
#include "ui/ContactsForm.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// Closes the next modal window once the event loop runs it.
void CloseSoon(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

}  // namespace

TEST(ContactsWindow, ListSearchAndChooser) {
  App();
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  std::vector<int32_t> ids;
  for (const char* name : {"Novák", "Černý", "Hájek"}) {
    TContactRecord c;
    InitContact(c);
    c.surname = name;
    ASSERT_TRUE(AddContact(*stores.customers, c));
    ids.push_back(c.ID);
  }
  TcontactsForm form(*stores.customers, *stores.cars);
  int rows = -1, afterSearch = -1;
  CloseSoon([&](QWidget* w) {
    rows = form.RowCount();
    form.SearchBox()->setText("hajek");
    afterSearch = form.RowCount();
    form.SelectRow(0);
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_EQ(form.Choose(ids[0]), ids[2]);  // the row selected when the window closes
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(afterSearch, 1);

  CloseSoon([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(form.Choose(-2), -1);  // nothing selected in the management list
}

TEST(ContactsWindow, DetailOkCopiesBackAndStornoKeeps) {
  App();
  TContactRecord c;
  InitContact(c);
  c.surname = "Novák";
  c.kind = kContactSupplier;
  TcontactDetail detail;
  detail.initialize(c);
  TContactRecord out;
  InitContact(out);
  detail.save(out);
  EXPECT_EQ(out.surname, "Novák");
  EXPECT_EQ(out.kind, kContactSupplier);

  CloseSoon([](QWidget* w) {
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) e->setText(e->text() + "x");
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(EditContact(c, false));
  EXPECT_EQ(c.surname, "Novák");
  CloseSoon([](QWidget* w) {
    auto edits = w->findChildren<QLineEdit*>();
    edits[0]->setText("Svoboda");
    edits[2]->setText("Firma");
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_TRUE(EditContact(c, false));
  EXPECT_EQ(c.surname, "Svoboda");
  EXPECT_EQ(c.company, "Firma");
  EXPECT_EQ(c.type, 1);
}
