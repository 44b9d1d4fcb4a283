#include <cstdio>

#include "app/garvelctl/Commands.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"

// Prints the mounts, the default path and the redirects as the trace log of
// the desktop program records them.
int CmdPaths(int, char**) {
  SetupFileSystems(true);
  for (const std::string& line : StartupTraceLines()) std::printf("%s\n", line.c_str());
  TeardownFileSystems();
  return 0;
}

namespace {
const TCtlRegistration kRegisterPaths(
    "paths", "vypíše připojené složky, výchozí cestu a přesměrování programu",
    "", CmdPaths);
}  // namespace
