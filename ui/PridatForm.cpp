#include "ui/PridatForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogues/Icons.h"
#include "servicebook/ActivityImport.h"
#include "shell/CalendarEvent.h"
#include "shell/Config.h"
#include "shell/ExternalPrograms.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/Picture.h"
#include "ui/ActivityListView.h"
#include "ui/DialogParts.h"
#include "ui/HelpKey.h"
#include "ui/IconPictures.h"
#include "ui/IconsForm.h"
#include "ui/MemoText.h"
#include "ui/ReusedDialog.h"
#include "ui/SelectItems.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The kinds in the order of the combo.
const int32_t kComboKinds[] = {kKindPlan, kKindPlanNoWarn, kKindOrder, kKindDone};
const char* const kComboTexts[] = {"Plán", "Plán (bez upozornění)", "Objednávka", "Provedený servis"};

int ComboIndexOfKind(int32_t kind) {
  for (int i = 0; i < 4; ++i)
    if (kComboKinds[i] == kind) return i;
  return 3;
}

bool EditableKind(int32_t kind) {
  return kind == kKindDone || kind == kKindPlan || kind == kKindPlanNoWarn || kind == kKindOrder;
}

QLineEdit* NumberEdit(QWidget* parent, const char* name, int maxLength, int width) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(maxLength);
  e->setMaximumWidth(width);
  e->setAlignment(Qt::AlignRight);
  return e;
}

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(low, high);
  return s;
}

QToolButton* Tool(QWidget* parent, const char* name, const char* text, const char* hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(QString::fromUtf8(text));
  b->setToolTip(QString::fromUtf8(hint));
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  b->setAutoRaise(false);
  return b;
}

void SetLabel(QLabel* label, double value) { label->setText(Q(PriceText(value, false))); }

void SetSpinValue(QSpinBox* spin, int value, int low, int high) {
  // A stored value beyond the usual range is shown as it is, not clamped.
  spin->setRange(std::min(low, value), std::max(high, value));
  spin->setValue(value);
}

// A small swatch with the template's icon for the template menu.
QIcon TemplateIcon(const TActRecord& first) {
  QPixmap pm(36, 36);
  pm.fill(QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(first.color))));
  const TLoadedIcon& icon = LoadIcon(first.icon);
  if (!icon.picture.isNull()) {
    QPainter p(&pm);
    p.drawPixmap(2, 2, icon.picture);
  }
  return QIcon(pm);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

// The template menu shows its swatches at full size; a menu's icons are
// otherwise cut down to the style's small icon size.
class TTemplateMenuStyle : public QProxyStyle {
 public:
  TTemplateMenuStyle() : QProxyStyle(QApplication::style()->name()) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SmallIconSize) return 36;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

TPridatForm::TPridatForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PridatForm");
  BuildControls();
  closeLinkTimer_.setInterval(100);
  connect(&closeLinkTimer_, &QTimer::timeout, this, [this] { Handle([this] { CloseLinkTimerTimer(); }); });
  InstallHelpKey(this, "addrecord.html");
}

