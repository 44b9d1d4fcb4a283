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

// The group word agrees with the whole group value: 1 takes the singular,
// 2 to 4 the plural, everything else (0, 5 and more, 21, 22, 100...) the
// genitive plural ("stotisíc", "dvacetjednamiliard").
std::string GroupName(int group, int v) {
  static const char* const kForms[5][3] = {{"", "", ""},
                                           {"tisíc", "tisíce", "tisíc"},
                                           {"milion", "miliony", "milionů"},
                                           {"miliarda", "miliardy", "miliard"},
                                           {"bilion", "biliony", "bilionů"}};
  if (group < 1 || group > 4) return "";
  const int form = v == 1 ? 0 : (v >= 2 && v <= 4) ? 1 : 2;
  return kForms[group][form];
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
