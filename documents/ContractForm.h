#pragma once
// The job-sheet window's rules ("zakázkový list"): what it shows for a
// record, and issuing the job sheet.

#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentInfo.h"
#include "documents/DocumentIssue.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

struct TContractFormState {
  std::string existingNumber;  // empty: none issued for the record yet
  std::string number;
  TDateTime overtaken = 0;       // take-over date and time
  TDateTime expectedFinish = 0;  // expected completion
  std::string vehicleState, equipment, failureDescription, comment;  // CR LF between lines
  std::string expectedWorkPrice, expectedMatPrice;
  std::string expectedPrice;  // typed instead of the two; hides them when not empty
};

TContractFormState OpenContractForm(const Tzaznam& record);
// The labour and material fields are shown only while no total is typed.
bool PriceFieldsVisible(const TContractFormState& state);

TDocumentInfo ContractDocumentInfo(const TContractFormState& state, const Tautomobil& vehicle,
                                   const TContactRecord& customer, const Tzaznam& record);
bool CreateContractDocument(const TContractFormState& state, const S_FileName& output, const Tautomobil& vehicle,
                            const TContactRecord& customer, const Tzaznam& record);
TIssueResult IssueContract(const TContractFormState& state, const Tautomobil& vehicle,
                           const TContactRecord& customer, Tzaznam& record, bool show);

// The failure description as stored: escaped, each line break "<br/>".
std::string FailureDescriptionHtml(const std::string& text);
// And back: "<br/>" as CR LF, the escaping undone (leniently).
std::string FailureDescriptionText(const std::string& html);
