#include "catalogues/VinMask.h"

#include "storage/Codec.h"

namespace {

// Masks are read in Windows-1250, one byte per character, like every text
// the program stores.
std::string Upper(std::string bytes) {
  for (char& c : bytes) c = static_cast<char>(Cp1250Upper(static_cast<unsigned char>(c)));
  return bytes;
}

TVINTokens SplitBytes(const std::string& bytes) {
  TVINTokens tokens;
  size_t i = 0;
  for (size_t pos = 0; pos < kVINLength; ++pos) {
    if (i >= bytes.size()) {
      tokens[pos] = "-";
      continue;
    }
    size_t close = bytes[i] == '[' ? bytes.find(']', i + 1) : std::string::npos;
    size_t length = close == std::string::npos ? 1 : close - i + 1;
    tokens[pos] = Upper(bytes.substr(i, length));
    i += length;
  }
  return tokens;
}

std::string ExpandClassBytes(const std::string& token) {
  if (token.size() < 2 || token.front() != '[' || token.back() != ']') return token;
  const std::string text = token.substr(1, token.size() - 2);
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (i + 2 < text.size() && text[i + 1] == '-') {
      const auto a = static_cast<unsigned char>(text[i]);
      const auto b = static_cast<unsigned char>(text[i + 2]);
      for (unsigned c = a; c <= b; ++c)
        if (c != '-') out.push_back(static_cast<char>(c));
      i += 3;
    } else {
      out.push_back(text[i++]);
    }
  }
  return "[" + out + "]";
}

int MatchBytes(const std::string& token, char c) {
  if (token == "-") return 0;
  if (token.size() == 1) return token[0] == c ? 1 : -1;
  if (token.size() < 2 || token.front() != '[' || token.back() != ']') return -1;
  const std::string expanded = ExpandClassBytes(token);
  const std::string inside = expanded.substr(1, expanded.size() - 2);
  if (!inside.empty() && inside[0] == '^') return inside.find(c, 1) == std::string::npos ? 1 : -1;
  return inside.find(c) != std::string::npos ? 1 : -1;
}

std::string ToUtf8(const std::string& bytes) { return Cp1250ToUtf8(bytes); }

}  // namespace

TVINTokens SplitVINMask(const std::string& mask) {
  TVINTokens tokens = SplitBytes(Utf8ToCp1250(mask));
  for (std::string& t : tokens) t = ToUtf8(t);
  return tokens;
}

std::string JoinVINTokens(const TVINTokens& tokens) {
  std::string out;
  for (const std::string& t : tokens) out += t;
  return out;
}

std::string NormalizeVINMask(const std::string& mask) { return JoinVINTokens(SplitVINMask(mask)); }

std::string ExpandVINClass(const std::string& classToken) {
  return ToUtf8(ExpandClassBytes(Utf8ToCp1250(classToken)));
}

int MatchVINPosition(const std::string& token, char c) { return MatchBytes(Utf8ToCp1250(token), c); }

int ScoreVINMask(const std::string& mask, const std::string& vin) {
  const TVINTokens m = SplitBytes(Utf8ToCp1250(mask));
  const TVINTokens v = SplitBytes(Utf8ToCp1250(vin));
  int score = 0;
  for (size_t i = 0; i < m.size(); ++i) {
    int s = MatchBytes(m[i], v[i][0]);
    if (s < 0) return -1;
    score += s;
  }
  return score;
}

std::string OverlayVINMask(const std::string& top, const std::string& base) {
  const TVINTokens t = SplitVINMask(top);
  const TVINTokens b = SplitVINMask(base);
  TVINTokens out;
  for (size_t i = 0; i < out.size(); ++i) out[i] = t[i] == "-" ? b[i] : t[i];
  return JoinVINTokens(out);
}

std::string VINMaskRuler(const std::string& mask) {
  const TVINTokens tokens = SplitBytes(Utf8ToCp1250(mask));
  std::string out;
  for (size_t i = 0; i < tokens.size(); ++i) {
    out += static_cast<char>('0' + (i + 1) % 10);
    out.append(tokens[i].size() - 1, '.');
  }
  return out;
}
