#include "exchange/IdentityHash.h"

#include <cstdint>

#include "catalogues/ContactRecord.h"
#include "storage/Codec.h"
#include "storage/TextUtils.h"
#include "storage/Vehicle.h"

namespace {

constexpr uint64_t kSeed = 0x2978509872346087ull;
constexpr uint64_t kMultipliers[11] = {3041, 3049, 3061, 3067, 3079, 3089, 3109, 3119, 3121, 3137, 3163};

uint64_t RotateLeft(uint64_t v, unsigned by) { return by == 0 ? v : (v << by) | (v >> (64 - by)); }

}  // namespace

std::string IdentityHash(std::string_view utf8Key) {
  const std::string bytes = Utf8ToCp1250(utf8Key);
  uint64_t h = kSeed;
  for (size_t k = 0; k < bytes.size(); ++k) {
    const uint64_t i = k + 1;
    uint64_t v = RotateLeft(static_cast<unsigned char>(bytes[k]), static_cast<unsigned>((13 * i) % 64));
    h ^= v * kMultipliers[i % 11];
  }
  return std::to_string(static_cast<int64_t>(h));
}

std::string EmptyKeyHash() { return IdentityHash(""); }

std::string CarHash(const Tautomobil& vehicle) { return IdentityHash(FoldWithoutBlanks(vehicle.tag)); }

std::string OwnerHash(const TContactRecord& contact) { return IdentityHash(FoldWithoutBlanks(contact.surname)); }

std::string ExchangeFileName(const Tautomobil& vehicle) {
  std::string joined = vehicle.manufacturer + "_" + vehicle.model + "_" + vehicle.subtype + "_" + vehicle.engine;
  joined = ReplaceAll(joined, " ", "_");
  std::string name = IdentifierChars(FoldWithoutBlanks(joined));
  if (name.find_first_not_of('_') == std::string::npos) name = "vozidlo";
  return name + ".cgarv";
}
