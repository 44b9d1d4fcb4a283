#pragma once
// The link to the maker's time-measurement program, which is not part of
// this program. The program serves the link "tikomer" (topic
// "DdeServerConv1", item "DDEItem") on a Unix-domain socket named after the
// service in the same runtime folder as the copy-data windows
// (shell/CopyData.h), and speaks the same framing (dwData, cbData, data).
// Unlike a copy-data window, the program talks back on the connection, so
// everything it sends is a framed message too:
//
//   to the program    dwData 1 (poke)    topic 00 item 00 value ("xxxx")
//   from the program  dwData 0 (result)  int32 little-endian, non-zero =
//                                        the poke was accepted
//                     dwData 2 (advise)  item 00 new text (Windows-1250)
//
// The program sends the measured times as the item's new value some time
// after the request; the editor polls for it on a timer.

#include <cstdint>
#include <string>

inline constexpr const char* kTimerService = "tikomer";
inline constexpr const char* kTimerTopic = "DdeServerConv1";
inline constexpr const char* kTimerItem = "DDEItem";
inline constexpr const char* kTimerRequest = "xxxx";
inline constexpr uint32_t kTimerResult = 0;
inline constexpr uint32_t kTimerPoke = 1;
inline constexpr uint32_t kTimerAdvise = 2;

class TTimerLink {
 public:
  TTimerLink() = default;
  ~TTimerLink();
  TTimerLink(const TTimerLink&) = delete;
  TTimerLink& operator=(const TTimerLink&) = delete;

  // Connects to the program; when nobody listens and `programPath` names an
  // executable, starts it and waits up to `startWaitMs` for it to listen.
  bool Open(const std::string& programPath, int startWaitMs = 3000);
  // Sends the request; false when it cannot be sent or is refused.
  bool RequestData();
  // Takes whatever has arrived, without waiting.
  void Poll();
  // The last value of the item received (UTF-8).
  const std::string& Received() const { return received_; }
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

 private:
  bool Connect();
  int fd_ = -1;
  std::string buffer_;
  std::string received_;
  int pokeResult_ = -1;  // -1 while the program has not answered
};
