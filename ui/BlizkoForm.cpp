#include "ui/BlizkoForm.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "servicebook/ReminderActions.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "ui/SlotGuard.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const QColor kOverdueColour(0xFF, 0x90, 0x90);

// The wait cursor while the stores are scanned or mail is handed over.
struct TBusy {
  TBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusy() { QApplication::restoreOverrideCursor(); }
};

TVatSettings VatFromSettings() {
  TVatSettings vat;
  vat.taxPaid = Config().taxpaid;
  vat.rate = Config().taxrate;
  return vat;
}

QPushButton* Button(const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setAutoDefault(false);  // Enter opens the selected vehicle instead
  return b;
}

}  // namespace

TblizkoForm::TblizkoForm(TStoreSet& stores, QWidget* parent) : QDialog(parent), stores_(stores) {
  setWindowTitle(QString::fromUtf8("Upozornění"));
  setModal(false);
  setSizeGripEnabled(true);
  resize(1240, 600);

  list_ = new QTableWidget(0, kReminderColumnCount, this);
  QStringList captions;
  for (const TReminderColumnInfo& c : ReminderColumns()) captions << QString::fromUtf8(c.caption);
  list_->setHorizontalHeaderLabels(captions);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 8);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setSectionResizeMode(kRemColDescription, QHeaderView::Stretch);
  list_->installEventFilter(this);
  connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { OpenSelectedVehicle(); });

  auto* marked = new QLabel(QString::fromUtf8("Operace s označenými:"), this);
  ignore_ = Button("&Ignorovat", this);
  send_ = Button("&Poslat e-mail", this);
  connect(ignore_, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnIgnoreClick(); }); });
  connect(send_, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnSendMailClick(); }); });

  auto* all = Button("&vše", this);
  auto* none = Button("&nic", this);
  connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });

  intervalLabel_ = new QLabel(QString::fromUtf8("I&nterval:"), this);
  interval_ = new QComboBox(this);
  for (const TReminderInterval& i : ReminderIntervals()) interval_->addItem(QString::fromUtf8(i.caption));
  intervalLabel_->setBuddy(interval_);
  connect(interval_, &QComboBox::currentIndexChanged, this,
          [this](int index) { RunGuarded([this, index] { cbIntervalChange(index); }); });

  count_ = new QLabel(this);
  auto* close = Button("&Zavřít", this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(marked);
  bottom->addWidget(ignore_);
  bottom->addWidget(send_);
  bottom->addSpacing(16);
  bottom->addWidget(all);
  bottom->addWidget(none);
  bottom->addSpacing(16);
  bottom->addWidget(intervalLabel_);
  bottom->addWidget(interval_);
  bottom->addStretch(1);
  bottom->addWidget(count_);
  bottom->addSpacing(16);
  bottom->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);
}

bool TblizkoForm::ShowPlanned(int daysBack, int daysAhead, bool showEmpty) {
  setWindowTitle(QString::fromUtf8("Plánovaný servis"));
  intervalLabel_->show();
  interval_->show();
  Scan(TReminderView::Planned, daysBack, daysAhead);
  return Present(showEmpty);
}

bool TblizkoForm::ShowUnpaid(bool showEmpty) {
  setWindowTitle(QString::fromUtf8("Nezaplacené zakázky"));
  settingInterval_ = true;
  interval_->setCurrentIndex(interval_->count() - 1);
  settingInterval_ = false;
  intervalLabel_->hide();
  interval_->hide();
  Scan(TReminderView::Unpaid, kUnpaidViewDays, kUnpaidViewDays);
  return Present(showEmpty);
}

void TblizkoForm::WaitUntilClosed() {
  if (!isVisible()) return;
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  loop.exec();
}

bool TblizkoForm::Present(bool showEmpty) {
  if (rows_.empty() && !showEmpty) {
    if (isVisible()) reject();  // as closed, so that whoever waits for it goes on
    return false;
  }
  show();
  raise();
  activateWindow();
  list_->setFocus();
  return true;
}

void TblizkoForm::Scan(TReminderView view, int daysBack, int daysAhead) {
  view_ = view;
  daysBack_ = daysBack;
  daysAhead_ = daysAhead;
  TReminderScanSettings settings;
  settings.view = view;
  settings.daysBack = daysBack;
  settings.daysAhead = daysAhead;
  settings.today = Today();
  settings.vat = VatFromSettings();
  rows_.clear();
  RunGuarded([&] {
    TBusy busy;
    rows_ = ScanReminders(*stores_.cars, *stores_.records, stores_.customers.get(), settings);
  });
  Fill();
  settingInterval_ = true;
  interval_->setCurrentIndex(view == TReminderView::Unpaid ? interval_->count() - 1 : ReminderIntervalIndex(daysAhead));
  settingInterval_ = false;
}

