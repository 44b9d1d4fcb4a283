#include "shell/HandOver.h"

#include <filesystem>

#include "storage/Codec.h"

namespace {
constexpr char kSeparator = static_cast<char>(0xFF);
}

std::string HandOverForm(const std::vector<std::string>& arguments) {
  std::string out;
  for (const std::string& a : arguments) {
    out += a;
    out.push_back(kSeparator);
  }
  return out;
}

std::vector<std::string> SplitHandOver(const std::string& handOver) {
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : handOver) {
    if (c == kSeparator) {
      if (!piece.empty()) pieces.push_back(piece);
      piece.clear();
    } else {
      piece.push_back(c);
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

std::string CommandLineTraceText(const std::string& handOver, bool handedOver) {
  std::string text = handedOver ? "Command line handed over:" : "Command line:";
  for (const std::string& piece : SplitHandOver(handOver)) text += " \"" + piece + "\"";
  return text;
}

std::string HandOverMessageBytes(const std::vector<std::string>& arguments) {
  std::string out;
  for (const std::string& a : arguments) {
    out += Utf8ToCp1250(a);
    out.push_back(kSeparator);
  }
  out.push_back('\0');
  return out;
}

std::string HandOverFromMessageBytes(const std::string& bytes) {
  std::string text = bytes;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  // Decode piece by piece so that the 0xFF separators stay bytes.
  std::string out;
  std::string piece;
  for (char c : text) {
    if (c == kSeparator) {
      out += Cp1250ToUtf8(piece);
      out.push_back(kSeparator);
      piece.clear();
    } else {
      piece.push_back(c);
    }
  }
  out += Cp1250ToUtf8(piece);
  return out;
}

std::vector<std::string> AbsoluteArguments(const std::vector<std::string>& arguments, const std::string& currentDir) {
  std::vector<std::string> out;
  for (const std::string& a : arguments) {
    if (a.empty() || a[0] == '/' || currentDir.empty()) {
      out.push_back(a);
      continue;
    }
    out.push_back((std::filesystem::path(currentDir) / a).lexically_normal().string());
  }
  return out;
}