QWidget* TPridatForm::BuildTopRow() {
  auto* top = new QWidget(this);
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);

  auto* dateGroup = new QGroupBox(QString::fromUtf8(" Datum "), top);
  auto* date = new QVBoxLayout(dateGroup);
  chbLatest_ = new QCheckBox(QString::fromUtf8("&Nejpozději dne"), dateGroup);
  chbLatest_->setObjectName("chbLatest");
  date->addWidget(chbLatest_);
  dateBoxes_ = new QWidget(dateGroup);
  auto* boxes = new QHBoxLayout(dateBoxes_);
  boxes->setContentsMargins(0, 0, 0, 0);
  Dden_ = Spin(dateBoxes_, "Dden", 1, 31);
  Dmesic_ = Spin(dateBoxes_, "Dmesic", 1, 12);
  Drok_ = Spin(dateBoxes_, "Drok", 1990, 2050);
  const std::pair<const char*, QSpinBox*> parts[] = {{"&Den:", Dden_}, {"&Měsíc:", Dmesic_}, {"&Rok:", Drok_}};
  for (const auto& [caption, spin] : parts) {
    auto* l = new QLabel(QString::fromUtf8(caption), dateBoxes_);
    l->setBuddy(spin);
    boxes->addWidget(l);
    boxes->addWidget(spin);
  }
  date->addWidget(dateBoxes_);
  row->addWidget(dateGroup);

  auto* kindGroup = new QGroupBox(QString::fromUtf8(" Druh "), top);
  auto* kind = new QVBoxLayout(kindGroup);
  cbKind_ = new QComboBox(kindGroup);
  cbKind_->setObjectName("cbKind");
  for (const char* t : kComboTexts) cbKind_->addItem(QString::fromUtf8(t));
  auto* kindLabel = new QLabel(QString::fromUtf8("Dru&h:"), kindGroup);
  kindLabel->setBuddy(cbKind_);
  kind->addWidget(kindLabel);
  kind->addWidget(cbKind_);
  row->addWidget(kindGroup);

  auto* kmGroup = new QGroupBox(QString::fromUtf8(" Stav km "), top);
  auto* km = new QVBoxLayout(kmGroup);
  stavkm_ = NumberEdit(kmGroup, "stavkm", 7, 110);
  auto* kmLabel = new QLabel(QString::fromUtf8("&Km:"), kmGroup);
  kmLabel->setBuddy(stavkm_);
  km->addWidget(kmLabel);
  km->addWidget(stavkm_);
  row->addWidget(kmGroup);

  timeGroup_ = new QGroupBox(QString::fromUtf8(" Čas "), top);
  auto* time = new QGridLayout(timeGroup_);
  edStH_ = NumberEdit(timeGroup_, "edStH", 2, 40);
  edStMin_ = NumberEdit(timeGroup_, "edStMin", 4, 50);
  edDurH_ = NumberEdit(timeGroup_, "edDurH", 3, 40);
  edDurMin_ = NumberEdit(timeGroup_, "edDurMin", 4, 50);
  auto* start = new QLabel(QString::fromUtf8("&Začátek"), timeGroup_);
  start->setBuddy(edStH_);
  auto* duration = new QLabel(QString::fromUtf8("&Trvání"), timeGroup_);
  duration->setBuddy(edDurH_);
  time->addWidget(start, 0, 0);
  time->addWidget(edStH_, 0, 1);
  time->addWidget(new QLabel(":", timeGroup_), 0, 2);
  time->addWidget(edStMin_, 0, 3);
  time->addWidget(duration, 1, 0);
  time->addWidget(edDurH_, 1, 1);
  time->addWidget(new QLabel(":", timeGroup_), 1, 2);
  time->addWidget(edDurMin_, 1, 3);
  imgCalcDur_ = new QPushButton(QString::fromUtf8("Spo&čítat"), timeGroup_);
  imgCalcDur_->setObjectName("imgCalcDur");
  imgCalcDur_->setToolTip(QString::fromUtf8("Trvání podle součtu hodin úkonů"));
  imgCalcDur_->setAutoDefault(false);
  time->addWidget(imgCalcDur_, 1, 4);
  row->addWidget(timeGroup_);
  row->addStretch();

  vehicle_ = new QLabel(top);
  vehicle_->setObjectName("lblVehicle");
  vehicle_->setTextFormat(Qt::PlainText);
  vehicle_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  QFont bold = vehicle_->font();
  bold.setBold(true);
  vehicle_->setFont(bold);
  row->addWidget(vehicle_);
  return top;
}

