// garvelctl stats: the daily statistics and the vehicle statistics of a
// database folder, computed by the windows' own code.
//   stats daily DIR [--from D.M.YYYY] [--to D.M.YYYY] [--group dny|tydny|mesice] [--list] [--svg FILE]
//   stats vehicles DIR [--group koncern|vyrobce|model|varianta|motor] [--min N] [--sort COLUMN] [--desc]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "catalogues/CatalogueStores.h"
#include "documents/SvgGraphCanvas.h"
#include "statistics/DailyStatistics.h"
#include "statistics/VehicleStatistics.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"

namespace {

const char* const kDailyUsage =
    "Použití: garvelctl stats daily SLOŽKA [--from D.M.RRRR] [--to D.M.RRRR] [--group dny|tydny|mesice] [--list] "
    "[--svg SOUBOR]\n";
const char* const kVehiclesUsage =
    "Použití: garvelctl stats vehicles SLOŽKA [--group koncern|vyrobce|model|varianta|motor] [--min N] "
    "[--sort SLOUPEC] [--desc]\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "garvelctl stats: %s\n", message.c_str());
  return 2;
}

// Writes the file under a temporary name beside it, then puts it in place,
// so that an existing file is never left half written.
bool WriteWhole(const std::string& path, const std::string& content) {
  std::string temp = path + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < content.size();) {
    ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool ParseDay(const std::string& text, TDateTime& day) {
  TDateTime value = 0;
  if (!ParseDateTime(text, value)) return false;
  day = std::floor(value);
  return true;
}

std::string SvgOf(const TDailyStatistics& s) {
  TGarvGraph graph;
  FillGraph(s, graph);
  // As the window starts: bars for the money, a line for the count.
  for (size_t k : {kSeriesLabour, kSeriesMaterial, kSeriesProfit}) graph.SetSeriesStyle(k, kStyleBars);
  graph.SetSeriesStyle(kSeriesCount, kStyleLines);
  int width = 1200;
  const int height = 500;
  double step = graph.FitStep(width);
  if (step < 9) {  // a long period: wider, as the window at its smallest zoom
    width = 9 * s.periods + 320;
    step = graph.FitStep(width);
  }
  TSvgGraphCanvas svg(width, height);
  graph.DrawGraph(svg, step, 0);
  return svg.Document();
}

int Daily(const TArgs& args) {
  if (args.positional.size() != 1) {
    std::fputs(kDailyUsage, stderr);
    return 2;
  }
  const TDateTime today = Today();
  const TDateParts now = DecodeDate(today);
  TDateTime from = EncodeDate(now.year, now.month, 1), to = today;
  if (args.Has("--from") && !ParseDay(args.Value("--from"), from)) return Fail("neplatné datum \"" + args.Value("--from") + "\"");
  if (args.Has("--to") && !ParseDay(args.Value("--to"), to)) return Fail("neplatné datum \"" + args.Value("--to") + "\"");
  if (to < from) to = from;
  const std::string group = args.Value("--group", "dny");
  int grouping;
  if (group == "dny") grouping = kGroupDays;
  else if (group == "tydny") grouping = kGroupWeeks;
  else if (group == "mesice") grouping = kGroupMonths;
  else return Fail("neznámé seskupení \"" + group + "\"");

  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  auto stats = ComputeDailyStatistics(TDailySources{*db.stores.records, *db.stores.cars, db.stores.customers.get()},
                                      grouping, from, to, CurrencyText());
  if (!stats) return 1;
  const TDailyStatistics& s = *stats;

  auto printRow = [](const std::vector<std::string>& cells) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) line += (c ? "\t" : "") + cells[c];
    std::printf("%s\n", line.c_str());
  };
  printRow(std::vector<std::string>(kDailyPeriodColumns.begin(), kDailyPeriodColumns.end()));
  for (const auto& row : DailyPeriodRows(s)) printRow(row);

  if (args.Has("--list")) {
    std::string line;
    for (size_t c = 0; c < kDailyColumns.size(); ++c) line += (c ? "\t" : "") + std::string(kDailyColumns[c]);
    std::printf("\n%s\n", line.c_str());
    for (const TDailyRow& row : s.rows) {
      line.clear();
      for (size_t c = 0; c < kDailyColumns.size(); ++c) line += (c ? "\t" : "") + DailyCell(s, row, c);
      std::printf("%s\n", line.c_str());
    }
  }
  if (args.Has("--svg")) {
    const std::string file = args.Value("--svg");
    if (file.empty()) return Fail("chybí jméno souboru za --svg");
    if (!WriteWhole(file, SvgOf(s))) {
      std::fprintf(stderr, "garvelctl stats: nelze zapsat \"%s\"\n", file.c_str());
      return 1;
    }
  }
  return 0;
}

int Vehicles(const TArgs& args) {
  if (args.positional.size() != 1) {
    std::fputs(kVehiclesUsage, stderr);
    return 2;
  }
  static const char* const kGroupings[] = {"koncern", "vyrobce", "model", "varianta", "motor"};
  const std::string group = args.Value("--group", "model");
  int grouping = -1;
  for (int i = 0; i < 5; ++i)
    if (group == kGroupings[i]) grouping = i;
  if (grouping < 0) return Fail("neznámé seskupení \"" + group + "\"");
  TVehicleStatSetup setup;
  if (!ParseVehicleStatSetup("0", "0", args.Value("--min", std::to_string(kDefaultMinimumCount)), setup))
    return Fail("Neplatné hodnoty");
  size_t sortColumn = 0;
  const std::string sortName = args.Value("--sort", VehicleStatColumns()[0]);
  const auto& columns = VehicleStatColumns();
  auto found = std::find(columns.begin(), columns.end(), sortName);
  if (found == columns.end()) return Fail("neznámý sloupec \"" + sortName + "\"");
  sortColumn = static_cast<size_t>(found - columns.begin());

  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  CGroupList list(grouping);
  if (!ComputeVehicleStatistics(*db.stores.cars, *db.stores.records, CatalogueOf(db.stores), grouping, setup.worst,
                                setup.minimumCount, Today(), list))
    return 1;
  list.Sort(sortColumn, args.Has("--desc"));
  std::string line;
  for (size_t c = 0; c < columns.size(); ++c) line += (c ? "\t" : "") + columns[c];
  std::printf("%s\n", line.c_str());
  for (const TGroup& g : list.Groups()) {
    line.clear();
    for (size_t c = 0; c < columns.size(); ++c) line += (c ? "\t" : "") + VehicleStatCell(g, c);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace

int CmdStats(int argc, char** argv) {
  const std::string what = argc > 0 ? argv[0] : "";
  TArgs args(argc - (argc > 0), argv + (argc > 0), {"--from", "--to", "--group", "--svg", "--min", "--sort"});
  if (what == "daily") return Daily(args);
  if (what == "vehicles") return Vehicles(args);
  std::fputs(kDailyUsage, stderr);
  std::fputs(kVehiclesUsage, stderr);
  return 2;
}

namespace {
const TCtlRegistration kRegisterStats(
    "stats", "vypíše denní statistiky záznamů nebo statistiky vozidel",
    "daily SLOŽKA [--from D.M.RRRR] [--to D.M.RRRR] [--group dny|tydny|mesice] [--list] [--svg SOUBOR]\nvehicles SLOŽKA [--group koncern|vyrobce|model|varianta|motor] [--min N] [--sort SLOUPEC] [--desc]", CmdStats);
}  // namespace
