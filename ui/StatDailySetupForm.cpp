#include "ui/StatDailySetupForm.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "statistics/Periods.h"
#include "ui/StatisticsWidgets.h"

QDate ToQDate(TDateTime date) {
  const TDateParts p = DecodeDate(date);
  return QDate(p.year, p.month, p.day);
}

TDateTime FromQDate(const QDate& date) { return EncodeDate(date.year(), date.month(), date.day()); }

TfStatDailySetup::TfStatDailySetup(QWidget* parent) : QDialog(parent) {
  setObjectName("TfStatDailySetup");
  setWindowTitle(QString::fromUtf8("Předvolby výpočtu denních statistik"));
  auto* layout = new QVBoxLayout(this);

  auto* period = new QGroupBox(QString::fromUtf8("Období"), this);
  auto* form = new QFormLayout(period);
  from_ = new QDateEdit(period);
  to_ = new QDateEdit(period);
  for (QDateEdit* e : {from_, to_}) {
    e->setCalendarPopup(true);
    e->setDisplayFormat("dd.MM.yyyy");
    e->setMinimumDate(QDate(1900, 1, 1));
    // A date typed a section at a time passes through dates not meant (the
    // new month before the new year), and one before "Od" would pull "Do"
    // to it. The dates count once the typing ends (Enter, leaving the
    // field, an arrow key or the calendar).
    e->setKeyboardTracking(false);
    connect(e, &QDateEdit::dateChanged, this, &TfStatDailySetup::DatesChanged);
  }
  form->addRow(QString::fromUtf8("&Od:"), from_);
  form->addRow(QString::fromUtf8("D&o:"), to_);
  length_ = new QLabel(period);
  form->addRow(length_);
  layout->addWidget(period);

  auto* grouping = new QGroupBox(QString::fromUtf8("Seskupení"), this);
  auto* radios = new QVBoxLayout(grouping);
  const char* const captions[] = {"po &dnech", "po &týdnech", "po &měsících"};
  for (int i = 0; i < 3; ++i) {
    groups_[i] = new QRadioButton(QString::fromUtf8(captions[i]), grouping);
    radios->addWidget(groups_[i]);
  }
  layout->addWidget(grouping);

  compute_ = AddComputeButtons(this, layout);
  Reset();
}

void TfStatDailySetup::Reset() {
  const TDateTime today = Today();
  const TDateParts p = DecodeDate(today);
  groups_[kGroupDays]->setChecked(true);
  to_->setDate(ToQDate(today));
  from_->setDate(ToQDate(EncodeDate(p.year, p.month, 1)));
  DatesChanged();
}

bool TfStatDailySetup::Ask(int& grouping, TDateTime& from, TDateTime& to) {
  Reset();
  if (exec() != QDialog::Accepted) return false;
  grouping = Grouping();
  from = From();
  to = To();
  return true;
}

void TfStatDailySetup::DatesChanged() {
  if (to_->date() < from_->date()) to_->setDate(from_->date());  // comes back here once more
  length_->setText(QString::fromStdString(PeriodLengthText(From(), To())));
}

int TfStatDailySetup::Grouping() const {
  for (int i = 0; i < 3; ++i)
    if (groups_[i]->isChecked()) return i;
  return kGroupDays;
}

TDateTime TfStatDailySetup::From() const { return FromQDate(from_->date()); }
TDateTime TfStatDailySetup::To() const { return FromQDate(to_->date()); }
