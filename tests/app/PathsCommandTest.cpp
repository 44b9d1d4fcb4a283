#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/TempDir.h"

namespace {

// Runs `garvelctl paths` with the three host folders set; the output.
std::string Paths(const TTempDir& dir, int& status) {
  const char* bin = std::getenv("GARVEL_TEST_BIN");
  std::string cmd = "GARVEL_USER_DATA='" + dir / "user" + "' GARVEL_COMMON_DATA='" + dir / "common" +
                    "' GARVEL_PROGRAM_DIR='" + dir / "prog" + "' " + (bin ? bin : GARVEL_TEST_BIN_DIR) +
                    "/garvelctl paths 2>&1";
  std::string out;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
  int rc = pclose(pipe);
  status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

}  // namespace

TEST(PathsCommand, PrintsTheStartupTraceAndMakesTheUserFolder) {
  TTempDir dir;
  const std::string rule(65, '=');
  int status = -1;
  // Neither data folder exists: the per-user one is made and takes new files.
  EXPECT_EQ(Paths(dir, status), rule + "\nMount \"" + dir / "user/" + "\"\nMount \"" + dir / "prog/" +
                                    "\"\nDefault path \"" + dir / "user/" + "\"\n");
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(PathExists(dir / "user"));

  mkdir((dir / "common").c_str(), 0755);
  EXPECT_EQ(Paths(dir, status), rule + "\nMount \"" + dir / "user/" + "\"\nMount \"" + dir / "common/" +
                                    "\"\nMount \"" + dir / "prog/" + "\"\nDefault path \"" + dir / "common/" +
                                    "\"\n");
}
