#include <gtest/gtest.h>

#include <random>

#include "storage/Codec.h"
#include "storage/TextUtils.h"

namespace {

// Folding spelled out the slow way: to Windows-1250, byte by byte, back.
std::string ReferenceFold(const std::string& text) {
  std::string bytes = Utf8ToCp1250(text);
  for (char& c : bytes) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
  return Cp1250ToUtf8(bytes);
}

}  // namespace

TEST(Folding, Table) {
  struct Case { const char* text; const char* folded; } cases[] = {
      {"Řízení", "RIZENI"},
      {"škoda octavia", "SKODA OCTAVIA"},
      {"ŽLUŤOUČKÝ KŮŇ úpěl ďábelské ódy", "ZLUTOUCKY KUN UPEL DABELSKE ODY"},
      {"ĚŠČŘŽÝÁÍÉÚŮŤĎŇÓ", "ESCRZYAIEUUTDNO"},
      {"äöüß łąę", "ÄÖÜß ŁĄĘ"},          // upper case, but only the Czech accents go
      {"1.2 TDi-x/€", "1.2 TDI-X/€"},   // every other byte stays
      {"漢字 a", "?? A"},               // not in Windows-1250
      {"a\xC3(b\xFF", "A?(B?"},         // invalid UTF-8: one "?" per bad byte
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldText(c.text), c.folded) << c.text;
}

TEST(Folding, FastPathAgreesWithTheCodePageForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const std::string text = Cp1250ToUtf8(std::string(1, static_cast<char>(b))) + "x";
    EXPECT_EQ(FoldText(text), ReferenceFold(text)) << b;
  }
  // Random mixtures of ASCII, two- and three-byte characters and stray bytes.
  std::mt19937 rng(7);
  const std::string pieces[] = {"a", "Z", " ", "č", "Ř", "ů", "€", "„", "漢", "\xC3", "\x80", "\xE2\x82", "\xF0\x9F\x98\x80"};
  for (int n = 0; n < 500; ++n) {
    std::string text;
    for (int k = rng() % 12; k > 0; --k) text += pieces[rng() % std::size(pieces)];
    EXPECT_EQ(FoldText(text), ReferenceFold(text)) << text;
  }
}

TEST(Folding, ContainsFolded) {
  EXPECT_TRUE(ContainsFolded("oct", "Škoda Octavia"));
  EXPECT_TRUE(ContainsFolded("škoda", "SKODA"));
  EXPECT_TRUE(ContainsFolded("", "x"));
  EXPECT_FALSE(ContainsFolded("octx", "Škoda Octavia"));
  EXPECT_FALSE(ContainsFolded("ř", "S"));
  // Texts beyond the short-text buffers.
  const std::string longText = std::string(600, 'x') + "Žlutý" + std::string(600, 'y');
  EXPECT_TRUE(ContainsFolded("zluty", longText));
  EXPECT_TRUE(ContainsFolded(std::string(550, 'X'), longText));
  EXPECT_FALSE(ContainsFolded(std::string(601, 'X'), longText));
}

TEST(Folding, BlanksLettersAndIdentifiers) {
  EXPECT_EQ(FoldWithoutBlanks(" 1 AB-23 č "), "1AB-23C");
  EXPECT_EQ(LettersAndDigits(FoldText("1a2 34-56 ž")), "1A23456Z");
  EXPECT_EQ(LettersAndDigits("Ab9ř_"), "A9");
  EXPECT_EQ(IdentifierChars("a-b_c č!9Z"), "a-b_c9Z");
}

TEST(TextHelpers, ReplaceAll) {
  struct Case { const char* text; const char* what; const char* by; const char* result; } cases[] = {
      {"aaa", "a", "aa", "aaaaaa"},      // scanning goes on after the replacement
      {"abcabc", "bc", "", "aa"},
      {"a\r\nb", "\r\n", "%0D%0A", "a%0D%0Ab"},
      {"abc", "", "x", "abc"},
      {"abc", "abcd", "x", "abc"},
      {"xx", "xx", "y", "y"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.what, c.by), c.result) << c.text << "/" << c.what;
}

TEST(TextHelpers, LinesBlanksAndEnds) {
  EXPECT_EQ(OneLine("a\r\nb\r\n", "; "), "a; b; ");
  EXPECT_EQ(OneLine("a\nb\rc", ","), "ab,c");
  EXPECT_EQ(TrimBlanks(" \t\r\nx y\n "), "x y");
  EXPECT_EQ(TrimBlanks(" \t "), "");
  EXPECT_EQ(EnsureTrailing("", '\\'), "\\");
  EXPECT_EQ(EnsureTrailing("a\\", '\\'), "a\\");
  EXPECT_EQ(EnsureTrailing("a", '\\'), "a\\");
}

TEST(TextHelpers, PluralHexAndPadding) {
  const char* expected[] = {"dní", "den", "dny", "dny", "dny", "dní", "dní"};
  for (int n = 0; n <= 6; ++n) EXPECT_EQ(PluralWord(n, "den", "dny", "dní"), expected[n]) << n;
  EXPECT_EQ(PluralWord(-1, "den", "dny", "dní"), "dní");
  EXPECT_EQ(PluralWord(22, "den", "dny", "dní"), "dní");

  EXPECT_EQ(HexValue("1aF"), 0x1af);
  EXPECT_EQ(HexValue("1aG"), 0x1a0);  // other characters count as 0 but still shift
  EXPECT_EQ(HexValue(""), 0);
  EXPECT_EQ(HexValue(std::string(40, 'F')), -1);  // wraps rather than overflowing

  EXPECT_EQ(ZeroPad(7, 4), "0007");
  EXPECT_EQ(ZeroPad(12345, 3), "12345");
  EXPECT_EQ(ZeroPad(0, 0), "0");
  EXPECT_EQ(ZeroPad(-7, 3), "-007");
}
