#pragma once
// What the crash writer tells its test: a line before each save ("begin")
// and one after it ("done"), with a digest of what was saved, so that the
// test can tell after a kill what must read back and what was in flight.
//
//   ready
//   begin car-add <digest>            done car-add <carID> <digest>
//   begin car-change <carID> <digest> done car-change <carID> <digest>
//   begin rec-add <carID> <digest>    done rec-add <recID> <carID> <digest>
//   begin rec-change <recID> <digest> done rec-change <recID> <digest>
//   begin rec-erase <recID>           done rec-erase <recID>
//   stop <stage>                      (the writer has stopped itself there)

#include <cstdint>
#include <cstring>
#include <string>

#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

inline uint64_t Fnv(uint64_t h, const void* data, size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 0x100000001B3ULL;
  return h;
}

inline uint64_t FnvText(uint64_t h, const std::string& s) {
  const uint64_t n = s.size();
  return Fnv(Fnv(h, &n, sizeof n), s.data(), s.size());
}

// A digest per part that a save writes on its own: the fixed fields and each
// text ("fixed/text" for a vehicle, "fixed/description/material" for a
// record), so that a save caught in the middle can be told apart part by part.
inline std::string DigestText(uint64_t h) {
  static const char* hex = "0123456789abcdef";
  std::string s(16, '0');
  for (int i = 15; i >= 0; --i, h >>= 4) s[static_cast<size_t>(i)] = hex[h & 15];
  return s;
}

inline std::string VehicleDigest(const Tautomobil& v) {
  const uint64_t seed = 0xCBF29CE484222325ULL;
  uint64_t fixed = FnvText(seed, v.tag);
  fixed = Fnv(fixed, &v.year, sizeof v.year);
  return DigestText(fixed) + "/" + DigestText(FnvText(seed, v.comments));
}

inline std::string RecordDigest(const Tzaznam& r) {
  const uint64_t seed = 0xCBF29CE484222325ULL;
  uint64_t fixed = Fnv(seed, &r.db.carID, sizeof r.db.carID);
  fixed = Fnv(fixed, &r.db.km, sizeof r.db.km);
  fixed = Fnv(fixed, &r.db.kind, sizeof r.db.kind);
  return DigestText(fixed) + "/" + DigestText(FnvText(seed, r.description)) + "/" +
         DigestText(FnvText(seed, r.material));
}

// Whether every part of `found` is the part of `before` or of `after`.
inline bool EachPartFrom(const std::string& found, const std::string& before, const std::string& after) {
  if (found.size() != before.size() || found.size() != after.size()) return false;
  for (size_t p = 0; p < found.size(); p += 17) {
    const std::string part = found.substr(p, 16);
    if (part != before.substr(p, 16) && part != after.substr(p, 16)) return false;
  }
  return true;
}
