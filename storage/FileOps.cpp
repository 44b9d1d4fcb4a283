#include "storage/FileOps.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "storage/DateTime.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/Random.h"
#include "storage/RealFileSystem.h"

namespace {

constexpr size_t kChunk = 1048576;

// The folder part of a name in its own syntax ("\" virtual, "/" real).
std::string FolderOf(const std::string& name) {
  size_t s = name.find_last_of("\\/");
  return s == std::string::npos ? std::string() : name.substr(0, s);
}

char SeparatorOf(const S_FileName& f) { return f.name.find('/') != std::string::npos ? '/' : '\\'; }

}  // namespace

bool CopyFileTo(const S_FileName& source, const S_FileName& destination) {
  TFile in;
  source.fileSystem->AssignFile(in, source.name);
  if (!in.Open(TFile::Mode::Read)) return false;
  std::string folder = FolderOf(destination.name);
  if (!folder.empty()) destination.fileSystem->ForceDirectories(folder);
  TFile out;
  destination.fileSystem->AssignFile(out, destination.name);
  if (!out.Open(TFile::Mode::Create)) return false;

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
  out.Close();
  if (!ok) std::remove(outPath.c_str());
  return ok;
}

bool CopyTree(const S_FileName& source, const S_FileName& destination) {
  if (!source.fileSystem->FileOrDirExists(source.name, fdFolder)) return CopyFileTo(source, destination);
  if (!destination.fileSystem->ForceDirectories(destination.name)) return false;
  const char srcSep = SeparatorOf(source);
  const char dstSep = SeparatorOf(destination);
  auto join = [](std::string base, char sep, const std::string& name) {
    while (!base.empty() && (base.back() == '/' || base.back() == '\\')) base.pop_back();
    return base + sep + name;
  };
  TFileList entries;
  source.fileSystem->ListFiles(join(source.name, srcSep, "*.*"), fdEither, entries);
  bool ok = true;
  for (const std::string& name : entries) {
    S_FileName from{join(source.name, srcSep, name), source.fileSystem};
    S_FileName to{join(destination.name, dstSep, name), destination.fileSystem};
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
  std::string folder = HostTempFolder() + "GarvTemp" + MakeRunStamp();
  CRealFileSystem fs;
  if (!fs.ForceDirectories(folder)) return "";
  return folder + "/";
}
