#include <gtest/gtest.h>

#include "catalogues/CatalogueStores.h"
#include "statistics/VehicleStatistics.h"
#include "tests/statistics/StatisticsFixture.h"

namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }
const TDateTime kToday = EncodeDate(2024, 6, 1);

class VehicleStatistics : public StatisticsFixture {
 protected:
  CGroupList Compute(int grouping, int minimumCount = 0) {
    CGroupList list(grouping);
    EXPECT_TRUE(ComputeVehicleStatistics(*stores.cars, *stores.records, CatalogueOf(stores), grouping, 0,
                                         minimumCount, kToday, list));
    return list;
  }
  static std::vector<std::string> Row(const TGroup& g) {
    std::vector<std::string> out;
    for (size_t c = 0; c < VehicleStatColumns().size(); ++c) out.push_back(VehicleStatCell(g, c));
    return out;
  }
  static std::vector<std::string> GroupNames(const CGroupList& list) {
    std::vector<std::string> out;
    for (const TGroup& g : list.Groups()) out.push_back(g.name);
    return out;
  }
};

using TTexts = std::vector<std::string>;

}  // namespace

TEST_F(VehicleStatistics, MeasuresOfEachVehicleAndTheirGroup) {
  // Serviced twice a year apart, 10,000 km between; a plan comes last.
  const int32_t a = Vehicle("Škoda", "Octavia", -1, 2008);
  Record(a, kKindDone, D(2022, 1, 1), 1000, 200.5f, 100.4f);
  Record(a, kKindDone, D(2023, 1, 1), 11000, 0, 50.5f);
  Record(a, kKindPlan, D(2025, 1, 1), 20000, 500, 500);
  // Only a plan: its km counts, nothing else does.
  const int32_t b = Vehicle("ŠKODA", "octavia", -1, 2012);
  Record(b, kKindPlan, D(2025, 1, 1), 30000);
  // Performed services all at the same km.
  const int32_t c = Vehicle("S koda", "Octa via", -1, 2010);
  Record(c, kKindDone, D(2022, 1, 1), 5000, 10, 0);
  Record(c, kKindDone, D(2023, 1, 1), 5000, 10, 0);
  // No records at all, and a vehicle without a year (left out).
  Vehicle("Škoda", "Octavia", -1, 2015);
  Vehicle("Škoda", "Octavia", -1, 0);

  CGroupList list = Compute(kGroupModel);
  ASSERT_EQ(list.Groups().size(), 1u);
  const TGroup& g = list.Groups()[0];
  ASSERT_EQ(g.samples.size(), 4u);
  const TVehicleSample& s = g.samples[0];
  EXPECT_EQ(s.km, 20000);
  EXPECT_EQ(s.year, 2008);
  EXPECT_EQ(s.kmPerYear, 10000);
  EXPECT_EQ(s.records, 3);
  EXPECT_EQ(s.material, 150);  // 100 + 50, each rounded half to even first
  EXPECT_EQ(s.labour, 200);
  EXPECT_EQ(s.total, 350);
  EXPECT_DOUBLE_EQ(s.costPerKm, 0.035);
  EXPECT_EQ(g.samples[2].kmPerYear, -1);
  EXPECT_EQ(g.samples[2].costPerKm, -1);
  EXPECT_EQ(g.samples[3].km, -1);
  EXPECT_EQ(g.samples[3].records, 0);

  // Minimum and sum leave out missing values; the average divides by every
  // vehicle of the group.
  EXPECT_EQ(Row(g), (TTexts{"Škoda Octavia", "4", "0",
                           "5000", "30000", "13750",  // km
                           "2008", "2015", "2011",    // year
                           "10000", "10000", "2500",  // km per year
                           "0", "3", "1",             // records
                           "0", "150", "37",          // material
                           "0", "200", "55",          // labour
                           "0", "350", "92",          // sum
                           "0,035", "0,035", "0,009"}));
}

TEST_F(VehicleStatistics, MissingMinimumsAndBigOdometers) {
  // No vehicle of the group has a km per year: minimum and maximum "-".
  const int32_t a = Vehicle("Lada", "Niva", -1, 1990);
  Record(a, kKindDone, D(2020, 1, 1), 2000000000);
  const int32_t b = Vehicle("Lada", "Niva", -1, 1991);
  Record(b, kKindDone, D(2020, 1, 1), 2000000000, 3e9f, 3e9f);
  CGroupList list = Compute(kGroupMake);
  ASSERT_EQ(list.Groups().size(), 1u);
  const auto row = Row(list.Groups()[0]);
  EXPECT_EQ(row[3], "2000000000");
  EXPECT_EQ(row[5], "2000000000");  // the sum passes 32 bits
  EXPECT_EQ(row[9], "-");
  EXPECT_EQ(row[10], "-");
  EXPECT_EQ(row[11], "0");
  EXPECT_EQ(row[22], "6000000000");
  EXPECT_EQ(row[24], "-");
}

