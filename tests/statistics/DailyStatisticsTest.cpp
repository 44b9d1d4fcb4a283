#include <gtest/gtest.h>

#include "statistics/DailyStatistics.h"
#include "storage/NumberText.h"
#include "tests/statistics/StatisticsFixture.h"

namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

class DailyStatistics : public StatisticsFixture {
 protected:
  TDailyStatistics Compute(int grouping, TDateTime from, TDateTime to) {
    auto s = ComputeDailyStatistics(TDailySources{*stores.records, *stores.cars, stores.customers.get()}, grouping,
                                    from, to, "kč");
    EXPECT_TRUE(s.has_value());
    return s ? *s : TDailyStatistics{};
  }
};

}  // namespace

TEST(DailyProfit, MarginOfTheItemLinesRoundedHalfToEven) {
  EXPECT_EQ(RecordProfit(StatisticsFixture::WithMargin(2.5)), 2);
  EXPECT_EQ(RecordProfit(StatisticsFixture::WithMargin(3.5)), 4);
  EXPECT_EQ(RecordProfit("Výměna oleje"), 0);  // free text
  // A damaged list keeps the lines before the damage.
  std::string damaged = StatisticsFixture::WithMargin(5) + "\x01" + "rozbito";
  EXPECT_EQ(RecordProfit(damaged), 5);
}

TEST_F(DailyStatistics, PeriodSumsRowsAndTotals) {
  const int32_t novak = Owner("Novák", "Jan");
  const int32_t octavia = Vehicle("Škoda", "Octavia", novak, 2010, "Combi", "1.9 TDI");
  const int32_t fabia = Vehicle("Škoda", "Fabia");  // no owner
  Record(octavia, kKindDone, D(2024, 1, 1) + 10.0 / 24, 1000, 100.5f, 50, WithMargin(2.5));
  Record(octavia, kKindDone, D(2024, 1, 31) + 10.0 / 24, 2000, 200, 0, WithMargin(3.5));  // on the last day
  Record(fabia, kKindDone, D(2024, 1, 10), -1, 16777216, 0.25f, "Oprava\r\nvýfuku\nvzadu");
  Record(fabia, kKindDone, D(2024, 1, 10), -1, 1, 0);
  Record(octavia, kKindPlan, D(2024, 1, 15), -1, 999, 999);   // not performed
  Record(octavia, kKindDone, D(2024, 2, 1), -1, 999, 999);    // after the period
  Record(octavia, kKindDone, D(2023, 12, 31) + 0.99, -1, 999, 999);  // before it
  Tzaznam gone = Record(fabia, kKindDone, D(2024, 1, 2), -1, 999, 999);
  ASSERT_TRUE(stores.records->EraseCarRecord(gone));

  TDailyStatistics s = Compute(kGroupWeeks, D(2024, 1, 1), D(2024, 1, 31));
  ASSERT_EQ(s.periods, 5);
  using V = std::vector<double>;
  EXPECT_EQ(s.series[kSeriesLabour].Values, (V{100.5, 16777217, 0, 0, 200}));  // summed in double
  EXPECT_EQ(s.series[kSeriesMaterial].Values, (V{50, 0.25, 0, 0, 0}));
  EXPECT_EQ(s.series[kSeriesProfit].Values, (V{2, 0, 0, 0, 4}));
  EXPECT_EQ(s.series[kSeriesCount].Values, (V{1, 2, 0, 0, 1}));
  EXPECT_EQ(s.series[kSeriesLabour].Unit, "kč");
  EXPECT_EQ(s.series[kSeriesCount].Unit, "");

  // The legends' totals.
  EXPECT_EQ(TGarvGraph::LegendText(s.series[kSeriesLabour]), "Práce celkem: 16777517,5 kč");
  EXPECT_EQ(TGarvGraph::LegendText(s.series[kSeriesProfit]), "Zisk celkem: 6 kč");
  EXPECT_EQ(TGarvGraph::LegendText(s.series[kSeriesCount]), "Počet záznamů celkem: 4 ");

  // The list, by day.
  ASSERT_EQ(s.rows.size(), 4u);
  auto cells = [&](size_t r) {
    std::vector<std::string> out;
    for (size_t c = 0; c < kDailyColumns.size(); ++c) out.push_back(DailyCell(s, s.rows[r], c));
    return out;
  };
  using C = std::vector<std::string>;
  EXPECT_EQ(cells(0), (C{"01.01.2024", "100", "50", "2", "Novák, Jan", "Škoda Octavia Combi 1.9 TDI", "Práce; "}));
  EXPECT_EQ(cells(1), (C{"10.01.2024", "16777216", "0", "0", "", "Škoda Fabia", "Oprava, výfuku, vzadu"}));
  EXPECT_EQ(cells(3)[0], "31.01.2024");
  EXPECT_EQ(s.rows[0].vehicleID, octavia);
  EXPECT_EQ(s.rows[1].vehicleID, fabia);

  // The hint of the second week.
  EXPECT_EQ(DailyHintText(s, 1),
            "08.01.2024-14.01.2024\r\nPráce: 16777217,00 kč\r\nMateriál: 0,25 kč\r\nZisk: 0,00 kč\r\n"
            "Počet záznamů: 2,00");

  // Into the graph: four series, and the separators of the months.
  TGarvGraph graph;
  FillGraph(s, graph);
  EXPECT_EQ(graph.SeriesCount(), 4u);
  EXPECT_EQ(graph.Separators().size(), s.separators.size());
  EXPECT_EQ(graph.ValueAt(kSeriesCount, 4), 1);
}

