#include <gtest/gtest.h>

#include <cmath>

#include "storage/NumberText.h"

TEST(Numbers, ParseNumber) {
  struct Case { const char* text; double value; } cases[] = {
      {"1,5", 1.5}, {"1.5", 1.5}, {"-0,25", -0.25}, {"+3", 3}, {" 2", 2}, {"2,25 kg", 2.25}, {",5", 0.5},
      {"5,", 5}, {"1e3", 1000}, {"1e", 1}, {"12abc", 12}, {"0x10", 0}, {"abc", 0}, {"inf", 0}, {"nan", 0},
      {"1e999", 0}, {"1.2.3", 1.2},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.text, 7), c.value) << c.text;
  EXPECT_DOUBLE_EQ(ParseNumber("", 7), 7);
}

TEST(Numbers, IsNumber) {
  for (const char* yes : {"1", "-1,5", "1.5", "+2", "0,5e2", "5,", ",5"}) EXPECT_TRUE(IsNumber(yes)) << yes;
  for (const char* no : {"", " 1", "1 ", "1,5x", "0x10", "inf", "nan", ",", "-", "1,2,3", "1e999"})
    EXPECT_FALSE(IsNumber(no)) << no;
}

TEST(Numbers, ParseInteger) {
  struct Case { const char* text; long long value; } cases[] = {
      {"42", 42}, {"-42", -42}, {"+42", 42}, {"007", 7}, {"4.2", -1}, {"", -1}, {" 4", -1}, {"4 ", -1},
      {"x", -1}, {"+", -1}, {"+-4", -1}, {"9223372036854775807", 9223372036854775807LL},
      {"9223372036854775808", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text, -1), c.value) << c.text;
  EXPECT_TRUE(IsInteger("-0"));
  EXPECT_FALSE(IsInteger("1e3"));
}

TEST(Numbers, FixedAndPriceTexts) {
  EXPECT_EQ(FormatFixed(-1, 2), "-1,00");
  EXPECT_EQ(FormatFixed(-0.001, 2), "0,00");  // no minus zero
  EXPECT_EQ(FormatFixed(2.675, 0), "3");
  EXPECT_EQ(FormatFixed(1e20, 2), "100000000000000000000,00");
  EXPECT_EQ(FormatFixed(1e300, 1).size(), 303u);  // no truncation of huge values
  EXPECT_EQ(PriceText(1234.5, false), "1234,50");
  EXPECT_EQ(PriceText(0.005, false, "EUR"), "0,01");
  EXPECT_EQ(PriceText(32.9, true, "EUR"), "32,90 EUR");

  const std::string saved = CurrencyText();
  SetCurrencyText("Kč");
  EXPECT_EQ(PriceText(32.9, true), "32,90 Kč");
  SetCurrencyText(saved);
}

TEST(Numbers, GeneralNumberText) {
  const std::pair<double, const char*> cases[] = {
      {3.5, "3,5"},           {12345678, "12345678"},      {-0.25, "-0,25"},
      {1.0 / 3, "0,3333333333"}, {1.5e12, "1,5E12"},       {2e-7, "2E-7"},
      {0, "0"},               {-0.0, "0"},                 {std::nan(""), "0"},
      {INFINITY, "0"},        {150000.1, "150000,1"},
  };
  for (auto [value, text] : cases) EXPECT_EQ(GeneralNumberText(value), text) << value;
}
