#include "ui/VehicleListPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "catalogues/ContactRecord.h"
#include "shell/Stores.h"
#include "shell/VehicleInfoText.h"
#include "shell/VehicleRemoval.h"
#include "storage/Notifier.h"
#include "ui/ContactLinks.h"
#include "ui/VehicleListModel.h"

namespace {

constexpr int kPictureWidth = 200;
// The first column also holds the rows' icon: its width is the text's plus this.
constexpr int kIconRoom = 22;
constexpr int kPictureHeight = 150;
// "Seznam" lays the names out in columns as wide as the longest name, up to this.
constexpr int kBriefMaxWidth = 360;

QImage ToImage(const TPicture& p) {
  QImage image(p.rgb.data(), p.width, p.height, p.width * 3, QImage::Format_RGB888);
  return image.copy();  // own the pixels
}

QLabel* InfoLabel(QWidget* parent) {
  auto* label = new QLabel("-", parent);
  label->setTextFormat(Qt::PlainText);  // names and notes are shown, never read as markup
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TVehicleListPanel::TVehicleListPanel(TStoreSet& stores, QWidget* parent) : QWidget(parent), stores_(stores) {
  model_ = std::make_unique<TVehicleListModel>(list_);

  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  outer->addLayout(left, 1);

  auto* filterRow = new QHBoxLayout;
  auto* searchLabel = new QLabel(QString::fromUtf8("Vyhledat (Jméno/Značka/Motor/RZ/VIN):"), this);
  search_ = new QLineEdit(this);
  search_->setClearButtonEnabled(true);
  searchLabel->setBuddy(search_);
  auto* periodLabel = new QLabel(QString::fromUtf8("Poslední servis"), this);
  period_ = new QComboBox(this);
  for (const TPeriodChoice& p : PeriodChoices()) period_->addItem(QString::fromUtf8(p.caption), p.days);
  periodLabel->setBuddy(period_);
  archived_ = new QCheckBox(QString::fromUtf8("Zobrazit i archivované"), this);
  filterRow->addWidget(searchLabel);
  filterRow->addWidget(search_, 1);
  filterRow->addWidget(periodLabel);
  filterRow->addWidget(period_);
  filterRow->addWidget(archived_);
  left->addLayout(filterRow);

  windowsBar_ = new QWidget(this);
  windowsBar_->setFixedHeight(34);
  auto* barLabel = new QLabel(QString::fromUtf8("Okna "), windowsBar_);
  barLabel->move(8, 8);
  windowsBar_->hide();
  left->addWidget(windowsBar_);

  views_ = new QStackedWidget(this);
  view_ = new TBackgroundTableView(views_);
  view_->setModel(model_.get());
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(22);
  view_->setAlternatingRowColors(true);
  view_->setWordWrap(false);
  view_->horizontalHeader()->setSectionsClickable(true);
  view_->horizontalHeader()->setHighlightSections(false);
  brief_ = new TBackgroundListView(views_);
  brief_->setModel(model_.get());
  {
    QItemSelectionModel* own = brief_->selectionModel();
    brief_->setSelectionModel(view_->selectionModel());  // one selection for both views
    delete own;
  }
  brief_->setViewMode(QListView::ListMode);
  brief_->setFlow(QListView::TopToBottom);
  brief_->setWrapping(true);
  brief_->setResizeMode(QListView::Adjust);
  brief_->setUniformItemSizes(true);
  brief_->setSelectionBehavior(QAbstractItemView::SelectRows);
  brief_->setSelectionMode(QAbstractItemView::SingleSelection);
  brief_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  views_->addWidget(view_);
  views_->addWidget(brief_);
  left->addWidget(views_, 1);

  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton(QString::fromUtf8("Přidat automobil (&+)"), this);
  auto* remove = new QPushButton(QString::fromUtf8("Odebrat automobil"), this);
  auto* open = new QPushButton(QString::fromUtf8("Otevřít záznamy automobilu"), this);
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  buttons->addWidget(open);
  left->addLayout(buttons);

  // The information panel.
  auto* panel = new QVBoxLayout;
  outer->addLayout(panel);
  auto* carBox = new QGroupBox(QString::fromUtf8("Vozidlo"), this);
  auto* carForm = new QFormLayout(carBox);
  carPicture_ = new QLabel(carBox);
  carPicture_->setFixedSize(kPictureWidth, kPictureHeight);
  carPicture_->hide();
  carType_ = InfoLabel(carBox);
  carPlate_ = InfoLabel(carBox);
  carEngine_ = InfoLabel(carBox);
  carInfo_ = InfoLabel(carBox);
  carForm->addRow(carPicture_);
  carForm->addRow(QString::fromUtf8("Typ:"), carType_);
  carForm->addRow(QString::fromUtf8("RZ / VIN:"), carPlate_);
  carForm->addRow(QString::fromUtf8("Motor:"), carEngine_);
  carForm->addRow(QString::fromUtf8("Další informace:"), carInfo_);
  auto* ownerBox = new QGroupBox(QString::fromUtf8("Majitel"), this);
  auto* ownerForm = new QFormLayout(ownerBox);
  ownerPicture_ = new QLabel(ownerBox);
  ownerPicture_->setFixedSize(kPictureWidth, kPictureHeight);
  ownerPicture_->hide();
  ownerName_ = InfoLabel(ownerBox);
  ownerAddress_ = InfoLabel(ownerBox);
  ownerPhone_ = InfoLabel(ownerBox);
  ownerEmail_ = InfoLabel(ownerBox);
  ownerEmail_->setTextFormat(Qt::RichText);  // the link; the address itself is escaped
  ownerEmail_->setTextInteractionFlags(Qt::TextBrowserInteraction);
  ownerForm->addRow(ownerPicture_);
  ownerForm->addRow(QString::fromUtf8("Jméno:"), ownerName_);
  ownerForm->addRow(QString::fromUtf8("Adresa:"), ownerAddress_);
  ownerForm->addRow(QString::fromUtf8("Telefon:"), ownerPhone_);
  ownerForm->addRow(QString::fromUtf8("E-mail:"), ownerEmail_);
  panel->addWidget(carBox);
  panel->addWidget(ownerBox);
  panel->addStretch();
  carBox->setFixedWidth(kPictureWidth + 90);
  ownerBox->setFixedWidth(kPictureWidth + 90);

  connect(search_, &QLineEdit::textChanged, this, &TVehicleListPanel::ApplyFilter);
  connect(period_, &QComboBox::currentIndexChanged, this, &TVehicleListPanel::ApplyFilter);
  connect(archived_, &QCheckBox::toggled, this, &TVehicleListPanel::ApplyFilter);
  connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    const int32_t selected = SelectedVehicle();
    const int keep = CurrentRow();
    list_.ClickColumn(section);
    AfterListChange(selected, keep);
  });
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) { ColumnResized(column, width); });
  // A double click also activates the row; only the double click and Enter
  // (below) open it, so it opens once whatever the style's activation rule.
  connect(view_, &QAbstractItemView::doubleClicked, this, &TVehicleListPanel::RequestOpen);
  connect(brief_, &QAbstractItemView::doubleClicked, this, &TVehicleListPanel::RequestOpen);
  view_->installEventFilter(this);
  brief_->installEventFilter(this);
  connect(add, &QPushButton::clicked, this, &TVehicleListPanel::addRequested);
  connect(remove, &QPushButton::clicked, this, &TVehicleListPanel::RemoveSelected);
  connect(open, &QPushButton::clicked, this, &TVehicleListPanel::RequestOpen);
  connect(ownerEmail_, &QLabel::linkActivated, this, [this] {
    ComposeEmailTo(ownerEmail_->property("address").toString().toStdString());
  });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TVehicleListPanel::OnSelectionChanged);

  info_ = std::make_unique<TRecordInfoThread>(kPictureWidth, kPictureHeight,
                                              [this](const TRecordInfoThread::TUpdate& update) {
                                                QMetaObject::invokeMethod(
                                                    this, [this, &update] { UpdateInfo(update); },
                                                    Qt::BlockingQueuedConnection);
                                              });
  SetPanelColour(QColor(0xE4, 0x85, 0x1B));
}

