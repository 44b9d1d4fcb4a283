#pragma once
// The reminders' scan: the records of every vehicle that need attention, in
// one of two views.
//  - planned: PLAN and ORDER records whose due date lies in a window of days
//    around today (PLAN_NOWARN never);
//  - unpaid: DONE records with the unpaid bit, whatever their date.
// The due date is RecordDate: the effective date the records window stored
// (a plan's estimate by mileage), else the record's date.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "servicebook/Activities.h"
#include "storage/DateTime.h"

class TCustomCarDb;
class TCustomRecDb;
class TCustomDb;

enum class TReminderView { Planned, Unpaid };

// The unpaid view looks this many days back and ahead.
inline constexpr int kUnpaidViewDays = 1000000;

struct TReminderRow {
  int32_t vehicleID = -1;
  int32_t recordID = -1;
  int32_t kind = 0;
  int32_t dueDay = 0;  // whole days, for sorting and colouring
  bool overdue = false;
  // The visible columns, in order.
  std::string date;         // "* " when overdue, then the due date
  std::string vehicle;      // VehicleDisplayName
  std::string customer;     // the owner, or "<nezadán>"
  std::string email;        // empty without owner
  std::string phones;       // empty without owner
  std::string description;  // the records window's one-line activity text
  std::string price;        // DONE records with a price: amount without currency
  std::string invoice;      // invoiceNrText
  std::string rawDescription;
};

enum TReminderColumn : int {
  kRemColDate,
  kRemColVehicle,
  kRemColCustomer,
  kRemColEmail,
  kRemColPhones,
  kRemColDescription,
  kRemColPrice,
  kRemColInvoice,
  kReminderColumnCount
};

struct TReminderColumnInfo {
  const char* caption;
  int width;      // pixels when shown
  bool optional;  // shown only when a row has a value in it
};

const std::array<TReminderColumnInfo, kReminderColumnCount>& ReminderColumns();
const std::string& ReminderCell(const TReminderRow& row, int column);
// Which columns to show: the fixed ones always, an optional one when at least
// one row has a value in it.
std::array<bool, kReminderColumnCount> VisibleReminderColumns(const std::vector<TReminderRow>& rows);

struct TReminderScanSettings {
  TReminderView view = TReminderView::Planned;
  int daysBack = 30;
  int daysAhead = 14;
  TDateTime today = 0;  // its day counts
  TVatSettings vat;     // the "Cena" column: VAT when the workshop pays it
};

// Scans every vehicle of the store in store order (skipping entries without
// a valid ID) and returns the listed rows sorted by due day. Only the fixed
// parts of the records are read; texts, vehicles and owners are loaded for
// the listed rows alone. `customers` may be null (no owners shown).
std::vector<TReminderRow> ScanReminders(TCustomCarDb& cars, TCustomRecDb& records, TCustomDb* customers,
                                        const TReminderScanSettings& settings);

// Whether a record with this head belongs in the view, given the first and
// last listed day.
struct TRecordHead;
bool IsListedReminder(const TRecordHead& head, TReminderView view, int64_t firstDay, int64_t lastDay);

// The interval box: captions and the days ahead they mean.
struct TReminderInterval {
  const char* caption;
  int days;
};
const std::array<TReminderInterval, 6>& ReminderIntervals();
// The item whose day count equals `daysAhead`, or -1.
int ReminderIntervalIndex(int daysAhead);

// The rows the commands act on: the checked ones; when none is checked, the
// selected row (if any).
std::vector<size_t> MarkedReminderRows(const std::vector<bool>& checked, int selected);
