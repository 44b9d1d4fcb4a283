#include "storage/TextUtils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "storage/Codec.h"
#include "storage/Errors.h"

namespace {

const char* const kUnit = "storage/TextUtils";

// Folding works on the Windows-1250 form of a text. To stay fast (the vehicle
// list folds every line on every keystroke) the UTF-8 text is folded in one
// pass through tables, without building the Windows-1250 copy:
//   - byte[b]: the folded Windows-1250 byte of Windows-1250 byte b;
//   - twoByte[cp]: the folded byte of a code point below U+0800 (every
//     letter of the code page has a two-byte UTF-8 form), '?' when the code
//     page lacks it;
//   - utf8[b]: the UTF-8 form of Windows-1250 byte b (length, then bytes).
// A folded character is never longer in UTF-8 than the character it came
// from, so the result fits in the input's length.
struct TFoldTables {
  std::array<unsigned char, 256> byte{};
  std::array<unsigned char, 0x800> twoByte{};
  std::array<std::array<char, 4>, 256> utf8{};
};

TFoldTables BuildFoldTables() {
  TFoldTables t;
  // Accented capitals (Windows-1250) -> plain letters.
  const struct { unsigned char from; char to; } kPlain[] = {
      {0x8A, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0xC1, 'A'}, {0xC8, 'C'}, {0xC9, 'E'}, {0xCC, 'E'}, {0xCD, 'I'},
      {0xCF, 'D'}, {0xD2, 'N'}, {0xD3, 'O'}, {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDD, 'Y'},
  };
  for (int b = 0; b < 256; ++b) {
    unsigned char up = Cp1250Upper(static_cast<unsigned char>(b));
    for (const auto& p : kPlain)
      if (up == p.from) up = static_cast<unsigned char>(p.to);
    t.byte[b] = up;
    std::string seq;
    AppendUtf8(seq, Cp1250ToUnicode(static_cast<unsigned char>(b)));
    t.utf8[b][0] = static_cast<char>(seq.size());
    std::memcpy(t.utf8[b].data() + 1, seq.data(), seq.size());
  }
  for (char32_t cp = 0; cp < 0x800; ++cp) {
    int b = UnicodeToCp1250(cp);
    t.twoByte[cp] = b < 0 ? '?' : t.byte[static_cast<unsigned char>(b)];
    // The in-place bound above relies on this.
    GARVEL_ASSERT(cp < 0x80 || t.utf8[t.twoByte[cp]][0] <= 2, "Folded character grows", kUnit);
  }
  return t;
}

const TFoldTables& FoldTables() {
  static const TFoldTables tables = BuildFoldTables();
  return tables;
}

// Calls emit(folded Windows-1250 byte) for every character of a UTF-8 text.
// Characters the code page lacks and invalid UTF-8 bytes (one per byte)
// become '?', as the codec converts them.
template <typename Emit>
inline void FoldEach(std::string_view text, const TFoldTables& t, Emit&& emit) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      emit(t.byte[c]);
      ++i;
    } else if (c >= 0xC2 && c <= 0xDF && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
      emit(t.twoByte[((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu)]);
      i += 2;
    } else if ((c & 0xF0) == 0xE0 && i + 2 < n && (s[i + 1] & 0xC0) == 0x80 && (s[i + 2] & 0xC0) == 0x80) {
      const char32_t cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) {  // overlong or surrogate: one invalid byte
        emit('?');
        ++i;
        continue;
      }
      const int b = UnicodeToCp1250(cp);
      emit(b < 0 ? '?' : t.byte[static_cast<unsigned char>(b)]);
      i += 3;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4 && i + 3 < n && (s[i + 1] & 0xC0) == 0x80 &&
               (s[i + 2] & 0xC0) == 0x80 && (s[i + 3] & 0xC0) == 0x80) {
      const char32_t cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) |
                          (s[i + 3] & 0x3Fu);
      emit('?');  // beyond the code page in any case
      i += (cp >= 0x10000 && cp <= 0x10FFFF) ? 4 : 1;
    } else {
      emit('?');
      ++i;
    }
  }
}

// The folded Windows-1250 bytes of `text` into `out` (room for text.size()
// bytes); returns their number.
size_t FoldToCp1250(std::string_view text, char* out) {
  size_t k = 0;
  FoldEach(text, FoldTables(), [&](unsigned char b) { out[k++] = static_cast<char>(b); });
  return k;
}

