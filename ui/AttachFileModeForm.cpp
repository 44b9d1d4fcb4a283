#include "ui/AttachFileModeForm.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
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
  choices_->viewport()->installEventFilter(this);
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

// The list's own measure of wrapped rows ignores its spacing and scroll bar,
// so the longest explanation lost its end to "...".
void TfAttachFileMode::FitRows() {
  const int width = choices_->viewport()->width() - 2 * choices_->spacing() - 8;
  if (width <= 0) return;
  const QFontMetrics metrics(choices_->font());
  for (int i = 0; i < choices_->count(); ++i) {
    QListWidgetItem* item = choices_->item(i);
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, item->text());
    item->setSizeHint(QSize(width, needed.height() + 6));
  }
}

bool TfAttachFileMode::eventFilter(QObject* watched, QEvent* event) {
  if (watched == choices_->viewport() && event->type() == QEvent::Resize) FitRows();
  return QDialog::eventFilter(watched, event);
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
