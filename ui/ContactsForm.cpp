#include "ui/ContactsForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogues/ContactFields.h"
#include "catalogues/ContactListPrint.h"
#include "catalogues/Contacts.h"
#include "storage/Notifier.h"
#include "ui/BackgroundTableView.h"
#include "ui/ContactDetail.h"
#include "ui/ContactLinks.h"
#include "ui/ContactListModel.h"
#include "ui/QtPrintCanvas.h"

TcontactsForm::TcontactsForm(TCustomDb& customers, TCustomCarDb& cars, QWidget* parent)
    : QDialog(parent), customers_(customers), cars_(cars) {
  setWindowTitle(QString::fromUtf8("Seznam kontaktů"));
  model_ = std::make_unique<TContactListModel>(list_);

  auto* layout = new QVBoxLayout(this);
  auto* searchRow = new QHBoxLayout;
  auto* label = new QLabel(QString::fromUtf8("&Vyhledat (Jméno/adresa/e-mail/telefon):"), this);
  search_ = new QLineEdit(this);
  search_->setClearButtonEnabled(true);
  label->setBuddy(search_);
  searchRow->addWidget(label);
  searchRow->addWidget(search_, 1);
  layout->addLayout(searchRow);

  view_ = new TBackgroundTableView(this);
  view_->setModel(model_.get());
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setWordWrap(false);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(22);
  QHeaderView* header = view_->horizontalHeader();
  header->setSectionsClickable(true);
  header->setHighlightSections(false);
  header->setSectionResizeMode(kContactColName, QHeaderView::Stretch);
  header->setSectionResizeMode(kContactColAddress, QHeaderView::Stretch);
  view_->setColumnWidth(kContactColPhone, 150);
  view_->setColumnWidth(kContactColEmail, 200);
  layout->addWidget(view_, 1);

  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(QString::fromUtf8("Přidat kontakt"), this);
  show_ = new QPushButton(QString::fromUtf8("Zobrazit kontakt"), this);
  delete_ = new QPushButton(QString::fromUtf8("Odstranit kontakt"), this);
  mail_ = new QPushButton(QString::fromUtf8("Poslat e-mail"), this);
  map_ = new QPushButton(QString::fromUtf8("Zobrazit na mapě"), this);
  print_ = new QPushButton(QString::fromUtf8("Tisknout"), this);
  close_ = new QPushButton(QString::fromUtf8("Zavřít"), this);
  for (QPushButton* b : {add_, show_, delete_}) buttons->addWidget(b);
  buttons->addSpacing(16);
  for (QPushButton* b : {mail_, map_, print_}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  for (QPushButton* b : {add_, show_, delete_, mail_, map_, print_}) b->setAutoDefault(false);
  close_->setDefault(true);
  resize(960, 600);

  detail_ = new TcontactDetail(this);
  connect(search_, &QLineEdit::textChanged, this, &TcontactsForm::SearchChanged);
  connect(header, &QHeaderView::sectionClicked, this, &TcontactsForm::HeaderClicked);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TcontactsForm::UpdateButtons);
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TcontactsForm::UpdateButtons);
  connect(view_, &QAbstractItemView::doubleClicked, this, &TcontactsForm::EditSelected);
  connect(add_, &QPushButton::clicked, this, &TcontactsForm::AddContactCommand);
  connect(show_, &QPushButton::clicked, this, &TcontactsForm::EditSelected);
  connect(delete_, &QPushButton::clicked, this, &TcontactsForm::DeleteSelected);
  connect(mail_, &QPushButton::clicked, this, &TcontactsForm::SendEmail);
  connect(map_, &QPushButton::clicked, this, &TcontactsForm::ShowOnMap);
  connect(print_, &QPushButton::clicked, this, &TcontactsForm::PrintList);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

TcontactsForm::~TcontactsForm() = default;

void TcontactsForm::SetBackground(const QImage& picture) { view_->SetBackground(picture); }

void TcontactsForm::SetPrintPictures(const QImage& printLogo, const QImage& pagePicture) {
  printLogo_ = printLogo;
  pagePicture_ = pagePicture;
}

