#pragma once
// The rows of the contact list as a Qt table model over TContactList: the
// view asks for the rows it draws, so thousands of contacts stay quick.

#include <QAbstractTableModel>

#include "catalogues/ContactList.h"

class TContactListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TContactListModel(TContactList& list, QObject* parent = nullptr) : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // After the rows were filled again (search, sort, load, add, delete).
  void Reset();
  // After one row's contact changed in place.
  void RowChanged(int row);
  // Drops the row's contact from the list, telling the view.
  void RemoveRow(int row);

 private:
  TContactList& list_;
};
