#include "app/garvelctl/JsonLine.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Eight bytes at a time: whether any is below 0x20, a quote or a backslash.
bool AnySpecial(uint64_t v) {
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  auto zeroByte = [](uint64_t x) { return (x - kOnes) & ~x & kHigh; };
  const uint64_t below20 = (v - kOnes * 0x20) & ~v & kHigh;
  return below20 | zeroByte(v ^ (kOnes * '"')) | zeroByte(v ^ (kOnes * '\\'));
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out.push_back('"');
  size_t plain = 0;  // start of the run copied as it is
  size_t i = 0;
  while (i < text.size()) {
    if (i + 8 <= text.size()) {
      uint64_t v;
      std::memcpy(&v, text.data() + i, 8);
      if (!AnySpecial(v)) {
        i += 8;
        continue;
      }
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    out.append(text.data() + plain, i - plain);
    plain = ++i;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
    }
  }
  out.append(text.data() + plain, text.size() - plain);
  out.push_back('"');
}

void AppendJsonNumber(std::string& out, double value) {
  char buf[64];
  if (!std::isfinite(value)) {
    out += "null";  // JSON has no infinities
    return;
  }
  std::to_chars_result r;
  if (value == std::trunc(value) && std::fabs(value) < 1e18)
    r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
  else
    r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
  out.append(buf, r.ptr);
}

void TJsonWriter::Flush() {
  if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
  buffer_.clear();
}

TJsonLine::TJsonLine(TJsonWriter& writer, const char* entity) : writer_(writer) {
  writer_.buffer_ += "{\"entity\":";
  AppendJsonString(writer_.buffer_, entity);
}

TJsonLine::~TJsonLine() {
  writer_.buffer_ += "}\n";
  if (writer_.buffer_.size() >= TJsonWriter::kFlushAt) writer_.Flush();
}

void TJsonLine::Key(const char* key) {
  std::string& b = writer_.buffer_;
  b += ",\"";
  b += key;
  b += "\":";
}

TJsonLine& TJsonLine::S(const char* key, std::string_view value) {
  Key(key);
  AppendJsonString(writer_.buffer_, value);
  return *this;
}

TJsonLine& TJsonLine::N(const char* key, double value) {
  Key(key);
  AppendJsonNumber(writer_.buffer_, value);
  return *this;
}

TJsonLine& TJsonLine::B(const char* key, bool value) {
  Key(key);
  writer_.buffer_ += value ? "true" : "false";
  return *this;
}
