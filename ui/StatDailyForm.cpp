#include "ui/StatDailyForm.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "storage/DateText.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"
#include "ui/QtGraphCanvas.h"
#include "ui/QtPrintCanvas.h"
#include "ui/SlotGuard.h"
#include "ui/StatisticsWidgets.h"

namespace {

constexpr int kZoomMin = 9, kZoomMax = 30;
constexpr const char* kGroupingNames[] = {"po dnech", "po týdnech", "po měsících"};

QIcon StyleIcon(uint32_t colour, bool bars) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const QColor c = GraphColour(colour);
  if (bars) {
    p.fillRect(2, 8, 3, 7, c);
    p.fillRect(6, 3, 3, 12, c);
    p.fillRect(10, 6, 3, 9, c);
  } else {
    p.setPen(QPen(c, 2));
    p.drawPolyline(QPolygon({QPoint(1, 13), QPoint(5, 6), QPoint(10, 10), QPoint(15, 2)}));
  }
  return QIcon(pixmap);
}

}  // namespace

// The records counted, one row each, in date order.
class TDailyListModel : public QAbstractTableModel {
 public:
  explicit TDailyListModel(QObject* parent) : QAbstractTableModel(parent) {}
  void SetStatistics(const TDailyStatistics* stats) {
    beginResetModel();
    stats_ = stats;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !stats_ ? 0 : static_cast<int>(stats_->rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(kDailyColumns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!stats_ || !index.isValid()) return {};
    const size_t column = static_cast<size_t>(index.column());
    if (role == Qt::TextAlignmentRole && column >= 1 && column <= 3)
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(DailyCell(*stats_, stats_->rows[static_cast<size_t>(index.row())], column));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(kDailyColumns.size()))
      return {};
    return QString::fromUtf8(kDailyColumns[static_cast<size_t>(section)]);
  }

 private:
  const TDailyStatistics* stats_ = nullptr;
};

// The picture the graph is painted on; it follows the pointer for the hint.
class TGraphPicture : public QWidget {
 public:
  TGraphPicture(TfStatDaily* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
    setMinimumSize(300, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    RunGuarded([&] { owner_->PaintGraph(painter); });
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    RunGuarded([&] { owner_->PointerAt(event->position().toPoint()); });
  }
  void leaveEvent(QEvent*) override { owner_->hint_->hide(); }
  void resizeEvent(QResizeEvent*) override {
    RunGuarded([&] { owner_->UpdateScrollRange(); });
  }

 private:
  TfStatDaily* owner_;
};

TfStatDaily::TfStatDaily(TDailySources sources, QWidget* parent)
    : QWidget(parent, Qt::Window), sources_(sources) {
  setObjectName("TfStatDaily");
  setWindowTitle(QString::fromUtf8("Denní statistiky"));
  resize(1240, 700);
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);

