#pragma once
// The machine-wide values the program keeps outside its data: whether this
// computer may send reminders automatically, and where the maker's calendar
// and time-measurement programs are installed. They live in "registry.ini"
// in the all-users data folder, or beside the per-user data when that folder
// cannot be written.

#include <string>

// The file used for the registry values (a real path).
std::string RegistryFile();

int ReadRegistryInteger(const std::string& key, const std::string& name, int fallback);
std::string ReadRegistryText(const std::string& key, const std::string& name, const std::string& fallback);
// Failures are ignored: the default then applies at the next start.
void WriteRegistryInteger(const std::string& key, const std::string& name, int value);
void WriteRegistryText(const std::string& key, const std::string& name, const std::string& value);
