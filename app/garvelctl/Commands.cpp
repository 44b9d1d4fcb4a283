#include "app/garvelctl/Commands.h"

const std::vector<TCtlCommand>& CtlCommands() {
  static const std::vector<TCtlCommand> commands = {
      {"paths", "vypíše připojené složky, výchozí cestu a přesměrování", CmdPaths},
  };
  return commands;
}
