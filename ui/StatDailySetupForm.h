#pragma once
// "Předvolby výpočtu denních statistik": the period (from, to) and the
// grouping of the daily statistics. Modal; "Spočítat" accepts it.

#include <QDialog>

#include "storage/DateTime.h"

class QDateEdit;
class QLabel;
class QRadioButton;
class QPushButton;

class TfStatDailySetup : public QDialog {
  Q_OBJECT

 public:
  explicit TfStatDailySetup(QWidget* parent = nullptr);

  // Grouping by days, to today, from the first day of today's month; then
  // the dialog runs. True on "Spočítat", with the choices.
  bool Ask(int& grouping, TDateTime& from, TDateTime& to);
  // The same start without running, for tests.
  void Reset();

  int Grouping() const;
  TDateTime From() const;
  TDateTime To() const;

  QDateEdit* FromEdit() const { return from_; }
  QDateEdit* ToEdit() const { return to_; }
  QLabel* LengthLabel() const { return length_; }
  QRadioButton* GroupButton(int grouping) const { return groups_[grouping]; }
  QPushButton* ComputeButton() const { return compute_; }

 private:
  void DatesChanged();

  QDateEdit* from_;
  QDateEdit* to_;
  QLabel* length_;
  QRadioButton* groups_[3];
  QPushButton* compute_;
};

QDate ToQDate(TDateTime date);
TDateTime FromQDate(const QDate& date);