QWidget* TPridatForm::BuildListPage() {
  auto* page = new QGroupBox(QString::fromUtf8(" Úkony "), this);
  auto* layout = new QVBoxLayout(page);
  toolbar_ = new QWidget(page);
  auto* tools = new QHBoxLayout(toolbar_);
  tools->setContentsMargins(0, 0, 0, 0);
  sbAddAction_ = Tool(toolbar_, "sbAddAction", "Přidat úkon", "Přidat úkon (Ctrl+N)");
  sbAddMaterial_ = Tool(toolbar_, "sbAddMaterial", "Vložit materiál", "Vložit materiál (Ctrl+M)");
  sbTrash_ = Tool(toolbar_, "sbTrash", "Odstranit", "Odstranit (Del)");
  sbMoveUp_ = Tool(toolbar_, "sbMoveUp", "▲", "Posunout nahoru (Ctrl+Nahoru)");
  sbMoveDown_ = Tool(toolbar_, "sbMoveDown", "▼", "Posunout dolů (Ctrl+Dolů)");
  sbShowOnInvoice_ = Tool(toolbar_, "sbShowOnInvoice", "", "Zobrazit na faktuře");
  sbShowOnInvoice_->setIcon(InvoiceMarkPixmap(false));
  sbHideFromInvoice_ = Tool(toolbar_, "sbHideFromInvoice", "", "Nezobrazovat na faktuře");
  sbHideFromInvoice_->setIcon(InvoiceMarkPixmap(true));
  for (QToolButton* b : {sbShowOnInvoice_, sbHideFromInvoice_}) {
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);  // no caption beside the mark
    b->setIconSize(QSize(20, 20));
  }
  sbInsertFromTemplate_ = Tool(toolbar_, "sbInsertFromTemplate", "Vložit ze šablony", "Vložit ze šablony");
  sbInsertFromTemplate_->setCheckable(true);
  sbDownload_ = Tool(toolbar_, "sbDownload", "Stáhnout z časovače", "Stáhnout z časovače");
  sbChooseColumns_ = Tool(toolbar_, "sbChooseColumns", "Zvolit sloupce", "Zvolit sloupce");
  for (QToolButton* b : {sbAddAction_, sbAddMaterial_, sbTrash_, sbMoveUp_, sbMoveDown_, sbShowOnInvoice_,
                         sbHideFromInvoice_, sbInsertFromTemplate_, sbDownload_})
    tools->addWidget(b);
  tools->addStretch();
  tools->addWidget(sbChooseColumns_);
  layout->addWidget(toolbar_);

  list_ = new TActivityListView(editor_, page);
  layout->addWidget(list_, 1);

  // The price panel.
  auto* prices = new QGridLayout;
  const char* heads[] = {"", "Hodiny", "Bez DPH", "DPH", "S DPH", "Nákup", "Marže"};
  for (int c = 0; c < 7; ++c) {
    auto* h = new QLabel(QString::fromUtf8(heads[c]), page);
    h->setAlignment(Qt::AlignRight);
    prices->addWidget(h, 0, c);
    if (c == 3 || c == 4) vatWidgets_ << h;
  }
  auto value = [page, prices, this](int row, int column, const char* name, bool vat) {
    auto* l = new QLabel(page);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight);
    l->setMinimumWidth(80);
    prices->addWidget(l, row, column);
    if (vat) vatWidgets_ << l;
    return l;
  };
  prices->addWidget(new QLabel(QString::fromUtf8("Práce:"), page), 1, 0);
  lblHours_ = value(1, 1, "lblHours", false);
  lblLabour_ = value(1, 2, "lblLabour", false);
  lblLabourVAT_ = value(1, 3, "lblLabourVAT", true);
  lblLabourTotal_ = value(1, 4, "lblLabourTotal", true);
  lblLabourCost_ = value(1, 5, "lblLabourCost", false);
  lblLabourMargin_ = value(1, 6, "lblLabourMargin", false);
  prices->addWidget(new QLabel(QString::fromUtf8("Materiál:"), page), 2, 0);
  lblMaterial_ = value(2, 2, "lblMaterial", false);
  lblMaterialVAT_ = value(2, 3, "lblMaterialVAT", true);
  lblMaterialTotal_ = value(2, 4, "lblMaterialTotal", true);
  lblMaterialCost_ = value(2, 5, "lblMaterialCost", false);
  lblMaterialMargin_ = value(2, 6, "lblMaterialMargin", false);
  auto* totalCaption = new QLabel(QString::fromUtf8("Celkem:"), page);
  QFont bold = totalCaption->font();
  bold.setBold(true);
  totalCaption->setFont(bold);
  prices->addWidget(totalCaption, 3, 0);
  lblTotal_ = value(3, 4, "lblTotal", false);
  lblTotal_->setFont(bold);
  lblCost_ = value(3, 5, "lblCost", false);
  lblMargin_ = value(3, 6, "lblMargin", false);

  auto* bottom = new QHBoxLayout;
  bottom->addLayout(prices);
  bottom->addSpacing(24);
  auto* checks = new QVBoxLayout;
  chbLaborVAT_ = new QCheckBox(QString::fromUtf8("Započítat &DPH za práci"), page);
  chbLaborVAT_->setObjectName("chbLaborVAT");
  chbPaid_ = new QCheckBox(QString::fromUtf8("Za&placeno"), page);
  chbPaid_->setObjectName("chbPaid");
  checks->addWidget(chbLaborVAT_);
  checks->addWidget(chbPaid_);
  checks->addStretch();
  bottom->addLayout(checks);
  bottom->addStretch();
  layout->addLayout(bottom);
  return page;
}

