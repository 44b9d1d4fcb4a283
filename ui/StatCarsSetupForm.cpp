#include "ui/StatCarsSetupForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "storage/Notifier.h"
#include "ui/SlotGuard.h"
#include "ui/StatisticsWidgets.h"

TfStatCarsSetup::TfStatCarsSetup(QWidget* parent) : QDialog(parent) {
  setObjectName("TfStatCarsSetup");
  setWindowTitle(QString::fromUtf8("Předvolby výpočtu statistik vozidel"));
  auto* layout = new QVBoxLayout(this);

  auto* grouping = new QGroupBox(QString::fromUtf8("Seskupování"), this);
  auto* radios = new QVBoxLayout(grouping);
  const char* const captions[] = {"podle &koncernu", "podle &výrobce", "podle &modelu", "podle v&arianty modelu",
                                  "podle modelu a mo&toru"};
  for (int i = 0; i < 5; ++i) {
    groups_[i] = new QRadioButton(QString::fromUtf8(captions[i]), grouping);
    radios->addWidget(groups_[i]);
  }
  groups_[kDefaultVehicleGrouping]->setChecked(true);
  layout->addWidget(grouping);

  auto* extremes = new QGroupBox(QString::fromUtf8("Vyloučení extrémů"), this);
  auto* grid = new QGridLayout(extremes);
  best_ = new QLineEdit("0", extremes);
  worst_ = new QLineEdit("0", extremes);
  minimum_ = new QLineEdit(QString::number(kDefaultMinimumCount), extremes);
  int row = 0;
  for (auto [caption, edit] : {std::pair{"Vyloučit nejlepších", best_}, std::pair{"Vyloučit nejhorších", worst_}}) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), extremes), row, 0);
    edit->setEnabled(false);  // excluding extremes is not offered
    edit->setMaximumWidth(60);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel("%", extremes), row, 2);
    ++row;
  }
  auto* minimumLabel = new QLabel(QString::fromUtf8("Minimální &počet kusů v databázi:"), extremes);
  minimumLabel->setBuddy(minimum_);
  minimum_->setMaximumWidth(80);
  grid->addWidget(minimumLabel, row, 0);
  grid->addWidget(minimum_, row, 1);
  layout->addWidget(extremes);

  compute_ = AddComputeButtons(this, layout, [this] { ComputeClicked(); });
}

void TfStatCarsSetup::ComputeClicked() {
  TVehicleStatSetup setup;
  if (!ParseVehicleStatSetup(best_->text().toStdString(), worst_->text().toStdString(),
                             minimum_->text().toStdString(), setup)) {
    ShowMessage("Chyba", "Neplatné hodnoty", TMsgIcon::Warning);
    minimum_->setFocus();
    return;
  }
  setup_ = setup;
  accept();
}

bool TfStatCarsSetup::Ask(int& grouping, TVehicleStatSetup& setup) {
  minimum_->setFocus();
  if (exec() != QDialog::Accepted) return false;
  grouping = Grouping();
  setup = setup_;
  return true;
}

int TfStatCarsSetup::Grouping() const {
  for (int i = 0; i < 5; ++i)
    if (groups_[i]->isChecked()) return i;
  return kDefaultVehicleGrouping;
}
