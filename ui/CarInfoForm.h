#pragma once
// "Informace o automobilu": the vehicle's data as the start of a parts
// order, sent to a supplier by e-mail. Not modal.

#include <QDialog>

#include "servicebook/VehicleFormServices.h"
#include "storage/Vehicle.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TcarInfoForm : public QDialog {
  Q_OBJECT

 public:
  // Keeps its own copy of the services: it outlives the call that shows it.
  TcarInfoForm(const Tautomobil& vehicle, TVehicleFormServices services, QWidget* parent = nullptr);

  QPlainTextEdit* MemoInfo() { return memoInfo_; }
  QComboBox* EmailAddress() { return emailAddress_; }
  QLineEdit* Subject() { return subject_; }
  QCheckBox* AttachText() { return attach_; }
  // "Napsat e-mail": closes when the message was sent.
  void SendClick();

 private:
  TVehicleFormServices services_;
  QPlainTextEdit* memoInfo_;
  QComboBox* emailAddress_;
  QLineEdit* subject_;
  QCheckBox* attach_;
};

// Fills and shows the window; it deletes itself when closed.
TcarInfoForm* ShowCarInfo(const Tautomobil& vehicle, const TVehicleFormServices& services,
                          QWidget* parent = nullptr);