TEST_F(VehicleStatistics, GroupingsAndTheMinimumCount) {
  const int32_t vag = [&] {
    TConcernRecord r;
    InitConcern(r);
    r.name = "Volkswagen Group";
    EXPECT_TRUE(CreateCatalogueRecord(CatalogueOf(stores).concerns, r));
    return r.ID;
  }();
  TManufacturerRecord m;
  InitManufacturer(m);
  m.name = "Škoda";
  m.concern = vag;
  ASSERT_TRUE(CreateCatalogueRecord(CatalogueOf(stores).manufacturers, m));

  for (int i = 0; i < 9; ++i) Vehicle("Škoda", "Fabia", -1, 2010, "Combi", "1.2 HTP");
  Vehicle("Škoda", "Fabia", -1, 2010, "Sedan", "1.4 MPI");
  Vehicle("Trabant", "601", -1, 1980);

  EXPECT_EQ(GroupNames(Compute(kGroupConcern)), (TTexts{"? Trabant ?", "Volkswagen Group"}));
  EXPECT_EQ(GroupNames(Compute(kGroupMake)), (TTexts{"Škoda", "Trabant"}));
  EXPECT_EQ(GroupNames(Compute(kGroupVariant)), (TTexts{"Škoda Fabia Combi", "Škoda Fabia Sedan", "Trabant 601 "}));
  EXPECT_EQ(GroupNames(Compute(kGroupEngine)), (TTexts{"Škoda Fabia 1.2 HTP", "Škoda Fabia 1.4 MPI", "Trabant 601 "}));
  EXPECT_EQ(GroupNames(Compute(9)), (TTexts{"<chyba>"}));
  // With the default minimum of ten, nine Combis are not enough; ten Fabias are.
  EXPECT_EQ(GroupNames(Compute(kGroupVariant, kDefaultMinimumCount)), TTexts{});
  EXPECT_EQ(GroupNames(Compute(kGroupModel, kDefaultMinimumCount)), (TTexts{"Škoda Fabia"}));
}

TEST(VehicleStatisticsList, SortingWithMissingValuesLast) {
  CGroupList list(kGroupMake);
  auto add = [&](const char* make, int64_t km, int count) {
    Tautomobil v;
    v.manufacturer = make;
    TVehicleSample s;
    s.km = km;
    s.year = 2000;
    for (int i = 0; i < count; ++i) list.AddVehicle(v, s);
  };
  add("Škoda", 5000, 1);
  add("Citroën", -1, 3);
  add("Audi", 9000, 2);
  add("Čezeta", 100, 1);
  list.Compute(0, 0);
  auto names = [&] {
    TTexts out;
    for (const TGroup& g : list.Groups()) out.push_back(g.name);
    return out;
  };
  list.Sort(0, false);  // Czech order: C before Č
  EXPECT_EQ(names(), (TTexts{"Audi", "Citroën", "Čezeta", "Škoda"}));
  list.Sort(3, true);  // min km, descending; Citroën has none
  EXPECT_EQ(names(), (TTexts{"Audi", "Škoda", "Čezeta", "Citroën"}));
  list.Sort(3, false);
  EXPECT_EQ(names(), (TTexts{"Čezeta", "Škoda", "Audi", "Citroën"}));
  list.Sort(1, true);
  EXPECT_EQ(names(), (TTexts{"Citroën", "Audi", "Čezeta", "Škoda"}));
  std::string name;
  TGroupStats stats;
  EXPECT_TRUE(list.GetGroup(0, name, stats));
  EXPECT_EQ(stats.count, 3);
  EXPECT_FALSE(list.GetGroup(4, name, stats));
}

TEST(VehicleStatisticsList, CostPerKmTexts) {
  const std::pair<double, const char*> cases[] = {
      {2.456, "2,460"}, {0.123456, "0,123"}, {12.3456, "12,300"}, {1234.5, "1,23E003"},
      {1000, "1E003"},  {999.6, "1E003"},    {0, "0,000"},        {-1, "-"},
      {0.00001, "0,000"}, {2.5e12, "2,5E012"},
  };
  for (auto [value, text] : cases) EXPECT_EQ(CostPerKmText(value), text) << value;
}

TEST(VehicleStatisticsList, TintsAndDarkerRows) {
  EXPECT_EQ(VehicleStatCellColour(0, 0), 0xFFFFFFu);
  EXPECT_EQ(VehicleStatCellColour(1, 0), 0xD0FFD0u);
  EXPECT_EQ(VehicleStatCellColour(5, 1), 0xFFFFD0u);
  EXPECT_EQ(VehicleStatCellColour(26, 2), 0xA0FFFFu);
  EXPECT_EQ(VehicleStatCellColour(17, 3), 0xB28080u);  // 0xDFA0A0 × 0.8
  EXPECT_EQ(VehicleStatCellColour(0, 7), 0xCCCCCCu);
}

TEST(VehicleStatisticsList, SetupFields) {
  struct {
    const char *best, *worst, *minimum;
    bool ok;
  } cases[] = {
      {"0", "0", "10", true},  {"0", "0", "0", true},      {"0", "0", "1000000", true}, {"0", "0", "-1", false},
      {"0", "0", "1000001", false}, {"0", "0", "", false}, {"0", "0", "1x", false},     {"100", "0", "10", false},
      {"50", "50", "10", false}, {"49", "50", "10", true}, {"0", "-1", "10", false},    {" 5 ", "0", "10", true},
  };
  for (const auto& c : cases) {
    TVehicleStatSetup setup;
    EXPECT_EQ(ParseVehicleStatSetup(c.best, c.worst, c.minimum, setup), c.ok)
        << c.best << "/" << c.worst << "/" << c.minimum;
  }
}
