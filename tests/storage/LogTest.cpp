#include <gtest/gtest.h>

#include "storage/DateTime.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteProtect.h"

namespace {

// Process-wide file systems over one folder and a fixed clock.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetupFileSystems(TFileSystemFolders{dir.Path(), dir / "common/", dir / "prog/"}, false);
    SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(8, 5, 9); });
  }
  void TearDown() override {
    SetClockForTests(nullptr);
    TeardownFileSystems();
  }
  TTempDir dir;
  TRecordingNotifier notifier;
};

}  // namespace

TEST_F(LogTest, ErrorLogEntriesInWindows1250) {
  WriteFileBytes(dir / "errlog.txt", "earlier\r\n");  // kept: entries are appended
  ASSERT_TRUE(LogError("první", false));
  SetClockForTests([] { return EncodeDate(2024, 12, 31) + EncodeTime(18, 0, 0); });
  ASSERT_TRUE(LogError("druhá", true));
  EXPECT_EQ(ReadFileBytes(dir / "errlog.txt"),
            "earlier\r\n"
            "\r\n5.3.2024  8:05:09\r\nprvn\xED\r\n"
            "\r\n31.12.2024  18:00:00\r\ndruh\xE1\r\n");
  ASSERT_EQ(notifier.shown.size(), 1u);  // the box only when asked for
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_EQ(notifier.shown[0].text, "druhá");
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Error);
}

TEST_F(LogTest, UnwritableErrorLogReportsFalse) {
  TWriteProtect ro(dir.Path());
  if (!ro.Active()) GTEST_SKIP() << "cannot write-protect a folder here";
  StartTraceLog("20240305r1");
  EXPECT_FALSE(LogError("nelze", true));
  EXPECT_FALSE(LogError("ani tohle", false));
  EXPECT_FALSE(LogError("ani toto", true));
  // Each shown message, and one warning per run that the log cannot be written.
  ASSERT_EQ(notifier.Texts().size(), 3u);
  EXPECT_EQ(notifier.shown[0].text, "nelze");
  EXPECT_EQ(notifier.shown[1].caption, "Upozornění");
  EXPECT_NE(notifier.shown[1].text.find("errlog.txt"), std::string::npos);
  EXPECT_EQ(notifier.shown[2].text, "ani toto");
  EXPECT_FALSE(PathExists(dir / "errlog.txt"));
  LogTrace(1, "nothing to report");  // the trace writer stays silent
}

TEST_F(LogTest, TraceLogOfARun) {
  GetRealFS().AddRedirect(dir / "prog/", dir / "store/");
  const std::string stamp = MakeRunStamp();
  WriteFileBytes(dir / ("garv_trace" + stamp + ".log"), "old run");
  StartTraceLog(stamp);
  EXPECT_EQ(TraceLogName(), "garv_trace" + stamp + ".log");
  EXPECT_EQ(ReadFileBytes(dir / TraceLogName()), "");  // created empty

  TraceStartup();
  LogTrace(2, "Add car ID#7 1A2 3456 Škoda Octavia");
  LogTrace(3, "dropped");
  const std::string t = "5.3.2024 8:05:09: ";
  EXPECT_EQ(ReadFileBytes(dir / TraceLogName()),
            t + std::string(65, '=') + "\r\n" +
            t + "Mount \"" + dir.Path() + "\"\r\n" +
            t + "Mount \"" + dir.Path() + "prog/\"\r\n" +
            t + "Default path \"" + dir.Path() + "\"\r\n" +
            t + "Redirect \"" + UpperAscii(dir / "prog/") + "\" -> \"" + dir.Path() + "store/\"\r\n" +
            t + "Add car ID#7 1A2 3456 \x8A" "koda Octavia\r\n");
}

// A start that only hands its files over leaves no empty log behind.
TEST_F(LogTest, AnEmptyTraceLogIsDiscardedAWrittenOneKept) {
  const std::string stamp = MakeRunStamp();
  StartTraceLog(stamp);
  ASSERT_TRUE(PathExists(dir / ("garv_trace" + stamp + ".log")));
  DiscardEmptyTraceLog();
  EXPECT_FALSE(PathExists(dir / ("garv_trace" + stamp + ".log")));
  LogTrace(1, "after the end");  // dropped, not a new file
  EXPECT_FALSE(PathExists(dir / ("garv_trace" + stamp + ".log")));

  StartTraceLog(stamp);
  LogTrace(1, "a run");
  DiscardEmptyTraceLog();
  EXPECT_EQ(ReadFileBytes(dir / ("garv_trace" + stamp + ".log")), "5.3.2024 8:05:09: a run\r\n");
}

TEST_F(LogTest, TwoStartsOnOneDayGetTwoTraceLogs) {
  // The random parts differ but for a one-in-a-million draw; a second draw
  // makes a spurious failure practically impossible.
  std::string first = MakeRunStamp();
  std::string second = MakeRunStamp();
  if (second == first) second = MakeRunStamp();
  StartTraceLog(first);
  LogTrace(1, "first run");
  StartTraceLog(second);
  LogTrace(1, "second run");
  ASSERT_NE(first, second);
  EXPECT_EQ(ReadFileBytes(dir / ("garv_trace" + first + ".log")), "5.3.2024 8:05:09: first run\r\n");
  EXPECT_EQ(ReadFileBytes(dir / ("garv_trace" + second + ".log")), "5.3.2024 8:05:09: second run\r\n");
}