TVehicleListPanel::~TVehicleListPanel() { StopInfoThread(); }

void TVehicleListPanel::StopInfoThread() {
  if (info_) info_->Terminate([] { QCoreApplication::processEvents(); });
  info_.reset();
}

void TVehicleListPanel::SetPictureFinder(TRecordInfoThread::TPictureFinder finder) {
  if (info_) info_->SetPictureFinder(std::move(finder));
}

void TVehicleListPanel::SetPanelColour(const QColor& colour) {
  if (!info_) return;
  // The pictures are drawn on the panel colour: show them again.
  info_->SetBackground(static_cast<uint32_t>(colour.rgb() & 0xFFFFFF));
  info_->Refresh();
}

void TVehicleListPanel::SetRowIcon(const QIcon& icon) { model_->SetRowIcon(icon); }

void TVehicleListPanel::SetDetailsView(bool details) {
  const int32_t selected = SelectedVehicle();
  if (!details) FitBriefColumns();
  views_->setCurrentWidget(details ? static_cast<QWidget*>(view_) : brief_);
  SelectVehicle(selected);
  views_->currentWidget()->setFocus();
}

bool TVehicleListPanel::IsDetailsView() const { return views_->currentWidget() == view_; }

void TVehicleListPanel::Reload() {
  const int32_t selected = SelectedVehicle();
  const int keep = CurrentRow();
  if (!stores_.cars) return;
  list_.Load(*stores_.cars, stores_.customers.get(), Today);
  AfterListChange(selected, keep, true);
}

