#include "storage/Codec.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <unordered_map>

namespace {

struct Cp1250Tables {
  std::array<char32_t, 256> toUnicode{};
  std::array<std::array<char, 4>, 256> utf8{};  // length byte, then up to 3 UTF-8 bytes
  std::array<std::array<char, 4>, 256> utf8Bytes{};  // the same bytes without the length, zero-padded
  std::array<unsigned char, 256> upper{};
  std::unordered_map<char32_t, unsigned char> fromUnicode;
};

char32_t DecodeByteWithIconv(iconv_t cd, unsigned char byte) {
  char in = static_cast<char>(byte);
  char32_t out = 0;
  char* inPtr = &in;
  size_t inLeft = 1;
  char* outPtr = reinterpret_cast<char*>(&out);
  size_t outLeft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outLeft != 0)
    return byte;  // undefined in the code page: the C1 control of the same value
  return out;
}

Cp1250Tables BuildTables() {
  Cp1250Tables t;
  iconv_t cd = iconv_open("UTF-32LE", "CP1250");
  for (int b = 0; b < 256; ++b) {
    char32_t cp = static_cast<char32_t>(b);
    if (b >= 0x80 && cd != reinterpret_cast<iconv_t>(-1)) cp = DecodeByteWithIconv(cd, static_cast<unsigned char>(b));
    t.toUnicode[b] = cp;
    t.fromUnicode.emplace(cp, static_cast<unsigned char>(b));
    std::string seq;
    AppendUtf8(seq, cp);
    t.utf8[b][0] = static_cast<char>(seq.size());
    for (size_t k = 0; k < seq.size() && k < 3; ++k) t.utf8[b][k + 1] = t.utf8Bytes[b][k] = seq[k];
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);

  // Case mapping from the C library's Unicode tables, whatever the host locale.
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  for (int b = 0; b < 256; ++b) {
    t.upper[b] = static_cast<unsigned char>(b);
    char32_t cp = t.toUnicode[b];
    char32_t up = cp;
    if (cp >= 'a' && cp <= 'z') up = cp - 32;
    else if (utf8 != static_cast<locale_t>(nullptr)) up = static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), utf8));
    auto it = t.fromUnicode.find(up);
    if (it != t.fromUnicode.end()) t.upper[b] = it->second;
  }
  if (utf8 != static_cast<locale_t>(nullptr)) freelocale(utf8);
  return t;
}

const Cp1250Tables& Tables() {
  static const Cp1250Tables tables = BuildTables();
  return tables;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns U+FFFD marker
// (0xFFFFFFFF) for an invalid byte, consuming that byte only.
constexpr char32_t kInvalid = 0xFFFFFFFFu;

char32_t NextCodePoint(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) { ++i; return c; }
  int len = 0;
  char32_t cp = 0;
  if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
  else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
  else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
  else { ++i; return kInvalid; }
  if (i + len > s.size()) { ++i; return kInvalid; }
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) { ++i; return kInvalid; }
    cp = (cp << 6) | (cc & 0x3F);
  }
  // Reject overlong forms, surrogates and values past U+10FFFF.
  static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return kInvalid; }
  i += len;
  return cp;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf8ToCp1250(std::string_view utf8) {
  const Cp1250Tables& t = Tables();
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) { out.push_back(static_cast<char>(c)); ++i; continue; }
    char32_t cp = NextCodePoint(utf8, i);
    auto it = cp == kInvalid ? t.fromUnicode.end() : t.fromUnicode.find(cp);
    out.push_back(it == t.fromUnicode.end() ? '?' : static_cast<char>(it->second));
  }
  return out;
}

std::string Cp1250ToUtf8(std::string_view bytes) {
  const Cp1250Tables& t = Tables();
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  // Whole blobs pass through here when a database is loaded, so this avoids
  // a branch per byte: ASCII goes eight bytes at a time, and every other
  // byte stores four bytes from the table and advances by its length (at
  // most three, so the text gets three spare bytes, cut off at the end).
  size_t high = 0, i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, in + i, 8);
    // One bit per high byte, summed by the multiplication into the top byte.
    high += static_cast<size_t>((((word & 0x8080808080808080ULL) >> 7) * 0x0101010101010101ULL) >> 56);
  }
  for (; i < n; ++i) high += in[i] >> 7;
  std::string out(n + 2 * high + 3, '\0');
  char* p = out.data();
  auto one = [&](unsigned char c) {
    std::memcpy(p, t.utf8Bytes[c].data(), 4);
    p += t.utf8[c][0];
  };
  for (i = 0; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, in + i, 8);
    if ((word & 0x8080808080808080ULL) == 0) {
      std::memcpy(p, in + i, 8);
      p += 8;
      continue;
    }
    for (size_t k = 0; k < 8; ++k) one(in[i + k]);
  }
  for (; i < n; ++i) one(in[i]);
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

char32_t Cp1250ToUnicode(unsigned char byte) { return Tables().toUnicode[byte]; }

int UnicodeToCp1250(char32_t codePoint) {
  const Cp1250Tables& t = Tables();
  auto it = t.fromUnicode.find(codePoint);
  return it == t.fromUnicode.end() ? -1 : it->second;
}

unsigned char Cp1250Upper(unsigned char byte) { return Tables().upper[byte]; }

size_t Utf8Length(std::string_view utf8) {
  size_t n = 0, i = 0;
  while (i < utf8.size()) { NextCodePoint(utf8, i); ++n; }
  return n;
}

std::string Utf8Prefix(std::string_view utf8, size_t maxChars) {
  size_t n = 0, i = 0;
  while (i < utf8.size() && n < maxChars) { NextCodePoint(utf8, i); ++n; }
  return std::string(utf8.substr(0, i));
}
