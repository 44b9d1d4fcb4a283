#include "ui/AttachFileModeForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TChoice {
  const char* caption;
  const char* explanation;
};

constexpr TChoice kChoices[] = {
    {"Vložit odkaz na soubor",
     "Soubor zůstane na svém místě, mezi přílohami bude jen odkaz na něj. Přesunete-li nebo smažete-li "
     "původní soubor, odkaz přestane fungovat."},
    {"Zkopírovat soubor",
     "Mezi přílohy se uloží kopie souboru (u složky celý její obsah). Původní soubor zůstane beze změny."},
    {"Přesunout soubor z původního umístění",
     "Soubor se přesune mezi přílohy a na původním místě už nebude."},
};

}  // namespace

TfAttachFileMode::TfAttachFileMode(QWidget* parent) : QDialog(parent) {
  setObjectName("TfAttachFileMode");
  setWindowTitle(QString::fromUtf8("Zvolte formu přiložení souboru"));
  auto* layout = new QVBoxLayout(this);
  choices_ = new QListWidget(this);
  choices_->setWordWrap(true);
  choices_->setSpacing(4);
  for (const TChoice& c : kChoices) {
    auto* item = new QListWidgetItem(QString::fromUtf8(c.caption) + "\n" + QString::fromUtf8(c.explanation), choices_);
    item->setToolTip(QString::fromUtf8(c.explanation));
  }
  choices_->setCurrentRow(0);
  layout->addWidget(choices_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Storno");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(choices_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  resize(460, 300);
}

TAttachMode TfAttachFileMode::Mode() const {
  const int row = choices_->currentRow();
  return row == 1 ? TAttachMode::Copy : row == 2 ? TAttachMode::Move : TAttachMode::Link;
}

bool AskAttachMode(QWidget* parent, TAttachMode& mode) {
  TfAttachFileMode dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  mode = dialog.Mode();
  return true;
}
