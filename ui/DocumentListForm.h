#pragma once
// The register of a document folder (`TfInvoiceList`): every stored document
// with its number, date and description, filtered by a range of months. The
// documents are read once when the window opens; the filter works on what
// was read.

#include <QAbstractTableModel>
#include <QDialog>
#include <string>
#include <vector>

#include "documents/DocumentRegister.h"

class QComboBox;
class QMenu;
class QPushButton;
class QTreeView;

// The shown rows of a register: three columns, sortable.
class TDocumentListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TDocumentListModel(QObject* parent) : QAbstractTableModel(parent) {}
  void SetRows(const std::vector<TDocumentRow>* rows, std::vector<size_t> shown);
  const TDocumentRow* Row(int index) const;
  void RemoveRow(int index);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  const std::vector<TDocumentRow>* rows_ = nullptr;
  std::vector<size_t> shown_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

class TfInvoiceList : public QDialog {
  Q_OBJECT

 public:
  explicit TfInvoiceList(QWidget* parent = nullptr);

  // Reads the folder's documents and shows this year's; a document that
  // cannot be read is named in a message.
  void Fill(const std::string& folder, const std::string& caption);
  TDocumentListModel& Model() { return model_; }
  QComboBox* FromBox() const { return cbFrom_; }
  QComboBox* ToBox() const { return cbTo_; }

  // The list commands, for the menu, the keys and tests.
  void OpenSelected();
  void DeleteSelected();

 private:
  void ApplyFilter();
  int SelectedRow() const;

  TDocumentRegister register_;
  std::vector<TMonthEntry> months_;
  TDocumentListModel model_;
  QTreeView* lvInvoices_;
  QComboBox *cbFrom_, *cbTo_;
  QMenu* popup_;
  QAction* miDelete_;
  QPushButton* btnClose_;
};

// The program's register window, made once by the program; without one a
// window is made for the call.
void SetDocumentListWindow(TfInvoiceList* window);
// Fills and shows the register of the folder. Over a modal window
// (`modalOver`) it is shown modally on top of it, else on its own.
void OpenDocumentList(const std::string& folder, const std::string& caption, QWidget* modalOver = nullptr);
