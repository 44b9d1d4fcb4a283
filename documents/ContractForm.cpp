#include "documents/ContractForm.h"

#include "documents/DocumentBuilder.h"
#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "documents/ValueFormats.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/TextFiles.h"
#include "storage/TextUtils.h"

namespace {

TDateTime ReadMoment(const TParameters& p, const char* name, TDateTime fallback) {
  TDateTime moment = fallback;
  std::string text = GetParameterValue(p, name, DocDateTimeText(fallback), false);
  if (!ParseDateTime(text, moment)) moment = fallback;
  return moment;
}

// A multi-line text as stored: each line break came back as "<br/>" and its
// line feed.
std::string TextWithLineBreaks(const std::string& value) {
  return ReplaceAll(ReplaceAll(value, "<br/>\n", "\r\n"), "<br/>", "\r\n");
}

// Typed prices: "," as ".", the readable beginning counts, empty is 0.
double TypedPrice(const std::string& text) { return ParseNumber(text, 0); }

}  // namespace

std::string FailureDescriptionHtml(const std::string& text) { return EncodeHtmlLines(text, "<br/>"); }

std::string FailureDescriptionText(const std::string& html) {
  return DecodeHtmlLenient(ReplaceAll(html, "<br/>", "\r\n"));
}

TContractFormState OpenContractForm(const Tzaznam& record) {
  TContractFormState s;
  const TzaznamDb& r = record.db;
  std::string existing = RecordDocumentNumber(r, TDocumentKind::Contract);
  S_FileName file = DocumentFileName(existing, TDocumentKind::Contract);
  std::string text = ReadTextFile(file, "");
  if (!existing.empty() && !text.empty() && !DocumentBelongsTo(text, r.ID)) {
    existing.clear();
    text.clear();
  }
  TParameters p = ReadTemplateParameters(text);
  s.existingNumber = existing;
  if (!existing.empty()) {
    s.number = existing;
  } else {
    s.number = NextSequenceNumber(DocumentFolder(TDocumentKind::Contract));
  }
  const TDateTime takeOver = RecordDate(r) + r.time / 1440.0;
  const TDateTime finish = takeOver + (r.duration > 0 ? r.duration : 0) / 1440.0;
  try {
    if (!existing.empty()) {
      s.expectedWorkPrice = GetParameterValue(p, "%EXPECTED_WORK_PRICE%", "", false);
      s.expectedMatPrice = GetParameterValue(p, "%EXPECTED_MAT_PRICE%", "", false);
    } else {
      s.expectedWorkPrice = MoneyText(r.priceWrk);
      s.expectedMatPrice = MoneyText(r.priceMat);
    }
    s.overtaken = ReadMoment(p, "%OVERTAKE_DATE%", takeOver);
    s.expectedFinish = ReadMoment(p, "%EXPECTED_FINISH%", s.overtaken + (finish - takeOver));
    s.vehicleState = TextWithLineBreaks(GetParameterValue(p, "%VEHICLE_STATE%", "", false));
    s.equipment = TextWithLineBreaks(GetParameterValue(p, "%VEHICLE_EQUIPMENT%", "", false));
    s.comment = TextWithLineBreaks(GetParameterValue(p, "%COMMENT%", "", false));
    s.failureDescription = FailureDescriptionText(GetParameterValue(p, "%FAILURE_DESCRIPTION%", "", true));
    if (s.expectedWorkPrice.empty() && s.expectedMatPrice.empty())
      s.expectedPrice = GetParameterValue(p, "%EXPECTED_PRICE%", "", false);
  } catch (const EConvertError& e) {
    ReportDamagedDocument(file, e.what());
    TContractFormState fresh;
    fresh.existingNumber = s.existingNumber;
    fresh.number = s.number;
    fresh.overtaken = takeOver;
    fresh.expectedFinish = finish;
    fresh.expectedWorkPrice = MoneyText(r.priceWrk);
    fresh.expectedMatPrice = MoneyText(r.priceMat);
    s = fresh;
  }
  return s;
}

bool PriceFieldsVisible(const TContractFormState& s) { return s.expectedPrice.empty(); }

TDocumentInfo ContractDocumentInfo(const TContractFormState& s, const Tautomobil& vehicle,
                                   const TContactRecord& customer, const Tzaznam& record) {
  TDocumentInfo info;
  LoadDocumentInfo(info, "");
  std::string work = s.expectedWorkPrice, material = s.expectedMatPrice, total = s.expectedPrice;
  if (!total.empty()) {
    work.clear();
    material.clear();
  } else {
    total = MoneyText(TypedPrice(work) + TypedPrice(material));
  }
  TParameters& p = info.Parameters;
  AddParameter(p, "%OVERTAKE_DATE%", DocDateTimeText(s.overtaken), 0);
  AddParameter(p, "%EXPECTED_FINISH%", DocDateTimeText(s.expectedFinish), 0);
  AddParameter(p, "%VEHICLE_STATE%", s.vehicleState, 0);
  AddParameter(p, "%VEHICLE_EQUIPMENT%", s.equipment, 0);
  AddParameter(p, "%COMMENT%", s.comment, 0);
  AddParameter(p, "%FAILURE_DESCRIPTION%", FailureDescriptionHtml(s.failureDescription), pfRaw);
  AddParameter(p, "%EXPECTED_WORK_PRICE%", work, 0);
  AddParameter(p, "%EXPECTED_MAT_PRICE%", material, 0);
  AddParameter(p, "%EXPECTED_PRICE%", total, 0);
  info.DocumentNumber = s.number;
  info.DocumentDate = Now();
  info.Label = JobLabel(vehicle, customer, record);
  return info;
}

bool CreateContractDocument(const TContractFormState& s, const S_FileName& output, const Tautomobil& vehicle,
                            const TContactRecord& customer, const Tzaznam& record) {
  return BuildStoredDocument(ContractTemplates(), ContractDocumentInfo(s, vehicle, customer, record), vehicle, customer,
                             record, output);
}

TIssueResult IssueContract(const TContractFormState& s, const Tautomobil& vehicle, const TContactRecord& customer,
                           Tzaznam& record, bool show) {
  return IssueNumberedDocument(
      TDocumentKind::Contract, s.number,
      "Zakázkový list s číslem " + s.number + " již existuje. Chcete jej opravdu přepsat?", record, show,
      [&](const S_FileName& output) { return CreateContractDocument(s, output, vehicle, customer, record); });
}
