#pragma once
// "Statistiky vozidel": one row per group of vehicles with the count and the
// minimum, maximum and average of each measure, tinted by measure. A click
// on a column header sorts by it (names ascending, numbers descending). Not
// modal; made once and shown again for each computation.

#include <QWidget>

#include "statistics/VehicleStatistics.h"

class QLabel;
class QTableView;
class TVehicleStatModel;

class TfStatCars : public QWidget {
  Q_OBJECT

 public:
  TfStatCars(TCustomCarDb& cars, TCustomRecDb& records, TCatalogue catalogue, QWidget* parent = nullptr);

  // Computes with the progress shown, then fills the window and shows it.
  // False (the window as it was) when the user stopped it.
  bool Compute(int grouping, int percentage, int minimumCount);
  // Fills the window with computed groups and shows it.
  void ShowGroups(CGroupList groups, int grouping, int minimumCount);
  // As a click on the header.
  void SortByColumn(int column);

  QTableView* List() const { return list_; }
  QLabel* Summary() const { return summary_; }
  const CGroupList& Groups() const { return groups_; }

 private:
  TCustomCarDb& cars_;
  TCustomRecDb& records_;
  TCatalogue catalogue_;
  CGroupList groups_{kDefaultVehicleGrouping};
  QTableView* list_;
  QLabel* summary_;
  TVehicleStatModel* model_;
};
