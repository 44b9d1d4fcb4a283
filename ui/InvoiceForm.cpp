#include "ui/InvoiceForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "storage/Notifier.h"
#include "ui/DocumentListForm.h"
#include "ui/DocumentNumberBox.h"
#include "ui/DocumentWindowLoop.h"
#include "ui/QtDates.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QDateEdit* DateEdit(QWidget* parent, const char* name) {
  auto* d = new QDateEdit(parent);
  d->setObjectName(name);
  d->setCalendarPopup(true);
  d->setDisplayFormat("d.M.yyyy");
  return d;
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength = 255) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(maxLength);
  return e;
}

}  // namespace

TfInvoice::TfInvoice(QWidget* parent) : QDialog(parent) {
  setObjectName("TfInvoice");
  number_ = new TDocumentNumberBox(
      TDocumentNumberTexts{"Pro tento záznam zatím nebyl vystaven žádný doklad.", "Vystavený doklad číslo:",
                           "Zobrazit &fakturu", "Čí&slo dokladu:", "lbNoInvoice", "lbInvoiceCreated",
                           "lbInvoiceNumber"},
      this);
  number_->onShow = [this] {
    ShowDocument(StoredDocument(InvoiceKind(state_.type), state_.existingNumber));
  };
  number_->onOverview = [this] { OpenDocumentList(InvoiceFolder(state_.type), state_.caption, this); };

  dateCreated_ = DateEdit(this, "dateCreated");
  dateMaturity_ = DateEdit(this, "dateMaturity");
  edOrderNumber_ = Edit(this, "edOrderNumber");
  chbProform_ = new QCheckBox(QString::fromUtf8("P&roforma"), this);
  chbProform_->setObjectName("chbProform");
  chbIncludeVehicleInfo_ = new QCheckBox(QString::fromUtf8("&Informace o vozidle"), this);
  chbIncludeVehicleInfo_->setObjectName("chbIncludeVehicleInfo");
  chbIncludeSignature_ = new QCheckBox(QString::fromUtf8("Razítko/po&dpis"), this);
  chbIncludeSignature_->setObjectName("chbIncludeSignature");
  cbFontSize_ = new QComboBox(this);
  cbFontSize_->setObjectName("cbFontSize");
  for (int size : kInvoiceFontSizes) cbFontSize_->addItem(QString::number(size), size);
  edItemsPerPage_ = Edit(this, "edItemsPerPage", 6);

  auto* dates = new QFormLayout;
  auto* created = new QLabel(QString::fromUtf8("&Vystaveno:"), this);
  created->setBuddy(dateCreated_);
  auto* maturity = new QLabel(QString::fromUtf8("Datum spla&tnosti:"), this);
  maturity->setBuddy(dateMaturity_);
  auto* order = new QLabel(QString::fromUtf8("Číslo &objednávky:"), this);
  order->setBuddy(edOrderNumber_);
  dates->addRow(created, dateCreated_);
  dates->addRow(maturity, dateMaturity_);
  dates->addRow(order, edOrderNumber_);

  auto* options = new QHBoxLayout;
  options->addWidget(chbProform_);
  options->addWidget(chbIncludeVehicleInfo_);
  options->addWidget(chbIncludeSignature_);
  options->addStretch();
  auto* font = new QLabel(QString::fromUtf8("F&ont:"), this);
  font->setBuddy(cbFontSize_);
  auto* perPage = new QLabel(QString::fromUtf8("Položek na strá&nku:"), this);
  perPage->setBuddy(edItemsPerPage_);
  auto* layoutRow = new QHBoxLayout;
  layoutRow->addWidget(font);
  layoutRow->addWidget(cbFontSize_);
  layoutRow->addSpacing(16);
  layoutRow->addWidget(perPage);
  layoutRow->addWidget(edItemsPerPage_);
  layoutRow->addStretch();

  auto* payment = new QGroupBox(QString::fromUtf8(" Způsob platby "), this);
  rbCash_ = new QRadioButton(QString::fromUtf8("&Hotově"), payment);
  rbCash_->setObjectName("rbCash");
  rbCard_ = new QRadioButton(QString::fromUtf8("&Kartou"), payment);
  rbCard_->setObjectName("rbCard");
  rbTransaction_ = new QRadioButton(QString::fromUtf8("&Bankovním převodem"), payment);
  rbTransaction_->setObjectName("rbTransaction");
  auto* methods = new QButtonGroup(this);
  methods->addButton(rbCash_, pmCash);
  methods->addButton(rbCard_, pmCard);
  methods->addButton(rbTransaction_, pmTransfer);
  edTransactionFeePct_ = Edit(payment, "edTransactionFeePct", 12);
  edTransactionFee_ = Edit(payment, "edTransactionFee", 12);
  auto* feeCaption = new QLabel(QString::fromUtf8("Poplatek za způsob &platby:"), payment);
  feeCaption->setBuddy(edTransactionFeePct_);
  auto* fixedCaption = new QLabel(QString::fromUtf8("% + fixní:"), payment);
  fixedCaption->setBuddy(edTransactionFee_);

  bankBox_ = new QWidget(payment);
  edBank_ = Edit(bankBox_, "edBank");
  edAccountNr_ = Edit(bankBox_, "edAccountNr");
  edIban_ = Edit(bankBox_, "edIban");
  edVariableSymbol_ = Edit(bankBox_, "edVariableSymbol", 31);
  auto* bank = new QFormLayout(bankBox_);
  bank->setContentsMargins(0, 0, 0, 0);
  auto* accounts = new QHBoxLayout;
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QString::number(i + 1), bankBox_);
    b->setObjectName(QString("sbUseAccount%1").arg(i));
    b->setToolTip(QString::fromUtf8("Použít %1. účet autoservisu").arg(i + 1));
    b->setAutoDefault(false);
    b->setMaximumWidth(32);
    connect(b, &QPushButton::clicked, this, [this, i] { UseAccount(i); });
    accounts->addWidget(b);
  }
  accounts->addStretch();
  bank->addRow(QString::fromUtf8("Účet autoservisu:"), accounts);
  auto addBankRow = [&](const char* caption, QLineEdit* edit) {
    auto* l = new QLabel(QString::fromUtf8(caption), bankBox_);
    l->setBuddy(edit);
    bank->addRow(l, edit);
  };
  addBankRow("B&anka:", edBank_);
  addBankRow("Číslo ú&čtu:", edAccountNr_);
  addBankRow("&IBAN:", edIban_);
  addBankRow("Variabilní s&ymbol:", edVariableSymbol_);

  auto* paymentLayout = new QGridLayout(payment);
  auto* radios = new QHBoxLayout;
  radios->addWidget(rbCash_);
  radios->addWidget(rbCard_);
  radios->addWidget(rbTransaction_);
  radios->addStretch();
  paymentLayout->addLayout(radios, 0, 0, 1, 4);
  paymentLayout->addWidget(feeCaption, 1, 0);
  paymentLayout->addWidget(edTransactionFeePct_, 1, 1);
  paymentLayout->addWidget(fixedCaption, 1, 2);
  paymentLayout->addWidget(edTransactionFee_, 1, 3);
  paymentLayout->addWidget(bankBox_, 2, 0, 1, 4);
  connect(methods, &QButtonGroup::idClicked, this, [this](int) { PaymentMethodChanged(); });
  // The due date keeps its term when the issue date moves.
  connect(dateCreated_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (lastCreated_.isValid()) dateMaturity_->setDate(dateMaturity_->date().addDays(lastCreated_.daysTo(date)));
    lastCreated_ = date;
  });

  BitBtn1_ = new QPushButton(QString::fromUtf8("Vytvořit"), this);
  BitBtn1_->setObjectName("BitBtn1");
  BitBtn1_->setDefault(true);
  BitBtn2_ = new QPushButton(QString::fromUtf8("Storno"), this);
  BitBtn2_->setObjectName("BitBtn2");
  BitBtn2_->setAutoDefault(false);
  connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1_);
  buttons->addWidget(BitBtn2_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(number_);
  layout->addLayout(dates);
  layout->addLayout(options);
  layout->addLayout(layoutRow);
  layout->addWidget(payment);
  layout->addStretch();
  layout->addLayout(buttons);
  setMinimumWidth(460);
}

