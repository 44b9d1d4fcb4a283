#include "ui/CatalogueDialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "shell/Help.h"

void InstallCatalogueHelp(QDialog* dialog, const char* topic) {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
  QObject::connect(help, &QShortcut::activated, dialog, [topic] {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(HelpPageAddress("addtocardb.html", topic))));
  });
}

QHBoxLayout* AddCancelRow(QDialog* dialog, QPushButton*& add) {
  auto* row = new QHBoxLayout;
  add = new QPushButton(QString::fromUtf8("Přidat"), dialog);
  auto* cancel = new QPushButton(QString::fromUtf8("Storno"), dialog);
  add->setDefault(true);
  row->addStretch();
  row->addWidget(add);
  row->addWidget(cancel);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return row;
}

QLabel* BoldManufacturerLabel(const TCatalogue& catalogue, int32_t manufacturerID, QWidget* parent) {
  TManufacturerRecord make;
  auto* label = new QLabel(
      ReadManufacturer(catalogue.manufacturers, manufacturerID, make) ? QString::fromStdString(make.name) : QString(),
      parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}
