#pragma once
// The icon library: numbered 32 x 32 icons that activity lines show (the
// `icon` of a line; -1 = none). Icon n is the file in a data folder's
// "icons/" whose name starts with n in decimal, padded with "0" to four
// digits, followed by its display name and ".ico" ("0007Brzdy.ico").
//
// The library is read from every data folder in search order (per-user
// data, all-users data, the program folder); for each index the first file
// found counts, so a per-user file shadows a shipped one. Changes are
// written only to the per-user folder: a shipped icon is copied there
// before it is renamed or replaced, and the program folder is never
// written.
//
// A file counts when its name starts with at least three digits whose
// number is at most kMaxIconIndex; rows without a file are empty.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class IFileSystem;

inline constexpr int32_t kMaxIconIndex = 9999;

// The index in decimal, left-padded with "0" to at least four digits.
std::string IconFilePrefix(int32_t index);
// The index a file name stands for, or -1 when it does not count.
int32_t IconIndexOfFile(std::string_view fileName);
// The display name: the file name without its leading digits and ".ico".
std::string IconNameOfFile(std::string_view fileName);
// Why a name cannot be an icon's name (empty, a path separator, "..", a
// control character, a leading digit), or "" when it can.
std::string IconNameProblem(const std::string& name);
// The name a replacing file gives: its name up to the first ".ico" in any
// letter case ("FILTER.ICO" -> "FILTER", "my.icons.ico" -> "my").
std::string ReplacementIconName(std::string_view chosenFileName);

struct TIconFile {
  std::string folder;    // real data folder with "/" at the end
  std::string fileName;  // in its "icons/"
  std::string name;      // display name
  std::string RealPath() const { return folder + "icons/" + fileName; }
};

class TIconLibrary {
 public:
  // `folders`: real data folders in search order, each ending in "/"; the
  // first is the per-user folder that takes every change.
  TIconLibrary(IFileSystem& realFS, std::vector<std::string> folders);

  // Lists the folders again (once per opening of the icon window; painting
  // only looks up what the last listing found).
  void Rescan();
  void EnsureScanned();
  // One more than the largest index found.
  int32_t Count();
  // The file of an index, or nullptr for a row without one.
  const TIconFile* Find(int32_t index);
  // New with every listing and change (and unique among libraries), so
  // that pictures cached by index know when to go.
  uint64_t Revision() const { return revision_; }

  // Each reports its failure to the user and returns false.
  // Names taken from a chosen file lose their leading digits.
  // "Přidat ikonu": the file becomes the next row.
  bool Add(const std::string& sourcePath, int32_t& index);
  // A double click on a row: the file replaces the row's icon and gives it
  // its name.
  bool Replace(int32_t index, const std::string& sourcePath);
  // "Přejmenovat".
  bool Rename(int32_t index, const std::string& newName);

 private:
  std::string UserIcons() const { return folders_.front() + "icons/"; }
  // Writes the source's bytes to the per-user icons folder under the name,
  // through a temporary file renamed over the target.
  bool StoreCopy(const std::string& sourcePath, const std::string& fileName);

  IFileSystem& fs_;
  std::vector<std::string> folders_;
  std::map<int32_t, TIconFile> files_;
  int32_t count_ = 0;
  bool scanned_ = false;
  uint64_t revision_ = 0;
};

// The program's library over the data folders of the file systems.
TIconLibrary& IconLibrary();
