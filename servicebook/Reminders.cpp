#include "servicebook/Reminders.h"

#include <algorithm>
#include <cmath>

#include "catalogues/ContactRecord.h"
#include "catalogues/Contacts.h"
#include "storage/CarDb.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/RecDb.h"
#include "storage/TextUtils.h"

namespace {

// A price as the lists add it up: labour of -1 ("no price" in text style)
// and damaged amounts count as nothing.
float CountedAmount(float amount) { return std::isfinite(amount) && amount > 0 ? amount : 0.0f; }

std::string PriceColumn(const TzaznamDb& db, const TVatSettings& vat) {
  if (db.kind != kKindDone) return "";
  TzaznamDb counted = db;
  counted.priceWrk = CountedAmount(db.priceWrk);
  counted.priceMat = CountedAmount(db.priceMat);
  if (counted.priceWrk + counted.priceMat <= 0) return "";
  return PriceText(RecordPrice(counted, vat.taxPaid, true, vat.rate, true), false);
}

// Vehicles and owners of the listed rows, read once per vehicle.
struct TOwnerCache {
  int32_t vehicleID = -1;
  Tautomobil vehicle;
  bool ownerRead = false;
  TContactRecord owner;
};

void FillVehicleColumns(TReminderRow& row, TOwnerCache& cache, TCustomCarDb& cars, TCustomDb* customers) {
  if (cache.vehicleID != row.vehicleID) {
    cache.vehicleID = row.vehicleID;
    InitVehicle(cache.vehicle);
    cars.LoadCar(row.vehicleID, cache.vehicle);
    cache.ownerRead = LoadContact(customers, cache.vehicle.ownerID, cache.owner);
  }
  row.vehicle = VehicleDisplayName(cache.vehicle);
  if (cache.ownerRead) {
    row.customer = CustomerDisplayName(cache.owner);
    row.email = cache.owner.email;
    row.phones = cache.owner.phones;
  } else {
    row.customer = "<nezadán>";
  }
}

}  // namespace

const std::array<TReminderColumnInfo, kReminderColumnCount>& ReminderColumns() {
  static const std::array<TReminderColumnInfo, kReminderColumnCount> columns = {{
      {"Datum", 90, false},
      {"Vozidlo", 120, true},
      {"Zákazník", 120, true},
      {"E-mail", 150, true},
      {"Telefon", 120, true},
      {"Popis", 300, false},
      {"Cena", 70, true},
      {"Faktura", 70, true},
  }};
  return columns;
}

const std::string& ReminderCell(const TReminderRow& row, int column) {
  switch (column) {
    case kRemColDate: return row.date;
    case kRemColVehicle: return row.vehicle;
    case kRemColCustomer: return row.customer;
    case kRemColEmail: return row.email;
    case kRemColPhones: return row.phones;
    case kRemColDescription: return row.description;
    case kRemColPrice: return row.price;
    default: return row.invoice;
  }
}

std::array<bool, kReminderColumnCount> VisibleReminderColumns(const std::vector<TReminderRow>& rows) {
  std::array<bool, kReminderColumnCount> shown{};
  for (int c = 0; c < kReminderColumnCount; ++c) {
    if (!ReminderColumns()[static_cast<size_t>(c)].optional) {
      shown[static_cast<size_t>(c)] = true;
      continue;
    }
    shown[static_cast<size_t>(c)] =
        std::any_of(rows.begin(), rows.end(), [c](const TReminderRow& r) { return !ReminderCell(r, c).empty(); });
  }
  return shown;
}

bool IsListedReminder(const TRecordHead& head, TReminderView view, int64_t firstDay, int64_t lastDay) {
  if (view == TReminderView::Planned) {
    if (head.kind != kKindPlan && head.kind != kKindOrder) return false;
  } else if (head.kind != kKindDone || !(head.flags & kFlagUnpaid)) {
    return false;
  }
  const TDateTime due = RecordDate(head);
  if (!std::isfinite(due)) return false;  // damaged: no day to list it on
  // A plan without date and without km has no due date at all.
  if (view == TReminderView::Planned && due < 1) return false;
  const double day = std::floor(due);
  return day >= static_cast<double>(firstDay) && day <= static_cast<double>(lastDay);
}

std::vector<TReminderRow> ScanReminders(TCustomCarDb& cars, TCustomRecDb& records, TCustomDb* customers,
                                        const TReminderScanSettings& settings) {
  // Days outside the years 1..9999 are no dates a workshop keeps.
  constexpr int64_t kFirstDate = -693593, kLastDate = 2958465;
  const int64_t today = DayNumber(settings.today);
  const int64_t firstDay = std::max(kFirstDate, today - std::max(0, settings.daysBack));
  const int64_t lastDay = std::min(kLastDate, today + std::max(0, settings.daysAhead));
  std::vector<TReminderRow> rows;
  std::vector<TRecordHead> heads;
  TOwnerCache cache;
  for (int slot = 0; slot < cars.Count(); ++slot) {
    const int32_t vehicleID = cars.IDAt(slot);
    if (vehicleID < 0 || records.RecordCountOf(vehicleID) == 0) continue;
    records.LoadCarRecordHeads(vehicleID, heads);
    for (const TRecordHead& head : heads) {
      if (!IsListedReminder(head, settings.view, firstDay, lastDay)) continue;
      Tzaznam record;
      InitRecord(record, vehicleID, head.kind);
      if (!records.LoadCarRecord(head.ID, record)) {
        // The texts could not be read; the row still says what is due.
        record.db.ID = head.ID;
      }
      TReminderRow row;
      row.vehicleID = vehicleID;
      row.recordID = head.ID;
      row.kind = head.kind;
      row.dueDay = static_cast<int32_t>(std::floor(RecordDate(head)));
      row.overdue = row.dueDay < today;
      row.date = (row.overdue ? "* " : "") + DateText(row.dueDay);
      FillVehicleColumns(row, cache, cars, customers);
      row.description = OneLine(ActivitiesOneLine(head.kind, head.flags, record.description, settings.vat), ", ");
      row.price = PriceColumn(record.db, settings.vat);
      row.invoice = record.db.invoiceNrText;
      row.rawDescription = record.description;
      rows.push_back(std::move(row));
    }
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const TReminderRow& a, const TReminderRow& b) { return a.dueDay < b.dueDay; });
  return rows;
}

const std::array<TReminderInterval, 6>& ReminderIntervals() {
  static const std::array<TReminderInterval, 6> items = {{
      {"týden", 7},
      {"2 týdny", 14},
      {"měsíc", 31},
      {"3 měsíce", 92},
      {"6 měsíců", 183},
      {"vše", 999999},
  }};
  return items;
}

int ReminderIntervalIndex(int daysAhead) {
  const auto& items = ReminderIntervals();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].days == daysAhead) return static_cast<int>(i);
  return -1;
}

std::vector<size_t> MarkedReminderRows(const std::vector<bool>& checked, int selected) {
  std::vector<size_t> marked;
  for (size_t i = 0; i < checked.size(); ++i)
    if (checked[i]) marked.push_back(i);
  if (marked.empty() && selected >= 0 && static_cast<size_t>(selected) < checked.size())
    marked.push_back(static_cast<size_t>(selected));
  return marked;
}
