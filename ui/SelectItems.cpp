#include "ui/SelectItems.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "servicebook/CheckMarks.h"

TfSelectItems::TfSelectItems(const std::string& title, const std::string& prompt,
                             const std::vector<std::string>& items, const std::vector<bool>& marks,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("fSelectItems");
  setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromStdString(prompt), this);
  label->setWordWrap(true);
  layout->addWidget(label);
  list_ = new QListWidget(this);
  const std::vector<bool> states = InitialCheckStates(marks, items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(items[i]), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(states[i] ? Qt::Checked : Qt::Unchecked);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
  label->setBuddy(list_);
  layout->addWidget(list_, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QString::fromUtf8("&OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QString::fromUtf8("&Storno"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(320, 300);
}

std::vector<bool> TfSelectItems::States() const {
  std::vector<bool> states;
  for (int i = 0; i < list_->count(); ++i) states.push_back(list_->item(i)->checkState() == Qt::Checked);
  return states;
}

bool SelectItems(const std::string& title, const std::string& prompt, const std::vector<std::string>& items,
                 std::vector<bool>& marks, QWidget* parent) {
  TfSelectItems dialog(title, prompt, items, marks, parent);
  const bool ok = dialog.exec() == QDialog::Accepted;
  return TakeCheckStates(marks, dialog.States(), ok);
}
