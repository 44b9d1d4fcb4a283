// garvelctl import: received exchange files merged into a database folder
// by the code of the desktop program's processing window. The six lists are
// printed with their captions and ticks as the window shows them; a dry run
// applies nothing and opens the folder for reading only.
#include <cstdio>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "app/garvelctl/PrintingNotifier.h"
#include "exchange/ExchangeFile.h"

namespace {

void PrintLists(const TExchangeChanges& changes) {
  for (int list = 0; list < kExchangeListCount; ++list) {
    std::printf("%s\n", kExchangeListLabels[static_cast<size_t>(list)]);
    for (size_t i = 0; i < changes.Size(list); ++i)
      std::printf("  [%c] %s\n", changes.ticks[static_cast<size_t>(list)][i] ? 'x' : ' ',
                  changes.ItemText(list, i).c_str());
  }
}

}  // namespace

int CmdImport(int argc, char** argv) {
  TArgs args(argc, argv, {});
  if (args.positional.size() < 2) {
    std::fprintf(stderr, "Použití: garvelctl import [--dry-run] [--changed] SOUBOR.cgarv... SLOŽKA\n");
    return 2;
  }
  const bool dryRun = args.Has("--dry-run");
  const bool changed = args.Has("--changed");
  TDatabaseFolder db(args.positional.back());
  if (!db.Open(dryRun)) return 1;
  TPrintingNotifier notifier;
  TExchangeIndex index(db.stores);
  CRealFileSystem files;
  int status = 0;
  for (size_t f = 0; f + 1 < args.positional.size(); ++f) {
    const std::string& path = args.positional[f];
    std::printf("Soubor: %s\n", path.c_str());
    if (!files.FileOrDirExists(path, fdFile)) {
      std::printf("Chyba: Soubor \"%s\" nebyl nalezen.\n", path.c_str());
      status = 1;
      continue;
    }
    const TExchangeFileResult result =
        ProcessExchangeFile(MakeFileName(path, files), index, [&](TExchangeChanges& changes) {
          if (changed)
            for (int list : {kChangedContacts, kChangedVehicles, kChangedRecords})
              changes.ticks[static_cast<size_t>(list)].assign(changes.Size(list), true);
          PrintLists(changes);
          return !dryRun;
        });
    if (result.outcome == TExchangeOutcome::Refused || result.applied.failed) status = 1;
  }
  db.stores.CloseAll();
  return status;
}

namespace {
const TCtlRegistration kRegisterImport(
    "import", "převezme přijaté datové soubory .cgarv do databáze",
    "[--dry-run] [--changed] SOUBOR.cgarv... SLOŽKA", CmdImport,
    "--dry-run jen vypíše seznamy a nic nepřevezme; --changed zaškrtne i změněné zákazníky, vozidla a záznamy.");
}  // namespace
