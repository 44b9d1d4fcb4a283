#pragma once
// "Přidat výrobce do databáze": adds a make to the vehicle catalogue when the
// vehicle window meets one the catalogue does not know.

#include <QDialog>
#include <string>

#include "catalogues/CatalogueAdd.h"

class QComboBox;
class QLineEdit;

class TFAddManuf : public QDialog {
  Q_OBJECT

 public:
  TFAddManuf(const TCatalogue& catalogue, const std::string& proposedName, QWidget* parent = nullptr);

  // The dialog's fields as the add operation takes them.
  TNewManufacturer Fields() const;

  QComboBox* ConcernBox() { return concern_; }
  QLineEdit* NameEdit() { return name_; }
  QLineEdit* CountryEdit() { return country_; }
  QLineEdit* UrlEdit() { return url_; }

 private:
  QComboBox* concern_;
  QLineEdit* name_;
  QLineEdit* country_;
  QLineEdit* url_;
};

// Shows the dialog with the proposed name; returns the name added, or an
// empty string when nothing was added (cancelled, empty, a duplicate or a
// store failure, the last two after their message).
std::string AddManufacturerToCatalogue(const TCatalogue& catalogue, const std::string& proposedName,
                                       QWidget* parent = nullptr);
