#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "shell/CopyData.h"
#include "shell/CopyDataServer.h"
#include "shell/HandOver.h"
#include "tests/support/TempDir.h"

namespace {

class CopyDataTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("GARVEL_RUNTIME_DIR", dir_.Path().c_str(), 1); }
  void TearDown() override { unsetenv("GARVEL_RUNTIME_DIR"); }
  TTempDir dir_;
};

}  // namespace

TEST(HandOver, TwoArgumentsEachFollowedByByte255) {
  EXPECT_EQ(HandOverForm({"A", "B"}), "A\xFF" "B\xFF");
  EXPECT_EQ(HandOverForm({}), "");
  EXPECT_EQ(SplitHandOver("A\xFF" "B\xFF"), (std::vector<std::string>{"A", "B"}));
  // The message travels in Windows-1250 with a closing zero byte.
  EXPECT_EQ(HandOverMessageBytes({"č.cgarv"}), std::string("\xE8.cgarv\xFF", 8) + '\0');
  EXPECT_EQ(HandOverFromMessageBytes(HandOverMessageBytes({"/tmp/ž.cgarv", "b"})), "/tmp/ž.cgarv\xFF" "b\xFF");
}

TEST(HandOver, RelativeFileNamesAreMadeAbsoluteForTheRunningCopy) {
  EXPECT_EQ(AbsoluteArguments({"SKODA.cgarv", "../prijate/a b.cgarv", "/tmp/x.cgarv", ""}, "/home/dilna/Stažené"),
            (std::vector<std::string>{"/home/dilna/Stažené/SKODA.cgarv", "/home/dilna/prijate/a b.cgarv",
                                      "/tmp/x.cgarv", ""}));
}

TEST_F(CopyDataTest, MessagesReachTheListeningWindowInOrder) {
  std::mutex m;
  std::vector<TCopyDataMessage> got;
  TCopyDataServer server([&](const TCopyDataMessage& msg) {
    std::lock_guard<std::mutex> lock(m);
    got.push_back(msg);
    return 1;
  });
  ASSERT_TRUE(server.Start("TTestWindow"));
  EXPECT_TRUE(CopyDataWindowExists("TTestWindow"));

  TCopyDataLink link;
  ASSERT_TRUE(link.Connect("TTestWindow"));
  ASSERT_TRUE(link.Send({1, "abc"}));
  ASSERT_TRUE(link.Send({0, std::string(2000, 'x')}));
  link.Close();
  // Send() returns only after the receiver handled the message.
  std::lock_guard<std::mutex> lock(m);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].dwData, 1u);
  EXPECT_EQ(got[0].data, "abc");
  EXPECT_EQ(got[1].data.size(), 2000u);
}

TEST_F(CopyDataTest, NobodyListeningIsNoError) {
  EXPECT_FALSE(CopyDataWindowExists("TNobody"));
  EXPECT_FALSE(SendCopyData("TNobody", {1, "x"}));
}

TEST_F(CopyDataTest, SecondServerForTheSameWindowIsRefusedAndStaleSocketReplaced) {
  TCopyDataServer first([](const TCopyDataMessage&) { return 1; });
  ASSERT_TRUE(first.Start("TOnce"));
  TCopyDataServer second([](const TCopyDataMessage&) { return 1; });
  EXPECT_FALSE(second.Start("TOnce"));
  first.Stop();
  // A socket file left behind by a crashed program does not block a new start.
  WriteFileBytes(CopyDataSocketPath("TOnce"), "");
  EXPECT_TRUE(second.Start("TOnce"));
}

// Several starts at once (a file manager opening several files): one becomes
// the listener, every other hands its line to it, none is lost.
TEST_F(CopyDataTest, BurstOfStartsHasOneListenerAndLosesNoLine) {
  constexpr int kStarts = 6;
  std::mutex m;
  std::vector<std::string> received;
  std::vector<std::unique_ptr<TCopyDataServer>> servers;
  for (int i = 0; i < kStarts; ++i)
    servers.push_back(std::make_unique<TCopyDataServer>([&](const TCopyDataMessage& msg) {
      std::lock_guard<std::mutex> lock(m);
      received.push_back(msg.data);
      return 1;
    }));
  std::vector<TInstanceRole> roles(kStarts);
  std::vector<std::thread> starts;
  for (int i = 0; i < kStarts; ++i)
    starts.emplace_back([&, i] {
      roles[static_cast<size_t>(i)] =
          BecomeFirstOrHandOver(*servers[static_cast<size_t>(i)], "TBurst", {1, "file" + std::to_string(i)});
    });
  for (std::thread& t : starts) t.join();
  int first = -1;
  for (int i = 0; i < kStarts; ++i) {
    if (roles[static_cast<size_t>(i)] == TInstanceRole::First) {
      EXPECT_EQ(first, -1) << "two listeners";
      first = i;
    } else {
      EXPECT_EQ(roles[static_cast<size_t>(i)], TInstanceRole::HandedOver) << i;
    }
  }
  ASSERT_GE(first, 0);
  std::lock_guard<std::mutex> lock(m);
  EXPECT_EQ(received.size(), static_cast<size_t>(kStarts - 1));
  for (const std::string& line : received) EXPECT_NE(line, "file" + std::to_string(first));
}

