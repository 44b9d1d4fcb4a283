#pragma once
// The identity hashes that tie received entities to stored ones without
// shared IDs: a received record finds its vehicle by the hash of the plate,
// a received vehicle its owner by the hash of the surname.

#include <string>
#include <string_view>

struct Tautomobil;
struct TContactRecord;

// Starting from 0x2978509872346087, for each Windows-1250 byte c of the key
// at 1-based position i: h ^= rotl64(c, 13 i mod 64) × K[i mod 11] (mod 2^64),
// K = 3041, 3049, 3061, 3067, 3079, 3089, 3109, 3119, 3121, 3137, 3163. The
// result is h as a signed 64-bit decimal.
std::string IdentityHash(std::string_view utf8Key);

// The hash of an empty key: a plate-less vehicle or a surname-less owner.
std::string EmptyKeyHash();

// IdentityHash of FoldWithoutBlanks of the plate.
std::string CarHash(const Tautomobil& vehicle);
// IdentityHash of FoldWithoutBlanks of the surname.
std::string OwnerHash(const TContactRecord& contact);

// The name an exchange file of the vehicle is sent under: make, model,
// subtype and engine joined by "_", blanks made "_", folded, reduced to
// "-", "_", digits and letters, then ".cgarv". A vehicle with none of them
// gets "vozidlo.cgarv" so that the file is never a hidden ".cgarv".
std::string ExchangeFileName(const Tautomobil& vehicle);
