#pragma once
// The register of a document folder: every stored document as a row, read
// once, then shown through a month filter without reading again.

#include <cstdint>
#include <string>
#include <vector>

#include "storage/DateTime.h"

struct TDocumentRow {
  std::string number;    // the file name without ".html", URL-decoded, " (proforma)" appended
  std::string plainNumber;  // without " (proforma)"
  std::string dateText;  // empty when the date is not known (below 1)
  std::string label;
  std::string path;      // virtual path of the document
  int32_t date = 0;      // whole days
};

struct TDocumentRegister {
  std::vector<TDocumentRow> rows;
  std::vector<std::string> failed;  // real paths of documents that could not be read
};

// Reads every "*.html" of the folder.
TDocumentRegister ReadDocumentRegister(const std::string& folder);

// "Nepodařilo se načíst tyto soubory:" and the paths, one a line.
std::string RegisterFailureText(const std::vector<std::string>& failed);

struct TMonthEntry {
  std::string text;  // "3/2026"
  int year = 0, month = 0;
};

// 120 months ending with the month of `today`, oldest first.
std::vector<TMonthEntry> RegisterMonths(TDateTime today);
// Index of January of this year and of this month in RegisterMonths.
int FirstMonthOfYearIndex(TDateTime today);
int CurrentMonthIndex();

// A row is shown when its date lies in the months from..to (whole months),
// or when its date is 0 (unknown).
bool RowInMonths(const TDocumentRow& row, const TMonthEntry& from, const TMonthEntry& to);
// Indices of the rows shown.
std::vector<size_t> FilterRows(const std::vector<TDocumentRow>& rows, const TMonthEntry& from, const TMonthEntry& to);
