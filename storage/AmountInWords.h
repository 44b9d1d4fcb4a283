#pragma once
// Czech words for a whole amount, joined without blanks, as invoices print
// it: 1250 -> "jedentisícdvěstěpadesát". The value is first rounded to a whole
// number (halves to even); 0 or less gives "nula". Groups go up to billions
// (10^12); an amount of 10^15 or more comes out in digits.

#include <string>

std::string AmountInWords(double value);
