#include "ui/ContactDetail.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogues/Contacts.h"
#include "ui/ContactLinks.h"

namespace {

std::function<void(int32_t)>& AttachmentsOpener() {
  static std::function<void(int32_t)> opener;
  return opener;
}

// The character of each label that gets the keyboard accelerator.
constexpr int kMnemonic[kContactFieldCount] = {0, 0, 0, 0, 0, 0, 0, 1, 2, 0};

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* FieldLabel(int field, QLineEdit* buddy, QWidget* parent) {
  QString text = QString::fromUtf8(ContactFieldInfo(field).label);
  text.insert(kMnemonic[field], '&');
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TcontactDetail::TcontactDetail(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Kontakt"));
  auto* layout = new QVBoxLayout(this);

  for (int f = 0; f < kContactFieldCount; ++f) {
    auto* e = new QLineEdit(this);
    e->setMaxLength(ContactFieldInfo(f).limit);
    edits_[static_cast<size_t>(f)] = e;
  }

  auto* info = new QGroupBox(QString::fromUtf8("Kontaktní informace"), this);
  auto* grid = new QGridLayout(info);
  map_ = new QPushButton(QString::fromUtf8("Zobrazit na mapě"), info);
  mail_ = new QPushButton(QString::fromUtf8("Poslat e-mail"), info);
  for (int f = kFieldSurname; f <= kFieldOther; ++f) {
    grid->addWidget(FieldLabel(f, Edit(TContactField(f)), info), f, 0);
    grid->addWidget(Edit(TContactField(f)), f, 1);
  }
  grid->addWidget(map_, kFieldCity, 2);
  grid->addWidget(mail_, kFieldEmail, 2);
  grid->setColumnStretch(1, 1);
  layout->addWidget(info);

  auto* kindBox = new QGroupBox(QString::fromUtf8("Druh kontaktu"), this);
  auto* kindRow = new QHBoxLayout(kindBox);
  for (size_t i = 0; i < kinds_.size(); ++i) {
    kinds_[i] = new QRadioButton(QString::fromUtf8(ContactKindChoices()[i].caption), kindBox);
    kindRow->addWidget(kinds_[i]);
  }
  kindRow->addStretch();
  layout->addWidget(kindBox);

  auto* more = new QGroupBox(QString::fromUtf8("Další informace"), this);
  auto* moreGrid = new QGridLayout(more);
  for (int f = kFieldIco; f <= kFieldDic; ++f) {
    moreGrid->addWidget(FieldLabel(f, Edit(TContactField(f)), more), f - kFieldIco, 0);
    moreGrid->addWidget(Edit(TContactField(f)), f - kFieldIco, 1);
    Edit(TContactField(f))->setMaximumWidth(160);
  }
  attachments_ = new QPushButton(QString::fromUtf8("Zobrazit přílohy"), more);
  attachments_->setEnabled(false);  // until a stored contact is shown
  moreGrid->addWidget(attachments_, 0, 3);
  moreGrid->setColumnStretch(2, 1);
  layout->addWidget(more);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Storno");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  for (QPushButton* b : {map_, mail_, attachments_}) b->setAutoDefault(false);

  // Both links work on what the boxes hold now.
  connect(map_, &QPushButton::clicked, this, [this] { ShowAddressOnMap(FieldsAddressText(Fields())); });
  connect(mail_, &QPushButton::clicked, this, [this] { ComposeEmailTo(Fields()[kFieldEmail]); });
  connect(attachments_, &QPushButton::clicked, this, [this] {
    if (AttachmentsOpener() && contactID_ >= 0) AttachmentsOpener()(contactID_);
  });
  for (int f : {kFieldStreet, kFieldCity, kFieldEmail})
    connect(edits_[static_cast<size_t>(f)], &QLineEdit::textChanged, this, &TcontactDetail::UpdateButtons);
  setMinimumWidth(520);
  UpdateButtons();
}

TContactFields TcontactDetail::Fields() const {
  TContactFields fields;
  for (int f = 0; f < kContactFieldCount; ++f) fields[f] = edits_[static_cast<size_t>(f)]->text().toStdString();
  fields.kind = kind_;
  for (size_t i = 0; i < kinds_.size(); ++i)
    if (kinds_[i]->isChecked()) fields.kind = ContactKindChoices()[i].kind;
  return fields;
}

void TcontactDetail::ShowFields(const TContactFields& fields) {
  for (int f = 0; f < kContactFieldCount; ++f) edits_[static_cast<size_t>(f)]->setText(Q(fields[f]));
  kind_ = fields.kind;
  const int choice = ContactKindChoiceIndex(fields.kind);
  for (size_t i = 0; i < kinds_.size(); ++i) {
    // Unchecking needs the group's exclusivity off for a moment.
    kinds_[i]->setAutoExclusive(false);
    kinds_[i]->setChecked(static_cast<int>(i) == choice);
    kinds_[i]->setAutoExclusive(true);
  }
}

void TcontactDetail::UpdateButtons() {
  const TContactFields f = Fields();
  map_->setEnabled(CanShowOnMap(f[kFieldStreet], f[kFieldCity]));
  mail_->setEnabled(CanSendEmail(f[kFieldEmail]));
}

void TcontactDetail::initialize(const TContactRecord& contact) {
  ShowFields(ContactFieldsOf(contact));
  contactID_ = contact.ID;
  attachments_->setEnabled(AttachmentsOpener() && contactID_ >= 0);
}

void SetContactAttachmentsOpener(std::function<void(int32_t)> opener) { AttachmentsOpener() = std::move(opener); }

void TcontactDetail::save(TContactRecord& contact) const { ApplyContactFields(Fields(), contact); }

void TcontactDetail::PasteFrom(const std::string& text) {
  TContactFields fields = Fields();
  FillContactFromText(text, fields);
  ShowFields(fields);
}

bool EditContact(TContactRecord& contact, bool paste, QWidget* parent) {
  TcontactDetail dialog(parent);
  return EditContact(dialog, contact, paste);
}

bool EditContact(TcontactDetail& dialog, TContactRecord& contact, bool paste) {
  dialog.initialize(contact);
  if (paste) {
    QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) dialog.PasteFrom(text.toStdString());
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.save(contact);
  return true;
}
