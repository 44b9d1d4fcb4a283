#include "ui/StatCarsForm.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "storage/TextUtils.h"
#include "ui/QtGraphCanvas.h"
#include "ui/SlotGuard.h"
#include "ui/StatisticsWidgets.h"

// The groups as table rows, with their tints.
class TVehicleStatModel : public QAbstractTableModel {
 public:
  explicit TVehicleStatModel(QObject* parent) : QAbstractTableModel(parent) {}
  void SetGroups(const CGroupList* groups) {
    beginResetModel();
    groups_ = groups;
    endResetModel();
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !groups_ ? 0 : static_cast<int>(groups_->Groups().size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(VehicleStatColumns().size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!groups_ || !index.isValid()) return {};
    const size_t row = static_cast<size_t>(index.row()), column = static_cast<size_t>(index.column());
    switch (role) {
      case Qt::DisplayRole: return QString::fromStdString(VehicleStatCell(groups_->Groups()[row], column));
      case Qt::BackgroundRole: return GraphColour(VehicleStatCellColour(column, row));
      case Qt::ForegroundRole: return QColor(Qt::black);
      case Qt::TextAlignmentRole:
        return QVariant::fromValue(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      default: return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(VehicleStatColumns().size()))
      return {};
    return QString::fromStdString(VehicleStatColumns()[static_cast<size_t>(section)]);
  }

 private:
  const CGroupList* groups_ = nullptr;
};

TfStatCars::TfStatCars(TCustomCarDb& cars, TCustomRecDb& records, TCatalogue catalogue, QWidget* parent)
    : QWidget(parent, Qt::Window), cars_(cars), records_(records), catalogue_(catalogue) {
  setObjectName("TfStatCars");
  setWindowTitle(QString::fromUtf8("Statistiky vozidel"));
  resize(1200, 600);
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  layout->addWidget(summary_);
  list_ = new QTableView(this);
  model_ = new TVehicleStatModel(this);
  list_->setModel(model_);
  SetUpResultList(list_);
  list_->horizontalHeader()->setSectionsClickable(true);
  list_->horizontalHeader()->setSortIndicatorShown(true);
  list_->setColumnWidth(0, 220);
  layout->addWidget(list_);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { RunGuarded([&] { SortByColumn(column); }); });
  auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

bool TfStatCars::Compute(int grouping, int percentage, int minimumCount) {
  TStatProgressWindow progress(parentWidget() ? parentWidget() : this, QString::fromUtf8("Statistiky vozidel"),
                               QString::fromUtf8("Počítám statistiky vozidel…"));
  CGroupList groups(grouping);
  const bool done = ComputeVehicleStatistics(cars_, records_, catalogue_, grouping, percentage, minimumCount, Today(),
                                             groups, progress.Callback());
  if (!done) return false;
  ShowGroups(std::move(groups), grouping, minimumCount);
  return true;
}

void TfStatCars::ShowGroups(CGroupList groups, int grouping, int minimumCount) {
  static const char* const kGroupings[] = {"podle koncernu", "podle výrobce", "podle modelu",
                                           "podle varianty modelu", "podle modelu a motoru"};
  model_->SetGroups(nullptr);
  groups_ = std::move(groups);
  model_->SetGroups(&groups_);
  list_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  list_->resizeColumnsToContents();
  list_->setColumnWidth(0, std::max(list_->columnWidth(0), 180));
  const size_t count = groups_.Groups().size();
  std::string text = grouping >= 0 && grouping < 5 ? kGroupings[grouping] : "";
  text += ", nejméně " + std::to_string(minimumCount) + " " + PluralWord(minimumCount, "vozidlo", "vozidla", "vozidel") +
          " ve skupině: " + std::to_string(count) + " " + PluralWord(static_cast<long long>(count), "skupina", "skupiny", "skupin");
  summary_->setText(QString::fromStdString(text));
  show();
  raise();
  activateWindow();
}

void TfStatCars::SortByColumn(int column) {
  if (column < 0 || column >= static_cast<int>(VehicleStatColumns().size())) return;
  const bool descending = column != 0;
  groups_.Sort(static_cast<size_t>(column), descending);
  model_->Reset();
  list_->horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}
