#pragma once
// What the three document windows share when a document is issued: the
// labels, the record's number fields, the checks before writing and the
// messages.

#include <functional>
#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentBuilder.h"
#include "documents/DocumentStore.h"
#include "storage/FileSystem.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

// What issuing gave: `done` false means the window stays open for another
// try (something was reported or the user said no).
struct TIssueResult {
  bool done = false;
  bool recordChanged = false;  // the record's number changed; store it
  S_FileName document;
};

// The record's activities in one line: each followed by "; ", line breaks as
// ", ".
std::string ActivitiesLabelText(const Tzaznam& record);
// Make, model, "(plate)", the customer's display name and the activities,
// cut to 80 characters ("..." after 77) and escaped.
std::string InvoiceLabel(const Tautomobil& vehicle, const TContactRecord& customer, const Tzaznam& record);
// Make, model, "(plate)", "surname, first name" and the activities; escaped
// (item texts come from received files), not cut.
std::string JobLabel(const Tautomobil& vehicle, const TContactRecord& customer, const Tzaznam& record);

// The number of the record's document of that kind ("" when none).
std::string RecordDocumentNumber(const TzaznamDb& record, TDocumentKind kind);
// Stores the number as text (the numeric field becomes -1), at most 31
// characters.
void SetRecordDocumentNumber(TzaznamDb& record, TDocumentKind kind, const std::string& number);
// The stored text field of the number (what "changed" compares with).
const std::string& RecordDocumentNumberText(const TzaznamDb& record, TDocumentKind kind);

// A stored document counts as the record's own when its "%REC_ID%" is the
// record's ID or absent (-1, the earlier format).
bool DocumentBelongsTo(const std::string& documentText, int32_t recordId);

// Checks the number (reported when unusable), creates the folder and asks
// before overwriting `question` + "?"-style text. The output file, or an
// empty name when the window must stay open.
S_FileName PrepareOutput(TDocumentKind kind, const std::string& number, const std::string& overwriteQuestion);

// Builds the document into `output`; a failure is reported ("Ukládání
// souboru "…" selhalo.").
bool BuildStoredDocument(const TTemplateSet& templates, const TDocumentInfo& info, const Tautomobil& vehicle,
                         const TContactRecord& customer, const Tzaznam& record, const S_FileName& output);

// Issuing a job sheet or a receipt: the output is prepared, `create` builds
// it, the record takes the number when it differs from the record's text
// field, and the document is shown when asked.
TIssueResult IssueNumberedDocument(TDocumentKind kind, const std::string& number,
                                   const std::string& overwriteQuestion, Tzaznam& record, bool show,
                                   const std::function<bool(const S_FileName& output)>& create);
// The message shown for a damaged stored document; the window goes on with
// the defaults.
void ReportDamagedDocument(const S_FileName& file, const std::string& what);
