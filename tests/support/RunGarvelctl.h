#pragma once
// Runs the built garvelctl with its output (standard output and errors
// together) and exit status, for tests of the command-line tool.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

struct TCtlRun {
  int status = -1;
  std::string out;
};

// `args` go through the shell as written; quote paths that need it.
// `environment` ("NAME=value ...") is set for this run only.
inline TCtlRun RunGarvelctl(const std::string& args, const std::string& environment = "") {
  const char* bin = std::getenv("GARVEL_TEST_BIN");
  std::string cmd = (environment.empty() ? "" : environment + " ") + std::string(bin ? bin : GARVEL_TEST_BIN_DIR) +
                    "/garvelctl " + args + " 2>&1";
  TCtlRun run;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) run.out.append(buf.data(), n);
  int rc = pclose(pipe);
  run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return run;
}

// How many lines of `text` start with `prefix`.
inline size_t CountLinesStartingWith(const std::string& text, const std::string& prefix) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size();) {
    if (text.compare(pos, prefix.size(), prefix) == 0) ++count;
    const size_t end = text.find('\n', pos);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return count;
}
