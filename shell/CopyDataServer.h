#pragma once
// The receiving side of copy-data messages: listens on the socket of a window
// class and hands every message to a handler, on a thread of its own. The
// handler's result is the answer the sender waits for.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "shell/CopyData.h"

class TCopyDataServer {
 public:
  using THandler = std::function<int32_t(const TCopyDataMessage&)>;

  explicit TCopyDataServer(THandler handler) : handler_(std::move(handler)) {}
  ~TCopyDataServer() { Stop(); }
  TCopyDataServer(const TCopyDataServer&) = delete;
  TCopyDataServer& operator=(const TCopyDataServer&) = delete;

  // Starts listening for the window class. Fails when another live program
  // already listens there; a stale socket left by a crashed program is
  // replaced.
  bool Start(const std::string& windowClass);
  void Stop();
  bool IsRunning() const { return listenFd_ >= 0; }

 private:
  void Run();
  void Serve(int fd);

  THandler handler_;
  std::string path_;
  int listenFd_ = -1;
  int wakeFd_[2] = {-1, -1};
  std::thread thread_;
};
