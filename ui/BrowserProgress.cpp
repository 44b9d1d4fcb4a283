#include "ui/BrowserProgress.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

TfBrowserProgress::TfBrowserProgress(QWidget* parent) : QDialog(parent) {
  setObjectName("fBrowserProgress");
  setWindowTitle(QString::fromUtf8("Informace"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(this);
  label_->setObjectName("lInfo");
  label_->setAlignment(Qt::AlignCenter);
  layout->addWidget(label_);
  setFixedSize(300, 90);
}

void TfBrowserProgress::ShowActivity(const std::string& activity) {
  label_->setText(QString::fromStdString(activity));
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
}

QString TfBrowserProgress::Activity() const { return label_->text(); }

// The window goes when the request ends, not before: closing or Escape
// would leave the request running without its sign.
void TfBrowserProgress::closeEvent(QCloseEvent* event) { event->ignore(); }

void TfBrowserProgress::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}
