#include "servicebook/TripForm.h"

#include <cmath>

#include "servicebook/TypedNumbers.h"
#include "storage/Notifier.h"

namespace {

double Day(TDateTime d) { return std::floor(d); }
double TimeOfDay(TDateTime d) { return d - std::floor(d); }

bool Km(const std::string& text, int32_t& km) { return ReadTypedKm(text, km); }

}  // namespace

void TTripForm::Open(const Tzaznam& record) { DecodeTrip(record.description, fields, Now()); }

void TTripForm::KmChanged(TKmBox box) {
  int32_t begin = 0, end = 0, count = 0;
  const bool haveBegin = Km(fields.beginKM, begin);
  const bool haveEnd = Km(fields.endKM, end);
  const bool haveCount = Km(fields.countKM, count);
  if (box != TKmBox::Count && haveBegin && haveEnd) {
    fields.countKM = end >= begin ? std::to_string(end - begin) : "";
  } else if (box != TKmBox::End && haveBegin && haveCount) {
    const long long sum = static_cast<long long>(begin) + count;
    fields.endKM = std::to_string(sum);
  }
}

TDateTime TTripForm::BeginMoment() const {
  return Day(fields.beginDate) + (fields.beginTimeUsed ? TimeOfDay(fields.beginTime) : 0);
}

TDateTime TTripForm::EndMoment() const {
  return Day(fields.endDate) + (fields.endTimeUsed ? TimeOfDay(fields.endTime) : 0.999999999);
}

bool TTripForm::Confirm() {
  auto refuse = [](const char* text) {
    ShowMessage("Chyba", text, TMsgIcon::Warning);
    return false;
  };
  if (BeginMoment() > EndMoment()) return refuse("Počáteční datum je vetší než koncové!");
  int32_t begin = 0, end = 0, count = 0;
  const bool haveBegin = Km(fields.beginKM, begin);
  const bool haveEnd = Km(fields.endKM, end);
  const bool haveCount = Km(fields.countKM, count);
  if ((!fields.beginKM.empty() && !haveBegin) || (!fields.endKM.empty() && !haveEnd) ||
      (!fields.countKM.empty() && !haveCount))
    return refuse("Stavy KM nejsou vpořádku!");
  if (haveBegin && haveEnd && end < begin) return refuse("Počáteční stav KM je větší než koncový stav KM!");
  if (haveBegin && haveEnd && haveCount && end - begin != count)
    return refuse("Počet KM nesedí s počátečním a koncovým stavem!");
  return true;
}

void TTripForm::WriteRecord(Tzaznam& record) const {
  int32_t km = -1;
  record.db.km = Km(fields.beginKM, km) ? km : -1;
  record.db.date = Day(fields.beginDate);
  record.description = EncodeTrip(fields);
}
