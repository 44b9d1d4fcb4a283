#pragma once
// "Kontakt": the detail window of one contact. It edits a copy of the record
// and leaves storing it to its caller.

#include <QDialog>

#include "catalogues/ContactRecord.h"

class QLineEdit;
class QRadioButton;

class TcontactDetail : public QDialog {
  Q_OBJECT

 public:
  explicit TcontactDetail(QWidget* parent = nullptr);
  void initialize(const TContactRecord& contact);
  void save(TContactRecord& contact) const;
  // Fills the fields from clipboard text (only for a new contact).
  void PasteFrom(const std::string& text);

 private:
  QLineEdit* Field(int maxLength);
  std::string AddressText() const;

  QLineEdit *surname_, *firstName_, *company_, *street_, *city_, *phones_, *email_, *other_, *ico_, *dic_;
  QRadioButton* kinds_[4];
};

// Shows the detail window on the record; OK copies the fields back and gives
// true; "Storno" and the close box give false and leave the record unchanged.
// With `paste` and text on the clipboard the fields are filled from it first.
bool EditContact(TContactRecord& contact, bool paste, QWidget* parent = nullptr);
