#pragma once
// "O tomto programu": the start-up screen and the "O programu" window.

#include <QDialog>

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
};
