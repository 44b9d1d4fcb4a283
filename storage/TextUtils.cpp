#include "storage/TextUtils.h"

#include <array>
#include <cstdio>

#include "storage/Codec.h"

namespace {

std::array<unsigned char, 256> BuildFoldTable() {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = Cp1250Upper(static_cast<unsigned char>(b));
  // Accented capitals (Windows-1250) -> plain letters.
  const struct { unsigned char from; char to; } kPlain[] = {
      {0x8A, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0xC1, 'A'}, {0xC8, 'C'}, {0xC9, 'E'}, {0xCC, 'E'}, {0xCD, 'I'},
      {0xCF, 'D'}, {0xD2, 'N'}, {0xD3, 'O'}, {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDD, 'Y'},
  };
  for (int b = 0; b < 256; ++b)
    for (const auto& p : kPlain)
      if (t[b] == p.from) t[b] = static_cast<unsigned char>(p.to);
  return t;
}

const std::array<unsigned char, 256>& FoldTable() {
  static const std::array<unsigned char, 256> table = BuildFoldTable();
  return table;
}

bool IsAsciiOnly(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

unsigned char FoldByte(unsigned char b) { return FoldTable()[b]; }

std::string FoldText(std::string_view text) {
  const auto& t = FoldTable();
  if (IsAsciiOnly(text)) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return out;
  }
  std::string bytes = Utf8ToCp1250(text);
  for (char& c : bytes) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
  return Cp1250ToUtf8(bytes);
}

bool ContainsFolded(std::string_view needle, std::string_view text) {
  return FoldText(text).find(FoldText(needle)) != std::string::npos;
}

std::string LettersAndDigits(std::string_view text) {
  std::string out;
  for (char c : text)
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out.push_back(c);
  return out;
}

std::string FoldWithoutBlanks(std::string_view text) {
  std::string folded = FoldText(text);
  std::string out;
  for (char c : folded)
    if (c != ' ') out.push_back(c);
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
  if (what.empty()) return text;
  size_t pos = 0;
  while ((pos = text.find(what, pos)) != std::string::npos) {
    text.replace(pos, what.size(), by);
    pos += by.size();
  }
  return text;
}

std::string OneLine(std::string_view text, std::string_view separator) {
  std::string out;
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
  long long v = 0;
  for (char c : text) {
    int d = 0;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    v = v * 16 + d;
  }
  return v;
}

std::string ZeroPad(long long number, int width) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%0*lld", width + (number < 0 ? 1 : 0), number);
  return buf;
}
