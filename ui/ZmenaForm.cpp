#include "ui/ZmenaForm.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "servicebook/CarInfo.h"
#include "shell/Help.h"
#include "ui/MemoText.h"

TZmenaForm::TZmenaForm(const std::string& title, const std::string& text, bool readOnly, QWidget* parent)
    : QDialog(parent) {
  setObjectName("ZmenaForm");
  setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(this);
  memo_ = new QPlainTextEdit(ToMemoText(text), this);
  memo_->setObjectName("Memo");
  memo_->setReadOnly(readOnly);
  memo_->setTabChangesFocus(true);
  layout->addWidget(memo_, 1);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  resize(520, 400);
}

std::string TZmenaForm::Text() const { return FromMemoText(memo_->toPlainText()); }

void TZmenaForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(HelpPageAddress("autoform.html"))));
    return;
  }
  QDialog::keyPressEvent(event);
}

bool EditAdditionalInfo(Tautomobil& vehicle, const std::string& addvehinfo, QWidget* parent) {
  TZmenaForm form("Dodatečné informace", AdditionalInfoText(vehicle, addvehinfo), false, parent);
  form.exec();
  const std::string text = form.Text();
  if (text == vehicle.comments) return false;
  vehicle.comments = text;
  return true;
}

std::string EditPlainText(const std::string& title, const std::string& text, bool readOnly, QWidget* parent) {
  TZmenaForm form(title, text, readOnly, parent);
  form.exec();
  return form.Text();
}

std::string EditPlainText(const std::string& title, const std::vector<std::string>& lines, bool readOnly,
                          QWidget* parent) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return EditPlainText(title, text, readOnly, parent);
}
