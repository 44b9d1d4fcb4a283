#include <gtest/gtest.h>

#include <vector>

#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/BackgroundTableView.h"
#include "ui/ContactDetail.h"
#include "ui/ContactsForm.h"

namespace {

// Runs `action` on the next modal window once the event loop shows it.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

QPushButton* Button(QWidget* w, const QString& text) {
  for (QPushButton* b : w->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

class ContactsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    for (const char* name : {"Novák", "Černý", "Hájek"}) {
      TContactRecord c;
      InitContact(c);
      c.surname = name;
      c.phones = "602 000 00" + std::to_string(ids.size());
      ASSERT_TRUE(AddContact(*stores.customers, c));
      ids.push_back(c.ID);
    }
  }
  std::string ShownName(TcontactsForm& form, int row) {
    return form.View()->model()->index(row, 0).data().toString().toStdString();
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  std::vector<int32_t> ids;
};

}  // namespace

TEST_F(ContactsWindowTest, ChooserSearchAndManagement) {
  TcontactsForm form(*stores.customers, *stores.cars);
  int rows = -1, afterSearch = -1;
  int32_t selectedAtOpen = -2, selectedAfterSearch = -2;
  bool deleteEnabled = true;
  QString closeText;
  WhenModal([&](QWidget* w) {
    rows = form.RowCount();
    selectedAtOpen = form.SelectedID();
    deleteEnabled = Button(w, QString::fromUtf8("Odstranit kontakt"))->isEnabled();
    closeText = Button(w, "Vybrat") ? "Vybrat" : "?";
    form.SearchBox()->setText("hajek");
    afterSearch = form.RowCount();
    selectedAfterSearch = form.SelectedID();
    form.SelectRow(0);
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_EQ(form.Choose(ids[0]), ids[2]);  // the row selected when the window closes
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(selectedAtOpen, ids[0]);
  EXPECT_FALSE(deleteEnabled);
  EXPECT_EQ(closeText, "Vybrat");
  EXPECT_EQ(afterSearch, 1);
  EXPECT_EQ(selectedAfterSearch, -1);  // a new search keeps no selection

  // Management: the search box starts empty again; the close box still
  // returns the selected row.
  WhenModal([&](QWidget* w) {
    rows = form.RowCount();
    deleteEnabled = Button(w, QString::fromUtf8("Odstranit kontakt"))->isEnabled();
    closeText = Button(w, QString::fromUtf8("Zavřít")) ? "Zavřít" : "?";
    form.SelectRow(1);
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(form.Choose(-2), ids[2]);  // Černý, Hájek, Novák
  EXPECT_EQ(rows, 3);
  EXPECT_FALSE(deleteEnabled);  // nothing selected yet
  EXPECT_EQ(closeText, QString::fromUtf8("Zavřít"));

  WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(form.Choose(-2), -1);  // no row selected
}

TEST_F(ContactsWindowTest, HeaderClickSortsAndKeepsTheSelectedContact) {
  TcontactsForm form(*stores.customers, *stores.cars);
  std::vector<std::string> order;
  int32_t selected = -1;
  WhenModal([&](QWidget* w) {
    form.SelectRow(0);  // Černý
    emit form.View()->horizontalHeader()->sectionClicked(0);
    for (int r = 0; r < form.RowCount(); ++r) order.push_back(ShownName(form, r));
    selected = form.SelectedID();
    static_cast<QDialog*>(w)->accept();
  });
  form.Choose(-2);
  EXPECT_EQ(order, (std::vector<std::string>{"Novák", "Hájek", "Černý"}));
  EXPECT_EQ(selected, ids[1]);
}

TEST_F(ContactsWindowTest, AddEditAndDeleteThroughTheWindow) {
  TcontactsForm form(*stores.customers, *stores.cars);
  std::vector<int32_t> changes;
  form.onContactChanged = [&](int32_t id) { changes.push_back(id); };
  QApplication::clipboard()->setText(QString::fromUtf8("Jméno: ACME s.r.o.\nPSČ: 602 00\nMěsto: Brno"));
  std::string pastedCompany, pastedCity;
  int32_t added = -1;
  std::string rowAfterEdit;
  int rowsAfterDelete = -1;
  notifier.Script({TMsgAnswer::Yes});
  WhenModal([&](QWidget* list) {
    // Add: the detail window opens filled from the clipboard.
    WhenModal([&](QWidget* w) {
      auto* d = static_cast<TcontactDetail*>(w);
      pastedCompany = d->Edit(kFieldCompany)->text().toStdString();
      pastedCity = d->Edit(kFieldCity)->text().toStdString();
      d->Edit(kFieldSurname)->setText(QString::fromUtf8("Adámek"));
      d->accept();
    });
    form.AddContactCommand();
    added = form.SelectedID();

    // Edit the selected row: it keeps its place and shows the new text.
    const int row = form.List().RowOfID(added);
    WhenModal([&](QWidget* w) {
      auto* d = static_cast<TcontactDetail*>(w);
      d->Edit(kFieldSurname)->setText("Zikmund");
      d->accept();
    });
    form.EditSelected();
    rowAfterEdit = ShownName(form, row);

    // Delete it again.
    form.DeleteSelected();
    rowsAfterDelete = form.RowCount();
    static_cast<QDialog*>(list)->accept();
  });
  form.Choose(-2);
  EXPECT_EQ(pastedCompany, "ACME s.r.o.");
  EXPECT_EQ(pastedCity, "602 00 Brno");
  EXPECT_EQ(added, 4);
  EXPECT_EQ(rowAfterEdit, "Zikmund - ACME s.r.o.");
  EXPECT_EQ(rowsAfterDelete, 3);
  EXPECT_EQ(changes, (std::vector<int32_t>{4, 4, 4}));  // each change names the contact
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete tento kontakt smazat?");
  auto stored = LoadContacts(*stores.customers);
  EXPECT_EQ(stored.size(), 3u);  // added, changed and deleted in the store too
}

TEST_F(ContactsWindowTest, DetailOkCopiesBackAndStornoKeeps) {
  TContactRecord c;
  InitContact(c);
  c.surname = "Novák";
  c.kind = kContactSupplier;
  TcontactDetail detail;
  detail.initialize(c);
  EXPECT_EQ(detail.Edit(kFieldSurname)->maxLength(), 50);
  EXPECT_EQ(detail.Edit(kFieldIco)->maxLength(), 15);
  TContactRecord out;
  InitContact(out);
  detail.save(out);
  EXPECT_EQ(out.surname, "Novák");
  EXPECT_EQ(out.kind, kContactSupplier);

  WhenModal([](QWidget* w) {
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) e->setText(e->text() + "x");
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(EditContact(c, false));
  EXPECT_EQ(c.surname, "Novák");
  EXPECT_EQ(c.firstName, "");
  WhenModal([](QWidget* w) {
    auto* d = static_cast<TcontactDetail*>(w);
    d->Edit(kFieldSurname)->setText("Svoboda");
    d->Edit(kFieldCompany)->setText("Firma");
    d->Edit(kFieldDic)->setText("CZ123");
    for (QRadioButton* r : w->findChildren<QRadioButton*>())
      if (r->text() == "Opravna") r->setChecked(true);
    d->accept();
  });
  EXPECT_TRUE(EditContact(c, false));
  EXPECT_EQ(c.surname, "Svoboda");
  EXPECT_EQ(c.company, "Firma");
  EXPECT_EQ(c.dic, "CZ123");
  EXPECT_EQ(c.type, 1);
  EXPECT_EQ(c.kind, kContactRepairShop);

  // A kind none of the choices has: no choice checked, the code kept.
  c.kind = 9;
  WhenModal([](QWidget* w) {
    for (QRadioButton* r : w->findChildren<QRadioButton*>()) EXPECT_FALSE(r->isChecked());
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_TRUE(EditContact(c, false));
  EXPECT_EQ(c.kind, 9);
}
