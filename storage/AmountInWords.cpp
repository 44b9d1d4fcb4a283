#include "storage/AmountInWords.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

const char* const kHundreds[10] = {"", "sto", "dvěstě", "třista", "čtyřista", "pětset", "šestset", "sedmset",
                                    "osmset", "devětset"};
const char* const kTens[10] = {"", "", "dvacet", "třicet", "čtyřicet", "padesát", "šedesát", "sedmdesát",
                                "osmdesát", "devadesát"};
const char* const kMasculine[20] = {"", "jeden", "dva", "tři", "čtyři", "pět", "šest", "sedm", "osm", "devět",
                                     "deset", "jedenáct", "dvanáct", "třináct", "čtrnáct", "patnáct", "šestnáct",
                                     "sedmnáct", "osmnáct", "devatenáct"};

const char* Ones(int n, bool feminine) {
  if (feminine && n == 1) return "jedna";
  if (feminine && n == 2) return "dvě";
  return kMasculine[n];
}

std::string GroupWords(int v, bool feminine) {
  std::string out = kHundreds[v / 100];
  int r = v % 100;
  if (r <= 19) out += Ones(r, feminine);
  else out += std::string(kTens[r / 10]) + Ones(r % 10, feminine);
  return out;
}

// Group names by the last two digits' n = v mod 20.
std::string GroupName(int group, int v) {
  int n = v % 20;
  switch (group) {
    case 1: return (n == 1 || n > 4) ? "tisíc" : "tisíce";
    case 2: return n == 1 ? "milion" : n > 4 ? "milionů" : "miliony";
    case 3: return n == 1 ? "miliarda" : n > 4 ? "miliard" : "miliardy";
    case 4: return n == 1 ? "bilion" : n > 4 ? "bilionů" : "biliony";
    default: return "";
  }
}

}  // namespace

std::string AmountInWords(double value) {
  double rounded = std::nearbyint(value);  // halves to even
  if (!(rounded > 0) || !std::isfinite(rounded)) return "nula";
  if (rounded >= 1e15) {
    // Beyond billions there are no group words; rather than drop the higher
    // digits (a wrong amount) the digits themselves are written.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", rounded);
    return buf;
  }
  int64_t n = static_cast<int64_t>(rounded);
  std::string result;
  for (int group = 0; n > 0 && group <= 4; ++group, n /= 1000) {
    int v = static_cast<int>(n % 1000);
    if (v == 0) continue;
    result = GroupWords(v, group == 3) + GroupName(group, v) + result;
  }
  return result;
}
