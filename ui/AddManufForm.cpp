#include "ui/AddManufForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogues/CatalogueQueries.h"
#include "storage/Collation.h"
#include "ui/CatalogueDialogs.h"

TFAddManuf::TFAddManuf(const TCatalogue& catalogue, const std::string& proposedName, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Přidat výrobce do databáze"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  concern_ = new QComboBox(this);
  name_ = new QLineEdit(this);
  country_ = new QLineEdit(this);
  url_ = new QLineEdit(this);
  name_->setMaxLength(31);
  country_->setMaxLength(31);
  url_->setMaxLength(255);
  form->addRow(QString::fromUtf8("&Koncern:"), concern_);
  form->addRow(QString::fromUtf8("&Název:"), name_);
  form->addRow(QString::fromUtf8("&Země:"), country_);
  form->addRow(QString::fromUtf8("&Webová stránka:"), url_);
  layout->addLayout(form);
  QPushButton* add = nullptr;
  layout->addLayout(AddCancelRow(this, add));
  connect(add, &QPushButton::clicked, this, &QDialog::accept);
  InstallCatalogueHelp(this, "manuf");

  TNameList concerns;
  ListConcernNames(catalogue, concerns);
  std::stable_sort(concerns.begin(), concerns.end(),
                   [](const std::string& a, const std::string& b) { return CzechCompare(a, b) < 0; });
  for (const std::string& c : concerns) concern_->addItem(QString::fromStdString(c));
  if (concern_->count() > 0) concern_->setCurrentIndex(0);
  name_->setText(QString::fromStdString(proposedName));
  url_->setText(QString::fromLatin1(kUrlPreset));
  resize(420, sizeHint().height());
  name_->setFocus();
}

TNewManufacturer TFAddManuf::Fields() const {
  return TNewManufacturer{concern_->currentText().toStdString(), name_->text().toStdString(),
                          country_->text().toStdString(), url_->text().toStdString()};
}

std::string AddManufacturerToCatalogue(const TCatalogue& catalogue, const std::string& proposedName, QWidget* parent) {
  TFAddManuf dialog(catalogue, proposedName, parent);
  if (dialog.exec() != QDialog::Accepted) return "";
  return AddManufacturerEntry(catalogue, dialog.Fields());
}