void TfInvoice::Open(const TInvoiceFormState& s) {
  state_ = s;
  setWindowTitle(Q(s.caption));
  number_->Show(s.existingNumber, s.number);
  lastCreated_ = QDate();
  dateCreated_->setDate(ToQDate(s.dateCreated));
  lastCreated_ = dateCreated_->date();
  dateMaturity_->setDate(ToQDate(s.dateMaturity));
  edOrderNumber_->setText(Q(s.orderNumber));
  chbProform_->setVisible(s.proformaAllowed);
  chbProform_->setChecked(s.proforma);
  chbIncludeVehicleInfo_->setChecked(s.includeVehicleInfo);
  chbIncludeSignature_->setEnabled(s.signatureEnabled);
  chbIncludeSignature_->setChecked(s.includeSignature);
  int font = cbFontSize_->findData(s.fontSize);
  cbFontSize_->setCurrentIndex(font >= 0 ? font : cbFontSize_->findData(11));
  edItemsPerPage_->setText(Q(s.itemsPerPage));
  rbCash_->setChecked(s.paymentMethod == pmCash);
  rbCard_->setChecked(s.paymentMethod == pmCard);
  rbTransaction_->setChecked(s.paymentMethod == pmTransfer);
  edTransactionFeePct_->setText(Q(s.feePct));
  edTransactionFee_->setText(Q(s.fee));
  edBank_->setText(Q(s.bank));
  edAccountNr_->setText(Q(s.accountNr));
  edIban_->setText(Q(s.iban));
  edVariableSymbol_->setText(Q(s.variableSymbol));
  bankBox_->setVisible(BankFieldsVisible(s));
  number_->NumberEdit()->setFocus();
  number_->NumberEdit()->selectAll();
}

