#include "ui/ContactsForm.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogues/Contacts.h"
#include "shell/Config.h"
#include "storage/CustomDb.h"
#include "storage/Notifier.h"
#include "ui/BackgroundTableView.h"
#include "ui/ContactDetail.h"
#include "ui/QtPrintCanvas.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TcontactsForm::TcontactsForm(TCustomDb& customers, TCustomCarDb& cars, QWidget* parent)
    : QDialog(parent), customers_(customers), cars_(cars) {
  setWindowTitle(QString::fromUtf8("Seznam kontaktů"));
  auto* layout = new QVBoxLayout(this);
  auto* searchRow = new QHBoxLayout;
  auto* label = new QLabel(QString::fromUtf8("&Vyhledat (Jméno/adresa/e-mail/telefon):"), this);
  search_ = new QLineEdit(this);
  search_->setClearButtonEnabled(true);
  label->setBuddy(search_);
  searchRow->addWidget(label);
  searchRow->addWidget(search_, 1);
  layout->addLayout(searchRow);

  model_ = new QStandardItemModel(0, 4, this);
  model_->setHorizontalHeaderLabels({QString::fromUtf8("Jméno"), QString::fromUtf8("Adresa"),
                                     QString::fromUtf8("telefon"), QString::fromUtf8("e-mail")});
  view_ = new TBackgroundTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(22);
  view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  view_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  view_->setColumnWidth(2, 140);
  view_->setColumnWidth(3, 180);
  layout->addWidget(view_, 1);

  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(QString::fromUtf8("Přidat kontakt"), this);
  show_ = new QPushButton(QString::fromUtf8("Zobrazit kontakt"), this);
  delete_ = new QPushButton(QString::fromUtf8("Odstranit kontakt"), this);
  mail_ = new QPushButton(QString::fromUtf8("Poslat e-mail"), this);
  map_ = new QPushButton(QString::fromUtf8("Zobrazit na mapě"), this);
  print_ = new QPushButton(QString::fromUtf8("Tisknout"), this);
  close_ = new QPushButton(QString::fromUtf8("Zavřít"), this);
  for (QPushButton* b : {add_, show_, delete_, mail_, map_, print_}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  close_->setDefault(true);
  resize(900, 560);

  connect(search_, &QLineEdit::textChanged, this, [this] { Refill(-1); });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TcontactsForm::UpdateButtons);
  connect(view_, &QAbstractItemView::doubleClicked, this, &TcontactsForm::EditSelected);
  connect(add_, &QPushButton::clicked, this, &TcontactsForm::AddContactCommand);
  connect(show_, &QPushButton::clicked, this, &TcontactsForm::EditSelected);
  connect(delete_, &QPushButton::clicked, this, &TcontactsForm::DeleteSelected);
  connect(mail_, &QPushButton::clicked, this, [this] {
    int i = SelectedIndex();
    if (i >= 0) QDesktopServices::openUrl(QUrl("mailto:" + Q(contacts_[static_cast<size_t>(i)].email)));
  });
  connect(map_, &QPushButton::clicked, this, [this] {
    int i = SelectedIndex();
    if (i < 0) return;
    const std::string address = ContactAddressText(contacts_[static_cast<size_t>(i)]);
    QDesktopServices::openUrl(QUrl(Q(MapAddress(Config().mapsurl, address))));
  });
  connect(print_, &QPushButton::clicked, this, &TcontactsForm::PrintList);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TcontactsForm::SetBackground(const QImage& picture) { view_->SetBackground(picture); }

int32_t TcontactsForm::Choose(int32_t id) {
  manage_ = id == -2;
  delete_->setVisible(manage_);
  close_->setText(QString::fromUtf8(manage_ ? "Zavřít" : "Vybrat"));
  search_->blockSignals(true);
  search_->clear();
  search_->blockSignals(false);
  contacts_ = LoadContacts(customers_);
  Refill(id);
  view_->setFocus();
  exec();
  return SelectedID();
}

void TcontactsForm::Refill(int32_t selectID) {
  shown_ = FilterContacts(contacts_, search_->text().toStdString());
  model_->removeRows(0, model_->rowCount());
  model_->setRowCount(static_cast<int>(shown_.size()));
  int selectRow = -1;
  for (int r = 0; r < static_cast<int>(shown_.size()); ++r) {
    const TContactRecord& c = contacts_[shown_[static_cast<size_t>(r)]];
    model_->setItem(r, 0, new QStandardItem(Q(CustomerDisplayName(c))));
    model_->setItem(r, 1, new QStandardItem(Q(ContactAddressText(c))));
    model_->setItem(r, 2, new QStandardItem(Q(c.phones)));
    model_->setItem(r, 3, new QStandardItem(Q(c.email)));
    if (c.ID == selectID) selectRow = r;
  }
  view_->clearSelection();
  view_->setCurrentIndex(QModelIndex());
  if (selectRow >= 0) SelectRow(selectRow);
  UpdateButtons();
}

void TcontactsForm::SelectRow(int row) {
  view_->selectRow(row);
  view_->scrollTo(model_->index(row, 0));
}

int TcontactsForm::RowCount() const { return model_->rowCount(); }

int TcontactsForm::SelectedIndex() const {
  QModelIndex current = view_->currentIndex();
  if (!current.isValid() || !view_->selectionModel()->isRowSelected(current.row(), QModelIndex())) return -1;
  return static_cast<int>(shown_[static_cast<size_t>(current.row())]);
}

int32_t TcontactsForm::SelectedID() const {
  int i = SelectedIndex();
  return i < 0 ? -1 : contacts_[static_cast<size_t>(i)].ID;
}

void TcontactsForm::UpdateButtons() {
  int i = SelectedIndex();
  const TContactRecord* c = i >= 0 ? &contacts_[static_cast<size_t>(i)] : nullptr;
  show_->setEnabled(c != nullptr);
  delete_->setEnabled(manage_ && c != nullptr);
  mail_->setEnabled(c && !c->email.empty());
  map_->setEnabled(c && (!c->street.empty() || !c->city.empty()));
}

void TcontactsForm::AddContactCommand() {
  TContactRecord c;
  InitContact(c);
  if (!EditContact(c, true, this)) return;
  AddContact(customers_, c);  // the list shows it even when the store refused it
  contacts_.push_back(c);
  Refill(c.ID);
  if (onContactsChanged) onContactsChanged();
}

void TcontactsForm::EditSelected() {
  int i = SelectedIndex();
  if (i < 0) return;
  TContactRecord& c = contacts_[static_cast<size_t>(i)];
  if (!EditContact(c, false, this)) return;
  SaveContact(customers_, c);
  Refill(c.ID);
  if (onContactsChanged) onContactsChanged();
}

void TcontactsForm::DeleteSelected() {
  int i = SelectedIndex();
  if (i < 0 || !manage_) return;
  TContactRecord c = contacts_[static_cast<size_t>(i)];
  if (DeleteContact(customers_, cars_, c) == TContactDelete::Cancelled) return;
  contacts_.erase(contacts_.begin() + i);
  Refill(-1);
  if (onContactsChanged) onContactsChanged();
}

void TcontactsForm::PrintList() {
  if (!search_->text().isEmpty() &&
      ShowMessage("Tisk", "Máte zapnutý filtr. Vytisknou se pouze zobrazené položky. Chcete pokračovat?",
                  TMsgIcon::Question, mbYesNo, TMsgAnswer::Yes) != TMsgAnswer::Yes)
    return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  TQtPrintCanvas canvas(printer);
  TGarvPrinter p(canvas, "Seznam zákazníků");
  canvas.SetFontSize(20);
  p.MoveToX(canvas.PageWidth() / 2 - canvas.TextWidth("Seznam zákazníků") / 2);
  p.PrintText("Seznam zákazníků");
  p.NewLine();
  p.NewLine();
  canvas.SetFontSize(10);
  std::vector<std::vector<std::string>> rows;
  for (size_t i : shown_) {
    const TContactRecord& c = contacts_[i];
    rows.push_back({CustomerDisplayName(c), ContactAddressText(c), c.phones, c.email});
  }
  p.PrintListView({"Jméno", "Adresa", "telefon", "e-mail"}, rows);
}

int32_t ChooseContact(TCustomDb& customers, TCustomCarDb& cars, int32_t id, QWidget* parent, const QImage& background) {
  TcontactsForm form(customers, cars, parent);
  form.SetBackground(background);
  return form.Choose(id);
}
