#include "catalogues/AttachmentFiles.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "catalogues/AttachmentNames.h"
#include "storage/Codec.h"
#include "storage/File.h"
#include "storage/FileSystem.h"
#include "storage/Random.h"
#include "storage/RealFileSystem.h"
#include "storage/VirtualFileSystem.h"

namespace {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

TAttachResult Failed(const std::string& error) {
  TAttachResult r;
  r.error = error;
  return r;
}

TAttachResult Made(const std::string& path) {
  TAttachResult r;
  r.ok = true;
  r.path = path;
  return r;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The canonical form of a host path (links resolved), or the path itself.
std::string Canonical(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

// `inner` is `outer` or lies below it (host paths, canonical).
bool IsWithin(const std::string& inner, const std::string& outer) {
  const std::string o = WithSlash(outer);
  return WithSlash(inner).compare(0, o.size(), o) == 0;
}

bool LstatIs(const std::string& real, mode_t type) {
  struct stat st;
  return ::lstat(real.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == type;
}

// A path below the root: "root\a\b", no empty, "." or ".." component.
bool BelowRoot(const TAttachmentPlace& place, const std::string& path) {
  const std::string prefix = place.Root() + "\\";
  if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return false;
  size_t pos = prefix.size();
  while (pos <= path.size()) {
    size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(pos, end - pos);
    if (part.empty() || part == "." || part == "..") return false;
    pos = end + 1;
  }
  return true;
}

bool RootOrBelow(const TAttachmentPlace& place, const std::string& folder) {
  return folder == place.Root() || BelowRoot(place, folder);
}

// No folder between the root and the entry is a symbolic link on the disk,
// so that the entry's real path lies inside the root's own tree.
bool NoLinkAbove(const TAttachmentPlace& place, const std::string& path) {
  const std::string real = AttachmentRealPath(place, path);
  const std::string relative = VirtualToHost(path.substr(place.Root().size() + 1));
  if (real.size() <= relative.size() || real.compare(real.size() - relative.size(), relative.size(), relative) != 0)
    return false;
  std::string current = real.substr(0, real.size() - relative.size());
  size_t pos = 0;
  while (true) {
    const size_t slash = relative.find('/', pos);
    if (slash == std::string::npos) return true;
    current += relative.substr(pos, slash - pos);
    if (LstatIs(current, S_IFLNK)) return false;
    current += '/';
    pos = slash + 1;
  }
}

// A new file with the bytes; never replaces one (O_EXCL), leaves nothing
// behind on failure.
bool WriteNewFile(const std::string& real, const std::string& bytes) {
  const int fd = ::open(real.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool ok = ::close(fd) == 0 && done == bytes.size();
  if (!ok) ::unlink(real.c_str());
  return ok;
}

bool CopyNewFile(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (out < 0) {
    ::close(in);
    return false;
  }
  std::string buffer(1 << 20, '\0');
  bool ok = true;
  while (ok) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n == 0) break;
    ok = n > 0;
    for (ssize_t done = 0; ok && done < n;) {
      const ssize_t w = ::write(out, buffer.data() + done, static_cast<size_t>(n - done));
      ok = w > 0;
      done += w > 0 ? w : 0;
    }
  }
  ::close(in);
  ok = ::close(out) == 0 && ok;
  if (!ok) ::unlink(to.c_str());
  return ok;
}

// Copies a folder's tree except description files and hidden entries. Every
// entry is tried; a folder reached through a link is not entered (it counts
// as a failure).
bool CopyFolderTree(const std::string& from, const std::string& to) {
  if (::mkdir(to.c_str(), 0755) != 0) return false;
  DIR* dir = ::opendir(from.c_str());
  if (!dir) return false;
  std::vector<std::string> names;
  while (dirent* e = ::readdir(dir))
    if (e->d_name[0] != '.' && !IsDescriptionFile(e->d_name)) names.emplace_back(e->d_name);
  ::closedir(dir);
  bool ok = true;
  for (const std::string& name : names) {
    const std::string source = from + "/" + name;
    struct stat st;
    if (::stat(source.c_str(), &st) != 0) {
      ok = false;
    } else if (S_ISDIR(st.st_mode)) {
      ok = !LstatIs(source, S_IFLNK) && CopyFolderTree(source, to + "/" + name) && ok;
    } else if (S_ISREG(st.st_mode)) {
      ok = CopyNewFile(source, to + "/" + name) && ok;
    }
  }
  return ok;
}

bool RemoveHostEntry(const std::string& real) {
  struct stat st;
  if (::lstat(real.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    CRealFileSystem host;
    return host.DeleteDirectory(real);
  }
  return ::unlink(real.c_str()) == 0;
}

bool HasHighBytes(const std::string& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

}  // namespace

std::string TAttachmentPlace::Root() const {
  std::string r = root;
  while (!r.empty() && r.back() == '\\') r.pop_back();
  return r;
}

TAttachmentPlace AttachmentPlaceOf(CVirtualFileSystem& fs, const std::string& root) {
  TAttachmentPlace place;
  place.fs = &fs;
  place.root = root;
  const std::string rootHost = VirtualToHost(place.Root());
  for (const std::string& mount : fs.GetMounts()) {
    place.protectedFolders.push_back(WithSlash(mount));
    place.protectedFolders.push_back(WithSlash(WithSlash(mount) + rootHost));
  }
  return place;
}

std::string AttachmentRealPath(const TAttachmentPlace& place, const std::string& path) {
  std::string real = place.fs->GetRealPath(path);
  while (real.size() > 1 && real.back() == '/') real.pop_back();
  return real;
}

std::vector<std::string> AttachmentEntries(const TAttachmentPlace& place, const std::string& folder) {
  TFileList names;
  place.fs->ListFiles(folder + "\\*.*", fdEither, names);
  std::vector<std::string> entries;
  for (std::string& n : names)
    if (!IsDescriptionFile(n)) entries.push_back(std::move(n));
  return entries;
}

std::vector<std::string> AttachmentRootFolders(const TAttachmentPlace& place) {
  TFileList names;
  place.fs->ListFiles(place.Root() + "\\*.*", fdFolder, names);
  return names;
}

bool AttachmentIsFolder(const TAttachmentPlace& place, const std::string& path) {
  return place.fs->FileOrDirExists(path, fdFolder);
}

bool AttachmentIsFile(const TAttachmentPlace& place, const std::string& path) {
  return place.fs->FileOrDirExists(path, fdFile);
}

bool AttachmentIsLink(const TAttachmentPlace& place, const std::string& path) {
  return LstatIs(AttachmentRealPath(place, path), S_IFLNK);
}

int64_t AttachmentSize(const TAttachmentPlace& place, const std::string& path) {
  struct stat st;
  if (::stat(AttachmentRealPath(place, path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

TAttachResult CreateAttachmentFolder(const TAttachmentPlace& place, const std::string& folder, const std::string& name) {
  const std::string error = AttachmentNameError(name);
  if (!error.empty()) return Failed(error);
  const std::string path = folder + "\\" + name;
  if (!RootOrBelow(place, folder) || !NoLinkAbove(place, path)) return Failed("Vytvoření souboru selhalo!");
  if (place.fs->FileOrDirExists(path, fdEither)) return Failed("Příloha " + Quoted(name) + " již existuje.");
  if (!place.fs->ForceDirectories(folder) || !place.fs->CreateDir(path)) return Failed("Vytvoření souboru selhalo!");
  return Made(path);
}

TAttachResult CreateTextAttachment(const TAttachmentPlace& place, const std::string& folder, const std::string& name) {
  const std::string fileName = name + ".txt";
  const std::string error = AttachmentNameError(fileName);
  if (!error.empty()) return Failed(error);
  const std::string path = folder + "\\" + fileName;
  if (!RootOrBelow(place, folder) || !NoLinkAbove(place, path)) return Failed("Vytvoření souboru selhalo!");
  if (place.fs->FileOrDirExists(path, fdEither)) return Failed("Příloha " + Quoted(fileName) + " již existuje.");
  if (!place.fs->ForceDirectories(folder) || !WriteNewFile(AttachmentRealPath(place, path), ""))
    return Failed("Vytvoření souboru selhalo!");
  return Made(path);
}

TAttachResult CreateWebLinkAttachment(const TAttachmentPlace& place, const std::string& folder,
                                      const std::string& title, const std::string& address) {
  const std::string fileName = FileTitle(title) + ".URL";
  const std::string error = AttachmentNameError(fileName);
  if (!error.empty()) return Failed(error);
  const std::string path = folder + "\\" + fileName;
  if (!RootOrBelow(place, folder) || !NoLinkAbove(place, path)) return Failed("Vytvoření odkazu selhalo.");
  if (place.fs->FileOrDirExists(path, fdEither)) return Failed("Příloha " + Quoted(fileName) + " již existuje.");
  if (!place.fs->ForceDirectories(folder) ||
      !WriteNewFile(AttachmentRealPath(place, path), Utf8ToCp1250(WebLinkFileText(address))))
    return Failed("Vytvoření odkazu selhalo.");
  return Made(path);
}

TAttachResult AttachExisting(const TAttachmentPlace& place, const std::string& folder, const std::string& sourcePath,
                             TAttachMode mode) {
  std::string source = sourcePath;
  while (source.size() > 1 && source.back() == '/') source.pop_back();
  struct stat st;
  if (source.empty() || ::stat(source.c_str(), &st) != 0 || !(S_ISDIR(st.st_mode) || S_ISREG(st.st_mode)))
    return Failed("Soubor " + Quoted(sourcePath) + " nebyl nalezen a nebude přiložen.");
  const bool isFolder = S_ISDIR(st.st_mode);
  const std::string name = LastComponent(source) + (mode == TAttachMode::Link ? ".LNK" : "");
  const std::string nameError = AttachmentNameError(name);
  if (!nameError.empty()) return Failed(nameError + " Soubor " + Quoted(sourcePath) + " nebude přiložen.");
  const std::string path = folder + "\\" + name;
  if (!RootOrBelow(place, folder) || !NoLinkAbove(place, path) || !place.fs->ForceDirectories(folder))
    return Failed("Nepodařilo se vytvořit cílový adresář pro " + Quoted(sourcePath) + ". Soubor nebude přiložen.");
  if (place.fs->FileOrDirExists(path, fdEither) || LstatIs(AttachmentRealPath(place, path), S_IFLNK))
    return Failed("Příloha " + Quoted(name) + " již existuje. Soubor " + Quoted(sourcePath) + " nebude přiložen.");
  const std::string target = AttachmentRealPath(place, path);
  const std::string canonicalSource = Canonical(source);

  if (mode == TAttachMode::Link) {
    if (!WriteNewFile(target, ShellLinkFileText(canonicalSource)))
      return Failed("Vytvoření zástupce souboru " + Quoted(sourcePath) + " selhalo.");
    return Made(path);
  }
  if (isFolder && IsWithin(Canonical(ParentPath(target)), canonicalSource))
    return Failed("Složku " + Quoted(sourcePath) + " nelze vložit do ní samotné.");
  if (mode == TAttachMode::Copy) {
    const bool ok = isFolder ? CopyFolderTree(source, target) : CopyNewFile(source, target);
    if (!ok) {
      if (isFolder) RemoveHostEntry(target);  // only what this copy made
      return Failed("Kopírování souboru " + Quoted(sourcePath) + " selhalo.");
    }
    return Made(path);
  }
  // A data folder, the attachment root, a folder holding either, or a file
  // lying right in a data folder stays where the program expects it.
  for (const std::string& keep : place.protectedFolders) {
    const std::string k = Canonical(keep);
    if (IsWithin(k, canonicalSource) || Canonical(ParentPath(canonicalSource)) == k)
      return Failed("Soubor " + Quoted(sourcePath) + " patří k datům programu a nelze jej přesunout.");
  }
  CRealFileSystem host;
  if (host.RenameFile(source, target)) return Made(path);
  // Another disk: a copy, and the original removed once the copy is whole.
  if (errno == EXDEV) {
    const bool copied = isFolder ? CopyFolderTree(source, target) : CopyNewFile(source, target);
    if (copied && RemoveHostEntry(source)) return Made(path);
    if (!copied) RemoveHostEntry(target);
    else return Failed("Soubor " + Quoted(sourcePath) + " byl zkopírován, ale původní soubor nelze odstranit.");
  }
  return Failed("Přemístění souboru " + Quoted(sourcePath) + " selhalo.");
}

TAttachResult RenameAttachment(const TAttachmentPlace& place, const std::string& path, const std::string& newName) {
  if (IsEntityFolder(path)) return Failed("Tuto složku nelze přejmenovat.");
  const std::string nameError = AttachmentNameError(newName);
  if (!nameError.empty()) return Failed(nameError);
  const std::string failed = "Při přejmenování došlo k chybě.";
  if (!BelowRoot(place, path) || !NoLinkAbove(place, path)) return Failed(failed);
  const std::string newPath = ParentPath(path) + "\\" + newName;
  if (newPath == path) return Made(path);
  const bool isFolder = AttachmentIsFolder(place, path) && !AttachmentIsLink(place, path);
  const std::string oldDescription = DescriptionFileOf(path, isFolder);
  if (!place.fs->RenameFile(path, newPath)) return Failed(failed);
  if (!isFolder && oldDescription != path && place.fs->FileOrDirExists(oldDescription, fdFile)) {
    const std::string newDescription = DescriptionFileOf(newPath, false);
    // A ".txt" describes itself: its old description stays behind, unseen.
    if (newDescription != newPath) place.fs->RenameFile(oldDescription, newDescription);
  }
  return Made(newPath);
}

TAttachResult DeleteAttachment(const TAttachmentPlace& place, const std::string& path) {
  const std::string failed = "Mazání selhalo.";
  if (IsEntityFolder(path)) return Failed("Tuto složku nelze smazat.");
  if (!BelowRoot(place, path) || !NoLinkAbove(place, path)) return Failed(failed);
  const std::string real = AttachmentRealPath(place, path);
  const bool isFolder = LstatIs(real, S_IFDIR);
  // The entry first: should it stay, it keeps its description.
  if (!RemoveHostEntry(real)) return Failed(failed);
  const std::string description = DescriptionFileOf(path, isFolder);
  if (!isFolder && description != path && place.fs->FileOrDirExists(description, fdFile) &&
      !place.fs->DeleteFile(description))
    return Failed(failed);
  return Made(path);
}

std::string ReadAttachmentDescription(const TAttachmentPlace& place, const std::string& path) {
  const bool isFolder = AttachmentIsFolder(place, path) && !AttachmentIsLink(place, path);
  std::string bytes;
  if (!ReadWholeFile(AttachmentRealPath(place, DescriptionFileOf(path, isFolder)), bytes)) return "";
  return IsUtf8Text(bytes) ? bytes : Cp1250ToUtf8(bytes);
}

bool WriteAttachmentDescription(const TAttachmentPlace& place, const std::string& path, const std::string& text) {
  const bool isFolder = AttachmentIsFolder(place, path) && !AttachmentIsLink(place, path);
  const std::string description = DescriptionFileOf(path, isFolder);
  if (!RootOrBelow(place, ParentPath(description)) || !NoLinkAbove(place, description)) return false;
  std::string old;
  const bool exists = ReadWholeFile(AttachmentRealPath(place, description), old);
  const bool utf8 = exists && HasHighBytes(old) && IsUtf8Text(old);
  if (exists && (utf8 ? old : Cp1250ToUtf8(old)) == text) return true;
  if (!exists && text.empty()) return true;
  if (!place.fs->ForceDirectories(ParentPath(description))) return false;
  // Complete before it replaces the old text.
  const std::string real = AttachmentRealPath(place, description);
  const std::string temporary = ParentPath(real) + "/.garvdesc" + std::to_string(RandomBelow(1000000000)) + ".tmp";
  if (!WriteNewFile(temporary, utf8 ? text : Utf8ToCp1250(text))) return false;
  if (std::rename(temporary.c_str(), real.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}
