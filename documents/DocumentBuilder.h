#pragma once
// The document builder: a record, its vehicle and customer and the document
// header, filled into the page, row, header and footer templates, paginated,
// written to disk and converted to PDF.
//
// Totals: B (without VAT) and G (with VAT) run over the printed rows of all
// pages. Rounding (settings `invoicerounding`, `roundto`) is applied once, on
// the last page: the total with VAT becomes round(G) and the base moves by
// the same difference without its VAT; the VAT shown is total − base. So the
// totals never depend on how many items fit on a page, and labour without
// VAT stays without VAT in the total.

#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentInfo.h"
#include "storage/FileSystem.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

// The templates of one kind of document; an empty name reads as empty text.
struct TTemplateSet {
  S_FileName page, labourRow, materialRow, footer, header;
};

TTemplateSet InvoiceTemplates();   // "templates\invoice*.html"
TTemplateSet ContractTemplates();  // "templates\contract*.html", no header or footer
TTemplateSet ReceiptTemplates();   // "templates\receipt*.html", no header or footer

inline constexpr const char* kFeeItemText = "Poplatek za způsob platby";
inline constexpr const char* kPageBreak = "<p style=\"page-break-after: always;\">&nbsp;</p>";

struct TBuiltDocument {
  std::string text;  // UTF-8, without the final line end
  int pages = 1;
  int itemsPerPage = 0;
  double base = 0;      // B after rounding
  double total = 0;     // G after rounding
  double rounding = 0;  // D
};

// Fills the templates; reads the settings but writes nothing.
TBuiltDocument BuildDocumentText(const TTemplateSet& templates, const Tzaznam& record,
                                 const TContactRecord& customer, const Tautomobil& vehicle, const TDocumentInfo& info);

// Writes the built document over `output` safely (the old file stays until
// the new one is complete), then makes its ".PDF" (the old PDF is removed
// first, so a stale PDF is never shown). True when the HTML was written; a
// failed conversion has been reported and does not change the result.
bool WriteDocument(const TBuiltDocument& document, const S_FileName& output);

bool BuildDocument(const S_FileName& pageTemplate, const S_FileName& labourRowTemplate,
                   const S_FileName& materialRowTemplate, const Tzaznam& record, const TContactRecord& customer,
                   const Tautomobil& vehicle, const TDocumentInfo& info, const S_FileName& output,
                   const S_FileName& footerTemplate, const S_FileName& headerTemplate);
