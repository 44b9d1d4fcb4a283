#pragma once
// An INI file as the settings use it: Windows-1250 text with CR LF line ends,
// "[section]" headers and "key=value" lines. Section and key names match
// without regard to letter case. Lines that are neither (comments, damage)
// and unknown keys are kept in place when the file is saved, so saving never
// loses what another version wrote.

#include <functional>
#include <string>
#include <vector>

class TIniFile {
 public:
  // Reads a file from a real path; a missing or unreadable file is empty
  // (false). NUL bytes, which a file cut short by a crash may end in, are
  // dropped.
  bool Load(const std::string& realPath);
  void Parse(const std::string& utf8Text);
  // Writes to a temporary file in the same folder and renames it over the
  // old one, so that a crash never leaves a half-written file.
  bool Save(const std::string& realPath) const;
  std::string Text() const;  // UTF-8, CR LF

  bool Has(const std::string& section, const std::string& key) const;
  // A "[section]" header of that name is present (with or without keys).
  bool HasSection(const std::string& section) const;
  std::string Get(const std::string& section, const std::string& key, const std::string& fallback) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  // The key=value lines of a section in order.
  std::vector<std::pair<std::string, std::string>> Section(const std::string& section) const;

 private:
  struct TLine {
    std::string section;  // the section the line belongs to
    std::string key;      // empty for a header or an other line
    std::string value;
    std::string raw;      // the line as read, for headers and other lines
  };
  std::vector<TLine> lines_;
};

// Loads the file, applies `change` and saves it. An existing file that
// cannot be read is left alone (false), so that its keys are never replaced
// by only the changed ones; a missing file is created.
bool UpdateIniFile(const std::string& realPath, const std::function<void(TIniFile&)>& change);

// Multi-line values are kept on one line with "%0D%0A" for each CR LF.
std::string IniEscapeLines(const std::string& text);
std::string IniUnescapeLines(const std::string& text);
