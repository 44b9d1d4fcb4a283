#pragma once
// TfBrowserProgress ("Informace"): the small window that says what the web
// service is doing while a request waits.

#include <QDialog>
#include <string>

class QLabel;

class TfBrowserProgress : public QDialog {
  Q_OBJECT

 public:
  explicit TfBrowserProgress(QWidget* parent = nullptr);
  // Shows the activity ("Odesílám e-mail...") without blocking.
  void ShowActivity(const std::string& activity);
  QString Activity() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* label_;
};
