#pragma once
// The web service's windows in the desktop program: the progress window
// while a request waits (events keep flowing) and the e-mail editor.

#include <QPointer>

#include "exchange/WebService.h"

class QWidget;
class TfBrowserProgress;

class TQtWebServiceUi : public IWebServiceUi {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowProgress(const std::string& activity) override;
  void ProcessEvents() override;
  void HideProgress() override;
  bool EditEmail(std::string& address, std::string& subject, std::string& body) override;

 private:
  QPointer<QWidget> parent_;
  TfBrowserProgress* progress_ = nullptr;  // made once, a child of the parent
};
