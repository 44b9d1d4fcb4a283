// garvelctl: the command-line tool over the same core as the desktop program.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/garvelctl/Commands.h"
#include "storage/SaveStages.h"
#include "storage/Version.h"

namespace {

int UsageError(const std::string& message, const std::string& usage, const std::string& helpHint) {
  std::fprintf(stderr, "%s\n%s%s\n", message.c_str(), usage.c_str(), helpHint.c_str());
  return 2;
}

int RunCommand(const TCtlCommand& c, int argc, char** argv) {
  for (int i = 0; i < argc; ++i) {
    if (IsHelpOption(argv[i])) {
      std::fputs(CtlCommandHelp(c).c_str(), stdout);
      return 0;
    }
  }
  const std::string hint = "Nápověda: garvelctl " + c.name + " --help";
  try {
    CheckOptions(c, argc, argv);
    return c.run(argc, argv);
  } catch (const ECtlUsage& e) {
    return UsageError("garvelctl " + c.name + ": " + e.what(), CtlUsageLines(c), hint);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "garvelctl %s: %s\n", c.name.c_str(), e.what());
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(CtlOverview().c_str(), stderr);
    return 2;
  }
  const std::string first = argv[1];
  if (IsHelpOption(first)) {
    std::fputs(CtlOverview().c_str(), stdout);
    return 0;
  }
  if (first == "--version") {
    std::printf("garvelctl %s\n", kGarvelVersion);
    return 0;
  }
  if (first == "help") {
    if (argc == 2) {
      std::fputs(CtlOverview().c_str(), stdout);
      return 0;
    }
    const TCtlCommand* c = argc == 3 ? FindCtlCommand(argv[2]) : nullptr;
    if (!c) return UsageError("garvelctl help: čekám jméno jednoho příkazu", "", "Seznam příkazů: garvelctl --help");
    std::fputs(CtlCommandHelp(*c).c_str(), stdout);
    return 0;
  }
  // Saves survive a power cut in order, except where test data is made in
  // bulk or speed is measured.
  SetDurableSaves(first != "generate" && first != "bench");
  if (const TCtlCommand* c = FindCtlCommand(first)) return RunCommand(*c, argc - 2, argv + 2);
  return UsageError("garvelctl: neznámý příkaz \"" + first + "\"", "", "Seznam příkazů: garvelctl --help");
}
