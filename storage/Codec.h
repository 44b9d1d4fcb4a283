#pragma once
// Text encoding at the edges of the program.
//
// In memory every text is UTF-8. On disk and on the wire (record string
// fields, blobs, INI files, templates, CSV, logs, URL coding, the password
// hash) it is Windows-1250. This module is the only place that converts.
//
// The byte <-> code point table comes from the C library's iconv "CP1250"
// converter, read once. The five bytes that Windows-1250 leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control characters of the same
// value, as the Windows converter does, so every byte survives a round trip.
// A character that Windows-1250 cannot hold becomes "?".

#include <string>
#include <string_view>

// UTF-8 text -> Windows-1250 bytes. Unencodable characters and invalid UTF-8
// sequences become '?', one per character (or per invalid byte).
std::string Utf8ToCp1250(std::string_view utf8);

// Windows-1250 bytes -> UTF-8 text. Never fails.
std::string Cp1250ToUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1250 byte.
char32_t Cp1250ToUnicode(unsigned char byte);

// The Windows-1250 byte of a code point, or -1 if the code page lacks it.
int UnicodeToCp1250(char32_t codePoint);

// Upper case by the Windows-1250 rules: a lower-case letter whose capital the
// code page holds becomes that capital; every other byte stays.
unsigned char Cp1250Upper(unsigned char byte);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Number of characters (code points) of a UTF-8 text; invalid bytes count one each.
size_t Utf8Length(std::string_view utf8);
// The first `maxChars` characters (code points) of a UTF-8 text, never
// cutting a character in two.
std::string Utf8Prefix(std::string_view utf8, size_t maxChars);
