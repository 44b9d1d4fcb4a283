#include "ui/IconsForm.h"

#include <QAbstractListModel>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "catalogues/Icons.h"
#include "shell/Desktop.h"
#include "storage/Notifier.h"
#include "storage/Picture.h"
#include "ui/DialogParts.h"
#include "ui/HelpKey.h"
#include "ui/IconPictures.h"
#include "ui/ReusedDialog.h"

namespace {

constexpr int kRowHeight = 34;

// One row per index of the library; pictures are read only for the rows
// that are painted.
class TIconListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  void Reload() {
    beginResetModel();
    count_ = IconLibrary().Count();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : count_; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= count_) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return LoadIcon(index.row()).name;
    return {};
  }

 private:
  int count_ = 0;
};

// The icon at 1, 1 and the name 38 pixels from the left, centred 16 pixels
// below the row's top; the selected row on blue, the others on white.
class TIconRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(r, selected ? QColor(0, 90, 200) : QColor(Qt::white));
    const TLoadedIcon& icon = LoadIcon(index.row());
    if (!icon.picture.isNull()) p->drawPixmap(r.left() + 1, r.top() + 1, icon.picture);
    p->setPen(selected ? Qt::white : Qt::black);
    const QRect text(r.left() + 38, r.top() + 16 - option.fontMetrics.height() / 2, r.width() - 40,
                     option.fontMetrics.height());
    p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, icon.name);
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(200, kRowHeight); }
};

QColor FromBgr(int32_t bgr) { return QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(bgr))); }

}  // namespace

TfIcons::TfIcons(QWidget* parent) : QDialog(parent) {
  setObjectName("TfIcons");
  setWindowTitle(QString::fromUtf8("Zvolte ikonu"));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListView(this);
  list_->setObjectName("lbIcons");
  list_->setUniformItemSizes(true);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* model = new TIconListModel(list_);
  model_ = model;
  list_->setModel(model);
  list_->setItemDelegate(new TIconRowDelegate(list_));
  list_->setToolTip(QString::fromUtf8("Dvojklikem nahradíte ikonu jiným souborem"));
  layout->addWidget(list_, 1);

  auto* row = new QHBoxLayout;
  colourBox_ = new QPushButton(QString::fromUtf8("&Barva"), this);
  colourBox_->setObjectName("colourBox");
  colourBox_->setAutoDefault(false);
  btnAdd_ = new QPushButton(QString::fromUtf8("Přidat &ikonu"), this);
  btnAdd_->setObjectName("btnAddIcon");
  btnAdd_->setAutoDefault(false);
  btnRename_ = new QPushButton(QString::fromUtf8("&Přejmenovat"), this);
  btnRename_->setObjectName("btnRename");
  btnRename_->setAutoDefault(false);
  btnOK_ = new QPushButton("OK", this);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  row->addWidget(colourBox_);
  row->addWidget(btnAdd_);
  row->addWidget(btnRename_);
  row->addStretch();
  row->addWidget(btnOK_);
  layout->addLayout(row);

  connect(colourBox_, &QPushButton::clicked, this, [this] { GuardedSlot("Ikony", [this] { ChooseColour(); }); });
  connect(btnAdd_, &QPushButton::clicked, this, [this] { GuardedSlot("Ikony", [this] { AddIcon(); }); });
  connect(btnRename_, &QPushButton::clicked, this,
          [this] { GuardedSlot("Ikony", [this] { RenameIcon(SelectedIndex()); }); });
  connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QListView::doubleClicked, this,
          [this](const QModelIndex& i) { GuardedSlot("Ikony", [this, i] { ReplaceIcon(i.row()); }); });
  InstallHelpKey(this, "chooseicon.html");
  resize(420, 560);
}

void TfIcons::Open(int32_t index, int32_t colour) {
  colour_ = colour;
  IconLibrary().Rescan();
  Refill(index);
  colourBox_->setVisible(colour >= 0);
  ShowColour();
  list_->setFocus();
}

void TfIcons::Refill(int32_t select) {
  static_cast<TIconListModel*>(model_)->Reload();
  if (select >= 0 && select < model_->rowCount()) {
    const QModelIndex i = model_->index(select, 0);
    list_->setCurrentIndex(i);
    list_->scrollTo(i, QAbstractItemView::PositionAtCenter);
  } else {
    list_->clearSelection();
    list_->setCurrentIndex(QModelIndex());
  }
}

void TfIcons::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only a shown list knows its height, so the centring waits for it.
  if (list_->currentIndex().isValid()) list_->scrollTo(list_->currentIndex(), QAbstractItemView::PositionAtCenter);
}

int32_t TfIcons::SelectedIndex() const {
  const QModelIndexList rows = list_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TfIcons::ShowColour() {
  if (colour_ < 0) return;
  const QColor c = FromBgr(colour_);
  colourBox_->setStyleSheet(QString("QPushButton { background-color: %1; color: %2; }")
                                .arg(c.name(), c.lightness() > 128 ? "black" : "white"));
}

void TfIcons::ChooseColour() {
  const QColor chosen = QColorDialog::getColor(FromBgr(colour_), this, QString::fromUtf8("Barva"));
  if (!chosen.isValid()) return;
  colour_ = static_cast<int32_t>(RgbToBgr(chosen.rgb() & 0xFFFFFF));
  ShowColour();
}

void TfIcons::AddIcon() {
  const std::string path = GetDesktop().AskOpenFile("Přidat ikonu", "Icony (*.ico)", "");
  if (path.empty()) return;
  if (ReadIconFile(QString::fromStdString(path)).isNull()) {
    ShowError("Soubor není ikona, kterou lze načíst.");
    return;
  }
  int32_t index = -1;
  if (IconLibrary().Add(path, index)) Refill(index);
}

void TfIcons::ReplaceIcon(int32_t index) {
  if (index < 0) return;
  const std::string path = GetDesktop().AskOpenFile("Nahradit ikonu", "Icony (*.ico)", "");
  if (path.empty()) return;
  if (ReadIconFile(QString::fromStdString(path)).isNull()) {
    ShowError("Soubor není ikona, kterou lze načíst.");
    return;
  }
  IconLibrary().Replace(index, path);
  Refill(index);
}

void TfIcons::RenameIcon(int32_t index) {
  const TIconFile* file = index >= 0 ? IconLibrary().Find(index) : nullptr;
  if (!file) return;
  bool ok = false;
  const QString name = QInputDialog::getText(this, QString::fromUtf8("Zvolte název"), QString::fromUtf8("Název"),
                                             QLineEdit::Normal, QString::fromStdString(file->name), &ok);
  if (!ok) return;
  IconLibrary().Rename(index, name.toStdString());
  Refill(index);
}

bool ChooseIcon(QWidget* parent, int32_t& index, int32_t& colour) {
  TfIcons& window = ReusedDialog<TfIcons>(parent);
  window.Open(index, colour);
  // However the window was closed, the selection counts.
  ExecReused(window);
  const int32_t oldIndex = index, oldColour = colour;
  index = window.SelectedIndex();
  colour = window.Colour();
  return index != oldIndex || colour != oldColour;
}
