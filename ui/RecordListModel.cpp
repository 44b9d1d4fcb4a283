#include "ui/RecordListModel.h"

#include <QColor>

namespace {

const char* const kCaptions[] = {"Datum", "Stav km", "Úkony", "Cena p.", "Cena m."};

}  // namespace

int TRecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TRecordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant TRecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TRecordRow& row = rows_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case 0: return QString::fromStdString(row.date);
        case 1: return QString::fromStdString(row.km);
        case 2: return QString::fromStdString(row.activities);
        case 3: return QString::fromStdString(row.labour);
        case 4: return QString::fromStdString(row.material);
      }
      return {};
    case Qt::TextAlignmentRole:
      if (index.column() == 1 || index.column() >= 3) return int(Qt::AlignRight | Qt::AlignVCenter);
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole: {
      const int32_t colour = KindRowColour(row.kind);
      if (colour < 0) return {};  // performed services show the background
      return QColor::fromRgb(static_cast<QRgb>(colour));
    }
    case Qt::ForegroundRole:
      // Dark text on the light kind colours; white on the red of an unknown kind.
      if (KindRowColour(row.kind) == 0xFF0000) return QColor(Qt::white);
      return {};
  }
  return {};
}

QVariant TRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= 5) return {};
  if (role == Qt::DisplayRole) return QString::fromUtf8(kCaptions[section]);
  if (role == Qt::TextAlignmentRole && (section == 1 || section >= 3)) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

void TRecordListModel::SetRows(std::vector<TRecordRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int TRecordListModel::RecordAt(int row) const {
  return row >= 0 && row < rowCount() ? static_cast<int>(rows_[static_cast<size_t>(row)].index) : -1;
}

int TRecordListModel::RowOfRecord(size_t index) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].index == index) return static_cast<int>(i);
  return -1;
}
