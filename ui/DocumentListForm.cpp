#include "ui/DocumentListForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "storage/Collation.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"

namespace {

TfInvoiceList* g_window = nullptr;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Numbers compare by their digit runs as numbers ("9" before "10").
int CompareNumbers(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
      size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      std::string da = a.substr(i, ie - i), db = b.substr(j, je - j);
      da.erase(0, std::min(da.find_first_not_of('0'), da.size()));
      db.erase(0, std::min(db.find_first_not_of('0'), db.size()));
      if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
      if (int c = da.compare(db)) return c;
      i = ie, j = je;
    } else {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
      ++i, ++j;
    }
  }
  return (a.size() - i) < (b.size() - j) ? -1 : (a.size() - i) > (b.size() - j) ? 1 : 0;
}

}  // namespace

void TDocumentListModel::SetRows(const std::vector<TDocumentRow>* rows, std::vector<size_t> shown) {
  beginResetModel();
  rows_ = rows;
  shown_ = std::move(shown);
  endResetModel();
  if (sortColumn_ >= 0) sort(sortColumn_, sortOrder_);
}

const TDocumentRow* TDocumentListModel::Row(int index) const {
  if (!rows_ || index < 0 || index >= static_cast<int>(shown_.size())) return nullptr;
  return &(*rows_)[shown_[static_cast<size_t>(index)]];
}

void TDocumentListModel::RemoveRow(int index) {
  if (index < 0 || index >= static_cast<int>(shown_.size())) return;
  beginRemoveRows(QModelIndex(), index, index);
  shown_.erase(shown_.begin() + index);
  endRemoveRows();
}

int TDocumentListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int TDocumentListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant TDocumentListModel::data(const QModelIndex& index, int role) const {
  const TDocumentRow* row = Row(index.row());
  if (!row || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  switch (index.column()) {
    case 0: return Q(row->number);
    case 1: return Q(row->dateText);
    case 2: return Q(row->label);
  }
  return {};
}

QVariant TDocumentListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kCaptions[] = {"Číslo", "Datum", "Popis"};
  return section >= 0 && section < 3 ? QString::fromUtf8(kCaptions[section]) : QVariant();
}

void TDocumentListModel::sort(int column, Qt::SortOrder order) {
  if (!rows_ || column < 0 || column > 2) return;
  sortColumn_ = column;
  sortOrder_ = order;
  const std::vector<TDocumentRow>& rows = *rows_;
  auto less = [&](size_t a, size_t b) {
    const TDocumentRow &x = rows[a], &y = rows[b];
    int c = column == 0 ? CompareNumbers(x.number, y.number)
            : column == 1 ? (x.date < y.date ? -1 : x.date > y.date ? 1 : 0)
                          : CzechCompare(x.label, y.label);
    return order == Qt::AscendingOrder ? c < 0 : c > 0;
  };
  emit layoutAboutToBeChanged();
  std::stable_sort(shown_.begin(), shown_.end(), less);
  emit layoutChanged();
}