void TVehicleListPanel::RefreshVehicle(int32_t vehicleID) {
  const int32_t selected = SelectedVehicle();
  const int keep = CurrentRow();
  list_.RefreshVehicle(vehicleID);
  AfterListChange(selected, keep, true);
}

void TVehicleListPanel::RefreshOwner(int32_t contactID) {
  const int32_t selected = SelectedVehicle();
  const int keep = CurrentRow();
  list_.RefreshOwner(contactID);
  AfterListChange(selected, keep, true);
}

void TVehicleListPanel::ShowNewVehicle(int32_t vehicleID) {
  const int keep = CurrentRow();
  list_.ShowNewVehicle(vehicleID);
  AfterListChange(vehicleID, keep);
}

void TVehicleListPanel::ApplyFilter() {
  TVehicleFilter f;
  f.search = search_->text().toStdString();
  f.periodDays = period_->currentData().toInt();
  f.showArchived = archived_->isChecked();
  const int32_t selected = SelectedVehicle();
  list_.SetFilter(f);
  AfterListChange(selected, 0);
}

void TVehicleListPanel::ClearInfo() {
  // Nothing is selected: the panel must not go on showing the last vehicle.
  for (QLabel* l : {carType_, carPlate_, carEngine_, carInfo_, ownerName_, ownerAddress_, ownerPhone_, ownerEmail_})
    l->setText("-");
  ownerEmail_->setProperty("address", QString());
  carPicture_->hide();
  ownerPicture_->hide();
  if (info_) {
    info_->SetCarID(-1);
    info_->SetCustomerID(-1);
  }
}

void TVehicleListPanel::AfterListChange(int32_t vehicleID, int keepRow, bool showInfoAfresh) {
  applyingWidths_ = true;
  model_->Reset();
  ApplyColumnWidths();
  applyingWidths_ = false;
  if (!IsDetailsView()) FitBriefColumns();
  if (list_.Rows().empty()) {
    ClearInfo();
    return;
  }
  int row = list_.RowOfVehicle(vehicleID);
  if (row < 0) row = std::clamp(keepRow, 0, static_cast<int>(list_.Rows().size()) - 1);
  view_->selectRow(row);
  QAbstractItemView* shown = IsDetailsView() ? static_cast<QAbstractItemView*>(view_) : brief_;
  shown->scrollTo(model_->index(row, 0));
  // The selected vehicle or its owner may have changed: show them afresh.
  if (showInfoAfresh && info_) info_->Refresh();
}

