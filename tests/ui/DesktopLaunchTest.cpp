#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"
#include "tests/ui/TestApplication.h"
#include "ui/DesktopLaunch.h"
#include "ui/HelpKey.h"
#include "ui/QtDesktop.h"

// An opener that fails at once is a refusal (a reminder must not count as
// mailed); one that succeeds, or is still running when we stop waiting, took
// the address.
TEST(DesktopLaunch, AnOpenersEarlyErrorIsARefusal) {
  TestApplication();
  struct TCase {
    const char* program;
    std::vector<std::string> arguments;
    TLaunchResult expected;
  };
  const TCase cases[] = {
      {"false", {}, TLaunchResult::Refused},
      {"sh", {"-c", "exit 3"}, TLaunchResult::Refused},
      {"true", {}, TLaunchResult::Accepted},
      {"sleep", {"5"}, TLaunchResult::Accepted},
      {"garvel-no-such-opener", {}, TLaunchResult::NotStarted},
  };
  for (const TCase& c : cases) EXPECT_EQ(LaunchAndCheck(c.program, c.arguments, 300), c.expected) << c.program;
}

// A document the desktop has no program for is reported, so the caller can
// say so instead of the user waiting for an invoice that never shows.
TEST(QtDesktop, ADocumentNoProgramOpensIsNotReportedAsOpened) {
  TestApplication();
  TTempDir bin;
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (bin.Path() + ":" + oldPath).c_str(), 1);
  TQtDesktop desktop;
  for (int code : {3, 0}) {
    WriteFileBytes(bin / "xdg-open", "#!/bin/sh\nexit " + std::to_string(code) + "\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    EXPECT_EQ(desktop.OpenDocument(bin / "faktura.PDF"), code == 0) << code;
    EXPECT_EQ(desktop.OpenUrl("https://example.cz/"), code == 0) << code;
  }
  ::setenv("PATH", oldPath.c_str(), 1);
}

// Help that no program opens is said, not silently skipped.
TEST(HelpKey, AHelpPageNoProgramTakesIsReported) {
  TestApplication();
  TRecordingDesktop desktop;
  TRecordingNotifier notifier;
  desktop.accept = false;
  OpenHelpPage("index.html");
  ASSERT_EQ(desktop.urls.size(), 1u);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_NE(notifier.Texts()[0].find(desktop.urls[0]), std::string::npos);
  desktop.accept = true;
  OpenHelpPage("index.html");
  EXPECT_EQ(desktop.urls.size(), 2u);
  EXPECT_EQ(notifier.shown.size(), 1u);
}
