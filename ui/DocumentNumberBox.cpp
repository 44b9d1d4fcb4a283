#include "ui/DocumentNumberBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "documents/DocumentStore.h"
#include "storage/Notifier.h"

TDocumentNumberBox::TDocumentNumberBox(const TDocumentNumberTexts& t, QWidget* parent) : QWidget(parent) {
  lbNotCreated_ = new QLabel(QString::fromUtf8(t.notCreated), this);
  lbNotCreated_->setObjectName(t.notCreatedName);
  lbCreated_ = new QLabel(QString::fromUtf8(t.created), this);
  lbCreated_->setObjectName(t.createdName);
  lbNumber_ = new QLabel(this);
  lbNumber_->setObjectName(t.numberLabelName);
  QFont bold = lbNumber_->font();
  bold.setBold(true);
  lbNumber_->setFont(bold);
  lbNumber_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sbShow_ = new QPushButton(QString::fromUtf8(t.showCaption), this);
  sbShow_->setObjectName("sbShow");
  sbShow_->setAutoDefault(false);
  edNumber_ = new QLineEdit(this);
  edNumber_->setObjectName("edNumber");
  edNumber_->setMaxLength(static_cast<int>(kMaxDocumentNumber));
  sbOverview_ = new QPushButton(QString::fromUtf8("Zobrazit &přehled"), this);
  sbOverview_->setObjectName("sbOverview");
  sbOverview_->setAutoDefault(false);
  auto* numberCaption = new QLabel(QString::fromUtf8(t.numberCaption), this);
  numberCaption->setBuddy(edNumber_);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* state = new QHBoxLayout;
  state->addWidget(lbNotCreated_);
  state->addWidget(lbCreated_);
  state->addWidget(lbNumber_);
  state->addStretch();
  state->addWidget(sbShow_);
  grid->addLayout(state, 0, 0, 1, 3);
  grid->addWidget(numberCaption, 1, 0);
  grid->addWidget(edNumber_, 1, 1);
  grid->addWidget(sbOverview_, 1, 2);
  grid->setColumnStretch(1, 1);

  auto guarded = [](const std::function<void()>& handler) {
    try {
      if (handler) handler();
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  };
  connect(sbShow_, &QPushButton::clicked, this, [this, guarded] { guarded(onShow); });
  connect(sbOverview_, &QPushButton::clicked, this, [this, guarded] { guarded(onOverview); });
}

void TDocumentNumberBox::Show(const std::string& existingNumber, const std::string& number) {
  const bool created = !existingNumber.empty();
  lbNotCreated_->setVisible(!created);
  lbCreated_->setVisible(created);
  lbNumber_->setVisible(created);
  sbShow_->setVisible(created);
  lbNumber_->setText(QString::fromStdString(existingNumber));
  edNumber_->setText(QString::fromStdString(number));
}

std::string TDocumentNumberBox::Number() const { return edNumber_->text().trimmed().toStdString(); }
