#include "ui/DialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* SaveCancelRow(QDialog* dialog, QPushButton*& save) {
  auto* buttons = new QHBoxLayout;
  save = new QPushButton(QString::fromUtf8("&Uložit"), dialog);
  save->setObjectName("btnSave");
  save->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("Storno"), dialog);
  cancel->setObjectName("btnCancel");
  cancel->setAutoDefault(false);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return buttons;
}
