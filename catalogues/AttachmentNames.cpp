#include "catalogues/AttachmentNames.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "storage/NumberText.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"

namespace {

constexpr const char* kTags[] = {"CAR", "CON", "MAN", "MOD", "ENG", "GRP", "STP"};

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && UpperAscii(text.substr(text.size() - tail.size())) == UpperAscii(tail);
}

std::string StripTrailing(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

// Percent-encoding of a host path for a file: URL (UTF-8 bytes; "/" kept).
std::string FileUrl(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::strchr("/-._~", c)) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The value of the first "key=" line of a small INI-like text.
std::string KeyValue(const std::string& text, const std::string& key) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = TrimBlanks(text.substr(pos, end - pos));
    const size_t eq = line.find('=');
    if (eq != std::string::npos && UpperAscii(TrimBlanks(line.substr(0, eq))) == UpperAscii(key))
      return TrimBlanks(line.substr(eq + 1));
    pos = end + 1;
  }
  return "";
}

}  // namespace

bool IsAttachmentTag(const std::string& tag) {
  for (const char* t : kTags)
    if (tag == t) return true;
  return false;
}

bool EntityFolderOwner(const std::string& path, std::string& tag, int32_t& id) {
  const std::string name = LastComponent(path);
  if (name.size() != 8 || !IsAttachmentTag(name.substr(0, 3))) return false;
  for (size_t i = 3; i < 8; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  tag = name.substr(0, 3);
  id = std::stoi(name.substr(3));
  return true;
}

bool IsEntityFolder(const std::string& path) {
  std::string tag;
  int32_t id;
  return EntityFolderOwner(path, tag, id);
}

std::string LastComponent(const std::string& path) {
  const std::string p = StripTrailing(path);
  const size_t s = p.find_last_of("\\/");
  return s == std::string::npos ? p : p.substr(s + 1);
}

std::string ParentPath(const std::string& path) {
  const std::string p = StripTrailing(path);
  const size_t s = p.find_last_of("\\/");
  return s == std::string::npos ? std::string() : p.substr(0, s);
}

std::string FileExtension(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return "";
  return name.substr(dot);
}

std::string DescriptionFileOf(const std::string& path, bool isFolder) {
  const std::string p = StripTrailing(path);
  if (isFolder) return p + "\\folderdesc.txt";
  if (UpperAscii(FileExtension(LastComponent(p))) == ".TXT") return p;
  return p + ".desc.txt";
}

bool IsDescriptionFile(const std::string& name) {
  return UpperAscii(name) == "FOLDERDESC.TXT" || EndsWithNoCase(name, ".desc.txt");
}

std::string AttachmentNameError(const std::string& name) {
  const std::string invalid = "Neplatný název!";
  if (TrimBlanks(name).empty() || name[0] == '.' || IsDescriptionFile(name)) return invalid;
  if (name.find_first_of("\\/*?:|\"<>") != std::string::npos) return invalid;
  return "";
}

std::string RenamedName(const std::string& oldName, const std::string& typed, bool keepOldExtension) {
  if (!keepOldExtension) return typed;
  const std::string newExtension = FileExtension(typed);
  return typed.substr(0, typed.size() - newExtension.size()) + FileExtension(oldName);
}

std::string FileSizeText(int64_t bytes) {
  static const char* kUnits[] = {"B", "kB", "MB", "GB"};
  double value = static_cast<double>(bytes);
  int unit = 0;
  while (unit < 3 && value >= 1000) {
    value /= 1024;
    ++unit;
  }
  if (value >= 20 || unit == 0) {
    char text[48];
    std::snprintf(text, sizeof text, "%.0f %s", std::nearbyint(value), kUnits[unit]);  // halves to even
    return text;
  }
  // Two significant digits, written with one decimal.
  const double scale = value >= 10 ? 1 : value >= 1 ? 10 : 100;
  return FormatFixed(std::nearbyint(value * scale) / scale, 1) + " " + kUnits[unit];
}

std::string WebAddress(const std::string& typed) {
  return typed.find("://") == std::string::npos ? "http://" + typed : typed;
}

std::string TitleFromAddress(const std::string& address) {
  const size_t scheme = address.find("://");
  const std::string rest = scheme == std::string::npos ? address : address.substr(scheme + 3);
  std::string title;
  for (size_t i = 0; i < rest.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(rest[i]);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.') {
      title += static_cast<char>(c);
    } else {
      title += '-';
      // One "-" per character, not per byte of its UTF-8 form.
      while (i + 1 < rest.size() && (static_cast<unsigned char>(rest[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return title;
}

std::string FileTitle(const std::string& title) {
  std::string t = title;
  // Counted in characters, never cutting one in two.
  size_t chars = 0, cut = std::string::npos;
  for (size_t i = 0; i < t.size(); ++i) {
    if ((static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) continue;
    if (chars == 32) {
      cut = i;
      break;
    }
    ++chars;
  }
  if (cut != std::string::npos) t = t.substr(0, cut) + "...";
  for (char& c : t)
    if (std::strchr("\"/:<>?\\|", c) && c != '\0') c = '#';
  return t;
}

std::string WebLinkFileText(const std::string& address) { return "[InternetShortcut]\r\nURL=" + address + "\r\n"; }

std::string WebLinkAddress(const std::string& fileText) { return KeyValue(fileText, "URL"); }

std::string ShellLinkFileText(const std::string& target) {
  // A line break in a name would start a key of its own.
  auto oneLine = [](std::string text) {
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    return text;
  };
  const std::string folder = ParentPath(target);
  return "[Desktop Entry]\nType=Link\nName=" + oneLine(LastComponent(target)) + "\nURL=" + FileUrl(target) +
         "\nPath=" + oneLine(folder.empty() ? "/" : folder) + "\n";
}

std::string ShellLinkTarget(const std::string& fileText) {
  const std::string url = KeyValue(fileText, "URL");
  if (url.rfind("file://", 0) != 0) return "";
  return PercentDecode(url.substr(7));
}

bool IsUtf8Text(const std::string& bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}
