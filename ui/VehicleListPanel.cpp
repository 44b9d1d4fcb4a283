#include "ui/VehicleListPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogues/ContactRecord.h"
#include "shell/Stores.h"
#include "shell/VehicleRemoval.h"
#include "ui/VehicleListModel.h"

namespace {

constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 150;

QImage ToImage(const TPicture& p) {
  QImage image(p.rgb.data(), p.width, p.height, p.width * 3, QImage::Format_RGB888);
  return image.copy();  // own the pixels
}

QLabel* InfoLabel(QWidget* parent) {
  auto* label = new QLabel("-", parent);
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

  view_ = new TBackgroundTableView(this);
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
  left->addWidget(view_, 1);

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
    int keep = view_->currentIndex().isValid() ? view_->currentIndex().row() : 0;
    list_.ClickColumn(section);
    AfterListChange(keep);
  });
  connect(view_, &QAbstractItemView::doubleClicked, this, [this] {
    if (SelectedVehicle() >= 0) emit openRequested(SelectedVehicle());
  });
  connect(view_, &QAbstractItemView::activated, this, [this] {
    if (SelectedVehicle() >= 0) emit openRequested(SelectedVehicle());
  });
  connect(add, &QPushButton::clicked, this, &TVehicleListPanel::addRequested);
  connect(remove, &QPushButton::clicked, this, &TVehicleListPanel::RemoveSelected);
  connect(open, &QPushButton::clicked, this, [this] {
    if (SelectedVehicle() >= 0) emit openRequested(SelectedVehicle());
  });
  connect(ownerEmail_, &QLabel::linkActivated, this, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TVehicleListPanel::OnSelectionChanged);

  info_ = std::make_unique<TRecordInfoThread>(
      kPictureWidth, kPictureHeight,
      [this](const char* kind, int32_t id) { return finder_ ? finder_(kind, id) : std::string(); },
      [this](const TRecordInfoThread::TUpdate& update) {
        QMetaObject::invokeMethod(this, [this, &update] { UpdateInfo(update); }, Qt::BlockingQueuedConnection);
      },
      [this] { return static_cast<uint32_t>(panelColour_.rgb() & 0xFFFFFF); });
}

TVehicleListPanel::~TVehicleListPanel() { StopInfoThread(); }

void TVehicleListPanel::StopInfoThread() {
  if (info_) info_->Terminate([] { QCoreApplication::processEvents(); });
  info_.reset();
}

void TVehicleListPanel::SetPictureFinder(TRecordInfoThread::TPictureFinder finder) { finder_ = std::move(finder); }

void TVehicleListPanel::SetPanelColour(const QColor& colour) {
  panelColour_ = colour;
  // The pictures are drawn on the panel colour: show them again.
  if (info_) info_->Refresh();
}

void TVehicleListPanel::Reload() {
  int keep = view_->currentIndex().isValid() ? view_->currentIndex().row() : 0;
  list_.Load(*stores_.cars, stores_.customers.get(), Today());
  AfterListChange(keep);
}

void TVehicleListPanel::ApplyFilter() {
  TVehicleFilter f;
  f.search = search_->text().toStdString();
  f.periodDays = period_->currentData().toInt();
  f.showArchived = archived_->isChecked();
  int32_t selected = SelectedVehicle();
  list_.SetFilter(f);
  model_->Reset();
  ApplyColumnWidths();
  int row = list_.RowOfVehicle(selected);
  if (row < 0 && !list_.Rows().empty()) row = 0;
  if (row >= 0) view_->selectRow(row);
}

void TVehicleListPanel::AfterListChange(int keepRow) {
  model_->Reset();
  ApplyColumnWidths();
  if (!list_.Rows().empty()) {
    int row = std::clamp(keepRow, 0, static_cast<int>(list_.Rows().size()) - 1);
    view_->selectRow(row);
    view_->scrollTo(model_->index(row, 0));
  }
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
      header->resizeSection(i, width > 0 ? width : 75);
    }
  }
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
      carType_->setText(QString::fromStdString(v.manufacturer + " " + v.model + " " + v.subtype + ", " + YearText(v)));
      carPlate_->setText(QString::fromStdString(v.tag + " / " + v.vin));
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
    // Only an address with an at sign is offered as a link.
    ownerEmail_->setText(email.contains('@') ? QString("<a href=\"mailto:%1\">%1</a>").arg(email.toHtmlEscaped())
                                             : email.toHtmlEscaped());
  } else {
    for (QLabel* l : {ownerName_, ownerAddress_, ownerPhone_, ownerEmail_}) l->setText("-");
  }
}

void TVehicleListPanel::RemoveSelected() {
  int32_t id = SelectedVehicle();
  if (id < 0) return;
  int keep = view_->currentIndex().row();
  TRemoveResult result = RemoveVehicle(*stores_.cars, *stores_.records, id);
  if (result == TRemoveResult::Deleted) {
    list_.RemoveVehicle(id);
    AfterListChange(keep);
  } else if (result == TRemoveResult::Archived) {
    Reload();
  }
}

void TVehicleListPanel::ShowVehicle(int32_t vehicleID) {
  Tautomobil v;
  if (!stores_.cars->LoadCar(vehicleID, v)) return;
  std::string bytes;
  if (stores_.customers && v.ownerID >= 0 && stores_.customers->ReadRecord(v.ownerID, bytes)) {
    TContactRecord c;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    v.ownerName = CustomerDisplayName(c);
  }
  list_.UpdateVehicle(v);
  model_->Reset();
  ApplyColumnWidths();
  int row = list_.RowOfVehicle(vehicleID);
  if (row >= 0) {
    view_->selectRow(row);
    view_->scrollTo(model_->index(row, 0));
  }
}

void TVehicleListPanel::SetWindowButtons(const QStringList& captions) {
  qDeleteAll(windowButtons_);
  windowButtons_.clear();
  for (int i = 0; i < captions.size(); ++i) {
    auto* b = new QPushButton(captions[i], windowsBar_);
    connect(b, &QPushButton::clicked, this, [this, i] { emit windowButtonClicked(i); });
    b->show();
    windowButtons_.append(b);
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
