#include "storage/Vehicle.h"

#include <cmath>
#include <cstring>

#include "storage/Coding.h"

namespace {

// Offsets of the layout above.
enum : int {
  kOffID = 0, kOffGlobalId = 4, kOffTag = 64, kOffManufacturer = 128, kOffModel = 192,
  kOffSubtype = 256, kOffEngine = 320, kOffColor = 384, kOffYear = 448, kOffVin = 452,
  kOffEngineNumber = 516, kOffComments = 580, kOffOwner = 584, kOffLastService = 592,
  kOffMonth = 600, kOffArchived = 604, kOffReserved = 608, kReservedCount = 125, kOffLayoutMark = 1108,
};

void FillReservedWithMinusOne(uint8_t* bytes) {
  for (int i = 0; i < kReservedCount; ++i) EncodeInt32(bytes + kOffReserved + 4 * i, -1);
}

}  // namespace

void InitVehicle(Tautomobil& v) {
  v = Tautomobil{};
  v.image.fill(0);
  v.ID = 0;
  v.year = 0;
  v.commentsBLOBID = -1;
  v.ownerID = -1;
  v.month = -1;
  v.archived = 0;
  v.layoutMark = -1;
  FillReservedWithMinusOne(v.image.data());
  EncodeVehicle(v, v.image.data());
}

void DecodeVehicle(const uint8_t* b, Tautomobil& v) {
  std::memcpy(v.image.data(), b, kVehicleWidth);
  v.ID = DecodeInt32(b + kOffID);
  v.globalId = DecodeCountedString(b + kOffGlobalId, 31);
  v.tag = DecodeCountedString(b + kOffTag, 63);
  v.manufacturer = DecodeCountedString(b + kOffManufacturer, 63);
  v.model = DecodeCountedString(b + kOffModel, 63);
  v.subtype = DecodeCountedString(b + kOffSubtype, 63);
  v.engine = DecodeCountedString(b + kOffEngine, 63);
  v.color = DecodeCountedString(b + kOffColor, 63);
  v.year = DecodeInt32(b + kOffYear);
  v.vin = DecodeCountedString(b + kOffVin, 63);
  v.engineNumber = DecodeCountedString(b + kOffEngineNumber, 63);
  v.commentsBLOBID = DecodeInt32(b + kOffComments);
  v.ownerID = DecodeInt32(b + kOffOwner);
  v.lastService = DecodeDouble(b + kOffLastService);
  v.month = DecodeInt32(b + kOffMonth);
  v.archived = DecodeFixed32(b + kOffArchived);
  v.layoutMark = DecodeInt32(b + kOffLayoutMark);
}

void EncodeVehicle(const Tautomobil& v, uint8_t* b) {
  if (b != v.image.data()) std::memcpy(b, v.image.data(), kVehicleWidth);
  EncodeInt32(b + kOffID, v.ID);
  EncodeCountedString(b + kOffGlobalId, 31, v.globalId);
  EncodeCountedString(b + kOffTag, 63, v.tag);
  EncodeCountedString(b + kOffManufacturer, 63, v.manufacturer);
  EncodeCountedString(b + kOffModel, 63, v.model);
  EncodeCountedString(b + kOffSubtype, 63, v.subtype);
  EncodeCountedString(b + kOffEngine, 63, v.engine);
  EncodeCountedString(b + kOffColor, 63, v.color);
  EncodeInt32(b + kOffYear, v.year);
  EncodeCountedString(b + kOffVin, 63, v.vin);
  EncodeCountedString(b + kOffEngineNumber, 63, v.engineNumber);
  EncodeInt32(b + kOffComments, v.commentsBLOBID);
  EncodeInt32(b + kOffOwner, v.ownerID);
  EncodeDouble(b + kOffLastService, v.lastService);
  EncodeInt32(b + kOffMonth, v.month);
  EncodeFixed32(b + kOffArchived, v.archived);
  EncodeInt32(b + kOffLayoutMark, v.layoutMark);
}

void ApplyVehicleReadCorrections(Tautomobil& v) {
  if (!(v.lastService >= 0)) v.lastService = 0;  // negative or not a number
  if (v.lastService > EncodeDate(2050, 1, 1)) v.lastService = EncodeDate(2000, 1, 1);
  if (v.layoutMark != -1) v.month = 0;
  v.layoutMark = -1;
  FillReservedWithMinusOne(v.image.data());
  EncodeInt32(v.image.data() + kOffLayoutMark, -1);
}

std::string YearText(const Tautomobil& v) {
  if (v.year < 1) return "?";
  std::string text;
  if (v.month >= 1 && v.month <= 12) text = std::to_string(v.month) + "/";
  return text + std::to_string(v.year);
}

std::string VehicleDisplayName(const Tautomobil& v) {
  std::string text = v.manufacturer;
  for (const std::string* part : {&v.model, &v.subtype}) {
    if (part->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *part;
  }
  if (!text.empty()) text += ' ';
  text += std::to_string(v.year);
  if (!v.tag.empty()) text += " - " + v.tag;
  return text;
}
