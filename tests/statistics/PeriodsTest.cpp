#include <gtest/gtest.h>

#include "statistics/Periods.h"

namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

}  // namespace

TEST(Periods, CountsAndTheirCzechNames) {
  struct {
    TDateTime from, to;
    int days, weeks, months;
    const char* text;
  } cases[] = {
      {D(2024, 1, 1), D(2024, 1, 31), 31, 5, 1, "31 dnů, 5 týdnů, 1 měsíc"},
      {D(2024, 1, 3), D(2024, 1, 3), 1, 1, 1, "1 den, 1 týden, 1 měsíc"},
      {D(2024, 1, 7), D(2024, 1, 8), 2, 2, 1, "2 dny, 2 týdny, 1 měsíc"},  // Sunday, Monday
      {D(2023, 11, 15), D(2024, 2, 10), 88, 13, 4, "88 dnů, 13 týdnů, 4 měsíce"},
      {D(2024, 1, 31), D(2024, 1, 1), 1, 1, 1, "1 den, 1 týden, 1 měsíc"},  // the end taken equal to the start
      {D(2024, 1, 1) + 0.75, D(2024, 1, 2) + 0.25, 1, 1, 1, "1 den, 1 týden, 1 měsíc"},  // whole days of the span
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountPeriods(kGroupDays, c.from, c.to), c.days) << c.text;
    EXPECT_EQ(CountPeriods(kGroupWeeks, c.from, c.to), c.weeks) << c.text;
    EXPECT_EQ(CountPeriods(kGroupMonths, c.from, c.to), c.months) << c.text;
    EXPECT_EQ(CountPeriods(7, c.from, c.to), c.months) << c.text;
    EXPECT_EQ(PeriodLengthText(c.from, c.to), c.text);
  }
}

TEST(Periods, LabelsAndMonthArithmetic) {
  EXPECT_EQ(IncMonth(D(2024, 1, 31), 1), D(2024, 2, 29));
  EXPECT_EQ(IncMonth(D(2024, 1, 15) + 0.5, -13), D(2022, 12, 15) + 0.5);
  const int32_t from = DayNumber(D(2024, 1, 3));  // a Wednesday
  EXPECT_EQ(PeriodLabel(kGroupDays, from, 2), "05.01.2024");
  EXPECT_EQ(PeriodLabel(kGroupWeeks, from, 0), "01.01.2024-07.01.2024");
  EXPECT_EQ(PeriodLabel(kGroupWeeks, from, 1), "08.01.2024-14.01.2024");
  EXPECT_EQ(PeriodLabel(kGroupMonths, from, 11), "prosinec 2024");
  EXPECT_EQ(PeriodLabel(kGroupMonths, from, 1), "únor 2024");
}

TEST(Periods, SeparatorsOfWeeksMonthsAndYears) {
  auto positions = [](int grouping, TDateTime from, int count) {
    std::vector<std::pair<double, std::string>> out;
    for (const TSeparator& s : PeriodSeparators(grouping, DayNumber(from), count)) out.emplace_back(s.position, s.label);
    return out;
  };
  using P = std::vector<std::pair<double, std::string>>;
  // Days from a Wednesday: between each Sunday and Monday, named by the Sunday.
  EXPECT_EQ(positions(kGroupDays, D(2024, 1, 3), 12), (P{{-2.5, "31.12.2023"}, {4.5, "07.01.2024"}, {11.5, "14.01.2024"}}));
  // Months from 15 November: the year separator between December and January.
  EXPECT_EQ(positions(kGroupMonths, D(2023, 11, 15), 4), (P{{-10.5, "2023"}, {1.5, "2024"}}));
  // Weeks: January ends on a Wednesday (on the first February week), March
  // on a Sunday (between the weeks).
  EXPECT_EQ(positions(kGroupWeeks, D(2024, 1, 1), 10), (P{{0, "leden 2024"}, {5, "únor 2024"}, {9, "březen 2024"}}));
  EXPECT_EQ(positions(kGroupWeeks, D(2024, 3, 4), 5), (P{{0, "březen 2024"}, {3.5, "duben 2024"}}));
}
