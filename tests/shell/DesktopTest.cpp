#include "shell/Desktop.h"

#include <gtest/gtest.h>

// Arguments reach the program as they are: no shell splits or expands them.
TEST(RunAndWait, PassesArgumentsLiterallyAndGivesTheExitStatus) {
  EXPECT_EQ(RunAndWait("test", {"a; rm -rf $HOME", "=", "a; rm -rf $HOME"}), 0);
  EXPECT_EQ(RunAndWait("test", {"*", "=", "x"}), 1);
  EXPECT_EQ(RunAndWait("false", {}), 1);
  EXPECT_EQ(RunAndWait("/nonexistent/garvel-no-such-program", {}), -1);
}
