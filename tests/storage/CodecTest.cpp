#include <gtest/gtest.h>

#include "storage/Codec.h"

TEST(Codec, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = Cp1250ToUtf8(byte);
    EXPECT_EQ(Utf8ToCp1250(utf8), byte) << "byte " << b;
    EXPECT_EQ(Utf8Length(utf8), 1u) << "byte " << b;
  }
}

TEST(Codec, KnownCharacters) {
  struct Case { unsigned char byte; const char* utf8; } cases[] = {
      {0x8A, "Š"}, {0x9A, "š"}, {0x8E, "Ž"}, {0xC8, "Č"}, {0xE8, "č"}, {0xD8, "Ř"},
      {0xF8, "ř"}, {0xD9, "Ů"}, {0xF9, "ů"}, {0xEC, "ě"}, {0x80, "€"}, {0x84, "„"},
      {0xA0, "\xC2\xA0"}, {0x81, "\xC2\x81"},  // undefined byte: the C1 control
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
    EXPECT_EQ(Utf8ToCp1250(c.utf8), std::string(1, static_cast<char>(c.byte)));
  }
}

TEST(Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1250("a€ж中😀b"), "a\x80???b");
  // Invalid UTF-8: one "?" per bad byte, the rest survives.
  EXPECT_EQ(Utf8ToCp1250("x\xFFy\xC3"), "x?y?");
  EXPECT_EQ(Utf8ToCp1250("\xC0\xAF"), "??");  // overlong "/"
}

TEST(Codec, UpperCaseFollowsTheCodePage) {
  auto up = [](const char* utf8) {
    std::string b = Utf8ToCp1250(utf8);
    for (char& c : b) c = static_cast<char>(Cp1250Upper(static_cast<unsigned char>(c)));
    return Cp1250ToUtf8(b);
  };
  EXPECT_EQ(up("příliš žluťoučký kůň úpěl ďábelské ódy"), "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY");
  EXPECT_EQ(up("ß÷µ"), "ß÷µ");  // no capital in the code page
}

// Long texts are converted eight bytes at a time: every length and every
// position of a non-ASCII byte must give what byte-by-byte conversion gives.
TEST(Codec, LongTextsMatchByteByByteConversion) {
  const unsigned char odd[] = {0x8A, 0xE8, 0x80, 0x81, 0xFF, 0xA0};
  for (size_t length = 0; length <= 40; ++length) {
    for (size_t at = 0; at < std::max<size_t>(length, 1); ++at) {
      std::string bytes(length, 'a');
      std::string expected;
      if (at < length) bytes[at] = static_cast<char>(odd[(length + at) % std::size(odd)]);
      for (char c : bytes) expected += Cp1250ToUtf8(std::string(1, c));
      ASSERT_EQ(Cp1250ToUtf8(bytes), expected) << length << " " << at;
    }
  }
  const std::string all = [] {
    std::string s;
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
  }();
  EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all + all)), all + all);
}
