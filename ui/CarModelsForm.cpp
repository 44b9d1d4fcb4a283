#include "ui/CarModelsForm.h"

#include "ui/ScreenFit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogues/EntryPicture.h"
#include "shell/Config.h"
#include "storage/Notifier.h"
#include "storage/Picture.h"
#include "ui/CatalogueListDelegate.h"

namespace {

using L = TCatalogueLevel;

constexpr L kLevels[] = {L::Concern, L::Manufacturer, L::Engine, L::Model, L::SubType};
constexpr int kRowHeight[kCatalogueLevels] = {66, 34, 34, 98, 18};  // by level: concern, make, engine, model, subtype
constexpr int kPositionRole = Qt::UserRole + 1;

int RowHeight(L level) { return kRowHeight[static_cast<int>(level)]; }

std::vector<L> ChildLevels(L level) {
  switch (level) {
    case L::Concern: return {L::Manufacturer, L::Engine};
    case L::Manufacturer: return {L::Model};
    case L::Model: return {L::SubType};
    case L::Engine:
    case L::SubType: break;
  }
  return {};
}

int NameLimit(L level) { return level == L::Concern || level == L::SubType ? 63 : 31; }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The find box fills itself with the current makes each time it opens.
class TFillOnOpenCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> onOpen;
  void showPopup() override {
    if (onOpen) onOpen();
    QComboBox::showPopup();
  }
};

QImage Thumbnail(const std::string& realPath, int side) {
  TPicture picture;
  if (realPath.empty() || !LoadJpeg(realPath, picture)) return QImage();
  const QImage source(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  QImage out(side, side, QImage::Format_RGB888);
  out.fill(Qt::white);
  const TPictureRect r = CataloguePictureRect(picture.width, picture.height, side);
  QPainter painter(&out);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(r.x, r.y, r.width, r.height), source);
  return out;
}

}  // namespace

TfCarModels::TfCarModels(const TCatalogue& catalogue, QWidget* parent) : QDialog(parent), editor_(catalogue) {
  setWindowTitle(QString::fromUtf8("Správce koncernů, výrobců, motorů a modelů"));
  auto* layout = new QVBoxLayout(this);

  auto* findRow = new QHBoxLayout;
  auto* find = new TFillOnOpenCombo(this);
  find_ = find;
  find_->setMaxVisibleItems(50);
  find_->setMinimumWidth(260);
  find->onOpen = [this] {
    find_->clear();
    for (const std::string& name : editor_.ManufacturerNames()) find_->addItem(Q(name));
  };
  auto* findLabel = new QLabel(QString::fromUtf8("&Vyhledat výrobce:"), this);
  findLabel->setBuddy(find_);
  findRow->addWidget(findLabel);
  findRow->addWidget(find_);
  findRow->addStretch();
  layout->addLayout(findRow);
  connect(find_, &QComboBox::activated, this, [this](int index) { FindManufacturer(find_->itemText(index)); });

  auto* columns = new QHBoxLayout;
  BuildLevel(L::Concern, "Koncerny", RowHeight(L::Concern));
  BuildLevel(L::Manufacturer, "Výrobci", RowHeight(L::Manufacturer));
  BuildLevel(L::Engine, "Motory", RowHeight(L::Engine));
  BuildLevel(L::Model, "Modely", RowHeight(L::Model));
  BuildLevel(L::SubType, "Podtypy", RowHeight(L::SubType));
  for (L level : kLevels) columns->addWidget(Level(level).box, 1);
  layout->addLayout(columns, 1);

  auto* bottom = new QHBoxLayout;
  auto* close = new QPushButton(QString::fromUtf8("Zavřít"), this);
  bottom->addStretch();
  bottom->addWidget(close);
  layout->addLayout(bottom);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  ResizeWithinScreen(this, 1260, 760);
}

void TfCarModels::BuildLevel(L level, const char* title, int rowHeight) {
  TLevel& w = Level(level);
  w.box = new QGroupBox(QString::fromUtf8(title), this);
  auto* column = new QVBoxLayout(w.box);
  w.list = new QListWidget(w.box);
  w.list->setSelectionMode(QAbstractItemView::SingleSelection);
  w.list->setUniformItemSizes(true);
  w.list->setItemDelegate(new TCatalogueListDelegate(
      rowHeight, [this, level](const QModelIndex& index) { return Picture(level, index); }, w.list));
  column->addWidget(w.list, 1);
  auto* buttons = new QHBoxLayout;
  w.add = new QPushButton(QString::fromUtf8("Přidat"), w.box);
  w.remove = new QPushButton(QString::fromUtf8("Odebrat"), w.box);
  buttons->addWidget(w.add);
  buttons->addWidget(w.remove);
  buttons->addStretch();
  column->addLayout(buttons);
  w.fields = BuildFields(level);
  column->addWidget(w.fields);

  connect(w.list, &QListWidget::itemSelectionChanged, this, [this, level] {
    if (!filling_) SelectionChanged(level);
  });
  connect(w.list, &QListWidget::itemDoubleClicked, this, [this, level] { OpenAttachments(level); });
  connect(w.add, &QPushButton::clicked, this, [this, level] { AddEntryCommand(level); });
  connect(w.remove, &QPushButton::clicked, this, [this, level] { RemoveSelected(level); });
}