QWidget* TPridatForm::BuildTextPage() {
  auto* page = new QWidget(this);
  auto* layout = new QGridLayout(page);
  Popis_ = new QPlainTextEdit(page);
  Popis_->setObjectName("Popis");
  Popis_->setTabChangesFocus(true);
  material_ = new QPlainTextEdit(page);
  material_->setObjectName("material");
  material_->setTabChangesFocus(true);
  cenap_ = Spin(page, "cenap", -1, kTextPriceLimit);
  cenap_->setSpecialValueText(QString::fromUtf8("bez ceny"));
  cenam_ = Spin(page, "cenam", 0, kTextPriceLimit);
  auto caption = [page](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text), page);
    l->setBuddy(buddy);
    return l;
  };
  layout->addWidget(caption("Ú&kony:", Popis_), 0, 0);
  layout->addWidget(Popis_, 1, 0);
  layout->addWidget(caption("M&ateriál:", material_), 0, 1);
  layout->addWidget(material_, 1, 1);
  auto* price = new QHBoxLayout;
  price->addWidget(caption("Cena &práce:", cenap_));
  price->addWidget(cenap_);
  price->addStretch();
  layout->addLayout(price, 2, 0);
  auto* priceM = new QHBoxLayout;
  priceM->addWidget(caption("Cena &materiálu:", cenam_));
  priceM->addWidget(cenam_);
  priceM->addStretch();
  layout->addLayout(priceM, 2, 1);
  return page;
}

