#include "shell/VehicleInfoText.h"

#include <initializer_list>

#include "storage/TextUtils.h"

namespace {

std::string JoinPresent(std::initializer_list<std::string> parts, const std::string& separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (TrimBlanks(part).empty()) continue;
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

}  // namespace

std::string InfoVehicleType(const Tautomobil& v) {
  return JoinPresent({JoinPresent({v.manufacturer, v.model, v.subtype}, " "), YearText(v)}, ", ");
}

std::string InfoPlateLine(const Tautomobil& v) { return JoinPresent({v.tag, v.vin}, " / "); }
