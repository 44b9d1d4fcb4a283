#pragma once
// The summary of a stored document that lists and panels show, read back
// from its blocks; documents of the earlier format carry a "<!--LABEL:…-->"
// line instead.

#include <cstdint>
#include <string>

#include "storage/FileSystem.h"

struct TDocInfo {
  std::string Label;     // decoded leniently: an unknown "&…" stays
  int32_t Date = 36161;  // whole days; 1 January 1999 when not known
  bool Proforma = false;
  int32_t VehicleId = -1;
  int32_t CustomerId = -1;
  int32_t RecordId = -1;
};

inline constexpr int32_t kDocInfoNoDate = 36161;

// False (and the defaults) when the file is missing or empty. Never throws.
bool LoadDocInfo(const S_FileName& file, TDocInfo& info);
// The same from the text of a document and its file name (for the year of
// an earlier-format document).
TDocInfo DocInfoFromText(const std::string& text, const std::string& fileName);
