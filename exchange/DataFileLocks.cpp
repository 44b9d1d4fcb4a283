#include "exchange/DataFileLocks.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool EndsWithDat(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".dat";
}

}  // namespace

TDataFileLocks::~TDataFileLocks() { Release(); }

void TDataFileLocks::Release() {
  for (int fd : fds_) ::close(fd);  // closing releases the lock
  fds_.clear();
}

bool TDataFileLocks::Acquire(const std::vector<std::string>& folders, std::string& busy) {
  for (const std::string& folder : folders) {
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    DIR* dir = ::opendir(base.c_str());
    if (!dir) continue;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(dir))
      if (e->d_name[0] != '.' && EndsWithDat(e->d_name)) names.emplace_back(e->d_name);
    ::closedir(dir);
    for (const std::string& name : names) {
      const std::string path = base + name;
      const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
      if (fd < 0) continue;
      struct stat st;
      if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        continue;
      }
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held) continue;
        busy = path;
        Release();
        return false;
      }
      fds_.push_back(fd);
    }
  }
  return true;
}
