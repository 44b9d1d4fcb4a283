#include "app/garvelctl/JsonLine.h"

#include <charconv>
#include <cmath>

void AppendJsonString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out.push_back('"');
  size_t plain = 0;  // start of the run copied as it is
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(text.data() + plain, i - plain);
    plain = i + 1;
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

TJsonLine::TJsonLine(const char* entity) {
  text_ = "{\"entity\":";
  AppendJsonString(text_, entity);
}

void TJsonLine::Key(const char* key) {
  text_ += ",\"";
  text_ += key;
  text_ += "\":";
}

TJsonLine& TJsonLine::S(const char* key, std::string_view value) {
  Key(key);
  AppendJsonString(text_, value);
  return *this;
}

TJsonLine& TJsonLine::N(const char* key, double value) {
  Key(key);
  AppendJsonNumber(text_, value);
  return *this;
}

TJsonLine& TJsonLine::B(const char* key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
  return *this;
}

const std::string& TJsonLine::Text() {
  if (text_.empty() || text_.back() != '\n') text_ += "}\n";
  return text_;
}

void TJsonWriter::Write(TJsonLine& line) {
  buffer_ += line.Text();
  if (buffer_.size() >= kFlushAt) Flush();
}

void TJsonWriter::Flush() {
  if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
  buffer_.clear();
}
