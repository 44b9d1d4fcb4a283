// garvelctl check: walks every record and blob file of a database folder and
// reports every structural fault with its file and ID.
#include <cstdio>
#include <set>

#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "storage/Notifier.h"

namespace {

// Turns the stores' own error reports into faults of the check.
class TFaultCollector : public INotifier {
 public:
  TMsgAnswer Show(const TMessageBox& m) override {
    pending.push_back(m.text);
    return m.defaultAnswer;
  }
  std::vector<std::string> pending;
};

struct TCheck {
  TFaultCollector collector;
  long faults = 0;
  void Fault(const std::string& file, const std::string& what) {
    std::printf("%s: %s\n", file.c_str(), what.c_str());
    ++faults;
  }
  // Reports what the stores said while doing `what`.
  void Flush(const std::string& file, const std::string& context) {
    for (const std::string& text : collector.pending) Fault(file, context + text);
    collector.pending.clear();
  }
};

void CheckTable(TCheck& c, TCustomDb& db, const std::string& file) {
  if (db.TrailingBytes() != 0)
    c.Fault(file, "partial slot at the end (" + std::to_string(db.TrailingBytes()) + " bytes)");
  std::set<int32_t> seen;
  for (int slot = 0; slot < db.Count(); ++slot) {
    int32_t id = db.IDAt(slot);
    if (id >= 0 && !seen.insert(id).second) c.Fault(file, "ID " + std::to_string(id) + " stored twice (slot " + std::to_string(slot) + ")");
  }
}

void CheckBlobs(TCheck& c, TBLOBTable& blobs, const std::set<int32_t>& referenced, const std::string& file) {
  c.Flush(file, "");
  for (int32_t b = 0; b < blobs.EntryCount(); ++b) {
    int32_t id = blobs.Entry(b);
    if (id <= 0 || blobs.FindBlock(id) != b) continue;
    if (!referenced.count(id)) c.Fault(file, "blob " + std::to_string(id) + " (block " + std::to_string(b) + ") belongs to no record");
    if (id > blobs.LastID()) c.Fault(file, "blob " + std::to_string(id) + " above the last issued ID " + std::to_string(blobs.LastID()));
  }
}

}  // namespace

int CmdCheck(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "Použití: garvelctl check SLOŽKA\n");
    return 2;
  }
  TDatabaseFolder db(argv[0]);
  const std::string& dir = db.dir;
  TCheck c;
  SetNotifier(&c.collector);
  bool opened = db.Open();
  TStoreSet& stores = db.stores;
  c.Flush(dir, "");
  if (!opened) {
    SetNotifier(nullptr);
    std::printf("%ld chyb\n", c.faults + 1);
    return 1;
  }
  const std::string carsFile = dir + "db_cars.dat", recFile = dir + "db_records.dat";
  CheckTable(c, *stores.cars, carsFile);
  CheckTable(c, *stores.records, recFile);

  std::set<int32_t> carBlobs, recBlobs;
  long vehicles = 0, records = 0;
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    int32_t id = stores.cars->IDAt(slot);
    if (id < 0) continue;
    ++vehicles;
    Tautomobil v;
    bool ok = stores.cars->LoadCar(id, v);
    carBlobs.insert(v.commentsBLOBID);
    c.Flush(dir + "db_cars_blob.dat", "vehicle " + std::to_string(id) + ": ");
    if (!ok) c.Fault(carsFile, "vehicle " + std::to_string(id) + ": comments blob " + std::to_string(v.commentsBLOBID) + " missing");
    if (v.ownerID >= 0 && stores.customers && stores.customers->GetIndexForID(v.ownerID) < 0)
      c.Fault(carsFile, "vehicle " + std::to_string(id) + ": owner " + std::to_string(v.ownerID) + " is no customer");
  }
  for (int slot = 0; slot < stores.records->Count(); ++slot) {
    int32_t id = stores.records->IDAt(slot);
    if (id < 0) continue;
    ++records;
    Tzaznam r;
    stores.records->LoadCarRecord(id, r);
    c.Flush(dir + "db_rec_blob.dat", "record " + std::to_string(id) + ": ");
    recBlobs.insert(r.db.popisBLOBID);
    recBlobs.insert(r.db.materialBLOBID);
    for (int32_t blob : {r.db.popisBLOBID, r.db.materialBLOBID})
      if (stores.records->Blobs().BLOBLength(blob) < 0)
        c.Fault(recFile, "record " + std::to_string(id) + ": blob " + std::to_string(blob) + " missing");
    if (stores.cars->GetIndexForID(r.db.carID) < 0)
      c.Fault(recFile, "record " + std::to_string(id) + ": carID " + std::to_string(r.db.carID) + " names no vehicle");
  }
  CheckBlobs(c, stores.cars->Blobs(), carBlobs, dir + "db_cars_blob.dat");
  CheckBlobs(c, stores.records->Blobs(), recBlobs, dir + "db_rec_blob.dat");
  for (auto* db : {stores.customers.get(), stores.manufacturers.get(), stores.models.get(), stores.engines.get(),
                   stores.concerns.get(), stores.subtypes.get()})
    if (db) CheckTable(c, *db, db->MainPath());
  SetNotifier(nullptr);
  std::printf("%ld vozidel, %ld záznamů, %ld chyb\n", vehicles, records, c.faults);
  return c.faults == 0 ? 0 : 1;
}

namespace {
const TCtlRegistration kRegisterCheck(
    "check", "zkontroluje soubory databáze a vypíše každou chybu; bez chyb vrací 0",
    "SLOŽKA", CmdCheck);
}  // namespace