void TPridatForm::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildTopRow());
  pages_ = new QStackedWidget(this);
  pages_->addWidget(BuildListPage());
  pages_->addWidget(BuildTextPage());
  layout->addWidget(pages_, 1);

  auto* buttons = new QHBoxLayout;
  btnUnlock_ = new QPushButton(QString::fromUtf8("&Odemknout pro změnu"), this);
  btnUnlock_->setObjectName("btnUnlock");
  btnUnlock_->setAutoDefault(false);
  btnOK_ = new QPushButton(this);
  btnOK_->setObjectName("btnOK");
  btnOK_->setDefault(true);
  btnCancel_ = new QPushButton(QString::fromUtf8("&Zpět"), this);
  btnCancel_->setObjectName("btnCancel");
  btnCancel_->setAutoDefault(false);
  buttons->addWidget(btnUnlock_);
  buttons->addStretch();
  buttons->addWidget(btnOK_);
  buttons->addWidget(btnCancel_);
  layout->addLayout(buttons);

  auto changed = [this] { Handle([this] { Changed(); }); };
  for (QSpinBox* s : {Dden_, Dmesic_, Drok_, cenap_, cenam_}) connect(s, &QSpinBox::valueChanged, this, changed);
  for (QLineEdit* e : {stavkm_, edStH_, edStMin_, edDurH_, edDurMin_}) connect(e, &QLineEdit::textEdited, this, changed);
  for (QPlainTextEdit* e : {Popis_, material_}) {
    connect(e, &QPlainTextEdit::textChanged, this, [e] {
      // The box takes no more than the record keeps, so nothing typed is
      // cut off silently on saving.
      // (Line breaks are stored as two characters.)
      const qsizetype limit = static_cast<qsizetype>(kFreeTextLimit);
      QString text = e->toPlainText();
      if (text.size() + text.count('\n') <= limit) return;
      while (text.size() + text.count('\n') > limit) text.chop(text.size() + text.count('\n') - limit);
      e->setPlainText(text);
      e->moveCursor(QTextCursor::End);
    });
    connect(e, &QPlainTextEdit::textChanged, this, changed);
  }
  for (QCheckBox* c : {chbLatest_, chbLaborVAT_, chbPaid_}) connect(c, &QCheckBox::toggled, this, changed);
  connect(cbKind_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) Handle([this, i] { editor_.KindChanged(kComboKinds[i]); });
  });
  connect(list_, &TActivityListView::changed, this, [this] { Handle([] {}); });
  connect(list_, &TActivityListView::selectionChanged, this, [this] { Handle([] {}); });
  connect(list_, &TActivityListView::iconRequested, this, [this](int i) { Handle([this, i] { ChooseLineIcon(i); }); });
  connect(list_, &TActivityListView::deleteRequested, this, [this] { Handle([this] { sbTrashClick(); }); });
  connect(btnOK_, &QPushButton::clicked, this, [this] { Handle([this] { btnOKClick(); }); });
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnUnlock_, &QPushButton::clicked, this, [this] { Handle([this] { btnUnlockClick(); }); });
  connect(imgCalcDur_, &QPushButton::clicked, this, [this] { Handle([this] { imgCalcDurClick(); }); });
  connect(sbAddAction_, &QToolButton::clicked, this, [this] { Handle([this] { sbAddItemClick(kItemActivity); }); });
  connect(sbAddMaterial_, &QToolButton::clicked, this, [this] { Handle([this] { sbAddItemClick(kItemMaterial); }); });
  connect(sbTrash_, &QToolButton::clicked, this, [this] { Handle([this] { sbTrashClick(); }); });
  connect(sbMoveUp_, &QToolButton::clicked, this, [this] { Handle([this] { sbMoveClick(-1); }); });
  connect(sbMoveDown_, &QToolButton::clicked, this, [this] { Handle([this] { sbMoveClick(+1); }); });
  connect(sbShowOnInvoice_, &QToolButton::clicked, this, [this] { Handle([this] { sbShowOnInvoiceClick(true); }); });
  connect(sbHideFromInvoice_, &QToolButton::clicked, this,
          [this] { Handle([this] { sbShowOnInvoiceClick(false); }); });
  connect(sbInsertFromTemplate_, &QToolButton::clicked, this,
          [this] { Handle([this] { sbInsertFromTemplateClick(); }); });
  connect(sbDownload_, &QToolButton::clicked, this, [this] { Handle([this] { sbDownloadClick(); }); });
  connect(sbChooseColumns_, &QToolButton::clicked, this, [this] { Handle([this] { sbChooseColumnsClick(); }); });

  // Keys of the list commands; copy and paste only while no line is edited
  // in place (then the editors take them).
  auto key = [this](QKeySequence sequence, QWidget* on, std::function<void()> action) {
    auto* s = new QShortcut(sequence, on);
    s->setContext(on == list_ ? Qt::WidgetShortcut : Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, [this, action] {
      if (!editor_.Locked() && pages_->currentIndex() == 0) Handle(action);
    });
  };
  key(QKeySequence::Copy, list_, [this] { ActionCopyExecute(); });
  key(QKeySequence::Paste, list_, [this] { ActionPasteExecute(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_N), this, [this] { sbAddItemClick(kItemActivity); });
  key(QKeySequence(Qt::CTRL | Qt::Key_M), this, [this] { sbAddItemClick(kItemMaterial); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Up), list_, [this] { sbMoveClick(-1); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Down), list_, [this] { sbMoveClick(+1); });
  resize(1100, 680);
}

template <typename Event>
void TPridatForm::Handle(Event event) {
  if (showing_) return;
  GuardedSlot("Editor záznamu", [&] {
    ReadControls();
    event();
  });
  ShowState();
}

void TPridatForm::OpenNew(const Tautomobil& car, int32_t kind) {
  car_ = car;
  editor_ = TRecordEditor(RecordEditorSettingsFrom(Config()));
  editor_.OpenNew(kind);
  setWindowTitle(QString::fromUtf8("Přidat nový záznam"));
  btnOK_->setText(QString::fromUtf8("&Přidat"));
  ResetList();
  ShowState();
  Dden_->setFocus();
}

void TPridatForm::OpenExisting(const Tautomobil& car, const Tzaznam& record, bool locked) {
  car_ = car;
  editor_ = TRecordEditor(RecordEditorSettingsFrom(Config()));
  editor_.OpenExisting(record, locked);
  setWindowTitle(QString::fromUtf8("Změna záznamu"));
  btnOK_->setText(QString::fromUtf8("&Uložit"));
  ResetList();
  ShowState();
  (locked ? static_cast<QWidget*>(btnUnlock_) : static_cast<QWidget*>(stavkm_))->setFocus();
}