  // Page "Graf".
  auto* graphPage = new QWidget(pages_);
  auto* graphLayout = new QVBoxLayout(graphPage);
  auto* tools = new QHBoxLayout;
  static const char* const kCaptions[] = {"Práce", "Materiál", "Zisk", "Počet záznamů"};
  static const uint32_t kColours[] = {0x008000, 0xA08000, 0x0080A0, 0x0000FF};
  for (size_t k = 0; k < 4; ++k) {
    tools->addWidget(new QLabel(QString::fromUtf8(kCaptions[k]), graphPage));
    auto* group = new QButtonGroup(graphPage);
    for (bool bars : {false, true}) {
      auto* b = new QToolButton(graphPage);
      b->setCheckable(true);
      b->setIcon(StyleIcon(kColours[k], bars));
      b->setToolTip(QString::fromUtf8(bars ? "Sloupcový graf" : "Čárový graf"));
      b->setAutoRaise(true);
      group->addButton(b);
      tools->addWidget(b);
      (bars ? barButtons_ : lineButtons_)[k] = b;
    }
    // Money as bars, the count as a line.
    (k == kSeriesCount ? lineButtons_ : barButtons_)[k]->setChecked(true);
    tools->addSpacing(12);
  }
  for (QAbstractButton* b : lineButtons_)
    connect(b, &QAbstractButton::toggled, this, [this] { RunGuarded([this] { ApplyStyles(); }); });
  auto* zoomLabel = new QLabel(QString::fromUtf8("&Měřítko:"), graphPage);
  zoom_ = new QSlider(Qt::Horizontal, graphPage);
  zoom_->setRange(kZoomMin, kZoomMax);
  zoom_->setMaximumWidth(160);
  zoom_->setToolTip(QString::fromUtf8("Bodů na jedno období"));
  zoomLabel->setBuddy(zoom_);
  tools->addWidget(zoomLabel);
  tools->addWidget(zoom_);
  tools->addStretch();
  auto* print = new QPushButton(QString::fromUtf8("&Tisk"), graphPage);
  print->setToolTip(QString::fromUtf8("Vytisknout graf a přehled období (Ctrl+P)"));
  tools->addWidget(print);
  graphLayout->addLayout(tools);
  picture_ = new TGraphPicture(this, graphPage);
  graphLayout->addWidget(picture_, 1);
  scroll_ = new QScrollBar(Qt::Horizontal, graphPage);
  graphLayout->addWidget(scroll_);
  pages_->addTab(graphPage, QString::fromUtf8("Graf"));

  // Page "Seznam".
  list_ = new QTableView(pages_);
  model_ = new TDailyListModel(this);
  list_->setModel(model_);
  SetUpResultList(list_);
  list_->horizontalHeader()->setStretchLastSection(true);
  const int widths[] = {90, 80, 80, 70, 180, 200};
  for (int c = 0; c < 6; ++c) list_->setColumnWidth(c, widths[c]);
  pages_->addTab(list_, QString::fromUtf8("Seznam"));

  hint_ = new QLabel(this, Qt::ToolTip);
  hint_->setMaximumSize(250, 200);
  hint_->setMargin(4);
  hint_->setFrameShape(QFrame::Box);
  hint_->setAutoFillBackground(true);
  hint_->hide();

  connect(zoom_, &QSlider::valueChanged, this, [this] { RunGuarded([this] { UpdateScrollRange(); }); });
  connect(scroll_, &QScrollBar::valueChanged, picture_, qOverload<>(&QWidget::update));
  connect(pages_, &QTabWidget::currentChanged, hint_, &QWidget::hide);
  connect(print, &QPushButton::clicked, this, [this] { RunGuarded([this] { PrintCommand(); }); });
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { RunGuarded([&] { ListDoubleClicked(index.row()); }); });
  auto* printKey = new QShortcut(QKeySequence::Print, this);
  connect(printKey, &QShortcut::activated, this, [this] { RunGuarded([this] { PrintCommand(); }); });
  auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

TfStatDaily::~TfStatDaily() = default;

bool TfStatDaily::ComputeDailyStatistics(int grouping, TDateTime from, TDateTime to) {
  TStatProgressWindow progress(parentWidget() ? parentWidget() : this, QString::fromUtf8("Denní statistiky"),
                               QString::fromUtf8("Počítám denní statistiky…"));
  auto result = ::ComputeDailyStatistics(sources_, grouping, from, to, CurrencyText(), progress.Callback());
  if (!result) return false;
  ShowStatistics(std::move(*result));
  return true;
}

void TfStatDaily::ShowStatistics(TDailyStatistics stats) {
  hint_->hide();
  model_->SetStatistics(nullptr);
  stats_ = std::move(stats);
  model_->SetStatistics(&stats_);
  FillGraph(stats_, graph_);
  setWindowTitle(QString::fromStdString("Denní statistiky: " + DateText(stats_.from) + " - " + DateText(stats_.to) +
                                        ", " + kGroupingNames[std::clamp(stats_.grouping, 0, 2)]));
  scroll_->setValue(0);
  // The zoom that fits the periods into the picture is set when the picture
  // is next painted: only then has a window that was hidden its final size.
  fitZoom_ = true;
  UpdateScrollRange();
  ApplyStyles();
  show();
  raise();
  activateWindow();
}

