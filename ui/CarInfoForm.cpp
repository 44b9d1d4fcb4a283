#include "ui/CarInfoForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "servicebook/CarInfo.h"
#include "storage/Notifier.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TcarInfoForm::TcarInfoForm(const Tautomobil& vehicle, TVehicleFormServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
  setObjectName("carInfoForm");
  setWindowTitle(QString::fromUtf8("Informace o automobilu"));
  const TVehicleFormSettings settings = services_.settings();

  auto* layout = new QVBoxLayout(this);
  memoInfo_ = new QPlainTextEdit(this);
  memoInfo_->setObjectName("memoInfo");
  memoInfo_->setTabChangesFocus(true);
  // The captions are padded with blanks to line up the values.
  memoInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QStringList lines;
  for (const std::string& l : CarInfoLines(vehicle, settings.ordertext)) lines << Q(l);
  memoInfo_->setPlainText(lines.join('\n'));
  layout->addWidget(memoInfo_, 1);

  auto* form = new QFormLayout;
  emailAddress_ = new QComboBox(this);
  emailAddress_->setObjectName("emailAddress");
  emailAddress_->setEditable(true);
  emailAddress_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& a : services_.supplierAddresses()) emailAddress_->addItem(Q(a));
  emailAddress_->setCurrentIndex(-1);
  emailAddress_->setEditText(Q(settings.orderaddr));
  subject_ = new QLineEdit(Q(settings.ordersubj), this);
  subject_->setObjectName("subject");
  form->addRow(QString::fromUtf8("&Komu:"), emailAddress_);
  form->addRow(QString::fromUtf8("&Předmět:"), subject_);
  layout->addLayout(form);

  auto* buttons = new QHBoxLayout;
  attach_ = new QCheckBox(QString::fromUtf8("Přiložit text"), this);
  attach_->setChecked(true);
  auto* send = new QPushButton(QString::fromUtf8("Napsat e-mail"), this);
  send->setDefault(true);
  auto* close = new QPushButton(QString::fromUtf8("Zavřít"), this);
  close->setAutoDefault(false);
  buttons->addWidget(attach_);
  buttons->addStretch();
  buttons->addWidget(send);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(send, &QPushButton::clicked, this, &TcarInfoForm::SendClick);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  resize(560, 520);
}

void TcarInfoForm::SendClick() {
  std::vector<std::string> lines;
  for (const QString& l : memoInfo_->toPlainText().split('\n')) lines.push_back(l.toStdString());
  const std::string body = attach_->isChecked() ? OrderMailBody(lines) : std::string();
  if (services_.sendEmail(emailAddress_->currentText().toStdString(), subject_->text().toStdString(), body)) {
    close();
    return;
  }
  ShowMessage("Chyba", "Odeslání se nezdařilo", TMsgIcon::Error);
}

TcarInfoForm* ShowCarInfo(const Tautomobil& vehicle, const TVehicleFormServices& services, QWidget* parent) {
  auto* form = new TcarInfoForm(vehicle, services, parent);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setModal(false);
  form->show();
  return form;
}
