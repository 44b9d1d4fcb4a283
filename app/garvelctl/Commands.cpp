#include "app/garvelctl/Commands.h"

const std::vector<TCtlCommand>& CtlCommands() {
  static const std::vector<TCtlCommand> commands = {
      {"paths", "vypíše připojené složky, výchozí cestu a přesměrování", CmdPaths},
      {"generate", "vytvoří ukázkovou databázi: --vehicles N --records-per-vehicle M [--customers K] SLOŽKA", CmdGenerate},
      {"check", "zkontroluje soubory databáze ve SLOŽCE; návratový kód 0 jen bez chyb", CmdCheck},
      {"dump", "vypíše zákazníky, vozidla a záznamy ze SLOŽKY jako řádky JSON", CmdDump},
      {"export-exchange",
       "datový soubor vozidla: SLOŽKA --vehicle ID (--record POŘADÍ | --all) [--no-owner] [--no-vehicle] [-o SOUBOR]",
       CmdExportExchange},
      {"exchange-dump", "vypíše obsah datového souboru .cgarv jako řádky JSON", CmdExchangeDump},
      {"import", "převezme datové soubory: [--dry-run] [--changed] SOUBOR.cgarv... SLOŽKA", CmdImport},
      {"send-records", "odešle záznam majiteli přes webovou službu: SLOŽKA --vehicle ID --record POŘADÍ", CmdSendRecords},
      {"version-check", "zjistí nabízenou verzi programu", CmdVersionCheck},
      {"list", "seznam vozidel: SLOŽKA [--search TEXT] [--period DNY] [--archived] [--sort SLOUPEC] [--desc]", CmdList},
      {"records", "záznamy vozidla jako v okně záznamů: SLOŽKA --vehicle ID [--search TEXT] [--today D.M.RRRR]",
       CmdRecords},
      {"invoice", "vystaví fakturu záznamu: SLOŽKA --record ID [--simple] [--proforma] [--number Č] [--payment cash|card|transfer]", CmdInvoice},
      {"contract", "vystaví zakázkový list záznamu: SLOŽKA --record ID [--number Č]", CmdContract},
      {"receipt", "vystaví příjmový doklad záznamu: SLOŽKA --record ID [--number Č]", CmdReceipt},
      {"documents", "seznam dokladů: SLOŽKA invoice|simple|contract|receipt [--from D.M.RRRR] [--to D.M.RRRR]", CmdDocuments},
      {"backup", "záloha: --to SLOŽKA [--progress] [DATOVÁ_SLOŽKA...] vytvoří archiv, --list [DATOVÁ_SLOŽKA] vypíše dřívější zálohy", CmdBackup},
      {"export-csv", "zapíše zákazníky, vozidla a záznamy ze SLOŽKY do tří souborů CSV: SLOŽKA CÍLOVÁ_SLOŽKA", CmdExportCsv},
      {"attachments", "přílohy: SLOŽKA vypíše složky příloh, SLOŽKA ZNAČKA ID strom příloh vlastníka", CmdAttachments},
      {"attach", "přiloží soubory či složky: SLOŽKA ZNAČKA ID CESTA... [--mode link|copy|move]", CmdAttach},
      {"attach-url", "přiloží internetový odkaz: SLOŽKA ZNAČKA ID ADRESA [--title NÁZEV]", CmdAttachUrl},
      {"stats", "statistiky: daily SLOŽKA [--from D.M.RRRR] [--to D.M.RRRR] [--group dny|tydny|mesice] [--list] [--svg SOUBOR]; vehicles SLOŽKA [--group koncern|vyrobce|model|varianta|motor] [--min N] [--sort SLOUPEC] [--desc]", CmdStats},
      {"bench", "změří rychlost práce s databází ve SLOŽCE", CmdBench},
  };
  return commands;
}
