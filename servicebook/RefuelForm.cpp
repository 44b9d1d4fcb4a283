#include "servicebook/RefuelForm.h"

#include "servicebook/RefuelTrip.h"
#include "servicebook/TypedNumbers.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

std::string Amount2(float v) { return v < 0 ? "" : FormatFixed(v, 2); }

// Empty, or a number of at least 0 within the bounds.
bool OptionalAmount(const std::string& text, float& value) {
  value = -1;
  if (TrimBlanks(text).empty()) return true;
  double v = 0;
  if (!ReadTypedAmount(TrimBlanks(text), v) || v < 0) return false;
  value = static_cast<float>(v);
  return true;
}

}  // namespace

void TRefuelForm::Open(const Tzaznam& record) {
  fields = TRefuelFields{};
  if (record.db.km >= 0) fields.km = std::to_string(record.db.km);
  TRefuelingRecord r;
  if (!DecodeRefueling(record.description, r))
    ShowMessage("Chyba", "Došlo k chybě při dekódování", TMsgIcon::Error);
  fields.litres = Amount2(r.litres);
  fields.literPrice = Amount2(r.literPrice);
  fields.full = r.full;
  fields.place = r.place;
  SetBoxDate(record.db.date >= 1 ? record.db.date : Today());
}

bool TRefuelForm::BoxDate(TDateTime& date) const {
  if (!IsInteger(fields.day) || !IsInteger(fields.month) || !IsInteger(fields.year)) return false;
  const long long d = ParseInteger(fields.day, 0), m = ParseInteger(fields.month, 0), y = ParseInteger(fields.year, 0);
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  if (!IsValidDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d))) return false;
  date = EncodeDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
  return true;
}

void TRefuelForm::SetBoxDate(TDateTime date) {
  const TDateParts p = DecodeDate(date);
  fields.day = std::to_string(p.day);
  fields.month = std::to_string(p.month);
  fields.year = std::to_string(p.year);
}

bool TRefuelForm::Confirm() {
  auto refuse = [](const char* text) {
    ShowMessage("Chyba", text, TMsgIcon::Warning);
    return false;
  };
  float v = 0;
  if (!OptionalAmount(fields.litres, v)) return refuse("Počet litrů je špatně vyplněn.");
  if (!OptionalAmount(fields.literPrice, v)) return refuse("Cena za litr je špatně vyplněna.");
  int32_t km = 0;
  if (!TrimBlanks(fields.km).empty() && !ReadTypedKm(TrimBlanks(fields.km), km))
    return refuse("Stav KM je špatně vyplněn.");
  TDateTime date = 0;
  if (!BoxDate(date)) return refuse("Datum je špatně vyplněn.");
  return true;
}

void TRefuelForm::WriteRecord(Tzaznam& record) const {
  TRefuelingRecord r;
  OptionalAmount(fields.litres, r.litres);
  OptionalAmount(fields.literPrice, r.literPrice);
  r.full = fields.full;
  r.place = fields.place;
  record.description = EncodeRefueling(r);
  int32_t km = -1;
  record.db.km = ReadTypedKm(TrimBlanks(fields.km), km) ? km : -1;
  TDateTime date = 0;
  record.db.date = BoxDate(date) ? date : Today();
}