void TVehicleListPanel::ApplyColumnWidths() {
  QHeaderView* header = view_->horizontalHeader();
  const auto& columns = list_.Columns();
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
    int width = columns[static_cast<size_t>(i)].width;
    view_->setColumnHidden(i, width == 0);
    if (width == -2) {
      header->setSectionResizeMode(i, QHeaderView::Stretch);
    } else {
      header->setSectionResizeMode(i, QHeaderView::Interactive);
      header->resizeSection(i, (width > 0 ? width : 75) + (i == 0 ? kIconRoom : 0));
    }
  }
}

void TVehicleListPanel::FitBriefColumns() {
  // Every name is given the width of the longest one shown, so that names are
  // not cut to the width of the first. Only the longest texts are measured:
  // a keystroke must not measure ten thousand names.
  constexpr size_t kMeasured = 32;
  const int tag = list_.Columns()[0].tag;
  std::vector<const std::string*> longest;
  longest.reserve(list_.Rows().size());
  for (const TVehicleRow& row : list_.Rows()) longest.push_back(&row.Value(tag));
  const size_t measured = std::min(kMeasured, longest.size());
  std::partial_sort(longest.begin(), longest.begin() + static_cast<long>(measured), longest.end(),
                    [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
  const QFontMetrics metrics = brief_->fontMetrics();
  int text = metrics.horizontalAdvance(QStringLiteral("0000"));
  for (size_t i = 0; i < measured; ++i)
    text = std::max(text, metrics.horizontalAdvance(QString::fromStdString(*longest[i])));
  const int icon = brief_->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, brief_);
  const int width = std::min(kBriefMaxWidth, text + icon + 16);
  brief_->setGridSize(QSize(width, std::max(metrics.height(), icon) + 6));
}

void TVehicleListPanel::ColumnResized(int column, int width) {
  // Only the user's drags are kept; our own sizing and the filling column's
  // stretching are not.
  if (applyingWidths_ || column < 0 || column >= static_cast<int>(list_.Columns().size())) return;
  if (view_->horizontalHeader()->sectionResizeMode(column) != QHeaderView::Interactive) return;
  list_.SetColumnWidth(column, column == 0 ? std::max(1, width - kIconRoom) : width);
}

int TVehicleListPanel::CurrentRow() const {
  QModelIndex current = view_->currentIndex();
  return current.isValid() ? current.row() : 0;
}

bool TVehicleListPanel::SelectVehicle(int32_t vehicleID) {
  const int row = list_.RowOfVehicle(vehicleID);
  if (row < 0) return false;
  view_->selectRow(row);
  (IsDetailsView() ? static_cast<QAbstractItemView*>(view_) : brief_)->scrollTo(model_->index(row, 0));
  return true;
}

void TVehicleListPanel::RequestOpen() {
  const int32_t id = SelectedVehicle();
  if (id >= 0) emit openRequested(id);
}

bool TVehicleListPanel::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == view_ || watched == brief_) && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      RequestOpen();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

int32_t TVehicleListPanel::SelectedVehicle() const {
  QModelIndex current = view_->currentIndex();
  return current.isValid() ? model_->VehicleAt(current.row()) : -1;
}

void TVehicleListPanel::OnSelectionChanged() {
  QModelIndex current = view_->currentIndex();
  if (!current.isValid() || !info_) return;
  info_->SetCarID(model_->VehicleAt(current.row()));
  info_->SetCustomerID(model_->OwnerAt(current.row()));
}

