#pragma once
// Numbers the user types into the record editors. Only finite values within
// sane bounds are taken, so a stray "1e300" can neither reach a stored float
// as infinity nor overflow a whole number.

#include <cstdint>
#include <string_view>

// Amounts, quantities and litres: |x| <= 99,999,999.
inline constexpr double kMaxTypedAmount = 99999999;
// Odometer readings: 0 .. 9,999,999 (seven digits).
inline constexpr int32_t kMaxKm = 9999999;

// A complete decimal number ("," or "." as the decimal point) within the
// amount bound.
bool ReadTypedAmount(std::string_view text, double& value);
// As ReadTypedAmount, and "hours:minutes" ("1:30" is 1.5; either side may be
// empty, minutes may exceed 59).
bool ReadTypedHours(std::string_view text, double& value);
// A whole number of km within 0 .. kMaxKm.
bool ReadTypedKm(std::string_view text, int32_t& km);
