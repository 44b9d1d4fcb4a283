// garvelctl: the command-line tool over the same core as the desktop program.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/garvelctl/Commands.h"
#include "storage/Version.h"

namespace {

void PrintUsage() {
  std::printf(
      "Použití: garvelctl PŘÍKAZ [VOLBY]\n"
      "Příkazy:\n");
  for (const TCtlCommand& c : CtlCommands()) std::printf("  %-16s %s\n", c.name, c.summary);
  std::printf("  --version  verze programu\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    PrintUsage();
    return argc < 2 ? 2 : 0;
  }
  if (!std::strcmp(argv[1], "--version")) {
    std::printf("garvelctl %s\n", kGarvelVersion);
    return 0;
  }
  for (const TCtlCommand& c : CtlCommands()) {
    if (argv[1] == std::string(c.name)) {
      try {
        return c.run(argc - 2, argv + 2);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "garvelctl %s: %s\n", c.name, e.what());
        return 1;
      }
    }
  }
  std::fprintf(stderr, "garvelctl: neznámý příkaz \"%s\"\n", argv[1]);
  PrintUsage();
  return 2;
}
