#include "shell/CopyDataServer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

bool TCopyDataServer::Start(const std::string& windowClass) {
  Stop();
  if (CopyDataWindowExists(windowClass)) return false;
  path_ = CopyDataSocketPath(windowClass);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path_.size() >= sizeof(addr.sun_path)) return false;
  std::memcpy(addr.sun_path, path_.c_str(), path_.size() + 1);
  ::unlink(path_.c_str());  // nobody answered on it: a stale socket
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    return false;
  }
  if (::pipe2(wakeFd_, O_CLOEXEC) != 0) {
    ::close(fd);
    ::unlink(path_.c_str());
    return false;
  }
  listenFd_ = fd;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void TCopyDataServer::Stop() {
  if (listenFd_ < 0) return;
  char c = 0;
  (void)!::write(wakeFd_[1], &c, 1);
  if (thread_.joinable()) thread_.join();
  ::close(listenFd_);
  ::close(wakeFd_[0]);
  ::close(wakeFd_[1]);
  listenFd_ = -1;
  wakeFd_[0] = wakeFd_[1] = -1;
  ::unlink(path_.c_str());
}

void TCopyDataServer::Run() {
  std::vector<pollfd> fds;
  std::vector<std::string> buffers;
  for (;;) {
    fds.resize(2);
    fds[0] = {wakeFd_[0], POLLIN, 0};
    fds[1] = {listenFd_, POLLIN, 0};
    int r = ::poll(fds.data(), fds.size(), -1);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0 || (fds[0].revents & POLLIN)) return;
    if (fds[1].revents & POLLIN) {
      int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) {
        Serve(client);
        ::close(client);
      }
    }
  }
}

// Serves one connection until the peer closes it. Connections are short (a
// batch of calendar events, one command line), so one at a time is enough.
void TCopyDataServer::Serve(int fd) {
  std::string stream;
  char chunk[65536];
  for (;;) {
    pollfd pfd[2] = {{fd, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
    int r = ::poll(pfd, 2, 30000);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0 || (pfd[1].revents & POLLIN)) return;
    ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    stream.append(chunk, static_cast<size_t>(n));
    for (;;) {
      bool tooLarge = false;
      std::optional<TCopyDataMessage> m = DecodeCopyData(stream, tooLarge);
      if (tooLarge) return;
      if (!m) break;
      int32_t result = handler_(*m);
      char answer[4];
      for (int i = 0; i < 4; ++i) answer[i] = static_cast<char>((static_cast<uint32_t>(result) >> (8 * i)) & 0xFF);
      if (::send(fd, answer, sizeof answer, MSG_NOSIGNAL) != sizeof answer) return;
    }
  }
}
