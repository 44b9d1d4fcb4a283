#pragma once
// Numbers typed by the user and numbers shown to the user. Input accepts ","
// or "." as the decimal separator; output uses the Czech decimal comma,
// whatever the host locale.

#include <string>
#include <string_view>

// Every "," becomes "."; the text is read as a decimal number as far as it
// can be read ("2,5 l" gives 2.5; leading blanks skipped; no hexadecimal,
// "inf" or "nan"). An empty text gives `fallback`; a text with no readable
// number, or one beyond the range of double, gives 0. Host locale plays no
// part.
double ParseNumber(std::string_view text, double fallback);
// True if the text (after the same replacement) is a complete decimal number.
bool IsNumber(std::string_view text);
// A whole decimal number, or `fallback` when empty or not a complete number.
long long ParseInteger(std::string_view text, long long fallback);
// True if the text is a complete whole number.
bool IsInteger(std::string_view text);

// Fixed notation with `decimals` decimals and the decimal comma.
std::string FormatFixed(double value, int decimals);
// At most `digits` significant digits, no trailing zeros, the decimal comma;
// scientific form ("1,5E12", "2E-7") only for very large or small values.
// A value that is not finite gives "0".
std::string GeneralNumberText(double value, int digits = 10);
// Two decimals and the decimal comma; with the currency appended after a
// blank if asked: the process-wide currency text, or the one given.
std::string PriceText(double value, bool withCurrency);
std::string PriceText(double value, bool withCurrency, const std::string& currency);

// The currency shown after amounts ("kč" until the settings say otherwise;
// the settings set it when they are read).
void SetCurrencyText(const std::string& currency);
std::string CurrencyText();
