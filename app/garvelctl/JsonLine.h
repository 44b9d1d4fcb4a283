#pragma once
// JSON lines for garvelctl: one object per line, UTF-8, written through a
// large buffer so that whole databases stream quickly.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Appends the text as a JSON string.
void AppendJsonString(std::string& out, std::string_view text);
// Appends a number: integers exactly, others with 17 significant digits.
void AppendJsonNumber(std::string& out, double value);

class TJsonLine {
 public:
  // The line's first key names what it describes: {"entity":"record",...}.
  explicit TJsonLine(const char* entity);
  TJsonLine& S(const char* key, std::string_view value);
  TJsonLine& N(const char* key, double value);
  TJsonLine& B(const char* key, bool value);
  // The finished line with its "}\n".
  const std::string& Text();

 private:
  void Key(const char* key);
  std::string text_;
};

// Collects lines and writes them to a stream in large pieces.
class TJsonWriter {
 public:
  explicit TJsonWriter(FILE* stream) : stream_(stream) { buffer_.reserve(kFlushAt + 4096); }
  ~TJsonWriter() { Flush(); }
  void Write(TJsonLine& line);
  void Flush();

 private:
  static constexpr size_t kFlushAt = 1 << 20;
  FILE* stream_;
  std::string buffer_;
};
