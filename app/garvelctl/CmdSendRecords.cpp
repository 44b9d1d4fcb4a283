// garvelctl send-records: sends a record of a vehicle to its owner exactly
// as the records window's "Odeslat e-mailem" does, with the web-service
// settings and e-mail method of the data folder's garvconf.ini. The upload
// and the mail land in the folder's emailLog.txt.
#include <cstdio>
#include <cstdlib>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "app/garvelctl/PrintingNotifier.h"
#include "app/garvelctl/VehicleBook.h"
#include "exchange/SendRecords.h"
#include "exchange/WebService.h"
#include "shell/Config.h"
#include "storage/FileSystemSetup.h"

int CmdSendRecords(int argc, char** argv) {
  TArgs args(argc, argv, {"--vehicle", "--record"});
  const long vehicleID = args.Number("--vehicle", -1);
  const long recordIndex = args.Number("--record", -1);
  if (args.positional.size() != 1 || vehicleID < 0 || recordIndex < 0) {
    std::fprintf(stderr, "Použití: garvelctl send-records SLOŽKA --vehicle ID --record POŘADÍ [--no-owner] "
                         "[--no-vehicle]\n");
    return 2;
  }
  TDatabaseFolder db(args.positional[0]);
  if (!db.Open()) return 1;
  // The folder is the program's data folder: its settings, its e-mail log.
  char* absolute = realpath(db.dir.c_str(), nullptr);
  const std::string folder = std::string(absolute ? absolute : db.dir.c_str()) + "/";
  std::free(absolute);
  SetupFileSystems(TFileSystemFolders{folder, folder + ".garvelctl-no-common/", DefaultFileSystemFolders().programDir},
                   false);
  LoadDefaults(Config());
  LoadConfig(Config());
  ConfigureWebService(Config());
  TPrintingNotifier notifier;

  const int status = [&] {
    TVehicleBook book;
    if (!book.Load(db, vehicleID, recordIndex)) return 1;
    if (!book.ownerRead) {
      std::fprintf(stderr, "Majitele vozidla %ld nelze načíst.\n", vehicleID);
      return 1;
    }
    TServiceBookView view;
    view.vehicle = &book.vehicle;
    view.owner = &book.owner;
    view.records = &book.records;
    for (size_t i = 0; i < book.records.size(); ++i) view.rowOrder.push_back(i);
    view.selected = static_cast<int>(recordIndex);
    switch (SendRecordToOwner(view, !args.Has("--no-owner"), !args.Has("--no-vehicle"), WebService(), Config())) {
      case TSendRecordResult::Sent: return 0;
      case TSendRecordResult::NothingToSend: std::fprintf(stderr, "Majitel nemá e-mailovou adresu.\n"); return 1;
      default: return 1;
    }
  }();
  TeardownFileSystems();
  return status;
}

namespace {
const TCtlRegistration kRegisterSendRecords(
    "send-records", "odešle záznam vozidla majiteli přes webovou službu",
    "SLOŽKA --vehicle ID --record POŘADÍ [--no-owner] [--no-vehicle]", CmdSendRecords,
    "Nastavení webové služby a odesílání e-mailů se berou z garvconf.ini ve SLOŽCE.");
}  // namespace
