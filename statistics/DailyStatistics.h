#pragma once
// The daily statistics: labour, material, profit and the number of
// performed services (records of kind DONE) per day, week or month of a
// period, as four graph series, and the list of the records counted.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/GarvGraph.h"
#include "statistics/Periods.h"
#include "storage/DateTime.h"

class TCustomRecDb;
class TCustomCarDb;
class TCustomDb;

enum : size_t { kSeriesLabour = 0, kSeriesMaterial = 1, kSeriesProfit = 2, kSeriesCount = 3 };

struct TDailyRow {
  int32_t day = 0;  // the record's date, whole days
  int32_t vehicleID = -1;
  uint32_t names = 0;  // index into TDailyStatistics::names
  double labour = 0, material = 0;
  double profit = 0;  // rounded to whole koruny
  int32_t kind = 0;
  uint32_t flags = 0;
  std::string description;  // as stored; the list shows it on one line
};

// Owner and vehicle as the list shows them, once per vehicle.
struct TDailyNames {
  std::string customer;
  std::string vehicle;
};

struct TDailyStatistics {
  int32_t from = 0, to = 0;  // whole days
  int grouping = kGroupDays;
  int periods = 0;
  std::string currency;
  std::array<TSingleGraph, 4> series;  // Práce, Materiál, Zisk, Počet záznamů
  std::vector<TSeparator> separators;
  std::vector<TDailyRow> rows;  // ascending by day, store order within a day
  std::vector<TDailyNames> names;
};

// Columns of the list.
inline constexpr std::array<const char*, 7> kDailyColumns = {"Datum", "CenaP", "CenaM", "Zisk",
                                                             "Zákazník", "Vozidlo", "Popis"};
std::string DailyCell(const TDailyStatistics& stats, const TDailyRow& row, size_t column);

// The stores the statistics read; `customers` may be null (no owner names).
struct TDailySources {
  TCustomRecDb& records;
  TCustomCarDb& cars;
  TCustomDb* customers = nullptr;
};

// Reports the slots read so far of all; false stops the computation.
using TStatProgress = std::function<bool(int done, int total)>;

// Records count when their day lies within from..to (the time of day plays
// no part). Nothing (std::nullopt) when the progress callback stopped it.
std::optional<TDailyStatistics> ComputeDailyStatistics(TDailySources sources, int grouping, TDateTime from,
                                                       TDateTime to, const std::string& currency,
                                                       const TStatProgress& progress = {});

// Profit of a record: Σ (price − purchasePrice) × count over the item lines
// of its description (lines before a damaged one still count; free text
// gives 0), rounded to whole koruny, halves to even.
double RecordProfit(const std::string& description);

// The statistics as a table: a row per period (its name, then the four
// series' values), and a last row "celkem" with the totals the legends show.
std::vector<std::vector<std::string>> DailyPeriodRows(const TDailyStatistics& stats);
inline constexpr std::array<const char*, 5> kDailyPeriodColumns = {"Období", "Práce", "Materiál", "Zisk",
                                                                   "Počet záznamů"};

// The four series and the separators into the graph, first emptying it.
void FillGraph(const TDailyStatistics& stats, TGarvGraph& graph);
// The pointer hint of period `index`: its name, then a line per series;
// lines joined by CR LF.
std::string DailyHintText(const TDailyStatistics& stats, int index);
