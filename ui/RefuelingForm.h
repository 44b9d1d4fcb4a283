#pragma once
// "Tankování": the editor of a REFUEL record. Its rules are the core's
// (servicebook/RefuelForm.h).

#include <QDialog>

#include "servicebook/RefuelForm.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLineEdit;

class TfRefueling : public QDialog {
  Q_OBJECT
 public:
  explicit TfRefueling(QWidget* parent = nullptr);
  void Open(const Tzaznam& record);
  TRefuelForm& Form() { return form_; }
  void btnSaveClick();

 private:
  void ReadControls();
  void ShowState();
  void DateBoxChanged();
  void CalendarClicked();

  TRefuelForm form_;
  bool showing_ = false;
  QLineEdit *edKm_, *edLitres_, *edLiterPrice_, *edDay_, *edMonth_, *edYear_;
  QCheckBox* chbFull_;
  QComboBox* cbPlace_;
  QCalendarWidget* mcDate_;
};

// True when saved: the record's km, date and description are replaced.
bool EditRefueling(QWidget* parent, Tzaznam& record);
