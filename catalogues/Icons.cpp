#include "catalogues/Icons.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>

#include "storage/FileOps.h"
#include "storage/FileSystem.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"

namespace {

constexpr std::string_view kExtension = ".ico";

// Revisions are unique across libraries, so a cache never mistakes a new
// library for the one it was filled from.
std::atomic<uint64_t> g_revisions{0};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t LeadingDigits(std::string_view s) {
  size_t n = 0;
  while (n < s.size() && IsDigit(s[n])) ++n;
  return n;
}

bool EndsWithIco(std::string_view s) {
  return s.size() >= kExtension.size() && UpperAscii(std::string(s.substr(s.size() - 4))) == ".ICO";
}

// The chosen file's name without its ".ico".
std::string Stem(std::string_view fileName) {
  return std::string(EndsWithIco(fileName) ? fileName.substr(0, fileName.size() - 4) : fileName);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A chosen file's name as an icon name: leading digits (of another
// library's numbering) would merge with the index, so they go.
std::string NameFromFile(std::string_view stem) {
  std::string name = TrimBlanks(stem.substr(LeadingDigits(stem)));
  return name.empty() ? "Ikona" : name;
}

bool Fail(const char* text) {
  ShowError(text);
  return false;
}

bool CheckName(const std::string& name) {
  const std::string problem = IconNameProblem(name);
  if (problem.empty()) return true;
  ShowError(problem);
  return false;
}

}  // namespace

std::string IconFilePrefix(int32_t index) { return ZeroPad(index, 4); }

int32_t IconIndexOfFile(std::string_view fileName) {
  const size_t digits = LeadingDigits(fileName);
  if (digits < 3) return -1;
  // Leading zeros aside, more than four digits is beyond the library.
  std::string_view number = fileName.substr(0, digits);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  if (number.size() > 4) return -1;
  const int32_t index = static_cast<int32_t>(std::stol(std::string(number)));
  return index <= kMaxIconIndex ? index : -1;
}

std::string IconNameOfFile(std::string_view fileName) { return Stem(fileName.substr(LeadingDigits(fileName))); }

std::string IconNameProblem(const std::string& name) {
  if (TrimBlanks(name).empty()) return "Název ikony nesmí být prázdný.";
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name.find("..") != std::string::npos)
    return "Název ikony nesmí obsahovat lomítka ani \"..\".";
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return "Název ikony nesmí obsahovat řídicí znaky.";
  // The digits would become part of the icon's number.
  if (IsDigit(name[0])) return "Název ikony nesmí začínat číslicí.";
  return "";
}

std::string ReplacementIconName(std::string_view chosenFileName) {
  const std::string upper = UpperAscii(std::string(chosenFileName));
  const size_t at = upper.find(".ICO");
  return std::string(at == std::string::npos ? chosenFileName : chosenFileName.substr(0, at));
}

TIconLibrary::TIconLibrary(IFileSystem& realFS, std::vector<std::string> folders) : fs_(realFS) {
  for (std::string& f : folders) {
    if (f.empty()) continue;
    if (f.back() != '/') f += '/';
    if (std::find(folders_.begin(), folders_.end(), f) == folders_.end()) folders_.push_back(f);
  }
  if (folders_.empty()) folders_.push_back("./");
}

void TIconLibrary::Rescan() {
  files_.clear();
  count_ = 0;
  for (const std::string& folder : folders_) {
    TFileList names;
    fs_.ListFiles(folder + "icons/*.ico", fdFile, names);
    // Within a folder the first name in byte order counts.
    std::sort(names.begin(), names.end());
    for (const std::string& n : names) {
      const int32_t index = IconIndexOfFile(n);
      if (index < 0 || files_.count(index)) continue;
      files_[index] = TIconFile{folder, n, IconNameOfFile(n)};
      count_ = std::max(count_, index + 1);
    }
  }
  scanned_ = true;
  revision_ = ++g_revisions;
}

void TIconLibrary::EnsureScanned() {
  if (!scanned_) Rescan();
}

int32_t TIconLibrary::Count() {
  EnsureScanned();
  return count_;
}

