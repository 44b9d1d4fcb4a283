#include "shell/CalendarEvent.h"

#include <cstring>

#include "servicebook/Activities.h"
#include "storage/Codec.h"
#include "storage/Coding.h"

namespace {

std::string ReplaceCrLf(const std::string& text, const std::string& by) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += by;
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string WorkOneLine(const Tzaznam& record) {
  return ActivitiesOneLine(record.db.kind, record.db.flags, record.description, TVatSettings{});
}

std::string EmptyEvent(int32_t command, const std::string& globalId) {
  std::string bytes(kCalendarEventSize, '\0');
  uint8_t* p = reinterpret_cast<uint8_t*>(bytes.data());
  EncodeInt32(p, command);
  EncodeCountedString(p + 8, 31, globalId);
  return bytes;
}

}  // namespace

int32_t CalendarKindColor(int32_t kind) {
  switch (kind) {
    case kKindDone: return 0xFFFFFF;
    case kKindPlan: return 0x00FF00;
    case kKindPlanNoWarn: return 0x00B900;
    case kKindOrder: return 0x0080FF;
    case kKindRefuel: return 0xFFD080;
    case kKindTrip: return 0x80FFFF;
    default: return 0x0000FF;
  }
}

std::string CalendarEventTitle(const Tzaznam& record, const TContactRecord& owner) {
  std::string title = TruncateChars(owner.surname + ": ", 52);
  title += TruncateChars(ReplaceCrLf(WorkOneLine(record), ", "), 32);
  return TruncateChars(title, 255);
}

std::string CalendarEventBody(const Tzaznam& record, const Tautomobil& v, const TContactRecord& owner) {
  const char* crlf = "\r\n";
  std::string body;
  body += owner.firstName + " " + owner.surname + crlf;
  body += owner.street + crlf;
  body += owner.city + crlf;
  body += "tel. " + owner.phones + crlf;
  body += "e-mail: " + owner.email + crlf;
  body += crlf;
  body += v.manufacturer + " " + v.model + " " + v.subtype + ", " + v.engine + " r.v. " + YearText(v) + crlf;
  body += "RZ: " + v.tag + ", VIN: " + v.vin + crlf;
  body += crlf;
  body += WorkOneLine(record);
  return body;
}

TDateTime CalendarEventStart(const TzaznamDb& d) {
  TDateTime start = RecordDate(d);
  if (d.time > 0) start += d.time / 1440.0;
  return start;
}

std::string BuildAddOrChangeEvent(const Tzaznam& record, const Tautomobil& vehicle, const TContactRecord& owner) {
  std::string bytes = EmptyEvent(kCalendarAddOrChange, record.db.globalId);
  uint8_t* p = reinterpret_cast<uint8_t*>(bytes.data());
  EncodeCountedString(p + 40, 255, CalendarEventTitle(record, owner));
  std::string body = Utf8ToCp1250(CalendarEventBody(record, vehicle, owner));
  if (body.size() > 1023) body.resize(1023);
  std::memcpy(p + 296, body.data(), body.size());  // the rest stays zero: the terminator
  EncodeDouble(p + 1320, CalendarEventStart(record.db));
  p[1328] = (record.db.kind == kKindPlan || record.db.kind == kKindOrder) ? 1 : 0;
  EncodeInt32(p + 1332, record.db.duration);
  EncodeInt32(p + 1336, -10080);
  EncodeInt32(p + 1340, CalendarKindColor(record.db.kind));
  EncodeInt32(p + 1344, record.db.kind);
  return bytes;
}

std::string BuildDeleteEvent(const Tzaznam& record) { return EmptyEvent(kCalendarDelete, record.db.globalId); }

std::string BuildEndBatchEvent() { return EmptyEvent(kCalendarEndBatch, ""); }

bool CalendarRequestSelects(const TzaznamDb& d, int32_t firstDay, int32_t lastDay) {
  TDateTime date = RecordDate(d);
  if (date >= lastDay + 1.0) return false;  // after the last day
  return date >= firstDay || d.kind == kKindPlan || d.kind == kKindOrder;
}