// A client that connects and says nothing (or half a message) does not keep
// a second start waiting.
TEST_F(CopyDataTest, SilentClientsDelayNobody) {
  TCopyDataServer server([](const TCopyDataMessage&) { return 1; });
  ASSERT_TRUE(server.Start("TBusy"));
  TCopyDataLink silent, halfway;
  ASSERT_TRUE(silent.Connect("TBusy"));
  ASSERT_TRUE(halfway.Connect("TBusy"));
  // Half a header on the second connection; it never sends the rest.
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::string path = CopyDataSocketPath("TBusy");
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::send(fd, "\1\0", 2, 0), 2);
  // Well within the time a connection used to be given before it was dropped.
  EXPECT_TRUE(SendCopyData("TBusy", {1, "a file"}, 2000));
  ::close(fd);
}

TEST_F(CopyDataTest, StopRemovesOnlyItsOwnSocket) {
  TCopyDataServer server([](const TCopyDataMessage&) { return 1; });
  ASSERT_TRUE(server.Start("TOwn"));
  // Someone else's socket now stands at the path.
  const std::string path = CopyDataSocketPath("TOwn");
  ASSERT_EQ(::unlink(path.c_str()), 0);
  WriteFileBytes(path, "another");
  server.Stop();
  EXPECT_EQ(ReadFileBytes(path), "another");
  // The lock was given up with the server.
  TCopyDataServer next([](const TCopyDataMessage&) { return 1; });
  EXPECT_TRUE(next.Start("TOwn"));
}

// The folder of the sockets when the session names none: in the shared /tmp
// nobody else may own it or enter it.
TEST(CopyDataFolder, OnlyAFolderOfOurOwnIsUsed) {
  TTempDir dir;
  auto mode = [](const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? static_cast<int>(st.st_mode & 0777) : -1;
  };
  const std::string base = dir / "garvel-1";
  EXPECT_EQ(OwnPrivateFolder(base), base);
  EXPECT_EQ(mode(base), 0700);

  ASSERT_EQ(::chmod(base.c_str(), 0777), 0);  // opened to everybody
  EXPECT_EQ(OwnPrivateFolder(base), base);
  EXPECT_EQ(mode(base), 0700);

  const std::string taken = dir / "garvel-2";
  WriteFileBytes(taken, "not a folder");
  EXPECT_EQ(OwnPrivateFolder(taken), taken + ".1");
  EXPECT_EQ(mode(taken + ".1"), 0700);

  // Another user's folder (only root can make one to try).
  const std::string foreign = dir / "garvel-3";
  ASSERT_EQ(::mkdir(foreign.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(foreign.c_str(), 0777), 0);
  if (::chown(foreign.c_str(), ::getuid() + 1, static_cast<gid_t>(-1)) == 0) {
    EXPECT_EQ(OwnPrivateFolder(foreign), foreign + ".1");
    EXPECT_EQ(mode(foreign), 0777);  // left as it is
  }
}

TEST(CopyDataDecode, PartialAndOversizedStreams) {
  std::string stream = EncodeCopyData({7, "hello"});
  std::string part = stream.substr(0, 10);
  bool tooLarge = false;
  EXPECT_FALSE(DecodeCopyData(part, tooLarge).has_value());
  EXPECT_FALSE(tooLarge);
  auto m = DecodeCopyData(stream, tooLarge);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->dwData, 7u);
  EXPECT_TRUE(stream.empty());
  std::string huge = std::string("\0\0\0\0", 4) + std::string("\xFF\xFF\xFF\x7F", 4);
  EXPECT_FALSE(DecodeCopyData(huge, tooLarge).has_value());
  EXPECT_TRUE(tooLarge);
}
