#pragma once
// The texts of the vehicle information window (an order for parts) and of
// the additional-information editor.

#include <string>
#include <vector>

#include "storage/Vehicle.h"

// The lines of a multi-line text (CR LF, LF or CR), as a memo holds them: a
// final line break ends the last line, and an empty text is one empty line.
std::vector<std::string> MemoLines(const std::string& text);

// "Značka:     " make model subtype, "Motor:      ", "VIN:        ",
// "Rok výroby: " YearText, an empty line, "Poznámky:", the comments, an empty
// line, "Objednávám:", an empty line, then the order text.
std::vector<std::string> CarInfoLines(const Tautomobil& vehicle, const std::string& orderText);

// The order e-mail's body: every line followed by CR.
std::string OrderMailBody(const std::vector<std::string>& lines);

// The additional-information editor starts with the comments, or with the
// `addvehinfo` text when there are none.
std::string AdditionalInfoText(const Tautomobil& vehicle, const std::string& addvehinfo);
