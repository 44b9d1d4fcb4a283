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
    Tautomobil vehicle;
    if (!db.stores.cars->LoadCar(static_cast<int32_t>(vehicleID), vehicle)) {
      std::fprintf(stderr, "Vozidlo %ld nelze načíst.\n", vehicleID);
      return 1;
    }
    AZaznamy records;
    db.stores.records->LoadCarRecords(vehicle.ID, records);
    if (recordIndex >= static_cast<long>(records.size())) {
      std::fprintf(stderr, "Vozidlo %ld má jen %zu záznamů.\n", vehicleID, records.size());
      return 1;
    }
    std::string bytes;
    if (!db.stores.customers || vehicle.ownerID < 0 || !db.stores.customers->ReadRecord(vehicle.ownerID, bytes)) {
      std::fprintf(stderr, "Majitele vozidla %ld nelze načíst.\n", vehicleID);
      return 1;
    }
    TContactRecord owner;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), owner);
    TServiceBookView view;
    view.vehicle = &vehicle;
    view.owner = &owner;
    view.records = &records;
    for (size_t i = 0; i < records.size(); ++i) view.rowOrder.push_back(i);
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
