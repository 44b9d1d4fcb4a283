#pragma once
// Decoding a VIN with the pattern tree, and the model year of its 10th
// character.

#include <string>

#include "catalogues/VinTree.h"
#include "storage/DateTime.h"

struct TVINDecoded {
  std::string manuf, model, subtype, engine;
  std::string info;  // the infos of all matching entries, CR LF between them
};

// Every node in depth-first pre-order is scored with its effective mask.
// Among the nodes that score above 0, each of make, model, subtype and
// engine comes from the node with the highest score that has its own value
// (the first such node on equal scores); the infos of all of them are
// joined. A node with a reference, while `depth` > 0, also decodes the
// reference laid over the VIN with depth - 1 and fills what is still empty.
TVINDecoded DecodeVIN(const TVINTree& tree, const std::string& vin, int depth);

// The model-year code of ISO 3779: "ABCDEFGHJKLMNPRSTVWXY123456789" for 1980
// to 2009, repeating every 30 years. The year is the latest year of the code
// whose 1 January is not after `today`; an unknown character gives 1900.
int VINModelYear(char code, TDateTime today);
// The code of a year (1980 + k × 30 onwards), or 0 before 1980.
char VINYearCode(int year);
