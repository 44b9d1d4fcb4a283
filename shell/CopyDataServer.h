#pragma once
// The receiving side of copy-data messages: listens on the socket of a window
// class and hands every message to a handler, on a thread of its own. The
// handler's result is the answer the sender waits for.
//
// One program per window class: Start takes an exclusive lock on
// "<class>.lock" in the runtime folder before it looks for a listener and
// binds, and keeps it until Stop, so two programs started together cannot
// both become the listener. Stop removes the socket only while it is still
// the one this server bound.
//
// Connections are served side by side: a client that keeps its connection
// open without sending, or sends half a message, delays nobody else.

#include <functional>
#include <string>
#include <sys/types.h>
#include <thread>

#include "shell/CopyData.h"

class TCopyDataServer {
 public:
  using THandler = std::function<int32_t(const TCopyDataMessage&)>;

  explicit TCopyDataServer(THandler handler) : handler_(std::move(handler)) {}
  ~TCopyDataServer() { Stop(); }
  TCopyDataServer(const TCopyDataServer&) = delete;
  TCopyDataServer& operator=(const TCopyDataServer&) = delete;

  // Starts listening for the window class. Fails when another program holds
  // the class's lock or already listens there; a stale socket left by a
  // crashed program is replaced.
  bool Start(const std::string& windowClass);
  void Stop();
  bool IsRunning() const { return listenFd_ >= 0; }

  // Connections served at once; beyond it the longest idle one is dropped.
  static constexpr size_t kMaxConnections = 64;

 private:
  void Run();

  THandler handler_;
  std::string path_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  int wakeFd_[2] = {-1, -1};
  dev_t socketDevice_ = 0;
  ino_t socketInode_ = 0;
  std::thread thread_;
};

// A start of the program: becomes the one listener for the window class, or
// hands `message` to the program that is (or is becoming) it. A copy that
// holds the lock but does not listen yet is waited for, up to `timeoutMs`.
enum class TInstanceRole { First, HandedOver, NoReceiver };
TInstanceRole BecomeFirstOrHandOver(TCopyDataServer& server, const std::string& windowClass,
                                    const TCopyDataMessage& message, int timeoutMs = 10000);
