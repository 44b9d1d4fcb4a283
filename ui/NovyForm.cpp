#include "ui/NovyForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "servicebook/DuplicateVehicles.h"
#include "servicebook/VehicleVin.h"
#include "shell/Stores.h"
#include "ui/MemoText.h"

namespace {

const QColor kRed(255, 96, 96);

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// Sets the text only when it differs, keeping the cursor where it was.
void SetText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return;
  const int cursor = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

void SetBase(QWidget* widget, const QColor& colour) {
  QPalette p = widget->palette();
  if (p.color(QPalette::Base) == colour) return;
  p.setColor(QPalette::Base, colour);
  widget->setPalette(p);
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(maxLength);
  return e;
}

QComboBox* Combo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMaxVisibleItems(20);
  c->lineEdit()->setMaxLength(kVehicleTextLimit);
  return c;
}

// Refills the list when its items differ; the typed text stays.
void FillCombo(QComboBox* combo, const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& s : items) list << Q(s);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (list == shown) return;
  const QString text = combo->currentText();
  combo->clear();
  combo->addItems(list);
  combo->setCurrentIndex(-1);
  combo->setEditText(text);
}

void SetComboText(QComboBox* combo, const std::string& text) {
  if (combo->currentText() != Q(text)) combo->setEditText(Q(text));
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setBuddy(buddy);
  return l;
}

QLabel* Warning(const char* text, QWidget* parent) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, QColor(200, 0, 0));
  l->setPalette(p);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  l->setVisible(false);
  return l;
}

}  // namespace

TNovyForm::TNovyForm(TCustomCarDb& cars, const TVehicleFormServices& services, QWidget* parent)
    : QDialog(parent), form_(cars, services) {
  setObjectName("NovyForm");
  BuildControls();
}