int32_t TcontactsForm::Choose(int32_t id) {
  manage_ = id == -2;
  close_->setText(QString::fromUtf8(manage_ ? "Zavřít" : "Vybrat"));
  search_->blockSignals(true);
  search_->clear();
  search_->blockSignals(false);
  list_.SetSearch("");
  list_.Load(customers_);
  model_->Reset();
  view_->clearSelection();
  view_->setCurrentIndex(QModelIndex());
  int row = list_.RowOfID(id);
  if (id >= 0 && row >= 0) SelectRow(row);
  UpdateButtons();
  view_->setFocus();
  exec();
  return SelectedID();
}

void TcontactsForm::SearchChanged() {
  list_.SetSearch(search_->text().toStdString());
  model_->Reset();  // no row stays selected
  UpdateButtons();
}

void TcontactsForm::HeaderClicked(int column) {
  const int row = SelectedRow();
  const int index = row >= 0 ? list_.IndexOfRow(row) : -1;
  list_.SortBy(column);
  model_->Reset();
  const int newRow = index >= 0 ? list_.RowOfIndex(index) : -1;
  if (newRow >= 0) SelectRow(newRow);
  UpdateButtons();
}

void TcontactsForm::SelectRow(int row) {
  if (row < 0 || row >= list_.RowCount()) return;
  view_->selectRow(row);
  view_->scrollTo(model_->index(row, 0));
}

int TcontactsForm::SelectedRow() const {
  QModelIndex current = view_->currentIndex();
  if (!current.isValid() || !view_->selectionModel()->isRowSelected(current.row(), QModelIndex())) return -1;
  return current.row();
}

int32_t TcontactsForm::SelectedID() const { return list_.IDOfRow(SelectedRow()); }

void TcontactsForm::UpdateButtons() {
  const int row = SelectedRow();
  const TContactRecord* c = row >= 0 ? &list_.Row(row).record : nullptr;
  show_->setEnabled(c != nullptr);
  delete_->setEnabled(manage_ && c != nullptr);
  mail_->setEnabled(c && CanSendEmail(c->email));
  map_->setEnabled(c && CanShowOnMap(c->street, c->city));
}

void TcontactsForm::AddContactCommand() {
  TContactRecord c;
  InitContact(c);
  if (!EditContact(*detail_, c, true)) return;
  AddContact(customers_, c);  // the list shows it even when the store refused it
  const int row = list_.Append(c);
  model_->Reset();
  SelectRow(row);
  UpdateButtons();
  if (onContactChanged) onContactChanged(c.ID);
}

void TcontactsForm::EditSelected() {
  const int row = SelectedRow();
  if (row < 0) return;
  TContactRecord c = list_.Row(row).record;
  if (!EditContact(*detail_, c, false)) return;
  SaveContact(customers_, c);
  list_.Replace(row, c);  // the row stays where it is, selected
  model_->RowChanged(row);
  UpdateButtons();
  if (onContactChanged) onContactChanged(c.ID);
}

void TcontactsForm::DeleteSelected() {
  const int row = SelectedRow();
  if (row < 0 || !manage_) return;
  TContactRecord c = list_.Row(row).record;
  if (DeleteContact(customers_, cars_, c) == TContactDelete::Cancelled) return;
  model_->RemoveRow(row);
  UpdateButtons();
  if (onContactChanged) onContactChanged(c.ID);
}

void TcontactsForm::SendEmail() {
  const int row = SelectedRow();
  if (row >= 0) ComposeEmailTo(list_.Row(row).record.email);
}

void TcontactsForm::ShowOnMap() {
  const int row = SelectedRow();
  if (row >= 0) ShowAddressOnMap(ContactAddressText(list_.Row(row).record));
}

void TcontactsForm::PrintList() {
  if (!ConfirmContactListPrint(list_)) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!AskPrinter(printer, this)) return;
  printer.setDocName(QString::fromUtf8("Seznam zákazníků"));  // the job's name in the print queue
  TQtPrintCanvas canvas(printer, printLogo_, pagePicture_);
  if (!PrintStarted(canvas)) return;
  int first, last;
  ChosenPages(printer, first, last);
  PrintContactList(list_, canvas, first, last);
}

int32_t ChooseContact(TCustomDb& customers, TCustomCarDb& cars, int32_t id, QWidget* parent, const QImage& background) {
  TcontactsForm form(customers, cars, parent);
  form.SetBackground(background);
  return form.Choose(id);
}
