#include "catalogues/VinDecoder.h"

#include <cstring>

#include "catalogues/VinMask.h"

namespace {

constexpr const char* kYearCodes = "ABCDEFGHJKLMNPRSTVWXY123456789";
constexpr int kFirstCodeYear = 1980;
constexpr int kYearCycle = 30;

struct TBest {
  int manuf = -1, model = -1, subtype = -1, engine = -1;
};

void Take(std::string& result, int& best, const std::string& value, int score) {
  if (!value.empty() && score > best) {
    result = value;
    best = score;
  }
}

void FillEmpty(std::string& result, const std::string& value) {
  if (result.empty()) result = value;
}

class TDecoder {
 public:
  explicit TDecoder(const TVINTree& tree) : tree_(tree) {}

  TVINDecoded Decode(const std::string& vin, int depth) const {
    TVINDecoded out;
    TBest best;
    Visit(tree_.entries, std::string(), vin, depth, out, best);
    return out;
  }

 private:
  void Visit(const TVINEntries& entries, const std::string& parentMask, const std::string& vin, int depth,
             TVINDecoded& out, TBest& best) const {
    for (const auto& node : entries) {
      const std::string mask = OverlayVINMask(node->mask, parentMask);
      const int score = ScoreVINMask(mask, vin);
      if (score > 0) {
        Take(out.manuf, best.manuf, node->manuf, score);
        Take(out.model, best.model, node->model, score);
        Take(out.subtype, best.subtype, node->subtype, score);
        Take(out.engine, best.engine, node->engine, score);
        if (!node->info.empty()) out.info += (out.info.empty() ? "" : "\r\n") + node->info;
        if (!node->reference.empty() && depth > 0) {
          // References may form cycles; the falling depth ends them.
          const TVINDecoded referenced = Decode(OverlayVINMask(node->reference, vin), depth - 1);
          FillEmpty(out.manuf, referenced.manuf);
          FillEmpty(out.model, referenced.model);
          FillEmpty(out.subtype, referenced.subtype);
          FillEmpty(out.engine, referenced.engine);
          FillEmpty(out.info, referenced.info);
        }
      }
      Visit(node->children, mask, vin, depth, out, best);
    }
  }

  const TVINTree& tree_;
};

}  // namespace

TVINDecoded DecodeVIN(const TVINTree& tree, const std::string& vin, int depth) {
  return TDecoder(tree).Decode(vin, depth);
}

int VINModelYear(char code, TDateTime today) {
  const char upper = (code >= 'a' && code <= 'z') ? static_cast<char>(code - 'a' + 'A') : code;
  const char* at = upper ? std::strchr(kYearCodes, upper) : nullptr;
  if (!at) return 1900;
  int year = kFirstCodeYear + static_cast<int>(at - kYearCodes);
  const int todayDay = DayNumber(today);
  while (DayNumber(EncodeDate(year + kYearCycle, 1, 1)) <= todayDay) year += kYearCycle;
  return year;
}

char VINYearCode(int year) {
  if (year < kFirstCodeYear) return 0;
  return kYearCodes[(year - kFirstCodeYear) % kYearCycle];
}
