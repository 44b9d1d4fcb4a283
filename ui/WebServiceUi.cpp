#include "ui/WebServiceUi.h"

#include <QApplication>

#include "ui/BrowserProgress.h"
#include "ui/EmailEditor.h"
#include "ui/ReusedDialog.h"

void TQtWebServiceUi::ShowProgress(const std::string& activity) {
  if (!progress_) progress_ = new TfBrowserProgress(parent_);
  progress_->ShowActivity(activity);
  QApplication::processEvents();
}

void TQtWebServiceUi::ProcessEvents() { QApplication::processEvents(QEventLoop::AllEvents, 50); }

void TQtWebServiceUi::HideProgress() {
  if (progress_) progress_->hide();
}

bool TQtWebServiceUi::EditEmail(std::string& address, std::string& subject, std::string& body) {
  return ReusedDialog<TfEmailEditor>(parent_).Edit(address, subject, body);
}
