#pragma once
// The desktop of the desktop program: documents open through
// QDesktopServices, addresses through xdg-open so that a refusal is seen,
// questions in Qt's file choosers.

#include "shell/Desktop.h"

class QWidget;

class TQtDesktop : public IDesktop {
 public:
  explicit TQtDesktop(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool OpenDocument(const std::string& path) override;
  bool OpenUrl(const std::string& url) override;
  std::string AskOpenFile(const std::string& caption, const std::string& filter, const std::string& start) override;
  std::string AskSaveFile(const std::string& caption, const std::string& filter, const std::string& start) override;
  std::string AskFolder(const std::string& caption, const std::string& start) override;

 private:
  QWidget* parent_;
};
