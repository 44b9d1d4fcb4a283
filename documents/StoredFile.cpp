#include "documents/StoredFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "storage/Random.h"

std::string HiddenTempBeside(const std::string& realPath, const std::string& extension) {
  size_t slash = realPath.rfind('/');
  std::string folder = slash == std::string::npos ? "" : realPath.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? realPath : realPath.substr(slash + 1);
  return folder + "." + name + "." + std::to_string(RandomBelow(1000000)) + ".tmp" + extension;
}

bool ReplaceFileContents(const std::string& realPath, const std::string& bytes, std::string& error) {
  const std::string temp = HiddenTempBeside(realPath, "");
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && fsync(fd) == 0;
  if (!ok) error = std::strerror(errno);
  if (close(fd) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  if (ok && std::rename(temp.c_str(), realPath.c_str()) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (!ok) unlink(temp.c_str());
  return ok;
}
