#include "ui/RefuelingForm.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogParts.h"
#include "ui/ReusedDialog.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength, int width) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(maxLength);
  e->setMaximumWidth(width);
  return e;
}

void SetText(QLineEdit* e, const std::string& text) {
  if (e->text() != Q(text)) e->setText(Q(text));
}

// Places typed in this run, offered again in the place box.
QStringList& RecentPlaces() {
  static QStringList places;
  return places;
}


}  // namespace

TfRefueling::TfRefueling(QWidget* parent) : QDialog(parent) {
  setObjectName("TfRefueling");
  setWindowTitle(QString::fromUtf8("Tankování"));
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(QString::fromUtf8("Vyplnění údajů není povinné."), this);
  note->setObjectName("lblOptional");
  layout->addWidget(note);

  auto* grid = new QGridLayout;
  edKm_ = Edit(this, "edKm", 7, 120);
  edLitres_ = Edit(this, "edLitres", 10, 120);
  edLiterPrice_ = Edit(this, "edLiterPrice", 10, 120);
  chbFull_ = new QCheckBox(QString::fromUtf8("&Plná nádrž"), this);
  chbFull_->setObjectName("chbFull");
  cbPlace_ = new QComboBox(this);
  cbPlace_->setObjectName("cbPlace");
  cbPlace_->setEditable(true);
  cbPlace_->setInsertPolicy(QComboBox::NoInsert);
  cbPlace_->setMinimumWidth(220);
  int row = 0;
  auto add = [&](const char* caption, QWidget* w) {
    auto* l = new QLabel(QString::fromUtf8(caption), this);
    l->setBuddy(w);
    grid->addWidget(l, row, 0);
    grid->addWidget(w, row++, 1);
  };
  add("Stav &km:", edKm_);
  add("&Litrů:", edLitres_);
  add("&Cena za litr:", edLiterPrice_);
  grid->addWidget(chbFull_, row++, 1);
  add("&Místo:", cbPlace_);

  auto* dateRow = new QHBoxLayout;
  edDay_ = Edit(this, "edDay", 2, 40);
  edMonth_ = Edit(this, "edMonth", 2, 40);
  edYear_ = Edit(this, "edYear", 4, 60);
  const std::pair<const char*, QLineEdit*> parts[] = {{"&Den:", edDay_}, {"Měsí&c:", edMonth_}, {"&Rok:", edYear_}};
  for (const auto& [caption, edit] : parts) {
    auto* l = new QLabel(QString::fromUtf8(caption), this);
    l->setBuddy(edit);
    dateRow->addWidget(l);
    dateRow->addWidget(edit);
  }
  dateRow->addStretch();
  grid->addLayout(dateRow, row++, 1);
  mcDate_ = new QCalendarWidget(this);
  mcDate_->setObjectName("mcDate");
  mcDate_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
  mcDate_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  grid->addWidget(mcDate_, row++, 1);
  layout->addLayout(grid);

  QPushButton* save = nullptr;
  layout->addLayout(SaveCancelRow(this, save));

  for (QLineEdit* e : {edDay_, edMonth_, edYear_})
    connect(e, &QLineEdit::textEdited, this, [this] { GuardedSlot("Tankování", [this] { DateBoxChanged(); }); });
  connect(mcDate_, &QCalendarWidget::clicked, this, [this] { GuardedSlot("Tankování", [this] { CalendarClicked(); }); });
  connect(save, &QPushButton::clicked, this, [this] { GuardedSlot("Tankování", [this] { btnSaveClick(); }); });
}

void TfRefueling::Open(const Tzaznam& record) {
  form_.Open(record);
  cbPlace_->clear();
  cbPlace_->addItems(RecentPlaces());
  ShowState();
  edKm_->setFocus();
}

void TfRefueling::ReadControls() {
  TRefuelFields& f = form_.fields;
  f.km = S(edKm_->text());
  f.litres = S(edLitres_->text());
  f.literPrice = S(edLiterPrice_->text());
  f.full = chbFull_->isChecked();
  f.place = S(cbPlace_->currentText());
  f.day = S(edDay_->text());
  f.month = S(edMonth_->text());
  f.year = S(edYear_->text());
}

void TfRefueling::ShowState() {
  showing_ = true;
  const TRefuelFields& f = form_.fields;
  SetText(edKm_, f.km);
  SetText(edLitres_, f.litres);
  SetText(edLiterPrice_, f.literPrice);
  chbFull_->setChecked(f.full);
  cbPlace_->setEditText(Q(f.place));
  SetText(edDay_, f.day);
  SetText(edMonth_, f.month);
  SetText(edYear_, f.year);
  TDateTime date = 0;
  if (form_.BoxDate(date)) {
    const TDateParts p = DecodeDate(date);
    mcDate_->setSelectedDate(QDate(p.year, p.month, p.day));
  }
  showing_ = false;
}

void TfRefueling::DateBoxChanged() {
  if (showing_) return;
  ReadControls();
  TDateTime date = 0;
  // The calendar follows only a date that exists.
  if (form_.BoxDate(date)) {
    const TDateParts p = DecodeDate(date);
    mcDate_->setSelectedDate(QDate(p.year, p.month, p.day));
  }
}

void TfRefueling::CalendarClicked() {
  ReadControls();
  const QDate d = mcDate_->selectedDate();
  form_.SetBoxDate(EncodeDate(d.year(), d.month(), d.day()));
  ShowState();
}

void TfRefueling::btnSaveClick() {
  ReadControls();
  if (!form_.Confirm()) return;
  const QString place = cbPlace_->currentText().trimmed();
  if (!place.isEmpty() && !RecentPlaces().contains(place)) RecentPlaces().prepend(place);
  accept();
}

bool EditRefueling(QWidget* parent, Tzaznam& record) {
  TfRefueling& form = ReusedDialog<TfRefueling>(parent);
  form.Open(record);
  if (ExecReused(form) != QDialog::Accepted) return false;
  form.Form().WriteRecord(record);
  return true;
}