void TfStatDaily::ApplyStyles() {
  for (size_t k = 0; k < lineButtons_.size(); ++k)
    graph_.SetSeriesStyle(k, lineButtons_[k]->isChecked() ? kStyleLines : kStyleBars);
  picture_->update();
}

void TfStatDaily::UpdateScrollRange() {
  // The scroll range is the periods (at least 10); a page is what the plot
  // shows at the zoom, so the last page ends with the data.
  const int periods = std::max(stats_.periods, 10);
  const int page = std::max(1, graph_.PlotWidth(picture_->width()) / std::max(1, zoom_->value()));
  scroll_->setPageStep(page);
  scroll_->setSingleStep(1);
  scroll_->setRange(0, std::max(0, periods - page));
  picture_->update();
}

double TfStatDaily::StartFraction() const {
  return static_cast<double>(scroll_->value()) / std::max(stats_.periods, 10);
}

void TfStatDaily::PaintGraph(QPainter& painter) {
  if (fitZoom_) {
    fitZoom_ = false;
    const QSignalBlocker block(zoom_);
    zoom_->setValue(graph_.PointSpacing(picture_->width()));  // the slider keeps it within 9..30
    UpdateScrollRange();
  }
  TQtGraphCanvas canvas(painter, picture_->width(), picture_->height());
  graph_.DrawGraph(canvas, zoom_->value(), StartFraction());
}

void TfStatDaily::Redraw() { picture_->repaint(); }

void TfStatDaily::PointerAt(const QPoint& position) {
  const int index = graph_.IndexAtX(position.x());
  if (index < 0 || stats_.periods == 0) {
    hint_->hide();
    return;
  }
  hint_->setText(QString::fromStdString(ReplaceAll(DailyHintText(stats_, index), "\r\n", "\n")));
  hint_->adjustSize();
  hint_->move(picture_->mapToGlobal(position) + QPoint(15, 10));
  hint_->show();
}

void TfStatDaily::hideEvent(QHideEvent* event) {
  hint_->hide();
  QWidget::hideEvent(event);
}

void TfStatDaily::ListDoubleClicked(int row) {
  if (!openVehicle_ || row < 0 || static_cast<size_t>(row) >= stats_.rows.size()) return;
  openVehicle_(stats_.rows[static_cast<size_t>(row)].vehicleID);
}

void TfStatDaily::SetPrintPictures(const QImage& printLogo, const QImage& pagePicture) {
  printLogo_ = printLogo;
  pagePicture_ = pagePicture;
}

void TfStatDaily::PrintCommand() {
  if (stats_.periods == 0) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!AskPrinter(printer, this)) return;
  Print(printer);
}

void TfStatDaily::Print(QPrinter& printer) {
  printer.setDocName(QString::fromUtf8("Denní statistiky"));  // the job's name in the print queue
  TQtPrintCanvas canvas(printer, printLogo_, pagePicture_);
  if (!PrintStarted(canvas)) return;
  int first, last;
  ChosenPages(printer, first, last);
  TGarvPrinter p(canvas, "Denní statistiky", first, last);
  canvas.SetFontSize(16);
  p.PrintLine("Denní statistiky", true);
  canvas.SetFontSize(10);
  p.PrintLine("Období: " + DateText(stats_.from) + " - " + DateText(stats_.to) + ", " +
                  kGroupingNames[std::clamp(stats_.grouping, 0, 2)],
              false);
  p.NewLine();
  p.PrintGraph(graph_, (p.BottomLimit() - p.Y()) * 2 / 3);
  p.NewLine();
  p.PrintListView(std::vector<std::string>(kDailyPeriodColumns.begin(), kDailyPeriodColumns.end()),
                  DailyPeriodRows(stats_));
}