void TVehicleListPanel::UpdateInfo(const TRecordInfoThread::TUpdate& update) {
  QLabel* picture = update.vehicle ? carPicture_ : ownerPicture_;
  if (update.loaded) {
    picture->setPixmap(QPixmap::fromImage(ToImage(update.picture)));
    picture->show();
  } else {
    picture->hide();
  }
  if (update.vehicle) {
    Tautomobil v;
    if (update.id >= 0 && stores_.cars->LoadCar(update.id, v)) {
      carType_->setText(QString::fromStdString(InfoVehicleType(v)));
      carPlate_->setText(QString::fromStdString(InfoPlateLine(v)));
      carEngine_->setText(QString::fromStdString(v.engine));
      carInfo_->setText(QString::fromStdString(v.comments));
    } else {
      for (QLabel* l : {carType_, carPlate_, carEngine_, carInfo_}) l->setText("-");
    }
    return;
  }
  std::string bytes;
  if (update.id >= 0 && stores_.customers && stores_.customers->ReadRecord(update.id, bytes)) {
    TContactRecord c;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    ownerName_->setText(QString::fromStdString(CustomerDisplayName(c)));
    ownerAddress_->setText(QString::fromStdString(ContactAddressText(c)));
    ownerPhone_->setText(QString::fromStdString(c.phones));
    QString email = QString::fromStdString(c.email);
    ownerEmail_->setProperty("address", email);
    // Only an address with an at sign is offered as a link.
    ownerEmail_->setText(email.contains('@') ? QString("<a href=\"#\">%1</a>").arg(email.toHtmlEscaped())
                                             : email.toHtmlEscaped());
  } else {
    for (QLabel* l : {ownerName_, ownerAddress_, ownerPhone_, ownerEmail_}) l->setText("-");
    ownerEmail_->setProperty("address", QString());
  }
}

void TVehicleListPanel::RemoveSelected() {
  int32_t id = SelectedVehicle();
  if (id < 0) return;
  if (removeGuard_ && !removeGuard_(id)) {
    // Its records window holds the vehicle and its records in memory and
    // would write them back.
    ShowMessage("Upozornění", "Vozidlo má otevřené okno záznamů. Nejprve je zavřete.", TMsgIcon::Warning);
    return;
  }
  const int keep = CurrentRow();
  TRemoveResult result = RemoveVehicle(*stores_.cars, *stores_.records, id);
  if (result == TRemoveResult::Deleted) {
    list_.RemoveVehicle(id);
    AfterListChange(-1, keep);
  } else if (result == TRemoveResult::Archived) {
    list_.Reload();
    AfterListChange(-1, keep);
  }
}

void TVehicleListPanel::SetWindowButtons(const QStringList& captions, int active) {
  // Buttons are reused, not rebuilt: this runs while a button's own click is
  // being handled (its window comes to the front and becomes active).
  while (windowButtons_.size() > captions.size()) windowButtons_.takeLast()->deleteLater();
  while (windowButtons_.size() < captions.size()) {
    const int i = static_cast<int>(windowButtons_.size());
    auto* b = new QPushButton(windowsBar_);
    b->setCheckable(true);
    b->setFlat(true);
    connect(b, &QPushButton::clicked, this, [this, i] { emit windowButtonClicked(i); });
    windowButtons_.append(b);
  }
  for (int i = 0; i < captions.size(); ++i) {
    QPushButton* b = windowButtons_[i];
    b->setText(captions[i]);
    b->setToolTip(captions[i]);
    b->setChecked(i == active);
    b->show();
  }
  windowsBar_->setVisible(!captions.isEmpty());
  LayoutWindowsBar();
}

void TVehicleListPanel::LayoutWindowsBar() {
  const int count = static_cast<int>(windowButtons_.size());
  if (count == 0) return;
  // The label "Okna " takes the first 50 pixels.
  const int barWidth = windowsBar_->width() - 50;
  const int w = WindowsBarButtonWidth(barWidth, count);
  for (int i = 0; i < count; ++i) windowButtons_[i]->setGeometry(50 + WindowsBarButtonLeft(i, w), 4, w, 26);
}

void TVehicleListPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutWindowsBar();
}
