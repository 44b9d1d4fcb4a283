#pragma once
// The rows of the records window's list as a Qt table model: "Datum",
// "Stav km", "Úkony", "Cena p.", "Cena m.", coloured by kind.

#include <QAbstractTableModel>
#include <vector>

#include "servicebook/RecordList.h"

class TRecordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void SetRows(std::vector<TRecordRow> rows);
  const std::vector<TRecordRow>& Rows() const { return rows_; }
  // The record index of a row, -1 for none; the row of a record index, -1.
  int RecordAt(int row) const;
  int RowOfRecord(size_t index) const;

 private:
  std::vector<TRecordRow> rows_;
};
