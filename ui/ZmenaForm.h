#pragma once
// A plain text window: the vehicle's additional information, and a text
// editor for other windows. It has only "OK"; however it is closed, the text
// is what it holds. F1 opens the help page of the vehicle data.

#include <QDialog>
#include <string>
#include <vector>

#include "storage/Vehicle.h"

class QPlainTextEdit;

class TZmenaForm : public QDialog {
  Q_OBJECT

 public:
  TZmenaForm(const std::string& title, const std::string& text, bool readOnly, QWidget* parent = nullptr);
  std::string Text() const;  // CR LF line breaks
  QPlainTextEdit* Memo() { return memo_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPlainTextEdit* memo_;
};

// "Dodatečné informace": edits `comments`, starting with the `addvehinfo`
// text when there are none. True when `comments` changed.
bool EditAdditionalInfo(Tautomobil& vehicle, const std::string& addvehinfo, QWidget* parent = nullptr);

// Shows the text (or the lines, joined with CR LF) modally; returns the text
// the window holds when it closes.
std::string EditPlainText(const std::string& title, const std::string& text, bool readOnly,
                          QWidget* parent = nullptr);
std::string EditPlainText(const std::string& title, const std::vector<std::string>& lines, bool readOnly,
                          QWidget* parent = nullptr);