void TblizkoForm::Fill() {
  list_->setUpdatesEnabled(false);
  list_->clearContents();
  list_->setRowCount(static_cast<int>(rows_.size()));
  for (size_t r = 0; r < rows_.size(); ++r) {
    const TReminderRow& row = rows_[r];
    const QBrush background(row.overdue ? kOverdueColour : QColor(Qt::white));
    for (int c = 0; c < kReminderColumnCount; ++c) {
      auto* item = new QTableWidgetItem(Q(ReminderCell(row, c)));
      item->setBackground(background);
      item->setForeground(QBrush(Qt::black));
      if (c == kRemColDate) item->setCheckState(Qt::Unchecked);
      item->setToolTip(item->text());  // the narrow columns cut long texts
      if (c == kRemColPrice) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      list_->setItem(static_cast<int>(r), c, item);
    }
  }
  const auto shown = VisibleReminderColumns(rows_);
  for (int c = 0; c < kReminderColumnCount; ++c) {
    const bool visible = rows_.empty() || shown[static_cast<size_t>(c)];
    list_->setColumnHidden(c, !visible);
    if (!visible || c == kRemColDescription) continue;
    // The widths suit a small font; with a larger one a column may grow up
    // to twice as wide to show its texts (the plate ends the vehicle's name).
    const int width = ReminderColumns()[static_cast<size_t>(c)].width;
    list_->resizeColumnToContents(c);
    list_->setColumnWidth(c, rows_.empty() ? width : std::clamp(list_->columnWidth(c), width, width * 2));
  }
  list_->resizeColumnToContents(kRemColDate);
  list_->setUpdatesEnabled(true);
  count_->setText(QString::fromUtf8("Položek: %1").arg(rows_.size()));
}

void TblizkoForm::cbIntervalChange(int index) {
  if (settingInterval_ || index < 0 || view_ != TReminderView::Planned) return;
  Scan(TReminderView::Planned, daysBack_, ReminderIntervals()[static_cast<size_t>(index)].days);
}

std::vector<size_t> TblizkoForm::MarkedRows() const {
  std::vector<bool> checked(rows_.size(), false);
  for (size_t r = 0; r < rows_.size(); ++r) {
    const QTableWidgetItem* item = list_->item(static_cast<int>(r), kRemColDate);
    checked[r] = item && item->checkState() == Qt::Checked;
  }
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  return MarkedReminderRows(checked, selected.isEmpty() ? -1 : selected.first()->row());
}

void TblizkoForm::RemoveRows(std::vector<size_t> rows) {
  std::sort(rows.rbegin(), rows.rend());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (size_t r : rows) {
    if (r >= rows_.size()) continue;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(r));
    list_->removeRow(static_cast<int>(r));
  }
  count_->setText(QString::fromUtf8("Položek: %1").arg(rows_.size()));
}

void TblizkoForm::btnIgnoreClick() {
  const std::vector<size_t> marked = MarkedRows();
  if (marked.empty()) return;
  TIgnoreReport report;
  {
    TBusy busy;
    report = IgnoreReminders(*stores_.records, rows_, marked, services_);
  }
  RemoveRows(report.removed);
  ReportIgnoreProblems(report);
}

void TblizkoForm::btnSendMailClick() {
  const std::vector<size_t> marked = MarkedRows();
  if (marked.empty()) return;
  const TConfig& c = Config();
  const TReminderMailSettings mail{c.usersubj, c.custmailtext, VatFromSettings()};
  TSendReport report;
  {
    TBusy busy;
    report = SendReminders(TReminderStores{*stores_.cars, *stores_.records, stores_.customers.get()}, rows_, marked,
                           mail, services_);
  }
  RemoveRows(report.ignored.removed);
  ReportSendProblems(report);
}

void TblizkoForm::CheckAll(bool checked) {
  for (int r = 0; r < list_->rowCount(); ++r)
    if (QTableWidgetItem* item = list_->item(r, kRemColDate)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TblizkoForm::OpenSelectedVehicle() {
  const int row = list_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= rows_.size() || !services_.openVehicle) return;
  const int32_t vehicleID = rows_[static_cast<size_t>(row)].vehicleID;
  RunGuarded([this, vehicleID] { services_.openVehicle(vehicleID); });
}

bool TblizkoForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenSelectedVehicle();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
