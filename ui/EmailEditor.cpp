#include "ui/EmailEditor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/Notifier.h"
#include "ui/MemoText.h"
#include "ui/ReusedDialog.h"

TfEmailEditor::TfEmailEditor(QWidget* parent) : QDialog(parent) {
  setObjectName("fEmailEditor");
  setWindowTitle(QString::fromUtf8("E-mail"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  edAddress_ = new QLineEdit(this);
  edAddress_->setObjectName("edAddress");
  edSubject_ = new QLineEdit(this);
  edSubject_->setObjectName("edSubject");
  auto* addressLabel = new QLabel(QString::fromUtf8("&Adresa:"), this);
  addressLabel->setBuddy(edAddress_);
  auto* subjectLabel = new QLabel(QString::fromUtf8("&Předmět:"), this);
  subjectLabel->setBuddy(edSubject_);
  form->addRow(addressLabel, edAddress_);
  form->addRow(subjectLabel, edSubject_);
  layout->addLayout(form);
  mText_ = new QPlainTextEdit(this);
  mText_->setObjectName("mText");
  mText_->setTabChangesFocus(true);
  layout->addWidget(mText_, 1);
  auto* buttons = new QHBoxLayout;
  sbSend_ = new QPushButton(QString::fromUtf8("&Odeslat"), this);
  sbSend_->setObjectName("sbSend");
  auto* cancel = new QPushButton(QString::fromUtf8("&Storno"), this);
  buttons->addStretch();
  buttons->addWidget(sbSend_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(sbSend_, &QPushButton::clicked, this, [this] {
    // A message without a recipient would only come back as a failure.
    if (edAddress_->text().trimmed().isEmpty()) {
      ShowMessage("Upozornění", "Zadejte adresu příjemce.", TMsgIcon::Warning);
      edAddress_->setFocus();
      return;
    }
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(560, 420);
}

bool TfEmailEditor::Edit(std::string& address, std::string& subject, std::string& body) {
  edAddress_->setText(QString::fromStdString(address));
  edSubject_->setText(QString::fromStdString(subject));
  mText_->setPlainText(ToMemoText(body));
  mText_->setFocus();
  if (ExecReused(*this) != QDialog::Accepted) return false;
  address = edAddress_->text().trimmed().toStdString();
  subject = edSubject_->text().toStdString();
  body = FromMemoText(mText_->toPlainText());
  return true;
}
