#pragma once
// The vehicle, `Tautomobil`: a fixed 1112-byte record of db_cars.dat
// (table tag "CAR") followed in memory by its comments (a blob of
// db_cars_blob.dat) and the owner's display name (a cache, never stored).
//
// Layout (little-endian):
//    0  64  header: ID int32, globalId string[31], 28 reserved zero bytes
//   64  64  tag string[63]            128  64  manufacturer string[63]
//  192  64  model string[63]          256  64  subtype string[63]
//  320  64  engine string[63]         384  64  color string[63]
//  448   4  year int32                452  64  vin string[63]
//  516  64  engineNumber string[63]   580   4  commentsBLOBID int32
//  584   4  ownerID int32             588   4  reserved
//  592   8  lastService date          600   4  month int32
//  604   4  archived uint32           608 500  125 reserved int32, all -1
// 1108   4  layoutMark int32 (-1)

#include <array>
#include <cstdint>
#include <string>

#include "storage/DateTime.h"

inline constexpr int kVehicleWidth = 1112;
inline constexpr uint32_t kArchivedMark = 0x70164854;

struct Tautomobil {
  int32_t ID = -1;
  std::string globalId;
  std::string tag;
  std::string manufacturer;
  std::string model;
  std::string subtype;
  std::string engine;
  std::string color;
  int32_t year = 0;
  std::string vin;
  std::string engineNumber;
  int32_t commentsBLOBID = -1;
  int32_t ownerID = -1;
  TDateTime lastService = 0;
  int32_t month = -1;
  uint32_t archived = 0;
  int32_t layoutMark = -1;

  // In memory only.
  std::string comments;
  std::string ownerName;  // cache filled by the vehicle list

  // The record as last read or initialised; bytes without an assigned meaning
  // travel through a read-modify-write unchanged.
  std::array<uint8_t, kVehicleWidth> image{};

  bool IsArchived() const { return archived == kArchivedMark; }
};

// Every byte zero and both texts empty, then commentsBLOBID, ownerID and
// month -1, not archived, the reserved int32 and layoutMark -1. Also the
// default record of the vehicle file.
void InitVehicle(Tautomobil& vehicle);

// Field-by-field coding of the 1112-byte image.
void DecodeVehicle(const uint8_t* bytes, Tautomobil& vehicle);
void EncodeVehicle(const Tautomobil& vehicle, uint8_t* bytes);

// Repairs applied every time a vehicle is read from its file: an impossible
// last-service date, the month of records written before it existed, and the
// reserved area.
void ApplyVehicleReadCorrections(Tautomobil& vehicle);

// "?" for an unknown year; else "M/" when the month is 1..12, then the year.
std::string YearText(const Tautomobil& vehicle);

// Make, model, subtype, year and " - " plate, as the lists show a vehicle.
std::string VehicleDisplayName(const Tautomobil& vehicle);
