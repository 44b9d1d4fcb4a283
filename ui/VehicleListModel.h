#pragma once
// The rows of the vehicle list as a Qt table model over TVehicleList.

#include <QAbstractTableModel>
#include <QIcon>

#include "shell/VehicleList.h"

class TVehicleListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TVehicleListModel(TVehicleList& list, QObject* parent = nullptr) : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Call after any change of the list (filter, sort, reload).
  void Reset();
  // Every row shows this icon in its first column.
  void SetRowIcon(const QIcon& icon);
  int32_t VehicleAt(int row) const;
  int32_t OwnerAt(int row) const;

 private:
  TVehicleList& list_;
  QIcon rowIcon_;
};
