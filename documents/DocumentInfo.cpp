#include "documents/DocumentInfo.h"

#include <algorithm>
#include <cmath>

#include "documents/ValueFormats.h"
#include "shell/Config.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"

namespace {

float FeeValue(const TParameters& parameters, std::string_view name, float current, float highest) {
  std::string text = GetParameterValue(parameters, name, MoneyText(current), false);
  if (!IsNumber(text)) throw EConvertError("'" + text + "' is not a valid floating point value");
  double value = ParseNumber(text, 0);
  return static_cast<float>(std::clamp(value, 0.0, static_cast<double>(highest)));
}

}  // namespace

std::string PaymentMethodId(uint8_t method) {
  switch (method) {
    case pmCash: return "PM_CASH";
    case pmCard: return "PM_CARD";
    case pmTransfer: return "PM_TRANS";
    default: return "";
  }
}

std::string PaymentMethodText(uint8_t method) {
  switch (method) {
    case pmCard: return "kartou";
    case pmTransfer: return "bankovním převodem";
    default: return "hotově";
  }
}

int32_t ParameterId(const TParameters& parameters, std::string_view name) {
  std::string text;
  for (const TParameter& p : parameters) {
    if (p.Name == name) {
      text = p.Value;
      break;
    }
  }
  long long id = ParseInteger(text, -1);
  return id < INT32_MIN || id > INT32_MAX ? -1 : static_cast<int32_t>(id);
}

void LoadDocumentInfo(TDocumentInfo& info, const std::string& stored) {
  const TConfig& c = Config();
  info = TDocumentInfo{};
  info.DocumentDate = Today();
  info.PayDate = Today() + 14;
  info.BankName = c.bankName[0];
  info.AccountNumber = c.accountNr[0];
  info.Iban = c.iban[0];
  if (stored.empty()) return;

  TParameters& p = info.Parameters;
  p = ReadTemplateParameters(stored);
  info.Label = GetParameterValue(p, "%LABEL%", info.Label, false);
  info.DocumentDate = TextDate(GetParameterValue(p, "%DOCUMENT_DATE%", DocDateText(info.DocumentDate), false));
  info.PayDate = TextDate(GetParameterValue(p, "%INVOICE_PAYDATE%", DocDateText(info.PayDate), false));
  std::string method = GetParameterValue(p, "%PAYMENT_METHOD_ID%", "PM_CASH", false);
  info.PaymentMethod = method == "PM_TRANS" ? pmTransfer : method == "PM_CARD" ? pmCard : pmCash;
  info.BankName = GetParameterValue(p, "%BANK_NAME%", info.BankName, false);
  info.AccountNumber = GetParameterValue(p, "%ACCOUNT_NUMBER%", info.AccountNumber, false);
  info.Iban = GetParameterValue(p, "%IBAN%", info.Iban, false);
  info.TransactionId = GetParameterValue(p, "%TRANSACTION_ID%", info.TransactionId, false);
  long long font = ParseInteger(GetParameterValue(p, "%FONT_SIZE%", std::to_string(info.FontSize), false), info.FontSize);
  info.FontSize = static_cast<int>(std::clamp<long long>(font, 5, 36));
  info.TransactionFeePct = FeeValue(p, "%TRANSACTION_FEE_PCT%", info.TransactionFeePct, 100);
  info.TransactionFee = FeeValue(p, "%TRANSACTION_FEE%", info.TransactionFee, 10000);
}
