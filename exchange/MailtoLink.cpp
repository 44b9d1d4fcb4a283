#include "exchange/MailtoLink.h"

#include "storage/TextUtils.h"

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// Every CR LF, lone CR and lone LF as CR LF.
std::string CrLfLines(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace

std::string MailAddressOf(const std::string& entry) {
  const size_t open = entry.rfind('<');
  const size_t close = entry.rfind('>');
  if (open != std::string::npos && close != std::string::npos && close > open)
    return TrimBlanks(entry.substr(open + 1, close - open - 1));
  return TrimBlanks(entry);
}

std::string PercentEncodeUtf8(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (Unreserved(c)) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body) {
  // The at sign stays readable; everything else that could end the address
  // is encoded.
  return "mailto:" + ReplaceAll(PercentEncodeUtf8(MailAddressOf(address)), "%40", "@") +
         "?subject=" + PercentEncodeUtf8(subject) + "&body=" + PercentEncodeUtf8(CrLfLines(body));
}
