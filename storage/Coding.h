#pragma once
// Byte encoding of every stored layout, in one place.
//
// All integers and floats are little-endian. A counted string string[N]
// occupies N+1 bytes: a length byte (0..N) and N character bytes in
// Windows-1250; bytes after the text are zero when we write them and are
// ignored when read. Texts are UTF-8 in memory.
//
// The functions work on raw pointers into a buffer of a fixed layout: the
// layout code checks the buffer's width once (a record of the wrong width is
// refused whole), so each field access assumes `offset + width <= size`.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

inline void EncodeFixed16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void EncodeFixed32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void EncodeFixed64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint16_t DecodeFixed16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t DecodeFixed32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t DecodeFixed64(const uint8_t* p) {
  return static_cast<uint64_t>(DecodeFixed32(p)) | (static_cast<uint64_t>(DecodeFixed32(p + 4)) << 32);
}

inline void EncodeInt32(uint8_t* p, int32_t v) { EncodeFixed32(p, static_cast<uint32_t>(v)); }
inline int32_t DecodeInt32(const uint8_t* p) { return static_cast<int32_t>(DecodeFixed32(p)); }
inline void EncodeInt16(uint8_t* p, int16_t v) { EncodeFixed16(p, static_cast<uint16_t>(v)); }
inline int16_t DecodeInt16(const uint8_t* p) { return static_cast<int16_t>(DecodeFixed16(p)); }

inline void EncodeFloat(uint8_t* p, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  EncodeFixed32(p, bits);
}
inline float DecodeFloat(const uint8_t* p) {
  uint32_t bits = DecodeFixed32(p);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}
inline void EncodeDouble(uint8_t* p, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  EncodeFixed64(p, bits);
}
inline double DecodeDouble(const uint8_t* p) {
  uint64_t bits = DecodeFixed64(p);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

// string[N] at p (N+1 bytes, N <= 255). Writes the first N Windows-1250
// characters of the UTF-8 text and zeroes the rest of the field.
void EncodeCountedString(uint8_t* p, size_t maxChars, std::string_view utf8);
// Reads string[N]; a length byte above N is clamped to N.
std::string DecodeCountedString(const uint8_t* p, size_t maxChars);
// The raw Windows-1250 bytes of string[N] (clamped like above).
std::string_view CountedStringBytes(const uint8_t* p, size_t maxChars);

// The first `maxChars` characters of a UTF-8 text (what string[N] keeps).
std::string TruncateChars(std::string_view utf8, size_t maxChars);
