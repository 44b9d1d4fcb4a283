#pragma once
// JSON lines for garvelctl: one object per line, UTF-8, built straight into
// a large buffer and written in big pieces, so that whole databases stream
// quickly.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Appends the text as a JSON string.
void AppendJsonString(std::string& out, std::string_view text);
// Appends a number: integers exactly, others with 17 significant digits.
void AppendJsonNumber(std::string& out, double value);

// Collects lines and writes them to a stream in large pieces.
class TJsonWriter {
 public:
  explicit TJsonWriter(FILE* stream) : stream_(stream) { buffer_.reserve(kFlushAt + 65536); }
  ~TJsonWriter() { Flush(); }
  void Flush();

 private:
  friend class TJsonLine;
  static constexpr size_t kFlushAt = 1 << 20;
  FILE* stream_;
  std::string buffer_;
};

// One line, written into the writer as it is built; its first key names
// what it describes: {"entity":"record",...}. The line ends when the object
// goes.
class TJsonLine {
 public:
  TJsonLine(TJsonWriter& writer, const char* entity);
  ~TJsonLine();
  TJsonLine(const TJsonLine&) = delete;
  TJsonLine& operator=(const TJsonLine&) = delete;

  TJsonLine& S(const char* key, std::string_view value);
  TJsonLine& N(const char* key, double value);
  TJsonLine& B(const char* key, bool value);

 private:
  void Key(const char* key);
  TJsonWriter& writer_;
};
