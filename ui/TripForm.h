#pragma once
// "Cesta": the editor of a TRIP record. Its rules are the core's
// (servicebook/TripForm.h).

#include <QDialog>

#include "servicebook/TripForm.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QTimeEdit;

class TfTrip : public QDialog {
  Q_OBJECT
 public:
  explicit TfTrip(QWidget* parent = nullptr);
  void Open(const Tzaznam& record);
  TTripForm& Form() { return form_; }
  void btnSaveClick();

 private:
  void ReadControls();
  void ShowState();
  void KmEdited(TTripForm::TKmBox box);

  TTripForm form_;
  bool showing_ = false;
  QDateEdit *dtpBeginDate_, *dtpEndDate_;
  QTimeEdit *dtpBeginTime_, *dtpEndTime_;
  QCheckBox *chbBeginTime_, *chbEndTime_, *chbRoundTrip_;
  QComboBox *cbFrom_, *cbTo_, *cbPurpose_;
  QPlainTextEdit* mComment_;
  QLineEdit *edBeginKM_, *edEndKM_, *edCountKM_;
};

// True when saved: the record's km, date and description are replaced.
bool EditTrip(QWidget* parent, Tzaznam& record);
