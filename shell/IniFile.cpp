#include "shell/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <strings.h>
#include <unistd.h>

#include "storage/Codec.h"
#include "storage/File.h"
#include "storage/Random.h"
#include "storage/TextUtils.h"

namespace {

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

bool TIniFile::Load(const std::string& realPath) {
  lines_.clear();
  std::string bytes;
  if (!ReadWholeFile(realPath, bytes)) return false;
  std::erase(bytes, '\0');
  Parse(Cp1250ToUtf8(bytes));
  return true;
}

void TIniFile::Parse(const std::string& text) {
  lines_.clear();
  std::string section;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? text.size() : end + 1;
    if (end != std::string::npos && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    std::string trimmed = TrimBlanks(line);
    TLine l;
    l.raw = line;
    if (!trimmed.empty() && trimmed[0] == '[' && trimmed.back() == ']') {
      section = TrimBlanks(trimmed.substr(1, trimmed.size() - 2));
      l.section = section;
    } else {
      l.section = section;
      size_t eq = line.find('=');
      if (!trimmed.empty() && trimmed[0] != ';' && eq != std::string::npos && !TrimBlanks(line.substr(0, eq)).empty()) {
        l.key = TrimBlanks(line.substr(0, eq));
        l.value = TrimBlanks(line.substr(eq + 1));
      }
    }
    lines_.push_back(std::move(l));
  }
}

std::string TIniFile::Text() const {
  std::string out;
  for (const TLine& l : lines_) out += (l.key.empty() ? l.raw : l.key + "=" + l.value) + "\r\n";
  return out;
}

bool TIniFile::Save(const std::string& linkOrPath) const {
  // A link stays a link: the file it names is the one replaced.
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::canonical(linkOrPath, ec);
  const std::string realPath = ec ? linkOrPath : target.string();
  std::string folder = realPath.substr(0, realPath.find_last_of('/') + 1);
  std::string temp = folder + ".garvconf" + std::to_string(RandomBelow(1000000)) + ".tmp";
  TFile f;
  f.Assign(temp);
  std::string bytes = Utf8ToCp1250(Text());
  if (!f.Open(TFile::Mode::Create) || !f.WriteAt(0, bytes.data(), bytes.size()) || !f.Flush()) {
    f.Close();
    std::remove(temp.c_str());
    return false;
  }
  f.Close();
  if (std::rename(temp.c_str(), realPath.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool TIniFile::Has(const std::string& section, const std::string& key) const {
  for (const TLine& l : lines_)
    if (!l.key.empty() && SameName(l.section, section) && SameName(l.key, key)) return true;
  return false;
}

bool TIniFile::HasSection(const std::string& section) const {
  for (const TLine& l : lines_)
    if (l.key.empty() && SameName(l.section, section) && TrimBlanks(l.raw).rfind("[", 0) == 0) return true;
  return false;
}

std::string TIniFile::Get(const std::string& section, const std::string& key, const std::string& fallback) const {
  for (const TLine& l : lines_)
    if (!l.key.empty() && SameName(l.section, section) && SameName(l.key, key)) return l.value;
  return fallback;
}

void TIniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
  for (TLine& l : lines_) {
    if (!l.key.empty() && SameName(l.section, section) && SameName(l.key, key)) {
      l.value = value;
      return;
    }
  }
  // A new key goes after the last key of its section (or right after its
  // header), or into a new section at the end.
  long header = -1, lastKey = -1;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const TLine& l = lines_[i];
    if (!SameName(l.section, section)) continue;
    if (l.key.empty() && header < 0 && TrimBlanks(l.raw).rfind("[", 0) == 0) header = static_cast<long>(i);
    if (!l.key.empty()) lastKey = static_cast<long>(i);
  }
  TLine l;
  l.section = section;
  l.key = key;
  l.value = value;
  if (header < 0 && lastKey < 0) {
    TLine h;
    h.section = section;
    h.raw = "[" + section + "]";
    lines_.push_back(h);
    lines_.push_back(l);
    return;
  }
  long at = (lastKey >= 0 ? lastKey : header) + 1;
  lines_.insert(lines_.begin() + at, l);
}

std::vector<std::pair<std::string, std::string>> TIniFile::Section(const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> out;
  for (const TLine& l : lines_)
    if (!l.key.empty() && SameName(l.section, section)) out.emplace_back(l.key, l.value);
  return out;
}

bool UpdateIniFile(const std::string& realPath, const std::function<void(TIniFile&)>& change) {
  TIniFile ini;
  if (!ini.Load(realPath) && access(realPath.c_str(), F_OK) == 0) return false;
  change(ini);
  return ini.Save(realPath);
}

std::string IniEscapeLines(const std::string& text) { return ReplaceAll(text, "\r\n", "%0D%0A"); }

std::string IniUnescapeLines(const std::string& text) { return ReplaceAll(text, "%0D%0A", "\r\n"); }