TInvoiceFormState TfInvoice::Read() const {
  TInvoiceFormState s = state_;
  s.number = number_->Number();
  s.dateCreated = FromQDate(dateCreated_->date());
  s.dateMaturity = FromQDate(dateMaturity_->date());
  s.orderNumber = S(edOrderNumber_->text());
  s.proforma = s.proformaAllowed && chbProform_->isChecked();
  s.includeVehicleInfo = chbIncludeVehicleInfo_->isChecked();
  s.includeSignature = chbIncludeSignature_->isChecked();
  s.fontSize = cbFontSize_->currentData().toInt();
  s.itemsPerPage = S(edItemsPerPage_->text().trimmed());
  s.paymentMethod = rbTransaction_->isChecked() ? pmTransfer : rbCard_->isChecked() ? pmCard : pmCash;
  s.feePct = S(edTransactionFeePct_->text());
  s.fee = S(edTransactionFee_->text());
  s.bank = S(edBank_->text());
  s.accountNr = S(edAccountNr_->text());
  s.iban = S(edIban_->text());
  s.variableSymbol = S(edVariableSymbol_->text());
  return s;
}

void TfInvoice::PaymentMethodChanged() {
  TInvoiceFormState s = Read();
  ApplyPaymentRule(s);
  dateMaturity_->setDate(ToQDate(s.dateMaturity));
  bankBox_->setVisible(BankFieldsVisible(s));
  adjustSize();
}

void TfInvoice::UseAccount(int account) {
  TInvoiceFormState s = Read();
  UseBankAccount(s, account);
  edBank_->setText(Q(s.bank));
  edAccountNr_->setText(Q(s.accountNr));
  edIban_->setText(Q(s.iban));
}

bool EditInvoice(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record,
                 int type) {
  TfInvoice form(parent);
  try {
    return RunDocumentWindow(form, OpenInvoiceForm(record, type), [&](const TInvoiceFormState& s) {
      return IssueInvoice(s, vehicle, customer, record, true);
    });
  } catch (const std::exception& e) {  // an invalid type
    ShowError(e.what());
    return false;
  }
}

void ShowInvoice(const Tzaznam& record, int type) {
  try {
    const TDocumentKind kind = InvoiceKind(type);
    ShowDocument(StoredDocument(kind, RecordDocumentNumber(record.db, kind)));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}
