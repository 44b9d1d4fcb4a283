#pragma once
// VIN masks: a pattern of 17 position tokens matched against a vehicle
// identification number.
//
// A token is one character (upper-cased), "-" (any character, scores 0), or
// a character class in square brackets ("[A-E]", "[^0-9]"). Matching a VIN
// scores 1 for every position that is not a wildcard; a position that does
// not match fails the whole mask.

#include <array>
#include <cstddef>
#include <string>

// Characters of a vehicle identification number, for masks and vehicles alike.
inline constexpr size_t kVINLength = 17;
using TVINTokens = std::array<std::string, kVINLength>;

// Reads the text left to right into 17 tokens: "[" up to and including the
// next "]" is one token ("[" alone when no "]" follows); every other
// character is one token; missing positions are "-". Upper case.
TVINTokens SplitVINMask(const std::string& mask);
// The 17 tokens joined again; a plain VIN shorter than 17 is padded with "-".
std::string NormalizeVINMask(const std::string& mask);
std::string JoinVINTokens(const TVINTokens& tokens);

// Every "-" inside a class that is neither its first nor its last character
// becomes, with its neighbours a and b, all characters from a to b in code
// order ("-" excepted); a range with b before a vanishes. [A-E] -> [ABCDE].
std::string ExpandVINClass(const std::string& classToken);

// Score of one token against one VIN character: 0 for "-", 1 for a match,
// -1 for a failure.
int MatchVINPosition(const std::string& token, char c);

// Sum of the position scores of the normalised VIN, or -1 when a position
// fails. A mask of wildcards only scores 0.
int ScoreVINMask(const std::string& mask, const std::string& vin);

// Per position the top token unless it is "-", else the base token.
std::string OverlayVINMask(const std::string& top, const std::string& base);

// The ruler under a mask: per position (1..17) the digit (position mod 10)
// followed by one "." for every character of the token beyond the first.
std::string VINMaskRuler(const std::string& mask);
