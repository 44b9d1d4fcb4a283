#include "storage/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "storage/DateTime.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/Random.h"
#include "storage/RealFileSystem.h"
#include "storage/VirtualFileSystem.h"

namespace {

constexpr size_t kChunk = 1048576;

// The folder part of a name in its own syntax ("\" virtual, "/" real).
std::string FolderOf(const std::string& name) {
  size_t s = name.find_last_of("\\/");
  return s == std::string::npos ? std::string() : name.substr(0, s);
}

// Virtual names keep "\"; real names are host paths.
char SeparatorOf(const S_FileName& f) {
  return dynamic_cast<const CVirtualFileSystem*>(f.fileSystem) != nullptr ? '\\' : '/';
}

std::string Join(std::string base, char separator, const std::string& name) {
  while (!base.empty() && (base.back() == '/' || base.back() == '\\')) base.pop_back();
  return base + separator + name;
}

// A name made before the file systems were set up has none: it is a host
// path.
IFileSystem& FsOf(const S_FileName& f) {
  static CRealFileSystem host;
  return f.fileSystem ? *f.fileSystem : host;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace

bool CopyFileTo(const S_FileName& source, const S_FileName& destination) {
  TFile in;
  FsOf(source).AssignFile(in, source.name);
  if (!in.Open(TFile::Mode::Read)) return false;
  if (!HostExists(in.Path(), fdFile)) return false;  // a folder opens too
  // Copying a file onto itself would truncate it before the first read.
  if (SameFile(in.Path(), destination.RealPath())) return false;
  std::string folder = FolderOf(destination.name);
  if (!folder.empty()) FsOf(destination).ForceDirectories(folder);
  TFile out;
  FsOf(destination).AssignFile(out, destination.name);
  // As a writer that takes the lock first: a file that a store keeps open
  // for writing is refused, not truncated under it.
  if (!out.Open(TFile::Mode::Create, true)) return false;

  bool ok = true;
  int64_t remaining = in.Size();
  if (remaining < 0) ok = false;
  std::vector<char> buffer(kChunk);
  while (ok && remaining > 0) {
    size_t want = static_cast<size_t>(std::min<int64_t>(remaining, kChunk));
    int64_t got = in.Read(buffer.data(), want);
    if (got <= 0 || !out.Write(buffer.data(), static_cast<size_t>(got))) ok = false;
    else remaining -= got;
  }
  std::string outPath = out.Path();
  in.Close();
  if (!ok) ::unlink(outPath.c_str());  // before closing: still under our lock
  out.Close();
  return ok;
}

bool CopyTree(const S_FileName& source, const S_FileName& destination) {
  if (!FsOf(source).FileOrDirExists(source.name, fdFolder)) return CopyFileTo(source, destination);
  if (!FsOf(destination).ForceDirectories(destination.name)) return false;
  const char srcSep = SeparatorOf(source);
  const char dstSep = SeparatorOf(destination);
  TFileList entries;
  FsOf(source).ListFiles(Join(source.name, srcSep, "*.*"), fdEither, entries);
  bool ok = true;
  for (const std::string& name : entries) {
    S_FileName from{Join(source.name, srcSep, name), &FsOf(source)};
    S_FileName to{Join(destination.name, dstSep, name), &FsOf(destination)};
    ok = CopyTree(from, to) && ok;
  }
  return ok;
}

std::string HostTempFolder() {
  const char* env = std::getenv("TEMP");
  if (!env || !*env) env = std::getenv("TMPDIR");
  std::string folder = env && *env ? env : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

S_FileName MakeTempFileName(const std::string& prefix, const std::string& extension) {
  TDateParts d = DecodeDate(Today());
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d%04d", RandomBelow(10000), RandomBelow(10000));
  std::string name = HostTempFolder() + prefix + std::to_string(d.year) + std::to_string(d.month) +
                     std::to_string(d.day) + digits + "." + extension;
  return S_FileName{name, FileSystemsReady() ? &GetRealFS() : nullptr};
}

std::string MakeRunStamp() {
  TDateParts d = DecodeDate(Today());
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d%02d%02dr%d", d.year, d.month, d.day, RandomBelow(1000000));
  return buf;
}

std::string MakeTempFolder() {
  const std::string root = HostTempFolder();
  CRealFileSystem fs;
  if (!fs.ForceDirectories(root)) return "";
  // A folder of our own: a name that exists already (another run drew the
  // same number) is drawn again. Private, as it may hold copies of data.
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string folder = root + "GarvTemp" + MakeRunStamp();
    if (::mkdir(folder.c_str(), 0700) == 0) return folder + "/";
    if (errno != EEXIST) return "";
  }
  return "";
}
