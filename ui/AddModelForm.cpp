#include "ui/AddModelForm.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CatalogueDialogs.h"

TFaddModel::TFaddModel(const TCatalogue& catalogue, int32_t manufacturerID, const std::string& proposedName,
                       QWidget* parent)
    : QDialog(parent), manufacturerID_(manufacturerID) {
  setWindowTitle(QString::fromUtf8("Přidat model do databáze"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  make_ = BoldManufacturerLabel(catalogue, manufacturerID, this);
  name_ = new QLineEdit(this);
  url_ = new QLineEdit(this);
  name_->setMaxLength(31);
  url_->setMaxLength(255);
  form->addRow(QString::fromUtf8("Výrobce:"), make_);
  form->addRow(QString::fromUtf8("&Název modelu:"), name_);
  form->addRow(QString::fromUtf8("&Webová stránka:"), url_);
  layout->addLayout(form);
  QPushButton* add = nullptr;
  layout->addLayout(AddCancelRow(this, add));
  connect(add, &QPushButton::clicked, this, &QDialog::accept);
  InstallCatalogueHelp(this, "model");

  name_->setText(QString::fromStdString(proposedName));
  url_->setText(QString::fromLatin1(kUrlPreset));
  resize(420, sizeHint().height());
  name_->setFocus();
}

TNewModel TFaddModel::Fields() const {
  return TNewModel{manufacturerID_, name_->text().toStdString(), url_->text().toStdString()};
}

std::string AddModelToCatalogue(const TCatalogue& catalogue, int32_t manufacturerID, const std::string& proposedName,
                                QWidget* parent) {
  TFaddModel dialog(catalogue, manufacturerID, proposedName, parent);
  if (dialog.exec() != QDialog::Accepted) return "";
  return AddModelEntry(catalogue, dialog.Fields());
}
