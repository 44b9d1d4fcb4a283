#pragma once
// Replacing a stored document without ever leaving a half-written one: the
// new content goes to a hidden temporary file beside the target, which is
// renamed over it only when complete.

#include <string>

// "." + the file's name + a random part + `extension`, in the same folder
// (hidden, so no folder listing ever shows it).
std::string HiddenTempBeside(const std::string& realPath, const std::string& extension);
// Writes the bytes beside the target, flushes them to disk and renames them
// over it. On failure the target is untouched, nothing is left behind and
// `error` says why.
bool ReplaceFileContents(const std::string& realPath, const std::string& bytes, std::string& error);
