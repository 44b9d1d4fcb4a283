#include "ui/ContractForm.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "storage/Notifier.h"
#include "ui/DocumentListForm.h"
#include "ui/DocumentNumberBox.h"
#include "ui/DocumentWindowLoop.h"
#include "ui/MemoText.h"
#include "ui/QtDates.h"
#include "ui/TimeLineEdit.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QPlainTextEdit* Memo(QWidget* parent, const char* name) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(name);
  m->setTabChangesFocus(true);
  m->setMinimumHeight(54);
  return m;
}

QLineEdit* PriceEdit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(20);
  e->setMinimumWidth(110);
  return e;
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setBuddy(buddy);
  return l;
}

QHBoxLayout* Buttons(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel, const char* okName,
                     const char* cancelName) {
  ok = new QPushButton(QString::fromUtf8("Vytvořit"), dialog);
  ok->setObjectName(okName);
  ok->setDefault(true);
  cancel = new QPushButton(QString::fromUtf8("Storno"), dialog);
  cancel->setObjectName(cancelName);
  cancel->setAutoDefault(false);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

void ShowRecordDocument(const Tzaznam& record, TDocumentKind kind) {
  try {
    ShowDocument(StoredDocument(kind, RecordDocumentNumber(record.db, kind)));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

}  // namespace

TfContract::TfContract(QWidget* parent) : QDialog(parent) {
  setObjectName("TfContract");
  setWindowTitle(QString::fromUtf8("Vytvořit zakázkový list"));
  number_ = new TDocumentNumberBox(TDocumentNumberTexts{"Pro tento záznam zatím nebyl vytištěn zakázkový list.",
                                                        "Vytištěný zakázkový list číslo:", "Zobrazit &list",
                                                        "Čí&slo:"},
                                   this);
  number_->onShow = [this] {
    ShowDocument(StoredDocument(TDocumentKind::Contract, state_.existingNumber));
  };
  number_->onOverview = [this] {
    OpenDocumentList(DocumentFolder(TDocumentKind::Contract), "Seznam zakázkových listů", this);
  };

  dateOvertaken_ = new QDateEdit(this);
  dateOvertaken_->setObjectName("dateOvertaken");
  timeOvertaken_ = new TTimeLineEdit(this);
  timeOvertaken_->setObjectName("timeOvertaken");
  dateExpectedFinish_ = new QDateEdit(this);
  dateExpectedFinish_->setObjectName("dateExpectedFinish");
  timeExpectedFinish_ = new TTimeLineEdit(this);
  timeExpectedFinish_->setObjectName("timeExpectedFinish");
  for (QDateEdit* d : {dateOvertaken_, dateExpectedFinish_}) {
    d->setCalendarPopup(true);
    d->setDisplayFormat("d.M.yyyy");
  }
  mVehicleState_ = Memo(this, "mVehicleState");
  mEquipment_ = Memo(this, "mEquipment");
  mFailureDescription_ = Memo(this, "mFailureDescription");
  mComment_ = Memo(this, "mComment");

  priceFields_ = new QWidget(this);
  edExpectedMatPrice_ = PriceEdit(priceFields_, "edExpectedMatPrice");
  edExpectedWorkPrice_ = PriceEdit(priceFields_, "edExpectedWorkPrice");
  edExpectedPrice_ = PriceEdit(this, "edExpectedPrice");
  auto* prices = new QHBoxLayout(priceFields_);
  prices->setContentsMargins(0, 0, 0, 0);
  prices->addWidget(Caption("&Materiál:", edExpectedMatPrice_, priceFields_));
  prices->addWidget(edExpectedMatPrice_);
  prices->addWidget(Caption("&Práce:", edExpectedWorkPrice_, priceFields_));
  prices->addWidget(edExpectedWorkPrice_);
  connect(edExpectedPrice_, &QLineEdit::textChanged, this, [this] { ShowPriceFields(); });

  auto* grid = new QGridLayout;
  int row = 0;
  auto moment = [&](const char* caption, QDateEdit* date, TTimeLineEdit* time) {
    auto* pair = new QHBoxLayout;
    pair->addWidget(date);
    pair->addWidget(time);
    pair->addStretch();
    grid->addWidget(Caption(caption, date, this), row, 0);
    grid->addLayout(pair, row++, 1);
  };
  moment("Převzetí &vozidla:", dateOvertaken_, timeOvertaken_);
  moment("Předpokládané &ukončení opravy:", dateExpectedFinish_, timeExpectedFinish_);
  auto memo = [&](const char* caption, QPlainTextEdit* m) {
    grid->addWidget(Caption(caption, m, this), row, 0, Qt::AlignTop);
    grid->addWidget(m, row++, 1);
  };
  memo("S&tav vozu:", mVehicleState_);
  memo("&Výbava:", mEquipment_);
  memo("Popis &závady:", mFailureDescription_);
  memo("&Komentář:", mComment_);
  auto* priceRow = new QHBoxLayout;
  priceRow->addWidget(priceFields_);
  auto* orLabel = new QLabel(QString::fromUtf8(" Nebo "), this);
  orLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  priceRow->addWidget(orLabel);
  priceRow->addWidget(Caption("&Celkem:", edExpectedPrice_, this));
  priceRow->addWidget(edExpectedPrice_);
  priceRow->addStretch();
  grid->addWidget(new QLabel(QString::fromUtf8("Předpokládaná cena:"), this), row, 0);
  grid->addLayout(priceRow, row++, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(number_);
  layout->addLayout(grid);
  layout->addLayout(Buttons(this, btnOK_, btnCancel_, "btnOK", "btnCancel"));
  setMinimumWidth(620);
}

void TfContract::Open(const TContractFormState& s) {
  state_ = s;
  number_->Show(s.existingNumber, s.number);
  dateOvertaken_->setDate(ToQDate(s.overtaken));
  timeOvertaken_->setTime(ToQTime(s.overtaken));
  dateExpectedFinish_->setDate(ToQDate(s.expectedFinish));
  timeExpectedFinish_->setTime(ToQTime(s.expectedFinish));
  mVehicleState_->setPlainText(ToMemoText(s.vehicleState));
  mEquipment_->setPlainText(ToMemoText(s.equipment));
  mFailureDescription_->setPlainText(ToMemoText(s.failureDescription));
  mComment_->setPlainText(ToMemoText(s.comment));
  edExpectedMatPrice_->setText(Q(s.expectedMatPrice));
  edExpectedWorkPrice_->setText(Q(s.expectedWorkPrice));
  edExpectedPrice_->setText(Q(s.expectedPrice));
  ShowPriceFields();
  number_->NumberEdit()->setFocus();
  number_->NumberEdit()->selectAll();
}

TContractFormState TfContract::Read() const {
  TContractFormState s = state_;
  s.number = number_->Number();
  s.overtaken = FromQDateAndTime(dateOvertaken_->date(), timeOvertaken_->time());
  s.expectedFinish = FromQDateAndTime(dateExpectedFinish_->date(), timeExpectedFinish_->time());
  s.vehicleState = FromMemoText(mVehicleState_->toPlainText());
  s.equipment = FromMemoText(mEquipment_->toPlainText());
  s.failureDescription = FromMemoText(mFailureDescription_->toPlainText());
  s.comment = FromMemoText(mComment_->toPlainText());
  s.expectedPrice = S(edExpectedPrice_->text().trimmed());
  // A typed total replaces the two prices.
  s.expectedMatPrice = s.expectedPrice.empty() ? S(edExpectedMatPrice_->text()) : "";
  s.expectedWorkPrice = s.expectedPrice.empty() ? S(edExpectedWorkPrice_->text()) : "";
  return s;
}

void TfContract::accept() {
  // A time that is no time is not taken as midnight.
  for (TTimeLineEdit* time : {timeOvertaken_, timeExpectedFinish_}) {
    if (time->HasValidTime()) continue;
    ShowMessage("Chyba",
                std::string("Nesprávná hodnota \"") +
                    (time == timeOvertaken_ ? "Převzetí vozidla" : "Předpokládané ukončení opravy") + "\"",
                TMsgIcon::Warning);
    time->setFocus();
    time->selectAll();
    return;
  }
  QDialog::accept();
}

void TfContract::ShowPriceFields() { priceFields_->setVisible(edExpectedPrice_->text().trimmed().isEmpty()); }

TfReceipt::TfReceipt(QWidget* parent) : QDialog(parent) {
  setObjectName("TfReceipt");
  setWindowTitle(QString::fromUtf8("Vytvořit příjmový doklad"));
  number_ = new TDocumentNumberBox(TDocumentNumberTexts{"Pro tento záznam zatím nebyl vytištěn příjmový doklad.",
                                                        "Vytištěný příjmový doklad číslo:", "Zobrazit &doklad",
                                                        "Čí&slo:"},
                                   this);
  number_->onShow = [this] { ShowDocument(StoredDocument(TDocumentKind::Receipt, state_.existingNumber)); };
  number_->onOverview = [this] {
    OpenDocumentList(DocumentFolder(TDocumentKind::Receipt), "Seznam příjmových dokladů", this);
  };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(number_);
  layout->addLayout(Buttons(this, btnOK_, btnCancel_, "btnOK", "btnCancel"));
  setMinimumWidth(420);
}

void TfReceipt::Open(const TReceiptFormState& s) {
  state_ = s;
  number_->Show(s.existingNumber, s.number);
  number_->NumberEdit()->setFocus();
  number_->NumberEdit()->selectAll();
}

TReceiptFormState TfReceipt::Read() const {
  TReceiptFormState s = state_;
  s.number = number_->Number();
  return s;
}

bool EditContract(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record) {
  TfContract form(parent);
  return RunDocumentWindow(form, OpenContractForm(record), [&](const TContractFormState& s) {
    return IssueContract(s, vehicle, customer, record, true);
  });
}

bool EditReceipt(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record) {
  TfReceipt form(parent);
  return RunDocumentWindow(form, OpenReceiptForm(record), [&](const TReceiptFormState& s) {
    return IssueReceipt(s, vehicle, customer, record, true);
  });
}

void ShowContract(const Tzaznam& record) { ShowRecordDocument(record, TDocumentKind::Contract); }
void ShowReceipt(const Tzaznam& record) { ShowRecordDocument(record, TDocumentKind::Receipt); }
