#include "storage/Coding.h"

#include <algorithm>

#include "storage/Codec.h"
#include "storage/Errors.h"

void EncodeCountedString(uint8_t* p, size_t maxChars, std::string_view utf8) {
  GARVEL_ASSERT(maxChars <= 255, "string[N] holds at most 255 characters", "Coding");
  std::string bytes = Utf8ToCp1250(utf8);
  size_t n = std::min(bytes.size(), maxChars);
  p[0] = static_cast<uint8_t>(n);
  std::memcpy(p + 1, bytes.data(), n);
  std::memset(p + 1 + n, 0, maxChars - n);
}

std::string_view CountedStringBytes(const uint8_t* p, size_t maxChars) {
  size_t n = std::min<size_t>(p[0], maxChars);
  return std::string_view(reinterpret_cast<const char*>(p + 1), n);
}

std::string DecodeCountedString(const uint8_t* p, size_t maxChars) { return Cp1250ToUtf8(CountedStringBytes(p, maxChars)); }

std::string TruncateChars(std::string_view utf8, size_t maxChars) {
  return Cp1250ToUtf8(Utf8ToCp1250(utf8).substr(0, maxChars));
}