void TPridatForm::ResetList() {
  // The library is listed here, once, so that painting never lists it.
  IconLibrary().EnsureScanned();
  // The controls still hold the previous record: nothing may read them yet.
  showing_ = true;
  list_->SetColumnMask(ReadCustomInteger("columnMask", kDefaultColumnMask));
  list_->Reload();
  list_->Select(-1);
  showing_ = false;
}

void TPridatForm::ReadControls() {
  TRecordEditorFields& f = editor_.fields;
  f.day = Dden_->value();
  f.month = Dmesic_->value();
  f.year = Drok_->value();
  f.latest = editor_.LatestShown() ? chbLatest_->isChecked() : f.latest;
  f.km = S(stavkm_->text());
  f.startHours = S(edStH_->text());
  f.startMinutes = S(edStMin_->text());
  f.durationHours = S(edDurH_->text());
  f.durationMinutes = S(edDurMin_->text());
  f.description = FromMemoText(Popis_->toPlainText());
  f.material = FromMemoText(material_->toPlainText());
  f.priceWork = cenap_->value();
  f.priceMaterial = cenam_->value();
  f.laborVAT = chbLaborVAT_->isChecked();
  f.paid = chbPaid_->isChecked();
}

void TPridatForm::Changed() {
  if (!editor_.Locked()) editor_.MarkChanged();
}

void TPridatForm::ShowKindColour() {
  const QColor colour = QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(CalendarKindColor(editor_.fields.kind))));
  // The closed box in the kind's colour; its drop-down list stays white.
  cbKind_->setStyleSheet(QString("QComboBox { background-color: %1; color: black; }"
                                 " QComboBox:disabled { color: gray; }"
                                 " QComboBox QAbstractItemView { background-color: white; color: black; }")
                             .arg(colour.name()));
}

void TPridatForm::ShowSums() {
  const TEditorSums s = editor_.Sums();
  lblHours_->setText(Q(HoursText(s.hours)));
  SetLabel(lblLabour_, s.labour);
  SetLabel(lblLabourVAT_, s.labourVAT);
  SetLabel(lblLabourTotal_, s.labour + s.labourVAT);
  SetLabel(lblLabourCost_, s.labourCost);
  SetLabel(lblLabourMargin_, s.labour - s.labourCost);
  SetLabel(lblMaterial_, s.material);
  SetLabel(lblMaterialVAT_, s.materialVAT);
  SetLabel(lblMaterialTotal_, s.material + s.materialVAT);
  SetLabel(lblMaterialCost_, s.materialCost);
  SetLabel(lblMaterialMargin_, s.material - s.materialCost);
  lblTotal_->setText(Q(PriceText(s.total, true)));
  lblCost_->setText(Q(PriceText(s.cost, true)));
  lblMargin_->setText(Q(PriceText(s.margin, true)));
  for (QWidget* w : vatWidgets_) w->setVisible(editor_.LaborVATShown());
}

