#include "ui/AddEngineForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogues/CatalogueEditor.h"
#include "storage/Notifier.h"
#include "ui/CatalogueDialogs.h"

TFaddEngine::TFaddEngine(const TCatalogue& catalogue, int32_t concernID, int32_t manufacturerID,
                         const std::string& proposedName, QWidget* parent)
    : QDialog(parent), concernID_(concernID), manufacturerID_(manufacturerID) {
  setWindowTitle(QString::fromUtf8("Přidat motor do databáze"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  make_ = BoldManufacturerLabel(catalogue, manufacturerID, this);
  name_ = new QLineEdit(this);
  name_->setMaxLength(31);
  displacement_ = new QLineEdit(this);
  displacement_->setMaximumWidth(90);
  url_ = new QLineEdit(this);
  url_->setMaxLength(255);
  auto* displacementRow = new QHBoxLayout;
  displacementRow->addWidget(displacement_);
  displacementRow->addWidget(new QLabel(QString::fromUtf8("cm³"), this));
  displacementRow->addStretch();
  auto* fuelRow = new QHBoxLayout;
  for (int32_t fuel : {kFuelPetrol, kFuelDiesel, kFuelOther}) {
    auto* b = new QRadioButton(QString::fromUtf8(FuelText(fuel)), this);
    fuelButtons_[static_cast<size_t>(fuel)] = b;
    fuelRow->addWidget(b);
    connect(b, &QRadioButton::clicked, this, [this, fuel] { fuel_ = fuel; });
  }
  fuelRow->addStretch();
  form->addRow(QString::fromUtf8("Výrobce:"), make_);
  form->addRow(QString::fromUtf8("&Název motoru:"), name_);
  auto* displacementLabel = new QLabel(QString::fromUtf8("&Objem:"), this);
  displacementLabel->setBuddy(displacement_);
  form->addRow(displacementLabel, displacementRow);
  form->addRow(QString::fromUtf8("Palivo:"), fuelRow);
  form->addRow(QString::fromUtf8("&Webová stránka:"), url_);
  layout->addLayout(form);
  QPushButton* add = nullptr;
  layout->addLayout(AddCancelRow(this, add));
  connect(add, &QPushButton::clicked, this, &TFaddEngine::btnAddClick);
  InstallCatalogueHelp(this, "engine");

  name_->setText(QString::fromStdString(proposedName));
  url_->setText(QString::fromLatin1(kUrlPreset));
  fuel_ = ProposedFuel(proposedName);
  fuelButtons_[static_cast<size_t>(fuel_)]->setChecked(true);
  resize(420, sizeHint().height());
  name_->setFocus();
}

void TFaddEngine::btnAddClick() {
  if (displacement_->text().isEmpty()) displacement_->setText(QStringLiteral("-1"));
  if (!ParseDisplacement(displacement_->text().toStdString(), displacementValue_)) {
    ShowMessage("Chyba", kDisplacementError, TMsgIcon::Warning);
    displacement_->setFocus();
    return;
  }
  accept();
}

TNewEngine TFaddEngine::Fields() const {
  return TNewEngine{concernID_,         manufacturerID_, name_->text().toStdString(), displacementValue_, fuel_,
                    url_->text().toStdString()};
}

std::string AddEngineToCatalogue(const TCatalogue& catalogue, int32_t concernID, int32_t manufacturerID,
                                 const std::string& proposedName, QWidget* parent) {
  TFaddEngine dialog(catalogue, concernID, manufacturerID, proposedName, parent);
  if (dialog.exec() != QDialog::Accepted) return "";
  return AddEngineEntry(catalogue, dialog.Fields());
}
