#pragma once
// Placeholders of the texts mailed to vehicle owners (reminders, records
// sent to the owner).

#include <string>

struct Tautomobil;

// "%SPZ" becomes the plate, then "%ZNACKA" make + " " + model + " " +
// subtype; every occurrence.
std::string ReplaceVehiclePlaceholders(std::string text, const Tautomobil& vehicle);

// "%PROGRAM_URL" becomes the program's download address.
std::string ReplaceProgramUrl(std::string text);
