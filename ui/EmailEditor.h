#pragma once
// TfEmailEditor ("E-mail"): a message the user may change before the web
// service sends it: address, subject and text; "&Odeslat" sends.

#include <QDialog>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfEmailEditor : public QDialog {
  Q_OBJECT

 public:
  explicit TfEmailEditor(QWidget* parent = nullptr);
  // Fills the window, shows it modally; true for "Odeslat" with the edited
  // values, false for Cancel (values unchanged).
  bool Edit(std::string& address, std::string& subject, std::string& body);

  QLineEdit* Address() { return edAddress_; }
  QLineEdit* Subject() { return edSubject_; }
  QPlainTextEdit* Text() { return mText_; }
  QPushButton* SendButton() { return sbSend_; }

 private:
  QLineEdit* edAddress_;
  QLineEdit* edSubject_;
  QPlainTextEdit* mText_;
  QPushButton* sbSend_;
};