void TNovyForm::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top, 0);

  // The vehicle.
  auto* vehicle = new QGridLayout;
  vehicle->setColumnStretch(1, 1);
  top->addLayout(vehicle, 1);
  CSPZ_ = Edit(this, "CSPZ", kTagLimit);
  CMake_ = Combo(this, "CMake");
  CModel_ = Combo(this, "CModel");
  Csubtype_ = Combo(this, "Csubtype");
  Cmotor_ = Combo(this, "Cmotor");
  CengCode_ = Edit(this, "CengCode", kVehicleTextLimit);
  Cbarva_ = Edit(this, "Cbarva", kColorLimit);
  seMonth_ = new QSpinBox(this);
  seMonth_->setObjectName("seMonth");
  seMonth_->setRange(0, 12);
  seMonth_->setSpecialValueText(QString::fromUtf8("Měsíc"));
  Crok_ = Edit(this, "Crok", 4);
  Crok_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), Crok_));
  Crok_->setMaximumWidth(70);
  CVIN_ = Edit(this, "CVIN", static_cast<int>(kVINBoxLimit));
  sbAnalyseVIN_ = new QPushButton(QString::fromUtf8("&Dekódovat"), this);
  sbAnalyseVIN_->setObjectName("sbAnalyseVIN");
  sbAnalyseVIN_->setAutoDefault(false);
  tagWarning_ = Warning(kTagDuplicateWarning, this);
  tagWarning_->setObjectName("lblTagExists");
  vinWarning_ = Warning(kVINDuplicateWarning, this);
  vinWarning_->setObjectName("lblVINExists");

  int row = 0;
  vehicle->addWidget(Caption("&RZ:", CSPZ_, this), row, 0);
  vehicle->addWidget(CSPZ_, row++, 1);
  vehicle->addWidget(tagWarning_, row++, 1);
  vehicle->addWidget(Caption("&Výrobce:", CMake_, this), row, 0);
  vehicle->addWidget(CMake_, row++, 1);
  vehicle->addWidget(Caption("&Model:", CModel_, this), row, 0);
  vehicle->addWidget(CModel_, row++, 1);
  vehicle->addWidget(Caption("&Podtyp:", Csubtype_, this), row, 0);
  vehicle->addWidget(Csubtype_, row++, 1);
  vehicle->addWidget(Caption("M&otor:", Cmotor_, this), row, 0);
  vehicle->addWidget(Cmotor_, row++, 1);
  vehicle->addWidget(Caption("Výr. č. mo&t.:", CengCode_, this), row, 0);
  vehicle->addWidget(CengCode_, row++, 1);
  vehicle->addWidget(Caption("&Barva:", Cbarva_, this), row, 0);
  vehicle->addWidget(Cbarva_, row++, 1);
  auto* made = new QHBoxLayout;
  made->addWidget(seMonth_);
  made->addWidget(new QLabel("/", this));
  made->addWidget(Crok_);
  made->addStretch();
  vehicle->addWidget(Caption("V&yrobeno:", seMonth_, this), row, 0);
  vehicle->addLayout(made, row++, 1);
  auto* vin = new QHBoxLayout;
  vin->addWidget(CVIN_, 1);
  vin->addWidget(sbAnalyseVIN_);
  vehicle->addWidget(Caption("V&inkód:", CVIN_, this), row, 0);
  vehicle->addLayout(vin, row++, 1);
  vehicle->addWidget(vinWarning_, row++, 1);
  vehicle->setRowStretch(row, 1);

  // The owner.
  ownerBox_ = new QGroupBox(QString::fromUtf8(" Informace o majiteli "), this);
  auto* owner = new QGridLayout(ownerBox_);
  owner->setColumnStretch(1, 1);
  owner->setColumnStretch(2, 1);
  USurname_ = Edit(ownerBox_, "USurname", kOwnerFieldLimit);
  USurname_->setPlaceholderText(QString::fromUtf8("Příjmení"));
  UFirstName_ = Edit(ownerBox_, "UFirstName", kOwnerFieldLimit);
  UFirstName_->setPlaceholderText(QString::fromUtf8("Jméno"));
  Ustreet_ = Edit(ownerBox_, "Ustreet", kOwnerFieldLimit);
  Ustreet_->setPlaceholderText(QString::fromUtf8("Ulice"));
  UCity_ = Edit(ownerBox_, "UCity", kOwnerFieldLimit);
  UCity_->setPlaceholderText(QString::fromUtf8("Město"));
  Utelefon_ = Edit(ownerBox_, "Utelefon", kOwnerFieldLimit);
  Umail_ = Edit(ownerBox_, "Umail", kOwnerFieldLimit);
  UothContact_ = Edit(ownerBox_, "UothContact", kOwnerFieldLimit);
  btnChooseOwner_ = new QPushButton(QString::fromUtf8("Vybrat majitele z kontaktů"), ownerBox_);
  btnChooseOwner_->setObjectName("btnChooseOwner");
  btnChooseOwner_->setAutoDefault(false);
  owner->addWidget(Caption("&Jméno:", USurname_, ownerBox_), 0, 0);
  owner->addWidget(USurname_, 0, 1);
  owner->addWidget(UFirstName_, 0, 2);
  owner->addWidget(Caption("&Adresa:", Ustreet_, ownerBox_), 1, 0);
  owner->addWidget(Ustreet_, 1, 1);
  owner->addWidget(UCity_, 1, 2);
  owner->addWidget(Caption("Te&lefon:", Utelefon_, ownerBox_), 2, 0);
  owner->addWidget(Utelefon_, 2, 1, 1, 2);
  owner->addWidget(Caption("&E-mail:", Umail_, ownerBox_), 3, 0);
  owner->addWidget(Umail_, 3, 1, 1, 2);
  owner->addWidget(Caption("Jiný &kontakt:", UothContact_, ownerBox_), 4, 0);
  owner->addWidget(UothContact_, 4, 1, 1, 2);
  owner->setRowStretch(5, 1);
  owner->addWidget(btnChooseOwner_, 6, 1, 1, 2, Qt::AlignRight);
  top->addWidget(ownerBox_, 1);

  Uinfo_ = new QPlainTextEdit(this);
  Uinfo_->setObjectName("Uinfo");
  Uinfo_->setTabChangesFocus(true);
  layout->addWidget(Caption("Dodatečné i&nformace/poznámky:", Uinfo_, this));
  layout->addWidget(Uinfo_, 1);

  auto* buttons = new QHBoxLayout;
  btnAdd_ = new QPushButton(this);
  btnAdd_->setObjectName("btnAdd");
  btnAdd_->setDefault(true);
  btnStorno_ = new QPushButton("Storno", this);
  btnStorno_->setObjectName("btnStorno");
  btnStorno_->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(btnAdd_);
  buttons->addWidget(btnStorno_);
  layout->addLayout(buttons);

  QWidget* order[] = {CSPZ_,    CMake_,      CModel_,      Csubtype_,   Cmotor_, CengCode_,
                      Cbarva_,  seMonth_,    Crok_,        CVIN_,       sbAnalyseVIN_,
                      USurname_, UFirstName_, Ustreet_,    UCity_,      Utelefon_, Umail_,
                      UothContact_, btnChooseOwner_, Uinfo_, btnAdd_,   btnStorno_};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(CMake_, &QComboBox::editTextChanged, this, [this] { Handle([this] { form_.MakeTextChanged(); }); });
  connect(CModel_, &QComboBox::editTextChanged, this, [this] { Handle([this] { form_.ModelTextChanged(); }); });
  connect(CVIN_, &QLineEdit::textEdited, this, [this] { Handle([this] { form_.VINEdited(); }); });
  connect(CVIN_, &QLineEdit::editingFinished, this, [this] { Handle([this] { form_.VINLeft(); }); });
  connect(CSPZ_, &QLineEdit::editingFinished, this, [this] { Handle([this] { form_.TagLeft(); }); });
  connect(Crok_, &QLineEdit::textEdited, this, [this] { Handle([] {}); });
  connect(sbAnalyseVIN_, &QPushButton::clicked, this, [this] { Handle([this] { form_.DecodeVINClicked(); }); });
  connect(btnChooseOwner_, &QPushButton::clicked, this, [this] { Handle([this] { form_.ChooseOwner(); }); });
  connect(btnAdd_, &QPushButton::clicked, this, &TNovyForm::btnAddClick);
  connect(btnStorno_, &QPushButton::clicked, this, &QDialog::reject);

  setMinimumSize(860, 560);
}

