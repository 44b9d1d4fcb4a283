#include "ui/TripForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <cmath>

#include "ui/DialogParts.h"
#include "ui/MemoText.h"
#include "ui/ReusedDialog.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QDate ToQDate(TDateTime d) {
  const TDateParts p = DecodeDate(d);
  return QDate(p.year, p.month, p.day);
}

QTime ToQTime(TDateTime d) {
  const TTimeParts t = DecodeTime(d);
  return QTime(t.hour, t.minute);
}

// The picker's date with the time of day it held before.
TDateTime WithDate(TDateTime old, const QDate& date) {
  return EncodeDate(date.year(), date.month(), date.day()) + (old - std::floor(old));
}

TDateTime WithTime(TDateTime old, const QTime& time) {
  return std::floor(old) + EncodeTime(time.hour(), time.minute(), 0);
}

QComboBox* TextCombo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMinimumWidth(240);
  return c;
}

// What was typed into a box in this run, offered again.
void Remember(QComboBox* box, QStringList& list) {
  const QString text = box->currentText().trimmed();
  if (!text.isEmpty() && !list.contains(text)) list.prepend(text);
}

QStringList g_places, g_purposes;


}  // namespace

TfTrip::TfTrip(QWidget* parent) : QDialog(parent) {
  setObjectName("TfTrip");
  setWindowTitle(QString::fromUtf8("Cesta"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto dateEdit = [this](const char* name) {
    auto* d = new QDateEdit(this);
    d->setObjectName(name);
    d->setCalendarPopup(true);
    d->setDisplayFormat("d.M.yyyy");
    return d;
  };
  auto timeEdit = [this](const char* name) {
    auto* t = new QTimeEdit(this);
    t->setObjectName(name);
    t->setDisplayFormat("H:mm");
    return t;
  };
  dtpBeginDate_ = dateEdit("dtpBeginDate");
  dtpBeginTime_ = timeEdit("dtpBeginTime");
  dtpEndDate_ = dateEdit("dtpEndDate");
  dtpEndTime_ = timeEdit("dtpEndTime");
  chbBeginTime_ = new QCheckBox(QString::fromUtf8("čas"), this);
  chbBeginTime_->setObjectName("chbBeginTime");
  chbEndTime_ = new QCheckBox(QString::fromUtf8("čas"), this);
  chbEndTime_->setObjectName("chbEndTime");
  cbFrom_ = TextCombo(this, "cbFrom");
  cbTo_ = TextCombo(this, "cbTo");
  cbPurpose_ = TextCombo(this, "cbPurpose");
  chbRoundTrip_ = new QCheckBox(QString::fromUtf8("&A zpět"), this);
  chbRoundTrip_->setObjectName("chbRoundTrip");
  mComment_ = new QPlainTextEdit(this);
  mComment_->setObjectName("mComment");
  mComment_->setTabChangesFocus(true);

  int row = 0;
  auto caption = [this](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setBuddy(buddy);
    return l;
  };
  auto when = [this](QDateEdit* date, QCheckBox* use, QTimeEdit* time) {
    auto* h = new QHBoxLayout;
    h->addWidget(date);
    h->addWidget(use);
    h->addWidget(time);
    h->addStretch();
    return h;
  };
  grid->addWidget(caption("&Odjezd:", dtpBeginDate_), row, 0);
  grid->addLayout(when(dtpBeginDate_, chbBeginTime_, dtpBeginTime_), row++, 1);
  grid->addWidget(caption("&Příjezd:", dtpEndDate_), row, 0);
  grid->addLayout(when(dtpEndDate_, chbEndTime_, dtpEndTime_), row++, 1);
  grid->addWidget(caption("&Z:", cbFrom_), row, 0);
  grid->addWidget(cbFrom_, row++, 1);
  grid->addWidget(caption("&Do:", cbTo_), row, 0);
  auto* to = new QHBoxLayout;
  to->addWidget(cbTo_, 1);
  to->addWidget(chbRoundTrip_);
  grid->addLayout(to, row++, 1);
  grid->addWidget(caption("Úč&el cesty:", cbPurpose_), row, 0);
  grid->addWidget(cbPurpose_, row++, 1);
  grid->addWidget(caption("&Komentář:", mComment_), row, 0, Qt::AlignTop);
  grid->addWidget(mComment_, row++, 1);
  layout->addLayout(grid);

  auto* kmGroup = new QGroupBox(QString::fromUtf8(" Stav KM "), this);
  auto* km = new QHBoxLayout(kmGroup);
  auto kmEdit = [kmGroup](const char* name) {
    auto* e = new QLineEdit(kmGroup);
    e->setObjectName(name);
    e->setMaxLength(7);
    e->setMaximumWidth(100);
    e->setAlignment(Qt::AlignRight);
    return e;
  };
  edBeginKM_ = kmEdit("edBeginKM");
  edEndKM_ = kmEdit("edEndKM");
  edCountKM_ = kmEdit("edCountKM");
  const std::pair<const char*, QLineEdit*> kms[] = {
      {"Počátek &cesty:", edBeginKM_}, {"Konec ce&sty", edEndKM_}, {"&Ujeté km", edCountKM_}};
  for (const auto& [text, edit] : kms) {
    auto* l = new QLabel(QString::fromUtf8(text), kmGroup);
    l->setBuddy(edit);
    km->addWidget(l);
    km->addWidget(edit);
  }
  km->addStretch();
  layout->addWidget(kmGroup);

  QPushButton* save = nullptr;
  layout->addLayout(SaveCancelRow(this, save));

  using B = TTripForm::TKmBox;
  connect(edBeginKM_, &QLineEdit::textEdited, this, [this] { KmEdited(B::Begin); });
  connect(edEndKM_, &QLineEdit::textEdited, this, [this] { KmEdited(B::End); });
  connect(edCountKM_, &QLineEdit::textEdited, this, [this] { KmEdited(B::Count); });
  connect(chbBeginTime_, &QCheckBox::toggled, dtpBeginTime_, &QWidget::setEnabled);
  connect(chbEndTime_, &QCheckBox::toggled, dtpEndTime_, &QWidget::setEnabled);
  connect(save, &QPushButton::clicked, this, [this] { GuardedSlot("Cesta", [this] { btnSaveClick(); }); });
  resize(560, 460);
}

void TfTrip::Open(const Tzaznam& record) {
  form_.Open(record);
  for (QComboBox* c : {cbFrom_, cbTo_}) {
    c->clear();
    c->addItems(g_places);
  }
  cbPurpose_->clear();
  cbPurpose_->addItems(g_purposes);
  ShowState();
  dtpBeginDate_->setFocus();
}

void TfTrip::ReadControls() {
  TTripRecord& f = form_.fields;
  f.beginDate = WithDate(f.beginDate, dtpBeginDate_->date());
  f.endDate = WithDate(f.endDate, dtpEndDate_->date());
  f.beginTimeUsed = chbBeginTime_->isChecked();
  f.endTimeUsed = chbEndTime_->isChecked();
  f.beginTime = WithTime(f.beginTime, dtpBeginTime_->time());
  f.endTime = WithTime(f.endTime, dtpEndTime_->time());
  f.from = S(cbFrom_->currentText());
  f.to = S(cbTo_->currentText());
  f.purpose = S(cbPurpose_->currentText());
  f.roundTrip = chbRoundTrip_->isChecked();
  f.comment = FromMemoText(mComment_->toPlainText());
  f.beginKM = S(edBeginKM_->text());
  f.endKM = S(edEndKM_->text());
  f.countKM = S(edCountKM_->text());
}

void TfTrip::ShowState() {
  showing_ = true;
  const TTripRecord& f = form_.fields;
  dtpBeginDate_->setDate(ToQDate(f.beginDate));
  dtpEndDate_->setDate(ToQDate(f.endDate));
  dtpBeginTime_->setTime(ToQTime(f.beginTime));
  dtpEndTime_->setTime(ToQTime(f.endTime));
  chbBeginTime_->setChecked(f.beginTimeUsed);
  chbEndTime_->setChecked(f.endTimeUsed);
  dtpBeginTime_->setEnabled(f.beginTimeUsed);
  dtpEndTime_->setEnabled(f.endTimeUsed);
  cbFrom_->setEditText(Q(f.from));
  cbTo_->setEditText(Q(f.to));
  cbPurpose_->setEditText(Q(f.purpose));
  chbRoundTrip_->setChecked(f.roundTrip);
  if (FromMemoText(mComment_->toPlainText()) != f.comment) mComment_->setPlainText(ToMemoText(f.comment));
  const std::pair<QLineEdit*, const std::string*> kms[] = {
      {edBeginKM_, &f.beginKM}, {edEndKM_, &f.endKM}, {edCountKM_, &f.countKM}};
  for (const auto& [edit, text] : kms)
    if (edit->text() != Q(*text)) edit->setText(Q(*text));
  showing_ = false;
}

void TfTrip::KmEdited(TTripForm::TKmBox box) {
  if (showing_) return;
  GuardedSlot("Cesta", [&] {
    ReadControls();
    form_.KmChanged(box);
    ShowState();
  });
}

void TfTrip::btnSaveClick() {
  ReadControls();
  if (!form_.Confirm()) return;
  Remember(cbFrom_, g_places);
  Remember(cbTo_, g_places);
  Remember(cbPurpose_, g_purposes);
  accept();
}

bool EditTrip(QWidget* parent, Tzaznam& record) {
  TfTrip& form = ReusedDialog<TfTrip>(parent);
  form.Open(record);
  if (ExecReused(form) != QDialog::Accepted) return false;
  form.Form().WriteRecord(record);
  return true;
}
