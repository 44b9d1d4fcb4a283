#include "ui/ContactListModel.h"

int TContactListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.RowCount(); }

int TContactListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kContactColumnCount;
}

QVariant TContactListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.RowCount()) return {};
  return QString::fromStdString(list_.Row(index.row()).columns[static_cast<size_t>(index.column())]);
}

QVariant TContactListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= kContactColumnCount) return {};
  QString caption = QString::fromUtf8(ContactColumnCaption(section));
  if (section == list_.SortColumn()) caption += list_.Descending() ? QString::fromUtf8(" ▼") : QString::fromUtf8(" ▲");
  return caption;
}

void TContactListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TContactListModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kContactColumnCount - 1));
}

void TContactListModel::RemoveRow(int row) {
  if (row < 0 || row >= list_.RowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  list_.RemoveRow(row);
  endRemoveRows();
}
