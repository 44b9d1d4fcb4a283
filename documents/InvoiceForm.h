#pragma once
// The invoice window's rules, for invoices (type 0) and simplified tax
// documents (type 1): what the window shows when it opens for a record, the
// payment-method rule, and issuing the document. The window copies the
// controls into a TInvoiceFormState and back; garvelctl issues with the
// state as it opens.

#include <array>
#include <cstdint>
#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentInfo.h"
#include "documents/DocumentIssue.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

inline constexpr std::array<int, 14> kInvoiceFontSizes = {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24};

struct TInvoiceFormState {
  int type = 0;
  std::string caption;          // "Vytvořit fakturu" / "Vytvořit zjednodušený daňový doklad"
  bool proformaAllowed = true;  // type 0 only
  std::string existingNumber;   // the record's document; empty: none issued yet
  std::string number;
  TDateTime dateCreated = 0;
  TDateTime dateMaturity = 0;
  std::string orderNumber;
  bool proforma = false;
  bool includeVehicleInfo = true;
  bool includeSignature = true;
  bool signatureEnabled = true;  // a signature picture is set
  int fontSize = 11;
  std::string itemsPerPage = "20";
  uint8_t paymentMethod = pmCash;
  std::string feePct = "0";
  std::string fee = "0";
  std::string bank, accountNr, iban, variableSymbol;
};

// The window's caption for the type.
std::string InvoiceCaption(int type);

// What the window shows when opened for the record: the record's own stored
// document reopened (a damaged one is reported and the defaults used), or
// the template's defaults and a proposed number.
TInvoiceFormState OpenInvoiceForm(const Tzaznam& record, int type);

// Due date and visibility of the bank fields by payment method: transfer is
// due in 14 days, the others on the day of issue.
void ApplyPaymentRule(TInvoiceFormState& state);
bool BankFieldsVisible(const TInvoiceFormState& state);
// Fills bank, account and IBAN from the supplier's account 0..3.
void UseBankAccount(TInvoiceFormState& state, int account);

// The document header and parameters that the state describes.
TDocumentInfo InvoiceDocumentInfo(const TInvoiceFormState& state, const Tautomobil& vehicle,
                                  const TContactRecord& customer, const Tzaznam& record);
// Builds the document into `output`; reports a failure.
bool CreateInvoiceDocument(const TInvoiceFormState& state, const S_FileName& output, const Tautomobil& vehicle,
                           const TContactRecord& customer, const Tzaznam& record);

// "Vytvořit": checks, asks before overwriting, builds, puts the new number
// into the record (asking whether to delete the record's earlier document)
// and, with `show`, shows the document.
TIssueResult IssueInvoice(const TInvoiceFormState& state, const Tautomobil& vehicle, const TContactRecord& customer,
                          Tzaznam& record, bool show);
