#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
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
