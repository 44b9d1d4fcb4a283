#pragma once
// Periods of the daily statistics: days, weeks (Monday to Sunday, the first
// one containing the start) and calendar months, their count, their names
// and the separators that mark weeks, months and years on the graph.

#include <cstdint>
#include <string>
#include <vector>

#include "documents/GarvGraph.h"
#include "storage/DateTime.h"

enum : int { kGroupDays = 0, kGroupWeeks = 1, kGroupMonths = 2 };

// Periods from start to end, both included (an end before the start counts
// as the start). Any grouping other than days and weeks counts months.
int CountPeriods(int grouping, TDateTime start, TDateTime end);
// "31 dnů, 5 týdnů, 1 měsíc".
std::string PeriodLengthText(TDateTime start, TDateTime end);

// The date moved by whole months, the day kept or cut to the month's end.
TDateTime IncMonth(TDateTime date, int months);
// "leden 2024".
std::string MonthYearText(TDateTime date);
// The name of period `index` from `from`: its date, "Monday-Sunday" of its
// week, or its month and year.
std::string PeriodLabel(int grouping, int32_t from, int index);

// Week starts (days), month starts (weeks) and year starts (months) over
// `count` periods from `from`, period i at position i.
std::vector<TSeparator> PeriodSeparators(int grouping, int32_t from, int count);
