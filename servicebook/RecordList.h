#pragma once
// The list of a vehicle's records as the records window shows it (and
// `garvelctl records` prints it): one row per record that passes the search,
// sorted by effective date, with the mileage rate behind the dates.

#include <cstdint>
#include <string>
#include <vector>

#include "servicebook/Activities.h"
#include "servicebook/MileageRate.h"
#include "storage/ServiceRecord.h"

struct TRecordRow {
  size_t index = 0;      // into the record array
  int32_t kind = 0;
  int32_t sortKey = 0;   // the effective date, or tomorrow for a record without one
  std::string date;      // "Datum": DD.MM.YYYY, or "?"
  std::string km;        // "Stav km": the km, or "nezadáno"
  std::string activities;  // "Úkony": one line
  std::string labour;    // "Cena p.": DONE only
  std::string material;  // "Cena m.": the material price of DONE, else the kind's label
};

struct TRecordListSettings {
  TDateTime today = 0;
  int kmcalcmonths = 24;
  TVatSettings vat;
};

struct TConfig;
// The settings of the list from the program's settings.
TRecordListSettings RecordListSettingsFrom(const TConfig& config, TDateTime today);

struct TRecordList {
  TMileageRate rate;
  int32_t kmPerYear = 0;  // "Km/rok:"
  std::vector<TRecordRow> rows;
};

// A search of fewer than 2 characters matches every record; a longer one
// matches descriptions that contain it, folded (any case, with or without
// Czech diacritics).
bool MatchesSearch(const std::string& description, const std::string& search);

// Computes the mileage rate and stores every record's effective date into
// its `sortDate` (0 for a record without one): what a save must do first, so
// that the reminders read current dates.
TMileageRate StoreEffectiveDates(AZaznamy& records, const TRecordListSettings& settings);

// Computes the mileage rate and stores every record's effective date into
// its `sortDate` (0 for a record without one), then makes the rows of the
// records that match the search, oldest first.
TRecordList BuildRecordList(AZaznamy& records, const std::string& search, const TRecordListSettings& settings);

// The record's one-line activity text of the "Úkony" column: materials left
// out, "; " after every line, line breaks as ", ". Trace lines name records
// by it too.
std::string RecordListText(const Tzaznam& record, const TVatSettings& vat);

// The label in "Cena m." of a kind other than DONE ("<plán>", "<objednávka>",
// "<tankování>", "<cesta>"; "?" for an unknown kind).
std::string KindPriceLabel(int32_t kind);
// The short code of a kind ("PLANNW" for PLAN_NOWARN), empty when unknown.
std::string KindShortCode(int32_t kind);
// The row colour as 0xRRGGBB; -1 for the window's default (DONE).
int32_t KindRowColour(int32_t kind);
// A price of the list: rounded half to even, no decimals; empty when
// negative (no price) and "?" when it is not a number.
std::string ListPriceText(double price);
