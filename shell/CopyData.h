#pragma once
// Copy-data messages between desktop programs.
//
// A top-level window that accepts copy-data messages (ours is "THlavniForm",
// the calendar's "TAgendixMainForm") listens on a Unix-domain socket named
// after its window class in the user's runtime folder:
//   $GARVEL_RUNTIME_DIR, else $XDG_RUNTIME_DIR, else a private folder
//   /tmp/garvel-<uid> (OwnPrivateFolder), then "/" + class + ".sock".
//
// One message on the stream:
//   dwData  uint32 little-endian
//   cbData  uint32 little-endian
//   data    cbData bytes
// The receiver answers each message with one int32 little-endian result once
// it has handled it, which makes the send synchronous, as the sender expects.
// A connection may carry any number of messages.

#include <cstdint>
#include <optional>
#include <string>

// A folder at `path` that only this user can enter, made when missing; when
// something else stands there (a file, another user's folder) the first of
// `path` + ".1" to ".9" that can be. Its permissions are narrowed to the
// user's own.
std::string OwnPrivateFolder(const std::string& path);

// The socket path of a window class.
std::string CopyDataSocketPath(const std::string& windowClass);

// True when a program listens for the window class ("the window exists").
bool CopyDataWindowExists(const std::string& windowClass);

struct TCopyDataMessage {
  uint32_t dwData = 0;
  std::string data;
};

// Serialises a message as it travels on the stream.
std::string EncodeCopyData(const TCopyDataMessage& message);
// Parses one message from the front of `stream`; consumes it and returns it,
// or nothing while the stream holds only part of a message. Messages larger
// than kMaxCopyDataSize are refused (the connection should be dropped).
inline constexpr uint32_t kMaxCopyDataSize = 16u << 20;
std::optional<TCopyDataMessage> DecodeCopyData(std::string& stream, bool& tooLarge);

// The pieces of a client connection, for links whose peer also talks back
// on the socket: a connected socket (or -1 when nobody listens), and a
// write of all bytes (false on any failure).
int ConnectWindowSocket(const std::string& windowClass);
bool WriteAllBytes(int fd, const std::string& bytes);

// A client connection to a window. Sending blocks until the receiver answers
// or `timeoutMs` passes.
class TCopyDataLink {
 public:
  TCopyDataLink() = default;
  ~TCopyDataLink();
  TCopyDataLink(const TCopyDataLink&) = delete;
  TCopyDataLink& operator=(const TCopyDataLink&) = delete;

  // Connects to the window of the class; false when nobody listens.
  bool Connect(const std::string& windowClass);
  bool IsConnected() const { return fd_ >= 0; }
  // Sends one message and waits for the answer; false on any failure (the
  // link is then closed).
  bool Send(const TCopyDataMessage& message, int timeoutMs = 10000);
  void Close();

 private:
  int fd_ = -1;
};

// One-shot convenience: connect, send, close.
bool SendCopyData(const std::string& windowClass, const TCopyDataMessage& message, int timeoutMs = 10000);