bool ContainsFoldedIn(std::string_view needle, std::string_view text, char* needleBuf, char* textBuf) {
  const std::string_view n(needleBuf, FoldToCp1250(needle, needleBuf));
  const std::string_view h(textBuf, FoldToCp1250(text, textBuf));
  return h.find(n) != std::string_view::npos;
}

}  // namespace

unsigned char FoldByte(unsigned char b) { return FoldTables().byte[b]; }

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::string x = Utf8ToCp1250(a), y = Utf8ToCp1250(b);
  const size_t n = std::min(x.size(), y.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char p = Cp1250Upper(static_cast<unsigned char>(x[i]));
    const unsigned char q = Cp1250Upper(static_cast<unsigned char>(y[i]));
    if (p != q) return p < q ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}

std::string FoldText(std::string_view text) {
  const TFoldTables& t = FoldTables();
  std::string out(text.size(), '\0');
  char* p = out.data();
  FoldEach(text, t, [&](unsigned char b) {
    if (b < 0x80) {
      *p++ = static_cast<char>(b);
    } else {
      const auto& seq = t.utf8[b];
      for (int k = 1; k <= seq[0]; ++k) *p++ = seq[k];
    }
  });
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

// Folding is per character and the Windows-1250 -> UTF-8 mapping is one to
// one, so comparing the folded Windows-1250 bytes gives the same answer as
// comparing the folded UTF-8 texts, and needs no conversion back.
bool ContainsFolded(std::string_view needle, std::string_view text) {
  constexpr size_t kStack = 512;
  if (needle.size() <= kStack && text.size() <= kStack) {
    char needleBuf[kStack], textBuf[kStack];
    return ContainsFoldedIn(needle, text, needleBuf, textBuf);
  }
  std::string needleBuf(needle.size(), '\0'), textBuf(text.size(), '\0');
  return ContainsFoldedIn(needle, text, needleBuf.data(), textBuf.data());
}

std::string LettersAndDigits(std::string_view text) {
  // Bytes of multi-byte UTF-8 characters are all >= 0x80, so filtering the
  // UTF-8 bytes keeps exactly what filtering the Windows-1250 bytes keeps.
  std::string out;
  for (char c : text)
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out.push_back(c);
  return out;
}

std::string FoldWithoutBlanks(std::string_view text) {
  std::string out = FoldText(text);
  size_t k = 0;
  for (char c : out)
    if (c != ' ') out[k++] = c;
  out.resize(k);
  return out;
}

std::string IdentifierChars(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
      out.push_back(c);
  return out;
}

std::string ReplaceAll(std::string text, std::string_view what, std::string_view by) {
  if (what.empty()) return text;  // nothing to find; replacing "" would never end
  size_t pos = text.find(what);
  if (pos == std::string::npos) return text;
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (; pos != std::string::npos; pos = text.find(what, from)) {
    out.append(text, from, pos - from);
    out.append(by);
    from = pos + what.size();
  }
  out.append(text, from, std::string::npos);
  return out;
}

std::string OneLine(std::string_view text, std::string_view separator) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r') out += separator;
    else if (c != '\n') out.push_back(c);
  }
  return out;
}

std::string TrimBlanks(std::string_view text) {
  const char* blanks = " \t\r\n";
  size_t b = text.find_first_not_of(blanks);
  if (b == std::string_view::npos) return "";
  size_t e = text.find_last_not_of(blanks);
  return std::string(text.substr(b, e - b + 1));
}

std::string EnsureTrailing(std::string text, char character) {
  if (text.empty() || text.back() != character) text.push_back(character);
  return text;
}

std::string PluralWord(long long count, const std::string& one, const std::string& few, const std::string& many) {
  if (count == 1) return one;
  if (count >= 2 && count <= 4) return few;
  return many;
}

long long HexValue(std::string_view text) {
  // Unsigned so that an over-long text wraps instead of overflowing.
  uint64_t v = 0;
  for (char c : text) {
    unsigned d = 0;
    if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
    else if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
    else if (c >= 'a' && c <= 'f') d = static_cast<unsigned>(c - 'a' + 10);
    v = v * 16 + d;
  }
  return static_cast<long long>(v);
}

std::string ZeroPad(long long number, int width) {
  const bool negative = number < 0;
  // Through unsigned so that the smallest long long has a magnitude too.
  const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(number)
                                                : static_cast<unsigned long long>(number);
  std::string digits = std::to_string(magnitude);
  if (width > 0 && digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), '0');
  return negative ? "-" + digits : digits;
}
