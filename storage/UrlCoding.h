#pragma once
// Web-address coding of Windows-1250 texts: a blank becomes "+"; "-", ".",
// digits, "@", A..Z, "_" and a..z stay; every other byte becomes "%" and two
// upper-case hexadecimal digits. Texts are UTF-8 in memory.

#include <string>
#include <string_view>

std::string URLEncode(std::string_view text);
// "%" followed by at least two more characters becomes the byte of the two
// hexadecimal digits; "+" becomes a blank; everything else is copied.
std::string URLDecode(std::string_view text);
