#include <cstdio>

#include "app/garvelctl/Commands.h"

int CmdPaths(int, char**) {
  std::printf("(file-system set-up not built yet)\n");
  return 0;
}
