#pragma once
// Whether another vehicle of the store already has a registration plate or a
// VIN. Texts compare folded and reduced to A-Z and 0-9, so "1a2 3456" and
// "1A2-3456" are the same plate; a text that reduces to nothing never
// matches. Archived vehicles count; the vehicle `exceptID` does not.

#include <cstdint>
#include <string>

class TCustomCarDb;

std::string DuplicateKey(const std::string& text);

bool TagExists(TCustomCarDb& cars, const std::string& tag, int32_t exceptID);
bool VINExists(TCustomCarDb& cars, const std::string& vin, int32_t exceptID);

// The warnings the vehicle window shows beside the boxes.
inline constexpr const char* kTagDuplicateWarning = "Vozidlo s touto RZ již v databázi existuje!";
inline constexpr const char* kVINDuplicateWarning = "Vozidlo s tímto VIN již v DB existuje!";
