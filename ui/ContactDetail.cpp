#include "ui/ContactDetail.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogues/Contacts.h"
#include "shell/Config.h"

namespace {
const uint16_t kKinds[4] = {kContactCustomer, kContactSupplier, kContactRepairShop, kContactOther};
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TcontactDetail::TcontactDetail(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Kontakt"));
  auto* layout = new QVBoxLayout(this);

  auto* info = new QGroupBox(QString::fromUtf8("Kontaktní informace"), this);
  auto* form = new QFormLayout(info);
  surname_ = Field(50);
  firstName_ = Field(50);
  company_ = Field(50);
  street_ = Field(50);
  city_ = Field(50);
  phones_ = Field(50);
  email_ = Field(50);
  other_ = Field(50);
  form->addRow(QString::fromUtf8("&Příjmení:"), surname_);
  form->addRow(QString::fromUtf8("&Jméno:"), firstName_);
  form->addRow(QString::fromUtf8("&Firma:"), company_);
  form->addRow(QString::fromUtf8("&Ulice:"), street_);
  form->addRow(QString::fromUtf8("&Město:"), city_);
  form->addRow(QString::fromUtf8("&Telefon:"), phones_);
  form->addRow(QString::fromUtf8("&E-mail:"), email_);
  form->addRow(QString::fromUtf8("J&iný:"), other_);
  auto* actions = new QHBoxLayout;
  auto* map = new QPushButton(QString::fromUtf8("Zobrazit na mapě"), info);
  auto* mail = new QPushButton(QString::fromUtf8("Poslat e-mail"), info);
  actions->addWidget(map);
  actions->addWidget(mail);
  actions->addStretch();
  form->addRow(actions);
  layout->addWidget(info);

  auto* kindBox = new QGroupBox(QString::fromUtf8("Druh kontaktu"), this);
  auto* kindRow = new QHBoxLayout(kindBox);
  const char* kindCaptions[4] = {"Zákazník", "Dodavatel", "Opravna", "Jiný..."};
  for (int i = 0; i < 4; ++i) {
    kinds_[i] = new QRadioButton(QString::fromUtf8(kindCaptions[i]), kindBox);
    kindRow->addWidget(kinds_[i]);
  }
  layout->addWidget(kindBox);

  auto* more = new QGroupBox(QString::fromUtf8("Další informace"), this);
  auto* moreForm = new QFormLayout(more);
  ico_ = Field(15);
  dic_ = Field(15);
  moreForm->addRow(QString::fromUtf8("IČ&O:"), ico_);
  moreForm->addRow(QString::fromUtf8("&DIČ:"), dic_);
  auto* attachments = new QPushButton(QString::fromUtf8("Zobrazit přílohy"), more);
  attachments->setEnabled(false);  // the attachments window comes with the attachments
  moreForm->addRow(attachments);
  layout->addWidget(more);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Storno");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(map, &QPushButton::clicked, this, [this] {
    QDesktopServices::openUrl(QUrl(Q(MapAddress(Config().mapsurl, AddressText()))));
  });
  connect(mail, &QPushButton::clicked, this, [this] {
    if (!email_->text().isEmpty()) QDesktopServices::openUrl(QUrl("mailto:" + email_->text()));
  });
  setMinimumWidth(460);
}

QLineEdit* TcontactDetail::Field(int maxLength) {
  auto* e = new QLineEdit(this);
  e->setMaxLength(maxLength);
  return e;
}

std::string TcontactDetail::AddressText() const {
  return street_->text().toStdString() + ", " + city_->text().toStdString();
}

void TcontactDetail::initialize(const TContactRecord& c) {
  surname_->setText(Q(c.surname));
  firstName_->setText(Q(c.firstName));
  company_->setText(Q(c.company));
  street_->setText(Q(c.street));
  city_->setText(Q(c.city));
  phones_->setText(Q(c.phones));
  email_->setText(Q(c.email));
  other_->setText(Q(c.other));
  ico_->setText(Q(c.ico));
  dic_->setText(Q(c.dic));
  int kind = 0;
  for (int i = 0; i < 4; ++i)
    if (kKinds[i] == c.kind) kind = i;
  kinds_[kind]->setChecked(true);
}

void TcontactDetail::save(TContactRecord& c) const {
  c.surname = surname_->text().toStdString();
  c.firstName = firstName_->text().toStdString();
  c.company = company_->text().toStdString();
  c.street = street_->text().toStdString();
  c.city = city_->text().toStdString();
  c.phones = phones_->text().toStdString();
  c.email = email_->text().toStdString();
  c.other = other_->text().toStdString();
  c.ico = ico_->text().toStdString();
  c.dic = dic_->text().toStdString();
  c.type = c.company.empty() ? 0 : 1;
  for (int i = 0; i < 4; ++i)
    if (kinds_[i]->isChecked()) c.kind = kKinds[i];
}

void TcontactDetail::PasteFrom(const std::string& text) {
  TContactRecord c;
  save(c);
  FillContactFromText(text, c);
  initialize(c);
}

bool EditContact(TContactRecord& contact, bool paste, QWidget* parent) {
  TcontactDetail dialog(parent);
  dialog.initialize(contact);
  if (paste) {
    QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) dialog.PasteFrom(text.toStdString());
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.save(contact);
  return true;
}
