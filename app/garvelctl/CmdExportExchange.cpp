// garvelctl export-exchange: the exchange file a workshop would send about a
// vehicle, written with the same code as the records window's sending.
#include <cstdio>
#include <cstring>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "app/garvelctl/VehicleBook.h"
#include "exchange/ExchangeExport.h"
#include "exchange/IdentityHash.h"
#include "storage/File.h"

int CmdExportExchange(int argc, char** argv) {
  // "-o FILE" is the one short option of garvelctl.
  std::string output;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (!std::strcmp(argv[i], "-o") && i + 1 < argc) output = argv[++i];
    else rest.push_back(argv[i]);
  }
  TArgs args(static_cast<int>(rest.size()), rest.data(), {"--vehicle", "--record"});
  const long vehicleID = args.Number("--vehicle", -1);
  const long recordIndex = args.Number("--record", -1);
  if (args.positional.size() != 1 || vehicleID < 0 || (recordIndex < 0) == !args.Has("--all")) {
    std::fprintf(stderr,
                 "Použití: garvelctl export-exchange SLOŽKA --vehicle ID (--record POŘADÍ | --all) [--no-owner] "
                 "[--no-vehicle] [-o SOUBOR]\n");
    return 2;
  }
  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  TVehicleBook book;
  if (!book.Load(db, vehicleID, recordIndex)) return 1;
  const Tautomobil& vehicle = book.vehicle;
  const AZaznamy& records = book.records;

  TExchangeExport what;
  what.vehicle = &vehicle;
  what.owner = book.ownerRead ? &book.owner : nullptr;
  what.withOwner = !args.Has("--no-owner");
  what.withVehicle = !args.Has("--no-vehicle");
  for (size_t i = 0; i < records.size(); ++i)
    if (recordIndex < 0 || static_cast<long>(i) == recordIndex) what.records.emplace_back(i, &records[i]);
  const std::string text = BuildExchangeDocument(what);
  if (output.empty()) output = ExchangeFileName(vehicle);
  if (!ReplaceWholeFile(output, text)) {
    std::fprintf(stderr, "Soubor \"%s\" nelze zapsat.\n", output.c_str());
    return 1;
  }
  std::printf("%s\n", output.c_str());
  return 0;
}

namespace {
const TCtlRegistration kRegisterExportExchange(
    "export-exchange", "zapíše datový soubor .cgarv s vozidlem, jeho majitelem a záznamy",
    "SLOŽKA --vehicle ID (--record POŘADÍ | --all) [--no-owner] [--no-vehicle] [-o SOUBOR]", CmdExportExchange,
    "--record vybere jeden záznam podle pořadí v okně záznamů, --all všechny; -o určí cílový soubor.");
}  // namespace
