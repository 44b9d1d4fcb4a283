#pragma once
// How values are written into documents. The formats are Czech whatever the
// host locale: decimal comma, day.month.four-digit year, H:mm:ss.

#include <string>

#include "storage/DateTime.h"

// Two decimals after rounding to 9 significant digits, no thousands
// separator; more than 9 integer digits switch to exponent notation.
std::string MoneyText(double value);
// MoneyText, a blank and the currency setting.
std::string MoneyCurText(double value);
// A rate or a fee per cent: two decimals, exact ("21,00", "150,00").
std::string PercentText(double value);
// A count: two decimals after rounding to 6 significant digits.
std::string AmountText(double value);
// DD.MM.YYYY.
std::string DocDateText(TDateTime date);
// The date, a blank and H:mm:ss; the time left out at midnight.
std::string DocDateTimeText(TDateTime moment);
// A number of minutes as a time of day, H:mm:ss.
std::string MinutesTimeText(double minutes);
// "visible" or "hidden", for class attributes.
const char* ClassText(bool visible);
// The amount rounded to a whole number (halves to even) in Czech words;
// "nula" for zero, "minus " and the words of the absolute value below zero.
std::string WordsText(double amount);