TfInvoiceList::TfInvoiceList(QWidget* parent) : QDialog(parent), model_(this) {
  setObjectName("TfInvoiceList");
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  lvInvoices_ = new QTreeView(this);
  lvInvoices_->setObjectName("lvInvoices");
  lvInvoices_->setModel(&model_);
  lvInvoices_->setRootIsDecorated(false);
  lvInvoices_->setUniformRowHeights(true);
  lvInvoices_->setSortingEnabled(true);
  lvInvoices_->setSelectionMode(QAbstractItemView::SingleSelection);
  lvInvoices_->setContextMenuPolicy(Qt::CustomContextMenu);
  lvInvoices_->header()->setStretchLastSection(true);
  lvInvoices_->header()->setSortIndicator(-1, Qt::AscendingOrder);
  lvInvoices_->setColumnWidth(0, 150);
  lvInvoices_->setColumnWidth(1, 90);

  auto* filter = new QGroupBox(QString::fromUtf8(" Filtr "), this);
  cbFrom_ = new QComboBox(filter);
  cbFrom_->setObjectName("cbFrom");
  cbTo_ = new QComboBox(filter);
  cbTo_->setObjectName("cbTo");
  auto* from = new QLabel(QString::fromUtf8("&Od:"), filter);
  from->setBuddy(cbFrom_);
  auto* to = new QLabel(QString::fromUtf8("&do:"), filter);
  to->setBuddy(cbTo_);
  auto* filterLayout = new QHBoxLayout(filter);
  filterLayout->addWidget(from);
  filterLayout->addWidget(cbFrom_);
  filterLayout->addWidget(to);
  filterLayout->addWidget(cbTo_);
  filterLayout->addStretch();
  connect(cbFrom_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  connect(cbTo_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });

  popup_ = new QMenu(this);
  miDelete_ = popup_->addAction(QString::fromUtf8("Smazat"));
  miDelete_->setObjectName("miDelete");
  miDelete_->setShortcut(QKeySequence::Delete);
  miDelete_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  lvInvoices_->addAction(miDelete_);
  connect(miDelete_, &QAction::triggered, this, [this] { DeleteSelected(); });
  connect(lvInvoices_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
    miDelete_->setEnabled(SelectedRow() >= 0);
    popup_->popup(lvInvoices_->viewport()->mapToGlobal(at));
  });
  connect(lvInvoices_, &QTreeView::activated, this, [this] { OpenSelected(); });

  btnClose_ = new QPushButton(QString::fromUtf8("Zavřít"), this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setAutoDefault(false);
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(filter);
  bottom->addStretch();
  bottom->addWidget(btnClose_, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lvInvoices_);
  layout->addLayout(bottom);
  resize(720, 480);
}

void TfInvoiceList::Fill(const std::string& folder, const std::string& caption) {
  setWindowTitle(Q(caption));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  register_ = ReadDocumentRegister(folder);
  QApplication::restoreOverrideCursor();
  months_ = RegisterMonths(Today());
  for (QComboBox* box : {cbFrom_, cbTo_}) {
    const QSignalBlocker block(box);
    box->clear();
    for (const TMonthEntry& m : months_) box->addItem(Q(m.text));
  }
  {
    const QSignalBlocker blockFrom(cbFrom_), blockTo(cbTo_);
    cbFrom_->setCurrentIndex(FirstMonthOfYearIndex(Today()));
    cbTo_->setCurrentIndex(CurrentMonthIndex());
  }
  ApplyFilter();
  if (!register_.failed.empty())
    ShowMessage("Chyba", RegisterFailureText(register_.failed), TMsgIcon::Warning);
}

void TfInvoiceList::ApplyFilter() {
  const int from = cbFrom_->currentIndex(), to = cbTo_->currentIndex();
  if (from < 0 || to < 0 || months_.empty()) {
    model_.SetRows(&register_.rows, {});
    return;
  }
  model_.SetRows(&register_.rows, FilterRows(register_.rows, months_[static_cast<size_t>(from)],
                                             months_[static_cast<size_t>(to)]));
}

int TfInvoiceList::SelectedRow() const {
  const QModelIndexList rows = lvInvoices_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TfInvoiceList::OpenSelected() {
  try {
    if (const TDocumentRow* row = model_.Row(SelectedRow())) ShowDocument(VirtualFile(row->path));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TfInvoiceList::DeleteSelected() {
  try {
    const int index = SelectedRow();
    const TDocumentRow* row = model_.Row(index);
    if (!row) return;
    if (!AskYesNo("Dotaz", "Opravdu chcete smazat dokument s číslem " + row->plainNumber + "?", false)) return;
    S_FileName file = VirtualFile(row->path);
    if (!DeleteDocumentFiles(file)) {
      ShowError("Dokument \"" + file.RealPath() + "\" se nepodařilo smazat.");
      return;
    }
    model_.RemoveRow(index);
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void SetDocumentListWindow(TfInvoiceList* window) { g_window = window; }

void OpenDocumentList(const std::string& folder, const std::string& caption, QWidget* modalOver) {
  try {
    if (!g_window || modalOver) {
      // Over a modal window the register must be modal too, or it could not
      // be used.
      TfInvoiceList list(modalOver ? modalOver : QApplication::activeWindow());
      list.Fill(folder, caption);
      list.exec();
      return;
    }
    g_window->Fill(folder, caption);
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}
