// garvelctl export-csv: the three CSV files of the main menu's "Export".
#include <cstdio>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "shell/DatabaseExport.h"
#include "storage/FileSystem.h"

int CmdExportCsv(int argc, char** argv) {
  TArgs args(argc, argv, {});
  if (args.positional.size() != 2) {
    std::fprintf(stderr, "Použití: garvelctl export-csv SLOŽKA CÍLOVÁ_SLOŽKA\n");
    return 2;
  }
  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  const std::string target = args.positional[1];
  if (!db.fs.ForceDirectories(target)) {
    std::fprintf(stderr, "garvelctl export-csv: složku \"%s\" nelze vytvořit\n", target.c_str());
    return 1;
  }
  const TDatabaseExportResult r = ExportDatabase(db.stores, target, TVatSettings{});
  if (!r.ok) {
    std::fprintf(stderr, "garvelctl export-csv: %s\n", r.error.c_str());
    return 1;
  }
  std::printf("%s\nzákazníci %lld, vozidla %lld, záznamy %lld\n", ExportDoneText(target).c_str(), r.customers,
              r.vehicles, r.records);
  return 0;
}

namespace {
const TCtlRegistration kRegisterExportCsv(
    "export-csv", "zapíše zákazníky, vozidla a záznamy do tří souborů CSV",
    "SLOŽKA CÍLOVÁ_SLOŽKA", CmdExportCsv);
}  // namespace
