#pragma once
// The job-sheet window (`TfContract`, "Vytvořit zakázkový list") and the
// receipt window (`TfReceipt`, "Vytvořit příjmový doklad"). Their rules are
// the core's (documents/ContractForm.h, documents/ReceiptForm.h).

#include <QDialog>

#include "documents/ContractForm.h"
#include "documents/ReceiptForm.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TDocumentNumberBox;
class TTimeLineEdit;

class TfContract : public QDialog {
  Q_OBJECT

 public:
  explicit TfContract(QWidget* parent = nullptr);
  void Open(const TContractFormState& state);
  TContractFormState Read() const;

 protected:
  void accept() override;

 private:
  void ShowPriceFields();

  TContractFormState state_;
  TDocumentNumberBox* number_;
  QDateEdit *dateOvertaken_, *dateExpectedFinish_;
  TTimeLineEdit *timeOvertaken_, *timeExpectedFinish_;
  QPlainTextEdit *mVehicleState_, *mEquipment_, *mFailureDescription_, *mComment_;
  QLineEdit *edExpectedMatPrice_, *edExpectedWorkPrice_, *edExpectedPrice_;
  QWidget* priceFields_;
  QPushButton *btnOK_, *btnCancel_;
};

class TfReceipt : public QDialog {
  Q_OBJECT

 public:
  explicit TfReceipt(QWidget* parent = nullptr);
  void Open(const TReceiptFormState& state);
  TReceiptFormState Read() const;

 private:
  TReceiptFormState state_;
  TDocumentNumberBox* number_;
  QPushButton *btnOK_, *btnCancel_;
};

// Run the window for the record until the document is issued or the user
// cancels; true when the record's number changed (the caller stores it).
bool EditContract(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record);
bool EditReceipt(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record);
// Show the record's issued job sheet or receipt.
void ShowContract(const Tzaznam& record);
void ShowReceipt(const Tzaznam& record);
