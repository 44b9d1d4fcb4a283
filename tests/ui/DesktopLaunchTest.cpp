#include <gtest/gtest.h>

#include "tests/ui/TestApplication.h"
#include "ui/DesktopLaunch.h"

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
