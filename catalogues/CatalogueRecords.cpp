#include "catalogues/CatalogueRecords.h"

#include <cstring>

#include "storage/Coding.h"

namespace {

void FillLinks(uint8_t* b, int offset, int count) {
  for (int i = 0; i < count; ++i) EncodeInt32(b + offset + 4 * i, -1);
}

template <typename R>
void DecodeHeader(const uint8_t* b, R& r) {
  std::memcpy(r.image.data(), b, r.image.size());
  r.ID = DecodeInt32(b);
  r.globalId = DecodeCountedString(b + 4, 31);
}

template <typename R>
void EncodeHeader(const R& r, uint8_t* b) {
  if (b != r.image.data()) std::memcpy(b, r.image.data(), r.image.size());
  EncodeInt32(b, r.ID);
  EncodeCountedString(b + 4, 31, r.globalId);
}

template <typename R>
void ResetImage(R& r) {
  r = R{};
  r.image.fill(0);
  r.ID = 0;
}

}  // namespace

void InitConcern(TConcernRecord& r) {
  ResetImage(r);
  FillLinks(r.image.data(), 1152, 32);
}

void InitManufacturer(TManufacturerRecord& r) {
  ResetImage(r);
  r.concern = -1;
  FillLinks(r.image.data(), 1408, 4);
}

void InitModel(TModelRecord& r) {
  ResetImage(r);
  r.manufacturer = -1;
  EncodeInt32(r.image.data() + 64, -1);
  FillLinks(r.image.data(), 1380, 4);
}

void InitEngine(TEngineRecord& r) {
  ResetImage(r);
  r.manufacturer = r.fuel = r.displacement = r.concern = -1;
  EncodeInt32(r.image.data() + 64, -1);
  EncodeInt32(r.image.data() + 356, -1);
  EncodeInt32(r.image.data() + 360, -1);
  FillLinks(r.image.data(), 1388, 4);
}

void InitSubType(TSubTypeRecord& r) {
  ResetImage(r);
  r.model = -1;
  EncodeInt32(r.image.data() + 64, -1);
  FillLinks(r.image.data(), 1156, 32);
}

void DecodeConcern(const uint8_t* b, TConcernRecord& r) {
  DecodeHeader(b, r);
  r.name = DecodeCountedString(b + 64, 63);
}

void EncodeConcern(const TConcernRecord& r, uint8_t* b) {
  EncodeHeader(r, b);
  EncodeCountedString(b + 64, 63, r.name);
}

void DecodeManufacturer(const uint8_t* b, TManufacturerRecord& r) {
  DecodeHeader(b, r);
  r.name = DecodeCountedString(b + 64, 31);
  r.country = DecodeCountedString(b + 96, 31);
  r.url = DecodeCountedString(b + 128, 255);
  r.concern = DecodeInt32(b + 1408);
}

void EncodeManufacturer(const TManufacturerRecord& r, uint8_t* b) {
  EncodeHeader(r, b);
  EncodeCountedString(b + 64, 31, r.name);
  EncodeCountedString(b + 96, 31, r.country);
  EncodeCountedString(b + 128, 255, r.url);
  EncodeInt32(b + 1408, r.concern);
}

void DecodeModel(const uint8_t* b, TModelRecord& r) {
  DecodeHeader(b, r);
  r.manufacturer = DecodeInt32(b + 64);
  r.name = DecodeCountedString(b + 68, 31);
  r.url = DecodeCountedString(b + 100, 255);
}

void EncodeModel(const TModelRecord& r, uint8_t* b) {
  EncodeHeader(r, b);
  EncodeInt32(b + 64, r.manufacturer);
  EncodeCountedString(b + 68, 31, r.name);
  EncodeCountedString(b + 100, 255, r.url);
}

void DecodeEngine(const uint8_t* b, TEngineRecord& r) {
  DecodeHeader(b, r);
  r.manufacturer = DecodeInt32(b + 64);
  r.name = DecodeCountedString(b + 68, 31);
  r.url = DecodeCountedString(b + 100, 255);
  r.fuel = DecodeInt32(b + 356);
  r.displacement = DecodeInt32(b + 360);
  r.concern = DecodeInt32(b + 1388);
}

void EncodeEngine(const TEngineRecord& r, uint8_t* b) {
  EncodeHeader(r, b);
  EncodeInt32(b + 64, r.manufacturer);
  EncodeCountedString(b + 68, 31, r.name);
  EncodeCountedString(b + 100, 255, r.url);
  EncodeInt32(b + 356, r.fuel);
  EncodeInt32(b + 360, r.displacement);
  EncodeInt32(b + 1388, r.concern);
}

void DecodeSubType(const uint8_t* b, TSubTypeRecord& r) {
  DecodeHeader(b, r);
  r.model = DecodeInt32(b + 64);
  r.name = DecodeCountedString(b + 68, 63);
}

void EncodeSubType(const TSubTypeRecord& r, uint8_t* b) {
  EncodeHeader(r, b);
  EncodeInt32(b + 64, r.model);
  EncodeCountedString(b + 68, 63, r.name);
}
