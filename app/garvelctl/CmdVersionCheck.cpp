// garvelctl version-check: asks the maker's version page (GARVEL_VERSION_URL
// replaces it) as the program does at start, and says whether a newer
// version is offered.
#include <cstdio>

#include "app/garvelctl/Commands.h"
#include "exchange/WebService.h"
#include "shell/StartupSteps.h"
#include "storage/DateText.h"
#include "storage/Version.h"

int CmdVersionCheck(int argc, char**) {
  if (argc != 0) {
    std::fprintf(stderr, "Použití: garvelctl version-check\n");
    return 2;
  }
  S_OnlineVersion online;
  if (!WebService().QueryOnlineVersion(online)) {
    std::printf("Aktuální verzi se nepodařilo zjistit.\n");
    return 1;
  }
  std::printf("Nabízená verze: %u.%02u z %s, tato verze: %s\n", online.major, online.minor,
              DateText(online.date).c_str(), kGarvelVersion);
  if (auto question = NewVersionQuestion(online.major, online.minor)) std::printf("%s\n", question->c_str());
  else std::printf("Používáte aktuální verzi.\n");
  return 0;
}

namespace {
const TCtlRegistration kRegisterVersionCheck(
    "version-check", "zjistí, zda je k dispozici novější verze programu",
    "", CmdVersionCheck);
}  // namespace
