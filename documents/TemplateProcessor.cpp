#include "documents/TemplateProcessor.h"

#include <cstdio>

#include "storage/Codec.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void InvalidEntity(std::string_view text, size_t pos) {
  std::string what(text.substr(pos, 2));
  char message[160];
  std::snprintf(message, sizeof message, "Invalid HTML encoded character (%s) at position %zu", what.c_str(), pos);
  throw EConvertError(message);
}

// Reads the entity at text[pos] == '&' into `out`; returns its length, or 0
// when it is not one that is decoded.
size_t ReadEntity(std::string_view text, size_t pos, std::string& out) {
  std::string_view rest = text.substr(pos);
  struct TNamed {
    std::string_view entity;
    char character;
  };
  static constexpr TNamed kNamed[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
  for (const TNamed& n : kNamed) {
    if (rest.substr(0, n.entity.size()) == n.entity) {
      out.push_back(n.character);
      return n.entity.size();
    }
  }
  if (rest.size() < 2 || rest[1] != '#') return 0;
  size_t end = rest.find(';', 2);
  size_t digitsEnd = end == std::string_view::npos ? rest.size() : end;
  if (digitsEnd == 2) return 0;
  unsigned long code = 0;
  for (size_t i = 2; i < digitsEnd; ++i) {
    if (!IsDigit(rest[i])) return 0;
    code = code * 10 + static_cast<unsigned long>(rest[i] - '0');
    if (code > 0x10FFFF) return 0;
  }
  if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  AppendUtf8(out, static_cast<char32_t>(code));
  return end == std::string_view::npos ? rest.size() : end + 1;
}

std::string Decode(std::string_view text, bool lenient) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    size_t length = ReadEntity(text, amp, out);
    if (length == 0) {
      if (!lenient) InvalidEntity(text, amp);
      out.push_back('&');
      length = 1;
    }
    i = amp + length;
  }
  return out;
}

}  // namespace

std::string EncodeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '%': out += "&#37;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string DecodeHtml(std::string_view text) { return Decode(text, false); }

std::string DecodeHtmlLenient(std::string_view text) { return Decode(text, true); }

std::string EscapedValue(std::string_view value) {
  std::string escaped = EncodeHtml(value);
  if (escaped.find('\r') == std::string::npos) return escaped;
  std::string out;
  out.reserve(escaped.size() + 16);
  for (char c : escaped) {
    if (c == '\r') out += "<br/>";
    else out.push_back(c);
  }
  return out;
}

std::string EncodeHtmlLines(std::string_view text, std::string_view lineBreak) {
  std::string out;
  for (char c : EncodeHtml(text)) {
    if (c == '\r') out.append(lineBreak);
    else if (c != '\n') out.push_back(c);
  }
  return out;
}

TParameters ReadTemplateParameters(std::string_view text) {
  TParameters parameters;
  size_t begin = text.find(kParamBegin);
  while (begin != std::string_view::npos) {
    size_t nameStart = begin + kParamBegin.size();
    size_t nameEnd = text.find(kParamBeginEnd, nameStart);
    if (nameEnd == std::string_view::npos) break;
    size_t contentStart = nameEnd + kParamBeginEnd.size();
    size_t end = text.find(kParamEnd, contentStart);
    if (end == std::string_view::npos) break;
    parameters.push_back(TParameter{std::string(text.substr(nameStart, nameEnd - nameStart)),
                                    std::string(text.substr(contentStart, end - contentStart)), 0});
    begin = text.find(kParamBegin, end + 1);
  }
  return parameters;
}

std::string GetParameterValue(const TParameters& parameters, std::string_view name, const std::string& fallback,
                              bool raw) {
  for (const TParameter& p : parameters) {
    if (p.Name == name) return raw ? p.Value : DecodeHtml(p.Value);
  }
  return fallback;
}

void AddParameter(TParameters& parameters, const std::string& name, const std::string& value, int flags) {
  parameters.push_back(TParameter{name, value, flags});
}

std::string ApplyTemplateParameters(std::string text, const TParameters& parameters) {
  std::string result;
  for (const TParameter& p : parameters) {
    if (p.Name.empty()) continue;  // an empty name would match everywhere
    const std::string inserted = (p.Flags & pfRaw) ? p.Value : EscapedValue(p.Value);
    std::string marker;
    marker.reserve(kParamBegin.size() + p.Name.size() + kParamBeginEnd.size());
    marker.append(kParamBegin).append(p.Name).append(kParamBeginEnd);
    std::string replacement;
    if (p.Flags & pfUnmarked) replacement = inserted;
    else replacement.append(marker).append(inserted).append(kParamEnd);

    size_t block = text.find(marker);
    if (block != std::string::npos) {
      size_t end = text.find(kParamEnd, block + marker.size());
      if (end != std::string::npos) text.replace(block, end + kParamEnd.size() - block, replacement);
      continue;
    }
    size_t hit = text.find(p.Name);
    if (hit == std::string::npos) continue;
    result.clear();
    result.reserve(text.size() + replacement.size() * 4);
    size_t from = 0;
    while (hit != std::string::npos) {
      result.append(text, from, hit - from);
      result.append(replacement);
      from = hit + p.Name.size();
      hit = text.find(p.Name, from);
    }
    result.append(text, from, std::string::npos);
    text.swap(result);
  }
  return text;
}
