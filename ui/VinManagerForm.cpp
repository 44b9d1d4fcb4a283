#include "ui/VinManagerForm.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogues/CatalogueQueries.h"
#include "catalogues/VinMask.h"
#include "storage/Collation.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

constexpr int kEntryRole = Qt::UserRole + 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QComboBox* ValueBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxVisibleItems(30);
  return box;
}

// Refills a value box's list, keeping the text typed in it.
void SetItems(QComboBox* box, TNameList names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CzechCompare(a, b) < 0; });
  const QString text = box->currentText();
  box->clear();
  for (const std::string& n : names) box->addItem(Q(n));
  box->setEditText(text);
}

}  // namespace

TfVINmanager::TfVINmanager(const TCatalogue& catalogue, TVINPatterns& patterns, QWidget* parent)
    : QWidget(parent, Qt::Window), catalogue_(catalogue), patterns_(patterns), readFrom_(VinPatternFile),
      writeTo_(VinPatternFileForSaving) {
  setWindowTitle(QString::fromUtf8("Správce VIN kódů"));
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* layout = new QVBoxLayout(this);

  auto* toolbar = new QToolBar(this);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  addTop_ = toolbar->addAction(QString::fromUtf8("Nová položka"), this, &TfVINmanager::AddTopLevel);
  addTop_->setToolTip(QString::fromUtf8("Přidat novou položku 1. úrovně"));
  addSub_ = toolbar->addAction(QString::fromUtf8("Nová podpoložka"), this, &TfVINmanager::AddSubEntry);
  addSub_->setToolTip(QString::fromUtf8("Přidat podpoložku"));
  duplicate_ = toolbar->addAction(QString::fromUtf8("Duplikovat"), this, &TfVINmanager::DuplicateSelected);
  delete_ = toolbar->addAction(QString::fromUtf8("Smazat položku"), this, &TfVINmanager::DeleteSelected);
  toolbar->addSeparator();
  auto* sortMenu = new QMenu(this);
  auto* modes = new QActionGroup(this);
  byMask_ = sortMenu->addAction(QString::fromUtf8("Podle VIN kódu"), this, [this] { SortBy(TVINSortMode::ByMask); });
  byDescription_ =
      sortMenu->addAction(QString::fromUtf8("Podle popisu"), this, [this] { SortBy(TVINSortMode::ByDescription); });
  for (QAction* a : {byMask_, byDescription_}) {
    a->setCheckable(true);
    modes->addAction(a);
  }
  byMask_->setChecked(true);
  auto* sortButton = new QToolButton(toolbar);
  sortButton->setText(QString::fromUtf8("Setřídit"));
  sortButton->setMenu(sortMenu);
  sortButton->setPopupMode(QToolButton::InstantPopup);
  toolbar->addWidget(sortButton);
  layout->addWidget(toolbar);

  auto* splitter = new QSplitter(this);
  tree_ = new QTreeWidget(splitter);
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setFont(fixed);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!filling_) SelectionChanged();
  });

  panel_ = new QWidget(splitter);
  auto* grid = new QGridLayout(panel_);
  int row = 0;
  auto addRow = [&](const char* label, QWidget* field) {
    auto* l = new QLabel(QString::fromUtf8(label), panel_);
    l->setBuddy(field);
    const bool tall = qobject_cast<QPlainTextEdit*>(field) != nullptr;
    grid->addWidget(l, row, 0, tall ? Qt::AlignTop : Qt::AlignVCenter);
    grid->addWidget(field, row++, 1);
  };
  mask_ = new QLineEdit(panel_);
  mask_->setFont(fixed);
  mask_->setMaxLength(200);
  addRow("VIN &maska:", mask_);
  ruler_ = new QLabel(panel_);
  ruler_->setFont(fixed);
  ruler_->setIndent(mask_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  ruler_->setTextInteractionFlags(Qt::NoTextInteraction);
  addRow("Pozice", ruler_);
  full_ = new QLineEdit(panel_);
  full_->setFont(fixed);
  full_->setReadOnly(true);
  addRow("Komplet:", full_);
  manuf_ = ValueBox(panel_);
  model_ = ValueBox(panel_);
  subtype_ = ValueBox(panel_);
  engine_ = ValueBox(panel_);
  addRow("&Výrobce", manuf_);
  addRow("M&odel", model_);
  addRow("&Podtyp", subtype_);
  addRow("Mo&tor", engine_);
  info_ = new QPlainTextEdit(panel_);
  addRow("&Dodatečné informace", info_);
  reference_ = new QLineEdit(panel_);
  reference_->setFont(fixed);
  addRow("O&dkaz:", reference_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(7, 1);
  splitter->addWidget(tree_);
  splitter->addWidget(panel_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);

  connect(mask_, &QLineEdit::textEdited, this, &TfVINmanager::PanelEdited);
  connect(reference_, &QLineEdit::textEdited, this, &TfVINmanager::PanelEdited);
  connect(info_, &QPlainTextEdit::textChanged, this, &TfVINmanager::PanelEdited);
  for (QComboBox* box : {manuf_, model_, subtype_, engine_})
    connect(box, &QComboBox::editTextChanged, this, &TfVINmanager::PanelEdited);

  resize(1180, 720);
  SelectionChanged();
}

void TfVINmanager::SetFiles(std::function<S_FileName()> readFrom, std::function<S_FileName()> writeTo) {
  readFrom_ = std::move(readFrom);
  writeTo_ = std::move(writeTo);
}

void TfVINmanager::Open() {
  if (!isVisible()) {
    mode_ = TVINSortMode::ByMask;
    byMask_->setChecked(true);
    TNameList makes;
    ListManufacturerNames(catalogue_, makes);
    filling_ = true;
    SetItems(manuf_, makes);
    filling_ = false;
    LoadVINPatterns(patterns_, catalogue_, readFrom_());
    Rebuild();
    tree_->clearSelection();
    SelectionChanged();
  }
  show();
  raise();
  activateWindow();
}

void TfVINmanager::Rebuild() {
  const TVINEntry* keep = Selected();
  filling_ = true;
  tree_->clear();
  AddItems(nullptr, patterns_.tree.entries);
  tree_->expandAll();
  filling_ = false;
  if (keep) Select(keep);
}

void TfVINmanager::AddItems(QTreeWidgetItem* parentItem, const TVINEntries& entries) {
  for (const auto& e : entries) {
    auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(tree_);
    item->setText(0, Q(VINEntryLine(*e, mode_)));
    item->setData(0, kEntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(e.get())));
    AddItems(item, e->children);
  }
}

