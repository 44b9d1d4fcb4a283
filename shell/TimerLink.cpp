#include "shell/TimerLink.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "shell/CopyData.h"
#include "shell/ExternalPrograms.h"
#include "storage/Codec.h"

namespace {

int32_t Int32(const std::string& bytes) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<int32_t>(v);
}

}  // namespace

TTimerLink::~TTimerLink() { Close(); }

bool TTimerLink::Connect() {
  fd_ = ConnectWindowSocket(kTimerService);
  return fd_ >= 0;
}

bool TTimerLink::Open(const std::string& programPath, int startWaitMs) {
  Close();
  received_.clear();
  buffer_.clear();
  pokeResult_ = -1;
  if (Connect()) return true;
  if (programPath.empty() || !StartProgram(programPath)) return false;
  for (int waited = 0; waited < startWaitMs; waited += 100) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (Connect()) return true;
  }
  return false;
}

bool TTimerLink::RequestData() {
  if (fd_ < 0) return false;
  TCopyDataMessage poke{kTimerPoke, std::string(kTimerTopic) + '\0' + kTimerItem + '\0' + kTimerRequest};
  pokeResult_ = -1;
  if (!WriteAllBytes(fd_, EncodeCopyData(poke))) return false;
  // A live program answers at once; one that hangs must not freeze the
  // window for long.
  for (int waited = 0; waited <= 2000 && fd_ >= 0; waited += 20) {
    Poll();
    if (pokeResult_ >= 0) return pokeResult_ != 0;
    pollfd pfd{fd_, POLLIN, 0};
    ::poll(&pfd, 1, 20);
  }
  return false;
}

void TTimerLink::Poll() {
  if (fd_ < 0) return;
  char chunk[4096];
  for (;;) {
    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      // Closed by the program (what arrived stays), or nothing more yet.
      if (got == 0) Close();
      break;
    }
    buffer_.append(chunk, static_cast<size_t>(got));
  }
  for (;;) {
    bool tooLarge = false;
    std::optional<TCopyDataMessage> m = DecodeCopyData(buffer_, tooLarge);
    if (tooLarge) {
      Close();
      buffer_.clear();
      return;
    }
    if (!m) break;
    if (m->dwData == kTimerResult && m->data.size() == 4) {
      pokeResult_ = Int32(m->data) != 0 ? 1 : 0;
    } else if (m->dwData == kTimerAdvise) {
      const size_t nul = m->data.find('\0');
      if (nul != std::string::npos && m->data.compare(0, nul, kTimerItem) == 0)
        received_ = Cp1250ToUtf8(std::string_view(m->data).substr(nul + 1));
    }
  }
}

void TTimerLink::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}