const TIconFile* TIconLibrary::Find(int32_t index) {
  EnsureScanned();
  auto it = files_.find(index);
  return it == files_.end() ? nullptr : &it->second;
}

bool TIconLibrary::StoreCopy(const std::string& sourcePath, const std::string& fileName) {
  const std::string folder = UserIcons();
  if (!fs_.FileOrDirExists(folder, fdFolder) && !fs_.ForceDirectories(folder)) return false;
  const std::string temp = folder + ".~" + fileName;
  if (!CopyFileTo(S_FileName{sourcePath, &fs_}, S_FileName{temp, &fs_})) return false;
  std::error_code ec;
  std::filesystem::rename(temp, folder + fileName, ec);
  if (ec) {
    fs_.DeleteFile(temp);
    return false;
  }
  return true;
}

bool TIconLibrary::Add(const std::string& sourcePath, int32_t& index) {
  EnsureScanned();
  const std::string name = NameFromFile(Stem(BaseName(sourcePath)));
  if (!CheckName(name)) return false;
  if (count_ > kMaxIconIndex) return Fail("Knihovna ikon je plná.");
  const int32_t row = count_;
  const std::string fileName = IconFilePrefix(row) + name + std::string(kExtension);
  if (!StoreCopy(sourcePath, fileName)) return Fail("Ikonu se nepodařilo uložit.");
  LogTrace(1, "Icon " + fileName + " added");
  Rescan();
  index = row;
  return true;
}

bool TIconLibrary::Replace(int32_t index, const std::string& sourcePath) {
  EnsureScanned();
  if (index < 0 || index > kMaxIconIndex) return false;
  const std::string name = NameFromFile(ReplacementIconName(BaseName(sourcePath)));
  if (!CheckName(name)) return false;
  const std::string fileName = IconFilePrefix(index) + name + std::string(kExtension);
  const TIconFile* old = Find(index);
  const bool oldIsUsers = old && old->folder == folders_.front();
  const std::string oldPath = old ? old->RealPath() : "";
  if (!StoreCopy(sourcePath, fileName)) return Fail("Ikonu se nepodařilo nahradit.");
  // The old file of another name would still count first in the listing.
  if (oldIsUsers && oldPath != UserIcons() + fileName && !fs_.DeleteFile(oldPath)) {
    Rescan();
    return Fail("Původní soubor ikony se nepodařilo odstranit.");
  }
  LogTrace(1, "Icon " + IconFilePrefix(index) + " replaced by " + fileName);
  Rescan();
  return true;
}

bool TIconLibrary::Rename(int32_t index, const std::string& newName) {
  EnsureScanned();
  const TIconFile* old = Find(index);
  if (!old) return false;
  if (!CheckName(newName)) return false;
  const std::string fileName = IconFilePrefix(index) + newName + std::string(kExtension);
  if (fileName == old->fileName) return true;
  bool ok = false;
  if (old->folder == folders_.front()) {
    ok = fs_.RenameFile(old->RealPath(), UserIcons() + fileName);
  } else {
    // A shipped or shared icon: the per-user copy of the new name shadows it.
    ok = StoreCopy(old->RealPath(), fileName);
  }
  if (!ok) return Fail("Ikonu se nepodařilo přejmenovat.");
  LogTrace(1, "Icon " + IconFilePrefix(index) + " renamed to " + fileName);
  Rescan();
  return true;
}

TIconLibrary& IconLibrary() {
  // Made again whenever the file systems were set up anew (tests do).
  static std::unique_ptr<TIconLibrary> library;
  static std::vector<std::string> madeFor;
  static IFileSystem* madeOn = nullptr;
  std::vector<std::string> folders;
  IFileSystem* fs = nullptr;
  if (FileSystemsReady()) {
    fs = &GetRealFS();
    folders.push_back(FileSystemFolders().userData);
    for (const std::string& m : GetVirtualFS().GetMounts()) folders.push_back(m);
  }
  if (!library || folders != madeFor || fs != madeOn) {
    static CRealFileSystem fallback;
    library = std::make_unique<TIconLibrary>(fs ? *fs : fallback, folders);
    madeFor = folders;
    madeOn = fs;
  }
  return *library;
}
