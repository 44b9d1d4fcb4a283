#pragma once
// The program's VIN pattern tree, shared by the decoder of the new-vehicle
// window and the VIN manager window: loaded from "db_vin.txt" on first use
// (or when the manager opens), edited in memory by the manager, and written
// when the manager closes. The decoder sees unsaved edits.

#include <string>

#include "catalogues/CatalogueStores.h"
#include "catalogues/VinDecoder.h"
#include "catalogues/VinTree.h"
#include "storage/FileSystem.h"

inline constexpr const char* kVINFileName = "db_vin.txt";

struct TVINPatterns {
  TVINTree tree;
  bool loaded = false;
};

// The process-wide patterns.
TVINPatterns& VinPatterns();

// "db_vin.txt" on the data (virtual) file system, where it is read from.
S_FileName VinPatternFile();
// Where it is written: the same file, unless that is the copy shipped in
// the program folder, which is never written; the copy then goes to the
// data folder (the default path), where later reads find it first.
S_FileName VinPatternFileForSaving();

// Replaces the tree with the file's (an empty tree when the file is missing
// or unreadable) and marks it loaded.
void LoadVINPatterns(TVINPatterns& patterns, const TCatalogue& catalogue, const S_FileName& file);
bool SaveVINPatterns(const TVINPatterns& patterns, const TCatalogue& catalogue, const S_FileName& file);

// Decodes with the process-wide tree, loading it from VinPatternFile()
// first when nobody has. The new-vehicle window passes depth 16.
TVINDecoded DecodeVIN(const TCatalogue& catalogue, const std::string& vin, int depth = 16);
