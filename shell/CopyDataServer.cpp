#include "shell/CopyDataServer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

// The lock path next to the socket: "<runtime>/<class>.lock".
std::string LockPath(const std::string& socketPath) {
  const std::string suffix = ".sock";
  std::string base = socketPath;
  if (base.size() > suffix.size() && base.compare(base.size() - suffix.size(), suffix.size(), suffix) == 0)
    base.erase(base.size() - suffix.size());
  return base + ".lock";
}

// The exclusive lock of a window class, or -1 when another holds it.
int TakeLock(const std::string& lockPath) {
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

struct TConnection {
  int fd = -1;
  std::string stream;
  std::chrono::steady_clock::time_point lastActive;
};

// Reads what the client sent and answers each complete message; false when
// the connection is to be closed.
bool ServeReadable(TConnection& c, const TCopyDataServer::THandler& handler) {
  char chunk[65536];
  ssize_t n = ::recv(c.fd, chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0) return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
  if (n == 0) return false;
  c.stream.append(chunk, static_cast<size_t>(n));
  c.lastActive = std::chrono::steady_clock::now();
  for (;;) {
    bool tooLarge = false;
    std::optional<TCopyDataMessage> m = DecodeCopyData(c.stream, tooLarge);
    if (tooLarge) return false;
    if (!m) return true;
    const int32_t result = handler ? handler(*m) : 0;
    char answer[4];
    for (int i = 0; i < 4; ++i) answer[i] = static_cast<char>((static_cast<uint32_t>(result) >> (8 * i)) & 0xFF);
    // Four bytes fit any socket buffer; a peer that does not read them is
    // dropped rather than waited for.
    if (::send(c.fd, answer, sizeof answer, MSG_NOSIGNAL | MSG_DONTWAIT) != sizeof answer) return false;
  }
}

}  // namespace

bool TCopyDataServer::Start(const std::string& windowClass) {
  Stop();
  path_ = CopyDataSocketPath(windowClass);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path_.size() >= sizeof(addr.sun_path)) return false;
  std::memcpy(addr.sun_path, path_.c_str(), path_.size() + 1);
  lockFd_ = TakeLock(LockPath(path_));
  if (lockFd_ < 0) return false;
  auto fail = [this](int fd) {
    if (fd >= 0) ::close(fd);
    ::close(lockFd_);
    lockFd_ = -1;
    return false;
  };
  // A program of an older kind may listen without the lock.
  if (CopyDataWindowExists(windowClass)) return fail(-1);
  ::unlink(path_.c_str());  // nobody answered on it: a stale socket
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return fail(-1);
  struct stat st {};
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || ::stat(path_.c_str(), &st) != 0)
    return fail(fd);
  socketDevice_ = st.st_dev;
  socketInode_ = st.st_ino;
  if (::listen(fd, SOMAXCONN) != 0 || ::pipe2(wakeFd_, O_CLOEXEC) != 0) {
    ::unlink(path_.c_str());
    return fail(fd);
  }
  listenFd_ = fd;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void TCopyDataServer::Stop() {
  if (listenFd_ >= 0) {
    char c = 0;
    (void)!::write(wakeFd_[1], &c, 1);
    if (thread_.joinable()) thread_.join();
    ::close(listenFd_);
    ::close(wakeFd_[0]);
    ::close(wakeFd_[1]);
    listenFd_ = -1;
    wakeFd_[0] = wakeFd_[1] = -1;
    // Someone may have put another socket there meanwhile: only ours goes.
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && st.st_dev == socketDevice_ && st.st_ino == socketInode_)
      ::unlink(path_.c_str());
  }
  if (lockFd_ >= 0) {
    ::close(lockFd_);  // releases the lock, after the socket is gone
    lockFd_ = -1;
  }
}

void TCopyDataServer::Run() {
  std::vector<TConnection> connections;
  std::vector<pollfd> fds;
  for (;;) {
    fds.clear();
    fds.push_back({wakeFd_[0], POLLIN, 0});
    fds.push_back({listenFd_, POLLIN, 0});
    for (const TConnection& c : connections) fds.push_back({c.fd, POLLIN, 0});
    int r = ::poll(fds.data(), fds.size(), -1);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 || (fds[0].revents & POLLIN)) break;
    // Connections first, as accepting changes the list.
    for (size_t i = connections.size(); i-- > 0;) {
      const short ev = fds[i + 2].revents;
      if (ev == 0) continue;
      if ((ev & POLLIN) ? !ServeReadable(connections[i], handler_) : true) {
        ::close(connections[i].fd);
        connections.erase(connections.begin() + static_cast<long>(i));
      }
    }
    if (fds[1].revents & POLLIN) {
      int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      if (connections.size() >= kMaxConnections) {
        auto idlest = connections.begin();
        for (auto it = connections.begin(); it != connections.end(); ++it)
          if (it->lastActive < idlest->lastActive) idlest = it;
        ::close(idlest->fd);
        connections.erase(idlest);
      }
      connections.push_back({client, {}, std::chrono::steady_clock::now()});
    }
  }
  for (const TConnection& c : connections) ::close(c.fd);
}

TInstanceRole BecomeFirstOrHandOver(TCopyDataServer& server, const std::string& windowClass,
                                    const TCopyDataMessage& message, int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (server.Start(windowClass)) return TInstanceRole::First;
    // Another copy holds the lock: it listens already, is about to, or is
    // ending (then the lock comes free and this copy becomes the first).
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return TInstanceRole::NoReceiver;
    TCopyDataLink link;
    if (link.Connect(windowClass)) {
      if (link.Send(message, static_cast<int>(left.count()))) return TInstanceRole::HandedOver;
      // Connected but no answer in time: a hung receiver, do not send twice.
      return TInstanceRole::NoReceiver;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}
