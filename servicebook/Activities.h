#pragma once
// The structured description of a service record: a list of activities
// (work, priced by the hour) and materials (priced by the piece).
//
// Encoded form (character codes in hexadecimal):
//   header     04
//   each line  01 text 03 itemType 03 icon 03 color 03 price 03 count 03
//              purchasePrice [03 "FLG:InvoiceHidden"] 02
// Amounts have exactly three decimals and a full stop ("150.000", "-1.500").
// A line's text never holds 01..04. A description that is empty or does not
// start with 04 is free text.

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t kDefaultActivityColor = 0x008000;

struct TActRecord {
  uint8_t itemType = 0;  // 0 activity, 1 material
  int32_t icon = -1;
  int32_t color = kDefaultActivityColor;  // 0x00BBGGRR
  float price = 0;
  float count = 0;
  float purchasePrice = 0;
  std::string text;
  bool showOnInvoice = true;
};

using TActRecordList = std::vector<TActRecord>;

enum : uint8_t { kItemActivity = 0, kItemMaterial = 1 };

std::string EncodeActivities(const TActRecordList& list);
// Fills `list`; true when the text is structured and every line decodes. On
// failure the lines decoded so far stay in the list.
bool DecodeActivities(const std::string& description, TActRecordList& list);

// Replaces the control characters 01..04 that a line's text must not hold.
std::string CleanActivityText(const std::string& text);

// How the VAT rule applies to a rendering.
struct TVatSettings {
  bool taxPaid = true;  // taxpaid
  double rate = 21;     // taxrate, per cent
};

// 1 + rate/100 when the workshop pays VAT; 1 otherwise, and 1 for a rate
// that would make the factor 0 or negative.
double VatFactor(const TVatSettings& vat);

// The amount with VAT: only when the workshop pays VAT; then for material
// always and for an activity when labour VAT applies (the record's
// noLaborVAT bit is clear).
double AmountWithVat(double amount, uint8_t itemType, uint32_t recordFlags, const TVatSettings& vat);

// "H:MM" for an activity's hours, two decimals for material.
std::string QuantityText(uint8_t itemType, double count);

// Σ count × price and Σ (price − purchasePrice) × count.
double ActivitiesTotal(const TActRecordList& list);
double ActivitiesMargin(const TActRecordList& list);

// Display or print text of any description: free text as it is, activity
// lists line by line, refuelling and trip texts as their one-line
// descriptions. A `valueSeparator` of '\0' leaves out the value columns.
std::string FormatActivities(int32_t kind, uint32_t flags, const std::string& description, int indent,
                             const std::string& between, const std::string& afterEach, char valueSeparator,
                             const TVatSettings& vat);

// The list-column form: items joined by "; ", materials hidden.
std::string ActivitiesOneLine(int32_t kind, uint32_t flags, const std::string& description, const TVatSettings& vat);
// The description pane and the text export: one item per line (CR LF),
// materials indented by four blanks under their activity.
std::string ActivitiesDescriptionText(int32_t kind, uint32_t flags, const std::string& description,
                                      const TVatSettings& vat);
// The print-out: as the description pane, each shown line followed by three
// TAB-separated columns (quantity, unit price with VAT, line total), empty
// when the quantity is not above 0.
std::string ActivitiesPrintText(int32_t kind, uint32_t flags, const std::string& description, const TVatSettings& vat);
