#include "servicebook/MailPlaceholders.h"

#include "storage/TextUtils.h"
#include "storage/Vehicle.h"
#include "storage/Version.h"

std::string ReplaceVehiclePlaceholders(std::string text, const Tautomobil& vehicle) {
  text = ReplaceAll(std::move(text), "%SPZ", vehicle.tag);
  return ReplaceAll(std::move(text), "%ZNACKA", vehicle.manufacturer + " " + vehicle.model + " " + vehicle.subtype);
}

std::string ReplaceProgramUrl(std::string text) {
  return ReplaceAll(std::move(text), "%PROGRAM_URL", kProgramDownloadAddress);
}
