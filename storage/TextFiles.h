#pragma once
// Reading whole text files and numbering files by their names.

#include <string>

#include "storage/FileSystem.h"

// The whole content of a Windows-1250 text file as UTF-8, or `fallback` when
// it cannot be read.
std::string ReadTextFile(const S_FileName& file, const std::string& fallback);

// Lists the files matching the virtual mask; for each name reads the
// characters after the first `prefixLength` up to the first "." as a whole
// number; returns the largest (0 if none). Numbers documents.
long long HighestNumber(const std::string& mask, size_t prefixLength);
