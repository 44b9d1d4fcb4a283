#include "storage/UrlCoding.h"

#include "storage/Codec.h"
#include "storage/TextUtils.h"

std::string URLEncode(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : Utf8ToCp1250(text)) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == ' ') out.push_back('+');
    else if (c == '-' || c == '.' || c == '@' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
             (c >= 'a' && c <= 'z'))
      out.push_back(ch);
    else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::string URLDecode(std::string_view utf8) {
  const std::string text = Utf8ToCp1250(utf8);
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%' && i + 2 < text.size()) {  // at least two more characters
      bytes.push_back(static_cast<char>(HexValue(std::string_view(text).substr(i + 1, 2)) & 0xFF));
      i += 2;
    } else if (c == '+') {
      bytes.push_back(' ');
    } else {
      bytes.push_back(c);
    }
  }
  return Cp1250ToUtf8(bytes);
}
