#include "catalogues/CatalogueStores.h"

#include "storage/CustomDb.h"

namespace {

template <typename R>
using TDecode = void (*)(const uint8_t*, R&);
template <typename R>
using TEncode = void (*)(const R&, uint8_t*);

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

template <typename R>
std::vector<R> ReadAll(TCustomDb* store, int width, TDecode<R> decode) {
  std::vector<R> out;
  if (!store || store->RecordWidth() != width) return out;
  std::vector<int> slots;
  for (int i = 0; i < store->Count(); ++i)
    if (store->IDAt(i) >= 0) slots.push_back(i);
  std::vector<std::string> records;
  std::vector<bool> ok;
  store->ReadSlots(slots, records, ok);
  out.reserve(slots.size());
  for (size_t k = 0; k < slots.size(); ++k) {
    if (!ok[k]) continue;
    R r;
    decode(Bytes(records[k]), r);
    if (r.ID < 0) continue;
    out.push_back(std::move(r));
  }
  return out;
}

template <typename R>
bool ReadOne(TCustomDb* store, int width, int32_t id, R& r, TDecode<R> decode) {
  if (!store || id < 0 || store->RecordWidth() != width) return false;
  std::string bytes;
  if (!store->ReadRecord(id, bytes)) return false;
  decode(Bytes(bytes), r);
  return r.ID == id;
}

template <typename R>
std::string ToBytes(const R& r, int width, TEncode<R> encode) {
  std::string bytes(static_cast<size_t>(width), '\0');
  encode(r, reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

template <typename R>
bool Create(TCustomDb* store, int width, R& r, TEncode<R> encode, TDecode<R> decode) {
  if (!store || store->RecordWidth() != width) return false;
  std::string bytes = ToBytes(r, width, encode);
  if (!store->CreateRecord(bytes, r.globalId)) return false;
  decode(Bytes(bytes), r);
  return true;
}

template <typename R>
bool Write(TCustomDb* store, int width, const R& r, TEncode<R> encode) {
  if (!store || r.ID < 0 || store->RecordWidth() != width) return false;
  return store->WriteRecord(ToBytes(r, width, encode));
}

template <typename R>
bool Erase(TCustomDb* store, int width, const R& r, TEncode<R> encode) {
  if (!store || r.ID < 0 || store->RecordWidth() != width) return false;
  std::string bytes = ToBytes(r, width, encode);
  return store->EraseRecord(bytes);
}

}  // namespace

std::vector<TConcernRecord> ReadConcerns(TCustomDb* s) { return ReadAll<TConcernRecord>(s, kConcernWidth, DecodeConcern); }
std::vector<TManufacturerRecord> ReadManufacturers(TCustomDb* s) {
  return ReadAll<TManufacturerRecord>(s, kManufacturerWidth, DecodeManufacturer);
}
std::vector<TModelRecord> ReadModels(TCustomDb* s) { return ReadAll<TModelRecord>(s, kModelWidth, DecodeModel); }
std::vector<TEngineRecord> ReadEngines(TCustomDb* s) { return ReadAll<TEngineRecord>(s, kEngineWidth, DecodeEngine); }
std::vector<TSubTypeRecord> ReadSubTypes(TCustomDb* s) { return ReadAll<TSubTypeRecord>(s, kSubTypeWidth, DecodeSubType); }

bool ReadConcern(TCustomDb* s, int32_t id, TConcernRecord& r) { return ReadOne(s, kConcernWidth, id, r, DecodeConcern); }
bool ReadManufacturer(TCustomDb* s, int32_t id, TManufacturerRecord& r) {
  return ReadOne(s, kManufacturerWidth, id, r, DecodeManufacturer);
}
bool ReadModel(TCustomDb* s, int32_t id, TModelRecord& r) { return ReadOne(s, kModelWidth, id, r, DecodeModel); }
bool ReadEngine(TCustomDb* s, int32_t id, TEngineRecord& r) { return ReadOne(s, kEngineWidth, id, r, DecodeEngine); }
bool ReadSubType(TCustomDb* s, int32_t id, TSubTypeRecord& r) { return ReadOne(s, kSubTypeWidth, id, r, DecodeSubType); }

bool CreateCatalogueRecord(TCustomDb* s, TConcernRecord& r) {
  return Create(s, kConcernWidth, r, EncodeConcern, DecodeConcern);
}
bool CreateCatalogueRecord(TCustomDb* s, TManufacturerRecord& r) {
  return Create(s, kManufacturerWidth, r, EncodeManufacturer, DecodeManufacturer);
}
bool CreateCatalogueRecord(TCustomDb* s, TModelRecord& r) { return Create(s, kModelWidth, r, EncodeModel, DecodeModel); }
bool CreateCatalogueRecord(TCustomDb* s, TEngineRecord& r) {
  return Create(s, kEngineWidth, r, EncodeEngine, DecodeEngine);
}
bool CreateCatalogueRecord(TCustomDb* s, TSubTypeRecord& r) {
  return Create(s, kSubTypeWidth, r, EncodeSubType, DecodeSubType);
}

bool WriteCatalogueRecord(TCustomDb* s, const TConcernRecord& r) { return Write(s, kConcernWidth, r, EncodeConcern); }
bool WriteCatalogueRecord(TCustomDb* s, const TManufacturerRecord& r) {
  return Write(s, kManufacturerWidth, r, EncodeManufacturer);
}
bool WriteCatalogueRecord(TCustomDb* s, const TModelRecord& r) { return Write(s, kModelWidth, r, EncodeModel); }
bool WriteCatalogueRecord(TCustomDb* s, const TEngineRecord& r) { return Write(s, kEngineWidth, r, EncodeEngine); }
bool WriteCatalogueRecord(TCustomDb* s, const TSubTypeRecord& r) { return Write(s, kSubTypeWidth, r, EncodeSubType); }

bool EraseCatalogueRecord(TCustomDb* s, const TConcernRecord& r) { return Erase(s, kConcernWidth, r, EncodeConcern); }
bool EraseCatalogueRecord(TCustomDb* s, const TManufacturerRecord& r) {
  return Erase(s, kManufacturerWidth, r, EncodeManufacturer);
}
bool EraseCatalogueRecord(TCustomDb* s, const TModelRecord& r) { return Erase(s, kModelWidth, r, EncodeModel); }
bool EraseCatalogueRecord(TCustomDb* s, const TEngineRecord& r) { return Erase(s, kEngineWidth, r, EncodeEngine); }
bool EraseCatalogueRecord(TCustomDb* s, const TSubTypeRecord& r) { return Erase(s, kSubTypeWidth, r, EncodeSubType); }