QWidget* TfCarModels::BuildFields(L level) {
  auto* fields = new QWidget(Level(level).box);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 4, 0, 0);
  TLevel& w = Level(level);
  auto edited = [this, level] { CopyFieldsBack(level); };
  w.name = new QLineEdit(fields);
  w.name->setMaxLength(NameLimit(level));
  form->addRow(QString::fromUtf8("Název:"), w.name);
  connect(w.name, &QLineEdit::textEdited, this, edited);
  if (level == L::Manufacturer) {
    country_ = new QLineEdit(fields);
    country_->setMaxLength(31);
    form->addRow(QString::fromUtf8("Země:"), country_);
    connect(country_, &QLineEdit::textEdited, this, edited);
  }
  if (level == L::Engine) {
    displacement_ = new QLineEdit(fields);
    form->addRow(QString::fromUtf8("Objem:"), displacement_);
    connect(displacement_, &QLineEdit::textEdited, this, edited);
    auto* fuelBox = new QWidget(fields);
    auto* fuelColumn = new QVBoxLayout(fuelBox);
    fuelColumn->setContentsMargins(0, 0, 0, 0);
    fuelColumn->setSpacing(0);
    for (int32_t fuel : {kFuelPetrol, kFuelDiesel, kFuelOther}) {
      auto* b = new QRadioButton(QString::fromUtf8(FuelText(fuel)), fuelBox);
      fuel_[static_cast<size_t>(fuel)] = b;
      fuelColumn->addWidget(b);
      connect(b, &QRadioButton::clicked, this, edited);
    }
    form->addRow(QString::fromUtf8("Palivo:"), fuelBox);
  }
  if (level == L::Manufacturer || level == L::Engine || level == L::Model) {
    w.url = new QLineEdit(fields);
    w.url->setMaxLength(255);
    form->addRow(QString::fromUtf8("URL:"), w.url);
    connect(w.url, &QLineEdit::textEdited, this, edited);
  }
  return fields;
}

void TfCarModels::Prepare() {
  editor_.Load();
  pictures_.clear();
  LoadPictures();
  FillLevel(L::Concern, editor_.Concerns());
}

void TfCarModels::Run() {
  Prepare();
  exec();
}

void TfCarModels::done(int result) {
  editor_.WriteBack();
  QDialog::done(result);
}

int TfCarModels::SelectedPosition(L level) const {
  const QList<QListWidgetItem*> selected = Level(level).list->selectedItems();
  if (selected.isEmpty()) return -1;
  return selected.front()->data(kPositionRole).toInt();
}

QListWidgetItem* TfCarModels::AppendRow(L level, int position) {
  auto* item = new QListWidgetItem(Q(editor_.Name(level, position)));
  item->setData(kPositionRole, position);
  Level(level).list->addItem(item);
  return item;
}

void TfCarModels::FillLevel(L level, const std::vector<int>& positions) {
  TLevel& w = Level(level);
  filling_ = true;
  w.list->clear();
  for (int p : positions) AppendRow(level, p);
  filling_ = false;
  w.list->setVisible(true);
  w.add->setVisible(true);
  ShowFields(level, -1);
  for (L child : ChildLevels(level)) HideLevel(child);
}

void TfCarModels::HideLevel(L level) {
  TLevel& w = Level(level);
  filling_ = true;
  w.list->clear();
  filling_ = false;
  w.list->setVisible(false);
  w.add->setVisible(false);
  ShowFields(level, -1);
  for (L child : ChildLevels(level)) HideLevel(child);
}

void TfCarModels::SelectionChanged(L level) {
  const int position = SelectedPosition(level);
  ShowFields(level, position);
  for (L child : ChildLevels(level)) {
    if (position >= 0)
      FillLevel(child, editor_.Children(child, editor_.ID(level, position)));
    else
      HideLevel(child);
  }
}

void TfCarModels::ShowFields(L level, int position) {
  TLevel& w = Level(level);
  w.remove->setEnabled(position >= 0);
  w.fields->setVisible(position >= 0);
  if (position < 0) return;
  const auto at = static_cast<size_t>(position);
  w.name->setText(Q(editor_.Name(level, position)));
  switch (level) {
    case L::Manufacturer:
      country_->setText(Q(editor_.manufacturers[at].country));
      w.url->setText(Q(editor_.manufacturers[at].url));
      break;
    case L::Engine: {
      const TEngineRecord& e = editor_.engines[at];
      displacement_->setText(QString::number(e.displacement));
      displacement_->setStyleSheet(QString());
      const int32_t fuel = e.fuel == kFuelPetrol || e.fuel == kFuelDiesel ? e.fuel : kFuelOther;
      fuel_[static_cast<size_t>(fuel)]->setChecked(true);
      w.url->setText(Q(e.url));
      break;
    }
    case L::Model: w.url->setText(Q(editor_.models[at].url)); break;
    case L::Concern:
    case L::SubType: break;
  }
}

