#include "ui/CgarvFileForm.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ReusedDialog.h"

namespace {

const char* const kListNames[kExchangeListCount] = {"lvChangedContacts", "lvNewContacts",    "lvChangedVehicles",
                                                    "lvNewVehicles",     "lvChangedRecords", "lvNewRecords"};
const char* const kGroupTitles[3] = {" Kontakty ", " Vozidla ", " Záznamy "};

// The full caption of an item, with the line breaks of the record texts.
constexpr int kFullCaptionRole = Qt::UserRole + 1;

}  // namespace

TfCgarvFile::TfCgarvFile(QWidget* parent) : QDialog(parent) {
  setObjectName("fCgarvFile");
  setWindowTitle(QString::fromUtf8("Zpracování datového souboru"));
  auto* layout = new QVBoxLayout(this);
  auto* prompt =
      new QLabel(QString::fromUtf8("Vyberte změny, které chcete přenést z datového souboru do databáze:"), this);
  prompt->setWordWrap(true);
  layout->addWidget(prompt);
  for (int group = 0; group < 3; ++group) {
    auto* box = new QGroupBox(QString::fromUtf8(kGroupTitles[group]), this);
    auto* grid = new QGridLayout(box);
    for (int column = 0; column < 2; ++column) {
      const int list = 2 * group + column;
      auto* view = new QListWidget(box);
      view->setObjectName(kListNames[list]);
      view->installEventFilter(this);
      auto* label = new QLabel(QString::fromUtf8(kExchangeListLabels[static_cast<size_t>(list)]), box);
      label->setBuddy(view);
      grid->addWidget(label, 0, column);
      grid->addWidget(view, 1, column);
      connect(view, &QListWidget::currentItemChanged, this,
              [this](QListWidgetItem* current) { ShowItem(current); });
      connect(view, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ShowItem(item); });
      lists_[static_cast<size_t>(list)] = view;
    }
    layout->addWidget(box, 1);
  }
  auto* details = new QGroupBox(QString::fromUtf8(" Detaily vybrané položky "), this);
  auto* detailsLayout = new QVBoxLayout(details);
  mDescription_ = new QPlainTextEdit(details);
  mDescription_->setObjectName("mDescription");
  mDescription_->setReadOnly(true);
  mDescription_->setMaximumHeight(80);
  detailsLayout->addWidget(mDescription_);
  layout->addWidget(details);
  auto* buttons = new QHBoxLayout;
  sbApply_ = new QPushButton(QString::fromUtf8("&Přenést"), this);
  sbApply_->setObjectName("sbApply");
  sbApply_->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("&Storno"), this);
  cancel->setObjectName("SpeedButton1");
  buttons->addStretch();
  buttons->addWidget(sbApply_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(sbApply_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(820, 640);
}

void TfCgarvFile::Fill(const TExchangeChanges& changes) {
  mDescription_->clear();
  for (int list = 0; list < kExchangeListCount; ++list) {
    QListWidget* view = lists_[static_cast<size_t>(list)];
    view->clear();
    for (size_t i = 0; i < changes.Size(list); ++i) {
      // One line per item, so that its check box stays beside it and the
      // next item is not covered; the details pane shows the breaks.
      const std::string caption = changes.Caption(list, i);
      auto* item = new QListWidgetItem(QString::fromStdString(changes.ItemText(list, i)), view);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(changes.ticks[static_cast<size_t>(list)][i] ? Qt::Checked : Qt::Unchecked);
      item->setData(Qt::UserRole, static_cast<qulonglong>(i));  // the entry of the pending list
      item->setData(kFullCaptionRole, QString::fromStdString(caption).replace("\r\n", "\n"));
      item->setToolTip(QString::fromStdString(caption));
    }
  }
}

void TfCgarvFile::ShowItem(QListWidgetItem* item) {
  mDescription_->setPlainText(item ? item->data(kFullCaptionRole).toString() : QString());
}

bool TfCgarvFile::eventFilter(QObject* watched, QEvent* event) {
  auto* view = qobject_cast<QListWidget*>(watched);
  if (view && event->type() == QEvent::FocusIn) ShowItem(view->currentItem());
  if (view && event->type() == QEvent::FocusOut) {
    // Only the user's leaving counts, not the window losing its activation.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) mDescription_->clear();
  }
  return QDialog::eventFilter(watched, event);
}

bool TfCgarvFile::Choose(TExchangeChanges& changes) {
  Fill(changes);
  // The first list with items takes the focus, so Space ticks at once.
  for (QListWidget* view : lists_)
    if (view->count() > 0) {
      view->setCurrentRow(0);
      view->setFocus();
      break;
    }
  if (ExecReused(*this) != QDialog::Accepted) return false;
  for (int list = 0; list < kExchangeListCount; ++list) {
    QListWidget* view = lists_[static_cast<size_t>(list)];
    auto& ticks = changes.ticks[static_cast<size_t>(list)];
    for (int row = 0; row < view->count(); ++row) {
      const size_t entry = view->item(row)->data(Qt::UserRole).toULongLong();
      if (entry < ticks.size()) ticks[entry] = view->item(row)->checkState() == Qt::Checked;
    }
  }
  return true;
}

bool ChooseExchangeChanges(TExchangeChanges& changes, QWidget* parent) {
  return ReusedDialog<TfCgarvFile>(parent).Choose(changes);
}
