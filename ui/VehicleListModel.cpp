#include "ui/VehicleListModel.h"

#include <QColor>

int TVehicleListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Rows().size());
}

int TVehicleListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Columns().size());
}

QVariant TVehicleListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TVehicleRow& row = list_.Rows()[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    int tag = list_.Columns()[static_cast<size_t>(index.column())].tag;
    return QString::fromStdString(row.Value(tag));
  }
  if (role == Qt::DecorationRole && index.column() == 0 && !rowIcon_.isNull()) return rowIcon_;
  if (role == Qt::ForegroundRole && row.archived) return QColor(Qt::darkGray);
  return {};
}

QVariant TVehicleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= columnCount()) return {};
  QString caption = QString::fromStdString(list_.Columns()[static_cast<size_t>(section)].caption);
  if (section == 0) caption += list_.Descending() ? QString::fromUtf8(" ▼") : QString::fromUtf8(" ▲");
  return caption;
}

void TVehicleListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TVehicleListModel::SetRowIcon(const QIcon& icon) {
  rowIcon_ = icon;
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

int32_t TVehicleListModel::VehicleAt(int row) const {
  return row >= 0 && row < rowCount() ? list_.Rows()[static_cast<size_t>(row)].vehicleID : -1;
}

int32_t TVehicleListModel::OwnerAt(int row) const {
  return row >= 0 && row < rowCount() ? list_.Rows()[static_cast<size_t>(row)].ownerID : -1;
}
