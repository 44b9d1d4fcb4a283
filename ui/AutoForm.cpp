#include "ui/AutoForm.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "storage/CarDb.h"
#include "storage/Log.h"
#include "storage/RecDb.h"
#include "ui/BackgroundTableView.h"
#include "ui/MemoText.h"
#include "ui/RecordListModel.h"

namespace {

// A bold value label; a click copies its text to the clipboard.
class TValueLabel : public QLabel {
 public:
  explicit TValueLabel(QWidget* parent) : QLabel(parent) {
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QString::fromUtf8("Klepnutím zkopírujete do schránky"));
    setTextInteractionFlags(Qt::NoTextInteraction);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && !text().isEmpty()) QApplication::clipboard()->setText(text());
    QLabel::mousePressEvent(event);
  }
};

// The e-mail label: underlined like a link; a click composes a message.
class TMailLabel : public QLabel {
 public:
  TMailLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick)) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    setPalette(p);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && !text().isEmpty()) onClick_();
    QLabel::mousePressEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

QLabel* Caption(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

QToolButton* ToolButton(const char* text, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setText(QString::fromUtf8(text));
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setAutoRaise(false);
  return b;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TAutoForm::TAutoForm(TCustomCarDb& cars, TCustomRecDb& records, TRecordWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), cars_(cars), recordStore_(records), services_(std::move(services)) {
  setObjectName("TAutoForm");
  setAttribute(Qt::WA_DeleteOnClose, false);  // CarWindows decides when it goes
  BuildControls();
  resize(1100, 720);
}

TAutoForm::~TAutoForm() = default;

void TAutoForm::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  vehicleBox_ = BuildVehicleBox();
  ownerBox_ = BuildOwnerBox();
  top->addWidget(vehicleBox_, 3);
  top->addWidget(ownerBox_, 2);
  outer->addLayout(top);

  recordsBox_ = BuildRecordsBox();
  outer->addWidget(recordsBox_, 1);
  mVehicleRecords_ = new QPlainTextEdit(this);
  mVehicleRecords_->setObjectName("mVehicleRecords");
  mVehicleRecords_->hide();
  outer->addWidget(mVehicleRecords_, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  sbOK_ = new QPushButton(QString::fromUtf8("&Uložit"), this);
  sbCancel_ = new QPushButton(QString::fromUtf8("Storno"), this);
  sbClose_ = new QPushButton(QString::fromUtf8("&Zavřít"), this);
  for (QPushButton* b : {sbOK_, sbCancel_, sbClose_}) {
    b->setMinimumWidth(100);
    b->setAutoDefault(false);
    bottom->addWidget(b);
  }
  outer->addLayout(bottom);

  connect(sbOK_, &QPushButton::clicked, this, [this] { Safely([this] { BtnUlozitClick(); }); });
  connect(sbClose_, &QPushButton::clicked, this, [this] { Safely([this] { BtnUlozitClick(); }); });
  connect(sbCancel_, &QPushButton::clicked, this, [this] { Safely([this] { BtnStornoClick(); }); });
}

QGroupBox* TAutoForm::BuildVehicleBox() {
  auto* box = new QGroupBox(QString::fromUtf8("Vozidlo"), this);
  auto* grid = new QGridLayout(box);
  tag_ = new TValueLabel(box);
  makeType_ = new TValueLabel(box);
  engine_ = new TValueLabel(box);
  year_ = new TValueLabel(box);
  color_ = new TValueLabel(box);
  vin_ = new TValueLabel(box);
  grid->addWidget(Caption("RZ:", box), 0, 0);
  grid->addWidget(tag_, 0, 1);
  grid->addWidget(Caption("Značka, typ:", box), 1, 0);
  grid->addWidget(makeType_, 1, 1);
  grid->addWidget(Caption("Motor:", box), 2, 0);
  grid->addWidget(engine_, 2, 1);
  grid->addWidget(Caption("Rok výroby:", box), 0, 2);
  grid->addWidget(year_, 0, 3);
  grid->addWidget(Caption("Barva:", box), 1, 2);
  grid->addWidget(color_, 1, 3);
  grid->addWidget(Caption("VIN kód:", box), 2, 2);
  grid->addWidget(vin_, 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  sbEnableEdit_ = new QPushButton(QString::fromUtf8("Změnit údaje"), box);
  sbEditComment_ = new QPushButton(QString::fromUtf8("Dodatečné informace"), box);
  sbOrder_ = new QPushButton(QString::fromUtf8("Objednat díly"), box);
  sbShowAttach_ = new QPushButton(QString::fromUtf8("Přílohy"), box);
  for (QPushButton* b : {sbEnableEdit_, sbEditComment_, sbOrder_, sbShowAttach_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  grid->addLayout(buttons, 3, 0, 1, 4);
  connect(sbEnableEdit_, &QPushButton::clicked, this, [this] { Safely([this] { sbEnableEditClick(); }); });
  connect(sbEditComment_, &QPushButton::clicked, this, [this] { Safely([this] { btnEditCommentClick(); }); });
  connect(sbOrder_, &QPushButton::clicked, this, [this] { Safely([this] { sbOrderClick(); }); });
  connect(sbShowAttach_, &QPushButton::clicked, this, [this] { Safely([this] { sbShowAttachClick(); }); });
  return box;
}

QGroupBox* TAutoForm::BuildOwnerBox() {
  auto* box = new QGroupBox(QString::fromUtf8("Majitel"), this);
  auto* grid = new QGridLayout(box);
  ownerName_ = new TValueLabel(box);
  ownerStreet_ = new TValueLabel(box);
  ownerCity_ = new TValueLabel(box);
  ownerPhones_ = new TValueLabel(box);
  Umail_ = new TMailLabel(box, [this] { Safely([this] { UmailClick(); }); });
  ownerOther_ = new TValueLabel(box);
  ownerOther_->setWordWrap(true);
  ownerOtherCaption_ = Caption("Další kontakt:", box);
  int row = 0;
  grid->addWidget(Caption("Jméno:", box), row, 0);
  grid->addWidget(ownerName_, row++, 1);
  grid->addWidget(Caption("Adresa:", box), row, 0);
  grid->addWidget(ownerStreet_, row++, 1);
  grid->addWidget(ownerCity_, row++, 1);
  grid->addWidget(Caption("Telefon:", box), row, 0);
  grid->addWidget(ownerPhones_, row++, 1);
  grid->addWidget(Caption("E-mail:", box), row, 0);
  grid->addWidget(Umail_, row++, 1);
  grid->addWidget(ownerOtherCaption_, row, 0);
  grid->addWidget(ownerOther_, row++, 1);
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  sbChangeOwner_ = new QPushButton(QString::fromUtf8("Změnit majitele"), box);
  sbChangeOwnerInfo_ = new QPushButton(QString::fromUtf8("Pozměnit údaje"), box);
  for (QPushButton* b : {sbChangeOwner_, sbChangeOwnerInfo_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  grid->addLayout(buttons, row, 0, 1, 2);
  connect(sbChangeOwner_, &QPushButton::clicked, this, [this] { Safely([this] { sbChangeOwnerClick(); }); });
  connect(sbChangeOwnerInfo_, &QPushButton::clicked, this, [this] { Safely([this] { sbChangeOwnerInfoClick(); }); });
  return box;
}

QGroupBox* TAutoForm::BuildRecordsBox() {
  auto* box = new QGroupBox(QString::fromUtf8("Záznamy"), this);
  auto* layout = new QVBoxLayout(box);

  auto* tools = new QHBoxLayout;
  tbAdd_ = ToolButton("&Přidat", box);
  pmAdd_ = new QMenu(tbAdd_);
  struct TAddItem { const char* caption; int32_t kind; const char* shortcut; };
  // The menu's order and the kinds behind its items.
  const TAddItem items[] = {{"Záznam o provedeném servisu", kKindDone, "Ins"},
                            {"Plán", kKindPlan, "Ctrl+Ins"},
                            {"Objednávku", kKindOrder, ""},
                            {"Tankování", kKindRefuel, ""},
                            {"Cesta", kKindTrip, ""}};
  for (const TAddItem& item : items) {
    QAction* a = pmAdd_->addAction(QString::fromUtf8(item.caption));
    a->setData(item.kind);
    if (*item.shortcut) {
      a->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
      a->setShortcutContext(Qt::WindowShortcut);
      addAction(a);
    }
    const int32_t kind = item.kind;
    connect(a, &QAction::triggered, this, [this, kind] { Safely([this, kind] { NovyZaznamClick(kind); }); });
  }
  tbAdd_->setMenu(pmAdd_);
  tbAdd_->setPopupMode(QToolButton::InstantPopup);
  tbOpen_ = ToolButton("Otevřít záznam", box);
  tbRemove_ = ToolButton("Odstranit záznam", box);
  tbPrint_ = ToolButton("Tisknout…", box);
  auto* pmPrint = new QMenu(tbPrint_);
  QAction* printSelected = pmPrint->addAction(QString::fromUtf8("Tisknout vybraný záznam"));
  QAction* printAll = pmPrint->addAction(QString::fromUtf8("Tisknout všechny záznamy"));
  tbPrint_->setMenu(pmPrint);
  tbPrint_->setPopupMode(QToolButton::InstantPopup);
  connect(pmPrint, &QMenu::aboutToShow, this, [this, printSelected] { printSelected->setEnabled(SelectedRecord() >= 0); });
  connect(printSelected, &QAction::triggered, this, [this] { Safely([this] { btnPrintClick(true); }); });
  connect(printAll, &QAction::triggered, this, [this] { Safely([this] { btnPrintClick(false); }); });
  tbText_ = ToolButton("Uložit jako text", box);
  tbSend_ = ToolButton("Odeslat e-mailem", box);
  for (QToolButton* b : {tbAdd_, tbOpen_, tbRemove_}) tools->addWidget(b);
  tools->addSpacing(12);
  for (QToolButton* b : {tbPrint_, tbText_, tbSend_}) tools->addWidget(b);
  tools->addStretch();
  auto* searchLabel = new QLabel(QString::fromUtf8("&Hledat:"), box);
  search_ = new QLineEdit(box);
  search_->setClearButtonEnabled(true);
  search_->setMinimumWidth(220);
  searchLabel->setBuddy(search_);
  tools->addWidget(searchLabel);
  tools->addWidget(search_);
  layout->addLayout(tools);
  connect(tbOpen_, &QToolButton::clicked, this, [this] { Safely([this] { ZobrazZaznamClick(); }); });
  connect(tbRemove_, &QToolButton::clicked, this, [this] { Safely([this] { BtnOdstranitClick(); }); });
  connect(tbText_, &QToolButton::clicked, this, [this] { Safely([this] { btnTextClick(); }); });
  connect(tbSend_, &QToolButton::clicked, this, [this] { Safely([this] { tbSendClick(); }); });
  connect(search_, &QLineEdit::textChanged, this, [this] { Safely([this] { edSearchChange(); }); });

  model_ = new TRecordListModel(this);
  list_ = new TBackgroundTableView(box);
  list_->setObjectName("ZaznList");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(22);
  QHeaderView* header = list_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(2, QHeaderView::Stretch);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  // Wider than the classic 52 pixels, so that "<objednávka>" fits.
  const int widths[] = {85, 80, 0, 70, 100};
  for (int c = 0; c < 5; ++c)
    if (widths[c] > 0) header->resizeSection(c, widths[c]);
  layout->addWidget(list_, 1);
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] { Safely([this] { ZobrazZaznamClick(); }); });
  // Enter opens the record as the double click does. Not through the view's
  // "activated": a double click emits it too, after the editor it opened has
  // closed, and the record would open a second time.
  list_->installEventFilter(this);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { Safely([this] { UpdateDocuments(); }); });

  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(Caption("Km/rok:", box));
  kmPerYear_ = new TValueLabel(box);
  rateRow->addWidget(kmPerYear_);
  inaccurate_ = new QLabel(QString::fromUtf8("Nepřesný výpočet!"), box);
  QPalette red = inaccurate_->palette();
  red.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
  inaccurate_->setPalette(red);
  rateRow->addWidget(inaccurate_);
  rateRow->addStretch();
  layout->addLayout(rateRow);

  memoPopis_ = new QPlainTextEdit(box);
  memoPopis_->setObjectName("memoPopis");
  memoPopis_->setReadOnly(true);
  memoPopis_->setFixedHeight(110);
  memoPopis_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(memoPopis_);

  documentsRow_ = new QWidget(box);
  auto* docs = new QGridLayout(documentsRow_);
  docs->setContentsMargins(0, 0, 0, 0);
  docs->setVerticalSpacing(2);
  docs->addWidget(Caption("Dokumenty:", documentsRow_), 0, 0);
  const char* const captions[] = {"Zakázkový list:", "Přijmový doklad:", "Faktura:", "Zjednodušený d. d.:"};
  const char* const buttons[] = {"Vytvořit", "Upravit", "Zobrazit"};
  for (int i = 0; i < 4; ++i) {
    const int row = i / 2, column = 1 + (i % 2) * 3;
    documentCaptions_[i] = Caption(captions[i], documentsRow_);
    documents_[i] = new TValueLabel(documentsRow_);
    documents_[i]->setMinimumWidth(60);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (int b = 0; b < 3; ++b) {
      auto* button = new QToolButton(documentsRow_);
      button->setText(QString::fromUtf8(buttons[b]));
      button->setObjectName(QString("sbDocument%1_%2").arg(i).arg(b));
      button->setAutoRaise(true);
      documentButtons_[i][b] = button;
      commands->addWidget(button);
      connect(button, &QToolButton::clicked, this, [this, i, b] {
        Safely([this, i, b] { b == 2 ? sbShowDocumentClick(i) : sbEditDocumentClick(i); });
      });
    }
    commands->addStretch();
    docs->addWidget(documentCaptions_[i], row, column, Qt::AlignRight);
    docs->addWidget(documents_[i], row, column + 1);
    docs->addLayout(commands, row, column + 2);
  }
  docs->setColumnStretch(3, 1);
  docs->setColumnStretch(6, 1);
  unpaid_ = new QLabel(QString::fromUtf8("Nezaplaceno!"), documentsRow_);
  QFont bold = unpaid_->font();
  bold.setBold(true);
  unpaid_->setFont(bold);
  unpaid_->setPalette(red);
  docs->addWidget(unpaid_, 0, 7);
  layout->addWidget(documentsRow_);
  return box;
}

void TAutoForm::SetBackground(const QImage& picture) { list_->SetBackground(picture); }

QString TAutoForm::ButtonCaption() const {
  return Q(vehicle_.tag + " - " + vehicle_.manufacturer + " " + vehicle_.model + " " + vehicle_.subtype);
}

void TAutoForm::ShowCaption() { setWindowTitle(QString::fromUtf8("Záznamy automobilu - ") + Q(vehicle_.tag)); }

void TAutoForm::ShowVehicle() {
  tag_->setText(Q(vehicle_.tag));
  makeType_->setText(Q(vehicle_.manufacturer + " " + vehicle_.model + " " + vehicle_.subtype));
  engine_->setText(Q(vehicle_.engine));
  year_->setText(Q(YearText(vehicle_)));
  color_->setText(Q(vehicle_.color));
  vin_->setText(Q(vehicle_.vin));
  mVehicleRecords_->setPlainText(ToMemoText(vehicle_.comments));
  ShowOwner();
  documentsRow_->setVisible(!IsCustomerEdition());
  const bool instant = Config().instantsave;
  sbOK_->setVisible(!instant);
  sbCancel_->setVisible(!instant);
  sbClose_->setVisible(instant);
}

void TAutoForm::ShowOwner() {
  ownerKnown_ = vehicle_.ownerID >= 0 && services_.readContact && services_.readContact(vehicle_.ownerID, owner_);
  if (!ownerKnown_) {
    owner_ = TContactRecord{};
    ownerName_->setText(QString::fromUtf8("<neznámý>"));
    for (QLabel* l : {ownerStreet_, ownerCity_, ownerPhones_, Umail_, ownerOther_}) l->clear();
    ownerOther_->hide();
    ownerOtherCaption_->hide();
    return;
  }
  ownerName_->setText(Q(CustomerDisplayName(owner_)));
  ownerStreet_->setText(Q(owner_.street));
  ownerCity_->setText(Q(owner_.city));
  ownerPhones_->setText(Q(owner_.phones));
  Umail_->setText(Q(owner_.email));
  ownerOther_->setText(Q(owner_.other));
  ownerOther_->setVisible(!owner_.other.empty());
  ownerOtherCaption_->setVisible(!owner_.other.empty());
}

void TAutoForm::FillRecordList() {
  const int keep = SelectedRecord();
  shown_ = BuildRecordList(records_, search_->text().toStdString(), RecordListSettingsFrom(Config(), Today()));
  model_->SetRows(shown_.rows);
  kmPerYear_->setText(QString::number(shown_.kmPerYear));
  inaccurate_->setVisible(shown_.rate.inaccurate);
  memoPopis_->clear();
  if (keep >= 0) SelectRecord(static_cast<size_t>(keep));
  UpdateDocuments();
}

int TAutoForm::SelectedRecord() const {
  const QModelIndexList rows = list_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : model_->RecordAt(rows.first().row());
}

void TAutoForm::SelectRecord(size_t index) {
  const int row = model_->RowOfRecord(index);
  if (row < 0) return;
  list_->selectRow(row);
  list_->scrollTo(model_->index(row, 0));
}

void TAutoForm::UpdateDocuments() {
  const int selected = SelectedRecord();
  const Tzaznam* r = selected >= 0 && static_cast<size_t>(selected) < records_.size() ? &records_[static_cast<size_t>(selected)] : nullptr;
  tbOpen_->setEnabled(r != nullptr);
  tbRemove_->setEnabled(r != nullptr);
  tbSend_->setEnabled(r != nullptr && !Umail_->text().isEmpty());
  ShowDocumentsPanel(r);
  unpaid_->setVisible(r && r->db.kind == kKindDone && (r->db.flags & kFlagUnpaid) != 0);
  if (!r) {
    memoPopis_->clear();
    return;
  }
  const TRecordListSettings settings = RecordListSettingsFrom(Config(), Today());
  memoPopis_->setPlainText(ToMemoText(ActivitiesDescriptionText(r->db.kind, r->db.flags, r->description, settings.vat)));
}

void TAutoForm::edSearchChange() { FillRecordList(); }

TRecordWindowView TAutoForm::View() const {
  TRecordWindowView view;
  view.vehicle = &vehicle_;
  view.owner = ownerKnown_ ? &owner_ : nullptr;
  view.records = &records_;
  for (const TRecordRow& row : model_->Rows()) view.rowOrder.push_back(row.index);
  view.selected = SelectedRecord();
  return view;
}

void TAutoForm::Trace(const std::string& action) {
  LogTrace(1, "Car ID#" + std::to_string(vehicleID_) + ": " + action);
}
