#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "servicebook/ActivityImport.h"
#include "shell/CopyData.h"
#include "shell/TimerLink.h"
#include "storage/Codec.h"
#include "tests/support/TempDir.h"

namespace {

// A stand-in for the time-measurement program: accepts one connection,
// reads the request and answers with the result and, when accepted, the
// measured times.
class TFakeTimer {
 public:
  TFakeTimer(int32_t result, std::string reply) : result_(result), reply_(std::move(reply)) {
    const std::string path = CopyDataSocketPath(kTimerService);
    ::unlink(path.c_str());
    listen_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, path.c_str());
    EXPECT_EQ(::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(::listen(listen_, 1), 0);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TFakeTimer() {
    Join();
    ::close(listen_);
  }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  std::string request;

 private:
  void Serve() {
    const int fd = ::accept(listen_, nullptr, nullptr);
    if (fd < 0) return;
    std::string stream;
    char buf[256];
    bool tooLarge = false;
    std::optional<TCopyDataMessage> m;
    while (!(m = DecodeCopyData(stream, tooLarge))) {
      const ssize_t got = ::recv(fd, buf, sizeof buf, 0);
      if (got <= 0) break;
      stream.append(buf, static_cast<size_t>(got));
    }
    if (m && m->dwData == kTimerPoke) request = m->data;
    std::string result(4, '\0');
    std::memcpy(result.data(), &result_, 4);
    std::string out = EncodeCopyData({kTimerResult, result});
    if (result_) out += EncodeCopyData({kTimerAdvise, std::string(kTimerItem) + '\0' + Utf8ToCp1250(reply_)});
    ::send(fd, out.data(), out.size(), MSG_NOSIGNAL);
    ::close(fd);
  }
  int32_t result_;
  std::string reply_;
  int listen_ = -1;
  std::thread thread_;
};

class TimerLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("GARVEL_RUNTIME_DIR", dir_.Path().c_str(), 1); }
  void TearDown() override { unsetenv("GARVEL_RUNTIME_DIR"); }
  TTempDir dir_;
};

}  // namespace

TEST_F(TimerLinkTest, RequestAndReplyFromTheProgram) {
  TFakeTimer peer(1, "Seřízení@5400@25000|||Mytí@600@15000");
  TTimerLink link;
  ASSERT_TRUE(link.Open(""));
  ASSERT_TRUE(link.RequestData());
  // The editor takes what arrived on its three 100 ms ticks.
  for (int tick = 0; tick < 3 && link.Received().empty(); ++tick) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    link.Poll();
  }
  link.Close();
  EXPECT_EQ(link.Received(), "Seřízení@5400@25000|||Mytí@600@15000");
  const auto entries = ParseTimerReply(link.Received());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Seřízení");
  const TActRecordList lines = TimerLines(entries);
  EXPECT_FLOAT_EQ(lines[0].count, 1.5f);
  EXPECT_FLOAT_EQ(lines[0].price, 250);
  peer.Join();
  EXPECT_EQ(peer.request, std::string("DdeServerConv1\0DDEItem\0xxxx", 27));
  EXPECT_FALSE(link.IsOpen());
}

TEST_F(TimerLinkTest, RefusedRequestAndNobodyListening) {
  {
    TFakeTimer peer(0, "");
    TTimerLink link;
    ASSERT_TRUE(link.Open(""));
    EXPECT_FALSE(link.RequestData());
  }
  TTimerLink link;
  EXPECT_FALSE(link.Open(""));
  EXPECT_FALSE(link.Open(dir_ / "no-such-program", 100));
  EXPECT_FALSE(link.RequestData());
}
