#pragma once
// The VIN as the vehicle window treats it: the box's text, the model year of
// its 10th character, and the VIN information block kept in the vehicle's
// additional information.

#include <string>

#include "catalogues/VinMask.h"
#include "storage/DateTime.h"

inline constexpr size_t kVINBoxLimit = 50;

// What the VIN box holds: upper case (Windows-1250 rules), at most 50
// characters.
std::string VINBoxText(const std::string& typed);

// Characters (not bytes) of the VIN.
size_t VINLength(const std::string& vin);

// The model year of the 10th character: the latest year of its code whose
// 1 January is not after `today`; 1900 for a character that is no year code;
// 0 when the VIN is shorter than 10 characters.
int YearFromVIN(const std::string& vin, TDateTime today);

// With a 17-character VIN: whether the year's code is the 10th character.
// A year without a code (before 1980, or 0) never matches.
bool YearMatchesVIN(int year, const std::string& vin);

// The block "<<VIN-INFO:" + note + ">>" CR LF. In `comments` an existing
// block (from "<<VIN-INFO:" up to the next ">>" CR LF, or ">>" ending the
// text) is replaced by the note's block, or removed when the note is empty.
// Without one, the note's block is added as a line at the end.
std::string VINInfoBlock(const std::string& note);
std::string SetVINInfoBlock(const std::string& comments, const std::string& note);