void TfCarModels::CopyFieldsBack(L level) {
  const int position = SelectedPosition(level);
  if (position < 0) return;
  TLevel& w = Level(level);
  editor_.SetName(level, position, w.name->text().toStdString());
  if (w.url) editor_.SetUrl(level, position, w.url->text().toStdString());
  if (level == L::Manufacturer) editor_.SetCountry(position, country_->text().toStdString());
  if (level == L::Engine) {
    const bool ok = editor_.SetDisplacementText(position, displacement_->text().toStdString());
    displacement_->setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { background: #ff8080; }"));
    for (int32_t fuel : {kFuelPetrol, kFuelDiesel, kFuelOther})
      if (fuel_[static_cast<size_t>(fuel)]->isChecked()) editor_.SetFuel(position, fuel);
  }
  w.list->selectedItems().front()->setText(Q(editor_.Name(level, position)));
}

void TfCarModels::SelectRow(L level, int row) {
  QListWidget* list = Level(level).list;
  if (row < 0 || row >= list->count()) return;
  list->setCurrentRow(row);
  list->item(row)->setSelected(true);
}

void TfCarModels::AddEntryCommand(L level) {
  int32_t parentID = -1;
  if (level != L::Concern) {
    const L parent = ParentLevel(level);
    const int parentPosition = SelectedPosition(parent);
    if (parentPosition < 0) return;
    parentID = editor_.ID(parent, parentPosition);
  }
  const int position = editor_.AddEntry(level, parentID);
  if (position < 0) return;
  QListWidget* list = Level(level).list;
  QListWidgetItem* item = AppendRow(level, position);
  list->setCurrentItem(item);
  item->setSelected(true);
  Level(level).name->setFocus();
}

void TfCarModels::RemoveSelected(L level) {
  const int position = SelectedPosition(level);
  if (position < 0) return;
  if (ShowMessage("Dotaz", editor_.DeleteQuestion(level, position), TMsgIcon::Question, mbYesNo, TMsgAnswer::No) !=
      TMsgAnswer::Yes)
    return;
  for (const TCatalogueEditor::TRemoved& r : editor_.Delete(level, position)) {
    pictures_.erase({static_cast<int>(r.level), r.position});
    QListWidget* list = Level(r.level).list;
    filling_ = true;
    for (int row = list->count() - 1; row >= 0; --row)
      if (list->item(row)->data(kPositionRole).toInt() == r.position) delete list->takeItem(row);
    filling_ = false;
  }
  Level(level).list->clearSelection();
  SelectionChanged(level);
}

void TfCarModels::FindManufacturer(const QString& name) {
  const int32_t concern = editor_.ConcernOfManufacturerNamed(name.toStdString());
  if (concern == -2) return;
  QListWidget* concerns = Level(L::Concern).list;
  for (int row = 0; row < concerns->count(); ++row)
    if (editor_.ID(L::Concern, concerns->item(row)->data(kPositionRole).toInt()) == concern) {
      SelectRow(L::Concern, row);
      break;
    }
  QListWidget* makes = Level(L::Manufacturer).list;
  for (int row = 0; row < makes->count(); ++row)
    if (makes->item(row)->text() == name) SelectRow(L::Manufacturer, row);
  find_->clear();
}

void TfCarModels::OpenAttachments(L level) {
  const int position = SelectedPosition(level);
  if (position < 0 || !openAttachments_) return;
  editor_.WriteEntry(level, position);
  openAttachments_(EntryAttachmentFolder(Config().attachpath, CatalogueLevelTag(level), editor_.ID(level, position)));
  LoadPictures();
  for (L l : kLevels) Level(l).list->viewport()->update();
}

void TfCarModels::LoadPictures() {
  for (L level : kLevels)
    for (int p = 0; p < editor_.Size(level); ++p) {
      const std::pair<int, int> key{static_cast<int>(level), p};
      QImage picture;
      if (editor_.Live(level, p))
        picture = Thumbnail(FindEntryPictureFile(Config().attachpath, CatalogueLevelTag(level), editor_.ID(level, p)), RowHeight(level) - 2);
      if (picture.isNull())
        pictures_.erase(key);
      else
        pictures_[key] = picture;
    }
}

QImage TfCarModels::Picture(L level, const QModelIndex& index) const {
  auto it = pictures_.find({static_cast<int>(level), index.data(kPositionRole).toInt()});
  return it == pictures_.end() ? QImage() : it->second;
}

bool TfCarModels::HasPicture(L level, int position) const {
  return pictures_.count({static_cast<int>(level), position}) > 0;
}

void RunCatalogueManager(const TCatalogue& catalogue, QWidget* parent,
                         std::function<void(const std::string& folder)> openAttachments) {
  TfCarModels window(catalogue, parent);
  window.SetAttachmentOpener(std::move(openAttachments));
  window.Run();
}
