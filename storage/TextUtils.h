#pragma once
// Small text helpers used all over the program. Texts are UTF-8; the rules
// that work on bytes (folding, letters and digits) apply to the Windows-1250
// form of the text.

#include <string>
#include <string_view>

// Upper case by the Windows-1250 rules, then the Czech accented capitals
// replaced by plain letters (Š→S, Ť→T, Ž→Z, Á→A, Č→C, É→E, Ě→E, Í→I, Ď→D,
// Ň→N, Ó→O, Ř→R, Ů→U, Ú→U, Ý→Y). Every search compares folded texts.
// A character Windows-1250 lacks (and an invalid UTF-8 byte) becomes "?", as
// it would on disk. One pass through tables; the result is the only
// allocation.
std::string FoldText(std::string_view text);
// True if FoldText(needle) occurs in FoldText(text). No allocation for texts
// of up to 512 bytes.
bool ContainsFolded(std::string_view needle, std::string_view text);
// Keeps only A..Z and 0..9 (used after folding).
std::string LettersAndDigits(std::string_view text);
// FoldText, then every blank removed.
std::string FoldWithoutBlanks(std::string_view text);
// Keeps only "-", "_", 0..9, A..Z, a..z.
std::string IdentifierChars(std::string_view text);
// Replaces every occurrence, scanning on after each inserted replacement;
// an empty `what` changes nothing.
std::string ReplaceAll(std::string text, std::string_view what, std::string_view by);
// Every CR becomes `separator`, every LF is removed.
std::string OneLine(std::string_view text, std::string_view separator);
// Removes leading and trailing tab, LF, CR and blank.
std::string TrimBlanks(std::string_view text);
// Appends the character unless the text already ends with it.
std::string EnsureTrailing(std::string text, char character);
// Czech plural: `one` for 1, `few` for 2..4, `many` otherwise.
std::string PluralWord(long long count, const std::string& one, const std::string& few, const std::string& many);
// Value of a hexadecimal text; other characters count as 0 but still shift.
// More than sixteen digits wrap around.
long long HexValue(std::string_view text);
// Decimal number left-padded with "0" to `width` digits (a minus sign goes
// in front: -7, 3 gives "-007").
std::string ZeroPad(long long number, int width);

// Plain case-insensitive order: the Windows-1250 bytes upper-cased by the
// code page and compared as unsigned bytes (no alphabet rules: "CH" sorts
// between "CG" and "CI", "Č" after "Z"). <0, 0, >0 like strcmp.
int CompareNoCase(std::string_view a, std::string_view b);

// The folding table itself, on Windows-1250 bytes, for callers that fold
// many texts (the vehicle list keeps folded copies).
unsigned char FoldByte(unsigned char cp1250Byte);