QTreeWidgetItem* TfVINmanager::ItemOf(const TVINEntry* entry) const {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if ((*it)->data(0, kEntryRole).value<quintptr>() == reinterpret_cast<quintptr>(entry)) return *it;
  return nullptr;
}

TVINEntry* TfVINmanager::Selected() const {
  const QList<QTreeWidgetItem*> items = tree_->selectedItems();
  if (items.isEmpty()) return nullptr;
  return reinterpret_cast<TVINEntry*>(items.front()->data(0, kEntryRole).value<quintptr>());
}

void TfVINmanager::Select(const TVINEntry* entry) {
  QTreeWidgetItem* item = ItemOf(entry);
  if (!item) return;
  tree_->setCurrentItem(item);
  item->setSelected(true);
  tree_->scrollToItem(item);
}

void TfVINmanager::SelectionChanged() {
  TVINEntry* entry = Selected();
  panel_->setVisible(entry != nullptr);
  for (QAction* a : {delete_, addSub_, duplicate_}) a->setEnabled(entry != nullptr);
  if (entry) FillPanel(*entry);
}

void TfVINmanager::FillPanel(const TVINEntry& entry) {
  filling_ = true;
  mask_->setText(QString::fromStdString(entry.mask).toUpper());
  const TVINFields inherited = InheritedVINValues(entry);
  auto put = [](QComboBox* box, const std::string& fromAncestor, const std::string& own) {
    box->setEditText(Q(fromAncestor.empty() ? own : fromAncestor));
    box->setEnabled(fromAncestor.empty());
  };
  put(manuf_, inherited.manuf, entry.manuf);
  put(model_, inherited.model, entry.model);
  put(subtype_, inherited.subtype, entry.subtype);
  put(engine_, inherited.engine, entry.engine);
  info_->setPlainText(Q(ReplaceAll(entry.info, "\r\n", "\n")));
  reference_->setText(Q(entry.reference));
  FillLists();
  ShowDerived(entry);
  filling_ = false;
}

