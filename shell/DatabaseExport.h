#pragma once
// "Export": the whole database as three comma-separated files for
// spreadsheets, export_zakaznici.csv (customers), export_vozidla.csv
// (vehicles) and export_zaznamy.csv (service records), in a folder the user
// chooses. Windows-1250, CR LF line ends, no header line.
//
// A line is a bare number (the ID), then every further field as a double
// quote, the value, a double quote and ","; a customer line has no "," after
// its last field. A vehicle line and a record line end with the owner's part:
// the owner's complete customer line, or the owner ID between quotes when it
// lies outside the customer IDs written (-1: no owner), or nothing when the
// customer was erased.
//
// Text values are cleaned first (CsvText): line breaks become blanks, double
// quotes are removed, and a value that a spreadsheet would run as a formula
// gets a leading "'". Numbers are written as they are.
//
// What holds on failure: the files are written under temporary names and
// replace the old ones only when all three are complete; a failure leaves
// the folder as it was.

#include <cstdint>
#include <functional>
#include <string>

#include "servicebook/Activities.h"

struct TStoreSet;

// The cleaned form of a text value.
std::string CsvText(const std::string& value);
// A document number kept as text, cut before its first character that is
// neither 7-bit ASCII nor one of the capitals Š Ť Ž Á Č É Ě Í Ď Ň Ó Ř Ů Ú Ý.
std::string CsvNumberText(const std::string& text);

struct TDatabaseExportResult {
  bool ok = false;
  std::string error;  // Czech, for the message box
  long long customers = 0, vehicles = 0, records = 0;
};

// Writes the three files into the (host) folder. `progress` hears
// (done, total) in customers and vehicles; it may be empty.
TDatabaseExportResult ExportDatabase(TStoreSet& stores, const std::string& folder, const TVatSettings& vat,
                                     const std::function<void(long long done, long long total)>& progress = {});

// Export databáze dokončen - <folder>
std::string ExportDoneText(const std::string& folder);
