#include "app/garvelctl/Commands.h"

const std::vector<TCtlCommand>& CtlCommands() {
  static const std::vector<TCtlCommand> commands = {
      {"paths", "vypíše připojené složky, výchozí cestu a přesměrování", CmdPaths},
      {"generate", "vytvoří ukázkovou databázi: --vehicles N --records-per-vehicle M [--customers K] SLOŽKA", CmdGenerate},
      {"check", "zkontroluje soubory databáze ve SLOŽCE; návratový kód 0 jen bez chyb", CmdCheck},
      {"dump", "vypíše zákazníky, vozidla a záznamy ze SLOŽKY jako řádky JSON", CmdDump},
      {"list", "seznam vozidel: SLOŽKA [--search TEXT] [--period DNY] [--archived] [--sort SLOUPEC] [--desc]", CmdList},
      {"bench", "změří rychlost práce s databází ve SLOŽCE", CmdBench},
  };
  return commands;
}