void TPridatForm::ShowState() {
  showing_ = true;
  const TRecordEditorFields& f = editor_.fields;
  const bool locked = editor_.Locked();
  vehicle_->setText(Q(VehicleDisplayName(car_)));
  SetSpinValue(Dden_, f.day, 1, 31);
  SetSpinValue(Dmesic_, f.month, 1, 12);
  SetSpinValue(Drok_, f.year, 1990, 2050);
  chbLatest_->setChecked(f.latest);
  chbLatest_->setVisible(editor_.LatestShown());
  dateBoxes_->setVisible(editor_.DateShown());
  cbKind_->setCurrentIndex(ComboIndexOfKind(f.kind));
  ShowKindColour();
  if (stavkm_->text() != Q(f.km)) stavkm_->setText(Q(f.km));
  const std::pair<QLineEdit*, const std::string*> times[] = {
      {edStH_, &f.startHours}, {edStMin_, &f.startMinutes}, {edDurH_, &f.durationHours}, {edDurMin_, &f.durationMinutes}};
  for (const auto& [edit, text] : times)
    if (edit->text() != Q(*text)) edit->setText(Q(*text));
  timeGroup_->setVisible(editor_.TimeGroupShown());
  if (FromMemoText(Popis_->toPlainText()) != f.description) Popis_->setPlainText(ToMemoText(f.description));
  if (FromMemoText(material_->toPlainText()) != f.material) material_->setPlainText(ToMemoText(f.material));
  SetSpinValue(cenap_, f.priceWork, -1, kTextPriceLimit);
  SetSpinValue(cenam_, f.priceMaterial, 0, kTextPriceLimit);
  chbLaborVAT_->setChecked(f.laborVAT);
  chbLaborVAT_->setVisible(editor_.LaborVATShown());
  chbPaid_->setChecked(f.paid);
  chbPaid_->setVisible(editor_.PaidShown());
  pages_->setCurrentIndex(editor_.ListStyle() ? 0 : 1);

  // The locked mode: nothing but "Odemknout pro změnu" and "Zpět" acts.
  for (QWidget* w : std::initializer_list<QWidget*>{chbLatest_, dateBoxes_, cbKind_, stavkm_, timeGroup_, chbLaborVAT_,
                                                    chbPaid_, cenap_, cenam_})
    w->setEnabled(!locked);
  Popis_->setReadOnly(locked);
  material_->setReadOnly(locked);
  list_->SetReadOnly(locked);
  toolbar_->setVisible(!locked);
  imgCalcDur_->setVisible(!locked);
  sbInsertFromTemplate_->setVisible(editor_.ExternalInputShown());
  sbDownload_->setVisible(editor_.ExternalInputShown());
  const int current = list_->Current();
  const int count = static_cast<int>(editor_.Lines().size());
  sbMoveUp_->setEnabled(current > 0);
  sbMoveDown_->setEnabled(current >= 0 && current + 1 < count);
  const bool anySelected = !list_->Selection().empty();
  sbTrash_->setEnabled(anySelected);
  sbShowOnInvoice_->setEnabled(anySelected);
  sbHideFromInvoice_->setEnabled(anySelected);
  btnUnlock_->setVisible(locked);
  btnOK_->setVisible(editor_.ConfirmShown() && !locked);
  ShowSums();
  list_->viewport()->update();
  showing_ = false;
}

void TPridatForm::ShowLine(int index, bool edit) {
  list_->Reload();
  list_->Select(index);
  if (edit && index >= 0) list_->OpenEditors(index, kColText);
}

void TPridatForm::btnOKClick() {
  if (editor_.Confirm()) accept();
}

void TPridatForm::btnUnlockClick() {
  editor_.Unlock();
  stavkm_->setFocus();
}

void TPridatForm::sbAddItemClick(uint8_t itemType) {
  const int index = editor_.InsertLine(itemType, list_->Current());
  ShowLine(index, true);
}

void TPridatForm::sbTrashClick() {
  if (editor_.DeleteLines(list_->Selection())) {
    list_->Reload();
    list_->Select(-1);
  }
}

void TPridatForm::sbMoveClick(int delta) {
  const int current = list_->Current();
  if (current < 0) return;
  ShowLine(editor_.MoveLine(current, delta), false);
}

void TPridatForm::sbShowOnInvoiceClick(bool show) {
  editor_.SetShowOnInvoice(list_->Selection(), show);
  list_->viewport()->update();
}

void TPridatForm::sbChooseColumnsClick() {
  std::vector<std::string> items;
  std::vector<bool> marks;
  for (int c = kColText; c < kColEnd; ++c) {
    items.push_back(ActColumnHeading(c));
    marks.push_back(ColumnShown(list_->ColumnMask(), c));
  }
  if (!SelectItems("Zvolte sloupce", "Zobrazit sloupce:", items, marks, this)) return;
  int mask = list_->ColumnMask();
  for (int c = kColText; c < kColEnd; ++c) {
    if (marks[c - kColText]) mask |= 1 << c;
    else mask &= ~(1 << c);
  }
  mask = EffectiveColumnMask(mask);
  WriteCustomInteger("columnMask", mask);
  Config().columnMask = mask;
  list_->SetColumnMask(mask);
}