void TfVINmanager::FillLists() {
  const bool wasFilling = filling_;
  filling_ = true;
  const std::string make = manuf_->currentText().toStdString();
  const std::string model = model_->currentText().toStdString();
  const int32_t makeID = FindManufacturerByName(catalogue_, make);
  TNameList names;
  ListModelNames(catalogue_, names, makeID);
  SetItems(model_, names);
  ListEngineNames(catalogue_, names, makeID);
  SetItems(engine_, names);
  ListSubTypeNames(catalogue_, names, FindMakeAndModel(catalogue_, make, model).model);
  SetItems(subtype_, names);
  filling_ = wasFilling;
}

void TfVINmanager::ShowDerived(const TVINEntry& entry) {
  full_->setText(Q(EffectiveVINEntry(entry).mask));
  ruler_->setText(Q(VINMaskRuler(entry.mask)));
  if (QTreeWidgetItem* item = ItemOf(&entry)) item->setText(0, Q(VINEntryLine(entry, mode_)));
}

void TfVINmanager::PanelEdited() {
  if (filling_) return;
  TVINEntry* entry = Selected();
  if (!entry) return;
  const std::string oldMake = entry->manuf, oldModel = entry->model;
  StoreVINPanel(*entry, TVINFields{mask_->text().toStdString(), manuf_->currentText().toStdString(),
                                   model_->currentText().toStdString(), subtype_->currentText().toStdString(),
                                   engine_->currentText().toStdString(), info_->toPlainText().toStdString(),
                                   reference_->text().toStdString()});
  filling_ = true;
  if (mask_->text() != Q(entry->mask)) {
    const int cursor = mask_->cursorPosition();
    mask_->setText(Q(entry->mask));
    mask_->setCursorPosition(cursor);
  }
  filling_ = false;
  if (entry->manuf != oldMake || entry->model != oldModel) FillLists();
  ShowDerived(*entry);
}

void TfVINmanager::SelectNew(TVINEntry* entry) {
  Rebuild();
  Select(entry);
  mask_->setFocus();
}

void TfVINmanager::AddTopLevel() { SelectNew(AddTopLevelVINEntry(patterns_.tree)); }

void TfVINmanager::AddSubEntry() {
  if (TVINEntry* entry = Selected()) SelectNew(AddVINSubEntry(*entry));
}

void TfVINmanager::DuplicateSelected() {
  if (TVINEntry* entry = Selected()) SelectNew(DuplicateVINEntry(patterns_.tree, *entry));
}

void TfVINmanager::DeleteSelected() {
  TVINEntry* entry = Selected();
  if (!entry) return;
  if (ShowMessage("Dotaz", "Opravdu chcete vybraný řádek smazat?", TMsgIcon::Question, mbYesNo, TMsgAnswer::No) !=
      TMsgAnswer::Yes)
    return;
  filling_ = true;
  tree_->clearSelection();
  filling_ = false;
  DeleteVINEntry(patterns_.tree, *entry);
  Rebuild();
  SelectionChanged();
}

void TfVINmanager::SortBy(TVINSortMode mode) {
  mode_ = mode;
  (mode == TVINSortMode::ByMask ? byMask_ : byDescription_)->setChecked(true);
  SortVINTree(patterns_.tree, mode);
  Rebuild();
}

void TfVINmanager::closeEvent(QCloseEvent* event) {
  if (!SaveVINPatterns(patterns_, catalogue_, writeTo_()) &&
      ShowMessage("Chyba", "Nepodařilo se uložit soubor \"db_vin.txt\". Opravdu chcete zavřít okno?", TMsgIcon::Error,
                  mbYesNo, TMsgAnswer::No) != TMsgAnswer::Yes) {
    event->ignore();
    return;
  }
  event->accept();
}
