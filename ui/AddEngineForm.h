#pragma once
// "Přidat motor do databáze": adds an engine of a make (and its concern) to
// the vehicle catalogue.

#include <QDialog>
#include <array>
#include <string>

#include "catalogues/CatalogueAdd.h"

class QLabel;
class QLineEdit;
class QRadioButton;

class TFaddEngine : public QDialog {
  Q_OBJECT

 public:
  TFaddEngine(const TCatalogue& catalogue, int32_t concernID, int32_t manufacturerID, const std::string& proposedName,
              QWidget* parent = nullptr);

  // Valid after the dialog closed with OK.
  TNewEngine Fields() const;

  // "Přidat": an empty displacement becomes "-1"; a whole number closes the
  // dialog, anything else is refused with a message and the dialog stays.
  void btnAddClick();

  QLabel* MakeLabel() { return make_; }
  QLineEdit* NameEdit() { return name_; }
  QLineEdit* DisplacementEdit() { return displacement_; }
  QLineEdit* UrlEdit() { return url_; }
  QRadioButton* FuelButton(int32_t fuel) { return fuelButtons_[static_cast<size_t>(fuel)]; }
  int32_t Fuel() const { return fuel_; }

 private:
  int32_t concernID_;
  int32_t manufacturerID_;
  int32_t fuel_ = kFuelPetrol;
  int32_t displacementValue_ = -1;
  QLabel* make_;
  QLineEdit* name_;
  QLineEdit* displacement_;
  QLineEdit* url_;
  std::array<QRadioButton*, 3> fuelButtons_{};
};

// Shows the dialog; returns the engine added, or an empty string.
std::string AddEngineToCatalogue(const TCatalogue& catalogue, int32_t concernID, int32_t manufacturerID,
                                 const std::string& proposedName, QWidget* parent = nullptr);