TEST_F(DailyStatistics, GroupingByMonthsAndDays) {
  const int32_t car = Vehicle("Škoda", "Octavia");
  Record(car, kKindDone, D(2024, 2, 1), -1, 10, 0);
  Record(car, kKindDone, D(2023, 11, 15), -1, 5, 0);
  TDailyStatistics months = Compute(kGroupMonths, D(2023, 11, 15), D(2024, 2, 10));
  EXPECT_EQ(months.periods, 4);
  EXPECT_EQ(months.series[kSeriesLabour].Values, (std::vector<double>{5, 0, 0, 10}));
  ASSERT_EQ(months.separators.size(), 2u);
  EXPECT_EQ(months.separators[1].position, 1.5);
  EXPECT_EQ(months.separators[1].label, "2024");
  EXPECT_EQ(DailyHintText(months, 3).substr(0, 11), "únor 2024\r");

  TDailyStatistics days = Compute(kGroupDays, D(2024, 2, 1), D(2024, 2, 1));
  EXPECT_EQ(days.periods, 1);
  EXPECT_EQ(days.series[kSeriesCount].Values, (std::vector<double>{1}));

  // Nothing in the period: zero series all the same, and no rows.
  TDailyStatistics none = Compute(kGroupDays, D(2020, 1, 1), D(2020, 1, 10));
  EXPECT_EQ(none.series[kSeriesLabour].Values, std::vector<double>(10, 0));
  EXPECT_TRUE(none.rows.empty());
}

TEST_F(DailyStatistics, StoppedByTheProgressCallback) {
  Record(Vehicle("Škoda", "Octavia"), kKindDone, D(2024, 2, 1), -1, 10, 0);
  int calls = 0;
  auto s = ComputeDailyStatistics(TDailySources{*stores.records, *stores.cars, nullptr}, kGroupDays, D(2024, 1, 1),
                                  D(2024, 3, 1), "kč", [&](int, int) { return ++calls > 1; });
  EXPECT_FALSE(s.has_value());
  // Without the customer store the owner stays empty.
  auto all = ComputeDailyStatistics(TDailySources{*stores.records, *stores.cars, nullptr}, kGroupDays, D(2024, 1, 1),
                                    D(2024, 3, 1), "kč");
  ASSERT_TRUE(all.has_value());
  ASSERT_EQ(all->rows.size(), 1u);
  EXPECT_EQ(DailyCell(*all, all->rows[0], 4), "");
  EXPECT_EQ(DailyCell(*all, all->rows[0], 5), "Škoda Octavia");
}
