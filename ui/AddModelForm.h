#pragma once
// "Přidat model do databáze": adds a model of a known make to the vehicle
// catalogue.

#include <QDialog>
#include <string>

#include "catalogues/CatalogueAdd.h"

class QLabel;
class QLineEdit;

class TFaddModel : public QDialog {
  Q_OBJECT

 public:
  TFaddModel(const TCatalogue& catalogue, int32_t manufacturerID, const std::string& proposedName,
             QWidget* parent = nullptr);

  TNewModel Fields() const;

  QLabel* MakeLabel() { return make_; }
  QLineEdit* NameEdit() { return name_; }
  QLineEdit* UrlEdit() { return url_; }

 private:
  int32_t manufacturerID_;
  QLabel* make_;
  QLineEdit* name_;
  QLineEdit* url_;
};

// Shows the dialog; returns the model added, or an empty string.
std::string AddModelToCatalogue(const TCatalogue& catalogue, int32_t manufacturerID, const std::string& proposedName,
                                QWidget* parent = nullptr);
