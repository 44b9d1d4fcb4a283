#pragma once
// A vehicle's service book for people outside the workshop: the printed
// list of records with the vehicle, the owner and the workshop's footer,
// and the same content as the text file "tmp.txt".

#include <cstddef>
#include <string>
#include <vector>

#include "catalogues/ContactRecord.h"
#include "servicebook/Activities.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

class TGarvPrinter;
class ITextCanvas;
struct TConfig;

// The records window's state as the print-out, text export and sending see
// it.
struct TServiceBookView {
  const Tautomobil* vehicle = nullptr;
  const TContactRecord* owner = nullptr;  // null when the owner cannot be read
  const AZaznamy* records = nullptr;
  std::vector<size_t> rowOrder;  // record indexes in list order (by date)
  int selected = -1;             // record index of the selected row, -1 none
};

// The amounts of a record: with `taxpaid`, material and labour with VAT at
// `taxrate` (labour without it when the record's noLaborVAT bit is set);
// the total rounded by the settings' rule.
struct TRecordAmounts {
  double material = 0;
  double labour = 0;
  double total = 0;
};
TRecordAmounts RecordAmounts(const TzaznamDb& record, bool taxPaid, double taxRate);
// Total + " (materiál " + material + " + práce " + labour + ")", each as
// money with the currency.
std::string PriceLine(const TzaznamDb& record, bool taxPaid, double taxRate);

// The VAT test of the amounts, for the value columns of activity lists: no
// VAT at all when the workshop does not add it.
TVatSettings ServiceBookVat(bool taxPaid, double taxRate);

// Prints the book on the printer's canvas: the selected row only, or every
// row in list order. Refuelling, trips and records with a negative labour
// price are left out.
void PrintServiceBook(TGarvPrinter& printer, ITextCanvas& canvas, const TServiceBookView& view, bool selectedOnly,
                      const TConfig& config);

// The lines of the text export, every row in list order.
std::vector<std::string> ServiceBookTextLines(const TServiceBookView& view, const TConfig& config);
// Writes "tmp.txt" in the data folder (a complete new file replaces the old
// one) and opens it with the desktop. False, after telling the user, when
// the file cannot be written.
bool ExportServiceBookText(const TServiceBookView& view, const TConfig& config);
