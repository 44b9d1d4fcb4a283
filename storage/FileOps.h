#pragma once
// Copying across file systems and temporary names.

#include <string>

#include "storage/FileSystem.h"

// Copies one file in 1 MiB chunks, creating the destination's folders. A
// failed copy leaves no partial destination behind.
bool CopyFileTo(const S_FileName& source, const S_FileName& destination);

// Copies a folder tree (or a single file). Every entry is tried; the result
// is true only when all succeeded. An empty folder is recreated.
bool CopyTree(const S_FileName& source, const S_FileName& destination);

// TEMP (else TMPDIR, else /tmp) + prefix + year, month and day without
// padding + eight random digits + "." + extension, on the real file system.
S_FileName MakeTempFileName(const std::string& prefix, const std::string& extension);

// The run stamp: four-digit year, two-digit month and day, "r" and a random
// number 0..999999. Names the temporary folder and the trace log of a run.
std::string MakeRunStamp();

// Creates host temp folder + "GarvTemp" + stamp and returns it with a
// trailing "/", or "" when it cannot be created.
std::string MakeTempFolder();

// The host temporary folder with a trailing "/".
std::string HostTempFolder();
