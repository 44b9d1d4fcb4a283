#pragma once
// "Kontakt": the detail window of one contact. It edits a copy of the record
// and leaves storing it to its caller; what OK stores is decided by the core
// (ContactFields.h).

#include <QDialog>
#include <array>
#include <functional>

#include "catalogues/ContactFields.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class TcontactDetail : public QDialog {
  Q_OBJECT

 public:
  explicit TcontactDetail(QWidget* parent = nullptr);
  void initialize(const TContactRecord& contact);
  void save(TContactRecord& contact) const;
  // Fills the fields from clipboard text (only for a new contact).
  void PasteFrom(const std::string& text);

  // The values of the boxes and the checked kind.
  TContactFields Fields() const;
  QLineEdit* Edit(TContactField field) { return edits_[static_cast<size_t>(field)]; }

 private:
  void ShowFields(const TContactFields& fields);
  void UpdateButtons();

  std::array<QLineEdit*, kContactFieldCount> edits_{};
  std::array<QRadioButton*, 4> kinds_{};
  uint16_t kind_ = kContactCustomer;  // kept when no choice has its code
  QPushButton* map_ = nullptr;
  QPushButton* mail_ = nullptr;
  QPushButton* attachments_ = nullptr;
  int32_t contactID_ = -1;
};

// "Zobrazit přílohy" opens the attachments of the contact through this (the
// program sets it once the attachments window exists). Without it, and for
// a contact not stored yet, the button stays disabled.
void SetContactAttachmentsOpener(std::function<void(int32_t contactID)> opener);

// Shows the detail window on the record; OK copies the fields back and gives
// true; "Storno" and the close box give false and leave the record unchanged.
// With `paste` and text on the clipboard the fields are filled from it first.
bool EditContact(TContactRecord& contact, bool paste, QWidget* parent = nullptr);
// The same in a detail window kept by the caller.
bool EditContact(TcontactDetail& window, TContactRecord& contact, bool paste);
