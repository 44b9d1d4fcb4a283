#pragma once
// "Předvolby výpočtu statistik vozidel": the grouping of the vehicle
// statistics and the minimum number of vehicles a group needs. The two
// fields for excluding extremes stay disabled at 0. Modal; "Spočítat"
// checks the fields ("Neplatné hodnoty" keeps the dialog open).

#include <QDialog>

#include "statistics/VehicleStatistics.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class TfStatCarsSetup : public QDialog {
  Q_OBJECT

 public:
  explicit TfStatCarsSetup(QWidget* parent = nullptr);

  // True on "Spočítat" with valid fields; the grouping and the fields.
  bool Ask(int& grouping, TVehicleStatSetup& setup);

  int Grouping() const;
  QRadioButton* GroupButton(int grouping) const { return groups_[grouping]; }
  QLineEdit* BestEdit() const { return best_; }
  QLineEdit* WorstEdit() const { return worst_; }
  QLineEdit* MinimumEdit() const { return minimum_; }
  QPushButton* ComputeButton() const { return compute_; }
  const TVehicleStatSetup& Setup() const { return setup_; }

 private:
  void ComputeClicked();

  QRadioButton* groups_[5];
  QLineEdit* best_;
  QLineEdit* worst_;
  QLineEdit* minimum_;
  QPushButton* compute_;
  TVehicleStatSetup setup_;
};
