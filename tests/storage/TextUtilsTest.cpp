#include <gtest/gtest.h>

#include "storage/AmountInWords.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"
#include "storage/UrlCoding.h"

TEST(AmountInWords, Table) {
  struct Case { double value; const char* words; } cases[] = {
      {0, "nula"}, {-5, "nula"}, {0.5, "nula"}, {1.5, "dva"}, {2.5, "dva"}, {1, "jeden"}, {19, "devatenáct"},
      {20, "dvacet"}, {21, "dvacetjeden"}, {100, "sto"}, {101, "stojeden"}, {999, "devětsetdevadesátdevět"},
      {1000, "jedentisíc"}, {1001, "jedentisícjeden"}, {1250, "jedentisícdvěstěpadesát"}, {2000, "dvatisíce"},
      {5000, "pěttisíc"}, {20000, "dvacettisíce"}, {21000, "dvacetjedentisíc"}, {1e6, "jedenmilion"},
      {2e6, "dvamiliony"}, {5e6, "pětmilionů"}, {1e9, "jednamiliarda"}, {2e9, "dvěmiliardy"},
      {5e9, "pětmiliard"}, {1e12, "jedenbilion"}, {1000001, "jedenmilionjeden"},
  };
  for (const auto& c : cases) EXPECT_EQ(AmountInWords(c.value), c.words) << c.value;
}

TEST(UrlCoding, BothWays) {
  struct Case { const char* text; const char* encoded; } cases[] = {
      {"a b/č", "a+b%2F%E8"}, {"A-Z_a.z@0", "A-Z_a.z@0"}, {"100%", "100%25"}, {"ř\r\n", "%F8%0D%0A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(URLEncode(c.text), c.encoded);
    EXPECT_EQ(URLDecode(c.encoded), c.text);
  }
  EXPECT_EQ(URLDecode("50%"), "50%");    // fewer than two characters follow
  EXPECT_EQ(URLDecode("a%4"), "a%4");
  EXPECT_EQ(URLDecode("%zz!"), std::string(1, '\0') + "!");  // not hex digits: count as 0
}

TEST(Folding, Table) {
  struct Case { const char* text; const char* folded; } cases[] = {
      {"Řízení", "RIZENI"}, {"škoda octavia", "SKODA OCTAVIA"}, {"ŽLUŤOUČKÝ KŮŇ", "ZLUTOUCKY KUN"},
      {"ďábel ňadra óda ěé", "DABEL NADRA ODA EE"}, {"Äß", "Äß"},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldText(c.text), c.folded) << c.text;
  EXPECT_TRUE(ContainsFolded("oct", "Škoda Octavia"));
  EXPECT_FALSE(ContainsFolded("octx", "Škoda Octavia"));
  EXPECT_EQ(LettersAndDigits(FoldText("1a2 34-56")), "1A23456");
  EXPECT_EQ(FoldWithoutBlanks("a b č"), "ABC");
  EXPECT_EQ(IdentifierChars("a-b_c č!9"), "a-b_c9");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(OneLine("a\r\nb\r\n", "; "), "a; b; ");
  EXPECT_EQ(TrimBlanks(" \t\r\nx y\n "), "x y");
  EXPECT_EQ(EnsureTrailing("", '\\'), "\\");
  EXPECT_EQ(EnsureTrailing("a\\", '\\'), "a\\");
  EXPECT_EQ(PluralWord(1, "den", "dny", "dní"), "den");
  EXPECT_EQ(PluralWord(4, "den", "dny", "dní"), "dny");
  EXPECT_EQ(PluralWord(0, "den", "dny", "dní"), "dní");
  EXPECT_EQ(HexValue("1aG"), 0x1a0);
  EXPECT_EQ(ZeroPad(7, 4), "0007");
}

TEST(Numbers, ParsingAndFormatting) {
  EXPECT_DOUBLE_EQ(ParseNumber("1,5", 0), 1.5);
  EXPECT_DOUBLE_EQ(ParseNumber("2.25kg", 0), 2.25);
  EXPECT_DOUBLE_EQ(ParseNumber("", 7), 7);
  EXPECT_DOUBLE_EQ(ParseNumber("abc", 7), 7);
  EXPECT_TRUE(IsNumber("-1,5"));
  EXPECT_FALSE(IsNumber("1,5x"));
  EXPECT_FALSE(IsNumber("0x10"));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_EQ(ParseInteger("42", -1), 42);
  EXPECT_EQ(ParseInteger("4.2", -1), -1);
  EXPECT_EQ(ParseInteger("", -1), -1);
  EXPECT_EQ(FormatFixed(-1, 2), "-1,00");
  EXPECT_EQ(FormatFixed(-0.001, 2), "0,00");
  EXPECT_EQ(PriceText(1234.5, false), "1234,50");
  EXPECT_EQ(PriceText(32.9, true), "32,90 kč");
}

TEST(Dates, TextAndParsing) {
  EXPECT_EQ(DateText(EncodeDate(2024, 3, 5)), "05.03.2024");
  EXPECT_EQ(TextDate("31.2.2005"), EncodeDate(2000, 1, 1));
  EXPECT_EQ(TextDate("5/3/2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(TextDate("x"), EncodeDate(2000, 1, 1));
  struct Case { const char* text; TDateTime want; } cases[] = {
      {"5.3.2024", EncodeDate(2024, 3, 5)},
      {"5.3.2024 8:30", EncodeDate(2024, 3, 5) + EncodeTime(8, 30, 0)},
      {"05.03.2024 08:30:15", EncodeDate(2024, 3, 5) + EncodeTime(8, 30, 15)},
      {"2024-03-05", EncodeDate(2024, 3, 5)},
      {"13/05/2024", EncodeDate(2024, 5, 13)},
      {"3/25/2024 1:05:00 PM", EncodeDate(2024, 3, 25) + EncodeTime(13, 5, 0)},
  };
  for (const auto& c : cases) {
    TDateTime got = 0;
    ASSERT_TRUE(ParseDateTime(c.text, got)) << c.text;
    EXPECT_NEAR(got, c.want, 1e-9) << c.text;
  }
  TDateTime got;
  EXPECT_FALSE(ParseDateTime("31.2.2024", got));
  EXPECT_FALSE(ParseDateTime("včera", got));
  EXPECT_EQ(WeekdayIndex(EncodeDate(2024, 3, 4)), 0);  // a Monday
  EXPECT_EQ(WeekdayIndex(EncodeDate(2024, 3, 10)), 6);
}