void TNovyForm::OpenNew() {
  setWindowTitle(QString::fromUtf8("Přidat automobil do evidence"));
  btnAdd_->setText(QString::fromUtf8("Přidat automobil"));
  form_.OpenNew();
  ShowState();
  CSPZ_->setFocus();
}

void TNovyForm::OpenChange(const Tautomobil& vehicle) {
  setWindowTitle(QString::fromUtf8("Změna údajů"));
  btnAdd_->setText(QString::fromUtf8("Uložit změny"));
  form_.OpenChange(vehicle);
  ShowState();
  CSPZ_->setFocus();
}

template <typename Event>
void TNovyForm::Handle(Event event) {
  if (showing_) return;
  ReadControls();
  event();
  ShowState();
}

void TNovyForm::ReadControls() {
  TVehicleFormFields& f = form_.fields;
  f.tag = S(CSPZ_->text());
  f.manufacturer = S(CMake_->currentText());
  f.model = S(CModel_->currentText());
  f.subtype = S(Csubtype_->currentText());
  f.engine = S(Cmotor_->currentText());
  f.engineNumber = S(CengCode_->text());
  f.color = S(Cbarva_->text());
  f.month = seMonth_->value();
  f.year = Crok_->text().isEmpty() ? 0 : Crok_->text().toInt();
  f.vin = S(CVIN_->text());
  f.comments = FromMemoText(Uinfo_->toPlainText());
  TOwnerFields& o = f.owner;
  o.surname = S(USurname_->text());
  o.firstName = S(UFirstName_->text());
  o.street = S(Ustreet_->text());
  o.city = S(UCity_->text());
  o.phones = S(Utelefon_->text());
  o.email = S(Umail_->text());
  o.other = S(UothContact_->text());
}

void TNovyForm::ShowLists() {
  if (form_.ListsRevision() == listsShown_) return;
  listsShown_ = form_.ListsRevision();
  FillCombo(CMake_, form_.Makes());
  FillCombo(CModel_, form_.Models());
  FillCombo(Csubtype_, form_.SubTypes());
  FillCombo(Cmotor_, form_.Engines());
}

void TNovyForm::ShowState() {
  showing_ = true;
  const TVehicleFormFields& f = form_.fields;
  ShowLists();
  SetText(CSPZ_, Q(f.tag));
  SetComboText(CMake_, f.manufacturer);
  SetComboText(CModel_, f.model);
  SetComboText(Csubtype_, f.subtype);
  SetComboText(Cmotor_, f.engine);
  SetText(CengCode_, Q(f.engineNumber));
  SetText(Cbarva_, Q(f.color));
  seMonth_->setValue(f.month);
  SetText(Crok_, f.year > 0 ? QString::number(f.year) : QString());
  SetText(CVIN_, Q(f.vin));
  if (FromMemoText(Uinfo_->toPlainText()) != f.comments) Uinfo_->setPlainText(ToMemoText(f.comments));

  const QPalette normal = palette();
  SetBase(CVIN_, form_.VINBoxRed() ? kRed : normal.color(QPalette::Base));
  SetBase(Crok_, form_.YearBoxRed() ? kRed : normal.color(QPalette::Base));
  tagWarning_->setVisible(form_.TagDuplicateShown());
  vinWarning_->setVisible(form_.VINDuplicateShown());

  const TOwnerFields& o = f.owner;
  const bool readOnly = form_.OwnerReadOnly();
  const std::pair<QLineEdit*, const std::string*> owner[] = {
      {USurname_, &o.surname}, {UFirstName_, &o.firstName}, {Ustreet_, &o.street}, {UCity_, &o.city},
      {Utelefon_, &o.phones},  {Umail_, &o.email},          {UothContact_, &o.other}};
  for (const auto& [edit, text] : owner) {
    SetText(edit, Q(*text));
    edit->setReadOnly(readOnly);
    SetBase(edit, normal.color(readOnly ? QPalette::Button : QPalette::Base));
  }
  showing_ = false;
}

void TNovyForm::btnAddClick() {
  ReadControls();
  const bool confirmed = form_.Confirm();
  ShowState();
  if (confirmed) accept();
}

int32_t NewVehicle(TNovyForm& form) {
  form.OpenNew();
  if (form.exec() != QDialog::Accepted) return -1;
  return form.Form().StoreNew();
}

bool ChangeVehicle(TNovyForm& form, Tautomobil& vehicle) {
  form.OpenChange(vehicle);
  if (form.exec() != QDialog::Accepted) return false;
  form.Form().ApplyChange(vehicle);
  return true;
}

int32_t NewVehicle(TStoreSet& stores, const TVehicleFormServices& services, QWidget* parent) {
  TNovyForm form(*stores.cars, services, parent);
  return NewVehicle(form);
}

bool ChangeVehicle(Tautomobil& vehicle, TStoreSet& stores, const TVehicleFormServices& services,
                   QWidget* parent) {
  TNovyForm form(*stores.cars, services, parent);
  return ChangeVehicle(form, vehicle);
}
