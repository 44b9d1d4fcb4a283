#pragma once
// The five catalogue records. Each begins with the common 64-byte header (ID,
// globalId string[31], 28 zero bytes); a "link" is the ID of another catalogue
// record or -1. Reserved areas travel through a read-modify-write unchanged.
//
//  TConcernRecord "GRP" 1280: 64 name string[63]; 128 reserved 1024 zero;
//      1152 32 links (-1)
//  TManufacturerRecord "MAN" 1424: 64 name string[31]; 96 country string[31];
//      128 url string[255]; 384..1151 four reserved string[255];
//      1408 concern link; 1412 3 reserved links (-1)
//  TModelRecord "MOD" 1396: 64 manufacturer link; 68 name string[31];
//      100 url string[255]; 356..1123 four reserved string[255];
//      1380 4 reserved links (-1)
//  TEngineRecord "ENG" 1404: 64 manufacturer link; 68 name string[31];
//      100 url string[255]; 356 fuel int32 (0 petrol, 1 diesel, 2 other, -1);
//      360 displacement int32 (cm3, -1 unknown); 364..1131 four reserved
//      string[255]; 1388 concern link; 1392 3 reserved links (-1)
//  TSubTypeRecord "STP" 1284: 64 model link; 68 name string[63];
//      132 reserved 1024 zero; 1156 32 links (-1)

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kConcernWidth = 1280;
inline constexpr int kManufacturerWidth = 1424;
inline constexpr int kModelWidth = 1396;
inline constexpr int kEngineWidth = 1404;
inline constexpr int kSubTypeWidth = 1284;

enum : int32_t { kFuelPetrol = 0, kFuelDiesel = 1, kFuelOther = 2, kFuelUnset = -1 };

struct TConcernRecord {
  int32_t ID = -1;
  std::string globalId;
  std::string name;
  std::array<uint8_t, kConcernWidth> image{};
};

struct TManufacturerRecord {
  int32_t ID = -1;
  std::string globalId;
  std::string name;
  std::string country;
  std::string url;
  int32_t concern = -1;
  std::array<uint8_t, kManufacturerWidth> image{};
};

struct TModelRecord {
  int32_t ID = -1;
  std::string globalId;
  int32_t manufacturer = -1;
  std::string name;
  std::string url;
  std::array<uint8_t, kModelWidth> image{};
};

struct TEngineRecord {
  int32_t ID = -1;
  std::string globalId;
  int32_t manufacturer = -1;
  std::string name;
  std::string url;
  int32_t fuel = kFuelUnset;
  int32_t displacement = -1;
  int32_t concern = -1;
  std::array<uint8_t, kEngineWidth> image{};
};

struct TSubTypeRecord {
  int32_t ID = -1;
  std::string globalId;
  int32_t model = -1;
  std::string name;
  std::array<uint8_t, kSubTypeWidth> image{};
};

// New records ("New record" column of the layouts): names empty, links and
// numbers -1; also the default records of the five stores.
void InitConcern(TConcernRecord& r);
void InitManufacturer(TManufacturerRecord& r);
void InitModel(TModelRecord& r);
void InitEngine(TEngineRecord& r);
void InitSubType(TSubTypeRecord& r);

void DecodeConcern(const uint8_t* b, TConcernRecord& r);
void EncodeConcern(const TConcernRecord& r, uint8_t* b);
void DecodeManufacturer(const uint8_t* b, TManufacturerRecord& r);
void EncodeManufacturer(const TManufacturerRecord& r, uint8_t* b);
void DecodeModel(const uint8_t* b, TModelRecord& r);
void EncodeModel(const TModelRecord& r, uint8_t* b);
void DecodeEngine(const uint8_t* b, TEngineRecord& r);
void EncodeEngine(const TEngineRecord& r, uint8_t* b);
void DecodeSubType(const uint8_t* b, TSubTypeRecord& r);
void EncodeSubType(const TSubTypeRecord& r, uint8_t* b);
