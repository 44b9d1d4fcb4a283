#include "shell/CopyData.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t GetU32(const char* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

std::string RuntimeDir() {
  if (const char* d = std::getenv("GARVEL_RUNTIME_DIR"); d && *d) {
    ::mkdir(d, 0700);  // a missing folder must not look like another running copy
    return d;
  }
  if (const char* x = std::getenv("XDG_RUNTIME_DIR"); x && *x) return x;
  // /tmp is shared: another user may have made the folder first.
  return OwnPrivateFolder("/tmp/garvel-" + std::to_string(::getuid()));
}

bool WriteAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::send(fd, p, n, MSG_NOSIGNAL);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

bool ReadAll(int fd, char* p, size_t n, int timeoutMs) {
  while (n > 0) {
    pollfd pfd{fd, POLLIN, 0};
    int r = ::poll(&pfd, 1, timeoutMs);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    ssize_t got = ::recv(fd, p, n, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    n -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

std::string OwnPrivateFolder(const std::string& path) {
  for (int i = 0; i < 10; ++i) {
    const std::string candidate = i == 0 ? path : path + "." + std::to_string(i);
    ::mkdir(candidate.c_str(), 0700);
    struct stat st {};
    if (::lstat(candidate.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
    if ((st.st_mode & 077) != 0 && ::chmod(candidate.c_str(), 0700) != 0) continue;
    return candidate;
  }
  return path;  // nothing usable: binding there fails and is reported
}

std::string CopyDataSocketPath(const std::string& windowClass) { return RuntimeDir() + "/" + windowClass + ".sock"; }

bool CopyDataWindowExists(const std::string& windowClass) {
  TCopyDataLink link;
  return link.Connect(windowClass);
}

std::string EncodeCopyData(const TCopyDataMessage& message) {
  std::string out;
  out.reserve(8 + message.data.size());
  PutU32(out, message.dwData);
  PutU32(out, static_cast<uint32_t>(message.data.size()));
  out += message.data;
  return out;
}

std::optional<TCopyDataMessage> DecodeCopyData(std::string& stream, bool& tooLarge) {
  tooLarge = false;
  if (stream.size() < 8) return std::nullopt;
  uint32_t size = GetU32(stream.data() + 4);
  if (size > kMaxCopyDataSize) {
    tooLarge = true;
    return std::nullopt;
  }
  if (stream.size() < 8 + static_cast<size_t>(size)) return std::nullopt;
  TCopyDataMessage m;
  m.dwData = GetU32(stream.data());
  m.data = stream.substr(8, size);
  stream.erase(0, 8 + static_cast<size_t>(size));
  return m;
}

TCopyDataLink::~TCopyDataLink() { Close(); }

int ConnectWindowSocket(const std::string& windowClass) {
  std::string path = CopyDataSocketPath(windowClass);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof(addr.sun_path)) return -1;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool WriteAllBytes(int fd, const std::string& bytes) { return WriteAll(fd, bytes.data(), bytes.size()); }

bool TCopyDataLink::Connect(const std::string& windowClass) {
  Close();
  fd_ = ConnectWindowSocket(windowClass);
  return fd_ >= 0;
}

bool TCopyDataLink::Send(const TCopyDataMessage& message, int timeoutMs) {
  if (fd_ < 0) return false;
  std::string bytes = EncodeCopyData(message);
  char answer[4];
  if (!WriteAll(fd_, bytes.data(), bytes.size()) || !ReadAll(fd_, answer, sizeof answer, timeoutMs)) {
    Close();
    return false;
  }
  return true;
}

void TCopyDataLink::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool SendCopyData(const std::string& windowClass, const TCopyDataMessage& message, int timeoutMs) {
  TCopyDataLink link;
  return link.Connect(windowClass) && link.Send(message, timeoutMs);
}
