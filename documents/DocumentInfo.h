#pragma once
// The header of one document: what a window sets before building it, and
// what is read back from a stored document when it is reopened.

#include <cstdint>
#include <string>

#include "documents/TemplateProcessor.h"
#include "storage/DateTime.h"

enum : uint8_t { pmCash = 0, pmCard = 1, pmTransfer = 2 };

struct TDocumentInfo {
  std::string DocumentNumber;
  std::string Label;  // inserted raw: the caller escapes it
  TDateTime DocumentDate = 0;
  TDateTime PayDate = 0;
  uint8_t PaymentMethod = pmCash;
  std::string BankName;
  std::string AccountNumber;
  std::string Iban;
  std::string TransactionId;
  TParameters Parameters;  // added to every page with their own flags
  int FontSize = 11;
  int MaxItemsPerPage = -1;  // 0 or less: the template's
  float TransactionFeePct = 0;
  float TransactionFee = 0;
};

// The defaults (today, due in 14 days, cash, the first bank account of the
// settings, font 11) and, when `stored` is not empty, the values read back
// from its blocks. The number and the items per page are not read back.
// Throws EConvertError for an unknown entity or a fee that is not a number.
void LoadDocumentInfo(TDocumentInfo& info, const std::string& stored);

// "PM_CASH", "PM_CARD", "PM_TRANS"; empty for another value.
std::string PaymentMethodId(uint8_t method);
// "hotově", "kartou", "bankovním převodem".
std::string PaymentMethodText(uint8_t method);

// "%REC_ID%" (or another ID) of the blocks read as an integer; -1 when it is
// absent or not a whole number.
int32_t ParameterId(const TParameters& parameters, std::string_view name);
