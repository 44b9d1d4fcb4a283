#pragma once
// The invoice window (`TfInvoice`), for invoices and simplified tax
// documents. Its rules are the core's (documents/InvoiceForm.h): it shows a
// TInvoiceFormState and reads one back.

#include <QDate>
#include <QDialog>

#include "documents/InvoiceForm.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TDocumentNumberBox;

class TfInvoice : public QDialog {
  Q_OBJECT

 public:
  explicit TfInvoice(QWidget* parent = nullptr);

  void Open(const TInvoiceFormState& state);
  TInvoiceFormState Read() const;

 private:
  void PaymentMethodChanged();
  void UseAccount(int account);

  TInvoiceFormState state_;
  QDate lastCreated_;  // the issue date before its last change
  TDocumentNumberBox* number_;
  QDateEdit *dateCreated_, *dateMaturity_;
  QLineEdit *edOrderNumber_, *edItemsPerPage_, *edTransactionFeePct_, *edTransactionFee_;
  QCheckBox *chbProform_, *chbIncludeVehicleInfo_, *chbIncludeSignature_;
  QComboBox* cbFontSize_;
  QRadioButton *rbCash_, *rbCard_, *rbTransaction_;
  QWidget* bankBox_;
  QLineEdit *edBank_, *edAccountNr_, *edIban_, *edVariableSymbol_;
  QPushButton *BitBtn1_, *BitBtn2_;
};

// Runs the window for the record until a document is issued or the user
// cancels. True when the record's number changed (the caller stores it).
bool EditInvoice(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& customer, Tzaznam& record,
                 int type);
// Shows the record's issued document of that type.
void ShowInvoice(const Tzaznam& record, int type);