void TPridatForm::sbInsertFromTemplateClick() {
  // Read again at every press, so templates edited meanwhile count.
  const std::vector<TActionTemplate> templates =
      ParseActionTemplates(ReadIniSection("frequentactions"), editor_.Settings().hourrate);
  if (templates.empty()) {
    sbInsertFromTemplate_->setChecked(false);
    ShowMessage("Informace", "Nejsou uloženy žádné šablony častých úkonů (oddíl [frequentactions] nastavení).");
    return;
  }
  TTemplateMenuStyle style;  // outlives the menu
  QMenu menu(this);
  menu.setObjectName("lbTemplates");
  menu.setStyle(&style);
  for (size_t i = 0; i < templates.size(); ++i) {
    const TActRecord& first = templates[i].lines.front();
    QAction* a = menu.addAction(TemplateIcon(first), Q(FirstLine(first.text)));
    a->setData(static_cast<int>(i));
  }
  sbInsertFromTemplate_->setChecked(true);
  QAction* chosen = menu.exec(sbInsertFromTemplate_->mapToGlobal(QPoint(sbInsertFromTemplate_->width(), 0)));
  sbInsertFromTemplate_->setChecked(false);
  if (chosen) InsertTemplate(templates[static_cast<size_t>(chosen->data().toInt())]);
}

void TPridatForm::InsertTemplate(const TActionTemplate& chosen) {
  const int last = editor_.AppendLines(chosen.lines);
  ShowLine(last, false);
}

void TPridatForm::sbDownloadClick() {
  const std::string program = ProgramPath(Config().timer, Config().timerInstallFolder, kTimerService);
  if (!link_.Open(program)) {
    ShowMessage("Chyba", "Nezdařilo se navázat spojení s časomírou.", TMsgIcon::Error);
    return;
  }
  if (!link_.RequestData()) ShowMessage("Chyba", "Komunikace s časomírou selhala.", TMsgIcon::Error);
  sbDownload_->setEnabled(false);
  linkTicks_ = 0;
  closeLinkTimer_.start();
}

void TPridatForm::CloseLinkTimerTimer() {
  link_.Poll();
  if (++linkTicks_ < 3) return;
  closeLinkTimer_.stop();
  sbDownload_->setEnabled(true);
  link_.Close();
  LogTrace(2, link_.Received());
  TakeTimerReply(link_.Received());
}

void TPridatForm::TakeTimerReply(const std::string& reply) {
  const int last = editor_.OfferTimerData(ParseTimerReply(reply));
  if (last >= 0) ShowLine(last, true);
}

void TPridatForm::imgCalcDurClick() { editor_.CalcDuration(); }

void TPridatForm::ActionCopyExecute() {
  const std::vector<int> selected = list_->Selection();
  if (selected.empty() || list_->Editing()) return;
  QApplication::clipboard()->setText(Q(editor_.CopyLines(selected)));
}

void TPridatForm::ActionPasteExecute() {
  if (list_->Editing()) return;
  const int last = editor_.PasteLines(S(QApplication::clipboard()->text()));
  if (last >= 0) ShowLine(last, true);
}

void TPridatForm::ChooseLineIcon(int index) {
  if (index < 0 || index >= static_cast<int>(editor_.Lines().size())) return;
  int32_t icon = editor_.Lines()[index].icon;
  int32_t colour = editor_.Lines()[index].color;
  ChooseIcon(this, icon, colour);
  editor_.SetLineIcon(index, icon, colour);
  ShowLine(index, false);
}

namespace {

bool RefuseUnknownKind(int32_t kind) {
  if (EditableKind(kind)) return false;
  ShowError("Neznámý druh záznamu (" + std::to_string(kind) + "), záznam nelze upravit.");
  return true;
}

}  // namespace

bool AddRecordEntry(QWidget* parent, const Tautomobil& car, Tzaznam& record, int32_t kind) {
  if (RefuseUnknownKind(kind)) return false;
  TPridatForm& window = ReusedDialog<TPridatForm>(parent);
  window.OpenNew(car, kind);
  // Closing by the frame or Escape counts as "Zpět".
  if (ExecReused(window) != QDialog::Accepted) return false;
  window.Editor().WriteRecord(record);
  record.db.ID = -1;
  return true;
}

bool ChangeRecordEntry(QWidget* parent, const Tautomobil& car, Tzaznam& record, bool locked) {
  if (RefuseUnknownKind(record.db.kind)) return false;
  TPridatForm& window = ReusedDialog<TPridatForm>(parent);
  window.OpenExisting(car, record, locked);
  if (ExecReused(window) != QDialog::Accepted || !window.Editor().Changed()) return false;
  window.Editor().WriteRecord(record);
  return true;
}
