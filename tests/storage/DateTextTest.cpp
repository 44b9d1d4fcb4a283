#include <gtest/gtest.h>

#include "storage/DateText.h"

TEST(DateText, DateAsText) {
  EXPECT_EQ(DateText(EncodeDate(2024, 3, 5)), "05.03.2024");
  EXPECT_EQ(DateText(EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59)), "31.12.2024");
  EXPECT_EQ(DateText(EncodeDate(999, 1, 2)), "02.01.0999");
}

TEST(DateText, TextDate) {
  const TDateTime fallback = EncodeDate(2000, 1, 1);
  struct Case { const char* text; TDateTime date; } cases[] = {
      {"5.3.2024", EncodeDate(2024, 3, 5)},  {"05/03/2024", EncodeDate(2024, 3, 5)},
      {"5-3-2024x", EncodeDate(2024, 3, 5)}, {"29.2.2024", EncodeDate(2024, 2, 29)},
      {"31.2.2005", fallback},               {"29.2.2023", fallback},
      {"0.1.2024", fallback},                {"1.13.2024", fallback},
      {"5.3.", fallback},                    {"x", fallback},
      {"", fallback},                        {"5..2024", fallback},
      {"99999999999.1.2024", fallback},
  };
  for (const auto& c : cases) EXPECT_EQ(TextDate(c.text), c.date) << c.text;
}

TEST(DateText, ParseDateTimeInTheLocalesOrder) {
  const auto at = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s);
  };
  struct Case { const char* text; TDateTime want; } cases[] = {
      // Czech first.
      {"5.3.2024", at(2024, 3, 5)},
      {"5.3.2024 8:30", at(2024, 3, 5, 8, 30)},
      {" 05.03.2024  08:30:15 ", at(2024, 3, 5, 8, 30, 15)},
      {"5. 3. 2024", at(2024, 3, 5)},
      {"5.3.24", at(2024, 3, 5)},
      // Day before month wins an ambiguous text.
      {"03/04/2024", at(2024, 4, 3)},
      {"13/05/2024 17:45", at(2024, 5, 13, 17, 45)},
      {"05-03-2024", at(2024, 3, 5)},
      {"5.3.2024 8.30.15", at(2024, 3, 5, 8, 30, 15)},
      // Year first.
      {"2024-03-05", at(2024, 3, 5)},
      {"2024-03-05 08:30:00", at(2024, 3, 5, 8, 30)},
      {"2024.03.05", at(2024, 3, 5)},
      {"2024. 03. 05.", at(2024, 3, 5)},
      {"2024/3/5", at(2024, 3, 5)},
      // Month first, only when no day-first reading exists.
      {"3/25/2024", at(2024, 3, 25)},
      {"3/25/2024 1:05:00 PM", at(2024, 3, 25, 13, 5)},
      {"3/25/2024 12:05 am", at(2024, 3, 25, 0, 5)},
      {"3/25/2024 13:05", at(2024, 3, 25, 13, 5)},
  };
  for (const auto& c : cases) {
    TDateTime got = 0;
    ASSERT_TRUE(ParseDateTime(c.text, got)) << c.text;
    EXPECT_NEAR(got, c.want, 1e-9) << c.text;
  }
  for (const char* bad : {"31.2.2024", "29.2.2023", "5.3.2024 24:00", "5.3.2024 8:60", "3/25/2024 13:05 PM",
                          "2024-13-05", "5.3.2024 8:30 x", "včera", "", "5.3", "5.3.202"}) {
    TDateTime got = 0;
    EXPECT_FALSE(ParseDateTime(bad, got)) << bad;
  }
}

TEST(DateText, WeekdayIndex) {
  for (int d = 0; d < 7; ++d) EXPECT_EQ(WeekdayIndex(EncodeDate(2024, 3, 4 + d)), d);  // 4 March 2024: Monday
  EXPECT_EQ(WeekdayIndex(EncodeDate(2024, 3, 10) + 0.75), 6);
  EXPECT_EQ(WeekdayIndex(0), 5);                         // 30 December 1899: Saturday
  EXPECT_EQ(WeekdayIndex(EncodeDate(1899, 12, 25)), 0);  // before day 0
}
