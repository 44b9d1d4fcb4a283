// garvelctl list: the vehicle list with the main window's own filter and
// sort logic, one row per line, columns tab-separated in the window's order.
#include <cstdio>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "shell/VehicleList.h"

int CmdList(int argc, char** argv) {
  TArgs args(argc, argv, {"--search", "--period", "--sort"});
  if (args.positional.size() != 1) {
    std::fprintf(stderr,
                 "Použití: garvelctl list SLOŽKA [--search TEXT] [--period DNY] [--archived] [--sort SLOUPEC] [--desc]\n");
    return 2;
  }
  TVehicleFilter filter;
  filter.search = args.Value("--search");
  filter.periodDays = static_cast<int>(args.Number("--period", 100000));
  filter.showArchived = args.Has("--archived");
  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  TStoreSet& stores = db.stores;

  TVehicleList list;
  list.SetFilter(filter);
  list.Load(*stores.cars, stores.customers.get(), Today);
  std::string sortColumn = args.Value("--sort");
  if (!sortColumn.empty() && !list.SortByCaption(sortColumn, args.Has("--desc"))) {
    std::fprintf(stderr, "garvelctl list: neznámý sloupec \"%s\"\n", sortColumn.c_str());
    return 2;
  }
  if (sortColumn.empty() && args.Has("--desc")) list.ClickColumn(0);

  std::string line;
  for (size_t c = 0; c < list.Columns().size(); ++c) line += (c ? "\t" : "") + list.Columns()[c].caption;
  std::printf("%s\n", line.c_str());
  for (const TVehicleRow& row : list.Rows()) {
    line.clear();
    for (size_t c = 0; c < list.Columns().size(); ++c) line += (c ? "\t" : "") + row.Value(list.Columns()[c].tag);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

namespace {
const TCtlRegistration kRegisterList(
    "list", "vypíše seznam vozidel s filtrem a řazením hlavního okna",
    "SLOŽKA [--search TEXT] [--period DNY] [--archived] [--sort SLOUPEC] [--desc]", CmdList,
    "--search hledá ve všech sloupcích, --period omezí seznam na vozidla se servisem za posledních DNY dní,\n--archived přidá archivovaná vozidla, --sort řadí podle sloupce se zadaným nadpisem, --desc sestupně.");
}  // namespace
