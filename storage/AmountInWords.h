#pragma once
// Czech words for a whole amount, joined without blanks, as invoices print
// it: 1250 -> "jedentisícdvěstěpadesát". The value is first rounded to a whole
// number (halves to even); 0 or less gives "nula".

#include <string>

std::string AmountInWords(double value);
