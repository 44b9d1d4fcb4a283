// garvelctl records: a vehicle's records as its records window lists them,
// from the same code: the "Km/rok" line, then one row per record, columns
// tab-separated (Datum, Stav km, Úkony, Cena p., Cena m.).
#include <cstdio>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "servicebook/RecordList.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"

int CmdRecords(int argc, char** argv) {
  TArgs args(argc, argv, {"--vehicle", "--search", "--today"});
  const long long vehicle = ParseInteger(args.Value("--vehicle"), -1);
  if (args.positional.size() != 1 || vehicle < 0 || vehicle > INT32_MAX) {
    std::fprintf(stderr, "Použití: garvelctl records SLOŽKA --vehicle ID [--search TEXT] [--today D.M.RRRR]\n");
    return 2;
  }
  TDateTime today = Today();
  if (args.Has("--today") && !ParseDateTime(args.Value("--today"), today)) {
    std::fprintf(stderr, "garvelctl records: neplatné datum \"%s\"\n", args.Value("--today").c_str());
    return 2;
  }
  TDataFolderSession session(args.positional[0]);
  if (!session.db.Open()) return 1;
  TStoreSet& stores = session.db.stores;
  Tautomobil car;
  if (!stores.cars->LoadCar(static_cast<int32_t>(vehicle), car)) {
    std::fprintf(stderr, "garvelctl records: vozidlo %lld nelze načíst\n", vehicle);
    return 1;
  }
  AZaznamy records;
  if (!stores.records->LoadCarRecords(car.ID, records))
    std::fprintf(stderr, "garvelctl records: některé záznamy vozidla nebylo možné přečíst celé\n");
  const TRecordList list =
      BuildRecordList(records, args.Value("--search"), RecordListSettingsFrom(Config(), DayNumber(today)));
  std::printf("Km/rok\t%d%s\n", list.kmPerYear, list.rate.inaccurate ? "\tNepřesný výpočet!" : "");
  std::printf("Datum\tStav km\tÚkony\tCena p.\tCena m.\n");
  for (const TRecordRow& row : list.rows)
    std::printf("%s\t%s\t%s\t%s\t%s\n", row.date.c_str(), row.km.c_str(), row.activities.c_str(), row.labour.c_str(),
                row.material.c_str());
  return 0;
}

namespace {
const TCtlRegistration kRegisterRecords(
    "records", "vypíše záznamy vozidla tak, jak je ukazuje okno záznamů",
    "SLOŽKA --vehicle ID [--search TEXT] [--today D.M.RRRR]", CmdRecords);
}  // namespace
