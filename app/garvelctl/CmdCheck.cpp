// garvelctl check: walks every record and blob file of a database folder and
// reports every structural fault with its file and ID.
#include <cstdio>
#include <map>
#include <set>
#include <unordered_map>

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
  long unused = 0;  // blobs no record names: space an interrupted save left behind, no text lost
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
    if (!referenced.count(id)) {
      c.Fault(file, "blob " + std::to_string(id) + " (block " + std::to_string(b) + ") belongs to no record");
      ++c.unused;
    }
    if (id > blobs.LastID()) c.Fault(file, "blob " + std::to_string(id) + " above the last issued ID " + std::to_string(blobs.LastID()));
  }
}

// Whether blob `id` can be read in full (what the store said while reading
// it has been reported already).
bool BlobReadsWhole(TCheck& c, TBLOBTable& blobs, int32_t id) {
  std::string text;
  bool ok = blobs.LoadBLOBText(id, text);
  c.collector.pending.clear();
  return ok;
}

// Follows the chain of every blob a record names. A link into a block that is
// not marked as a continuation, or into a block of another blob's chain, is
// damage even when the text reads: the next save of another text may take
// or free that block.
void CheckChains(TCheck& c, TBLOBTable& blobs, const std::map<int32_t, std::string>& owners,
                 const std::string& file) {
  std::unordered_map<int32_t, int32_t> claimedBy;  // block -> blob
  for (const auto& [id, owner] : owners) {
    int32_t b = id > 0 ? blobs.FindBlock(id) : -1;
    int32_t link = 0, length = 0;
    if (b <= 0 || !blobs.ReadBlockHead(b, link, length)) continue;  // reported as missing or unreadable
    const int64_t needed = length <= 0 ? 1 : (static_cast<int64_t>(length) + TBLOBTable::kPayload - 1) / TBLOBTable::kPayload;
    const std::string what = owner + ": blob " + std::to_string(id);
    for (int64_t i = 0; i < needed; ++i) {
      if (i > 0) {
        b = link;
        if (b <= 0 || b >= blobs.EntryCount()) break;  // a short or broken chain: reading reports it
        if (blobs.Entry(b) != TBLOBTable::kContinuation) {
          c.Fault(file, what + " leads into block " + std::to_string(b) + ", which is not marked as its continuation");
          break;
        }
      }
      auto [it, fresh] = claimedBy.emplace(b, id);
      if (!fresh) {
        c.Fault(file, what + " shares block " + std::to_string(b) + " with blob " + std::to_string(it->second));
        break;
      }
      if (i + 1 < needed && !blobs.ReadBlockHead(b, link, length)) break;
    }
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
  std::map<int32_t, std::string> carOwners, recOwners;  // blob -> the vehicle or record naming it
  long vehicles = 0, records = 0;
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    int32_t id = stores.cars->IDAt(slot);
    if (id < 0) continue;
    ++vehicles;
    Tautomobil v;
    const std::string owner = "vehicle " + std::to_string(id);
    bool ok = stores.cars->LoadCar(id, v);
    carBlobs.insert(v.commentsBLOBID);
    carOwners.emplace(v.commentsBLOBID, owner);
    c.Flush(dir + "db_cars_blob.dat", owner + ": ");
    if (!ok)
      c.Fault(carsFile, owner + ": comments blob " + std::to_string(v.commentsBLOBID) +
                            (stores.cars->Blobs().BLOBLength(v.commentsBLOBID) < 0 ? " missing" : " not readable in full"));
    if (v.ownerID >= 0 && stores.customers && stores.customers->GetIndexForID(v.ownerID) < 0)
      c.Fault(carsFile, "vehicle " + std::to_string(id) + ": owner " + std::to_string(v.ownerID) + " is no customer");
  }
  for (int slot = 0; slot < stores.records->Count(); ++slot) {
    int32_t id = stores.records->IDAt(slot);
    if (id < 0) continue;
    ++records;
    Tzaznam r;
    const std::string owner = "record " + std::to_string(id);
    bool loaded = stores.records->LoadCarRecord(id, r);
    c.Flush(dir + "db_rec_blob.dat", owner + ": ");
    recBlobs.insert(r.db.popisBLOBID);
    recBlobs.insert(r.db.materialBLOBID);
    for (int32_t blob : {r.db.popisBLOBID, r.db.materialBLOBID}) {
      recOwners.emplace(blob, owner);
      if (stores.records->Blobs().BLOBLength(blob) < 0)
        c.Fault(recFile, owner + ": blob " + std::to_string(blob) + " missing");
      else if (!loaded && !BlobReadsWhole(c, stores.records->Blobs(), blob))
        c.Fault(recFile, owner + ": blob " + std::to_string(blob) + " not readable in full");
    }
    if (stores.cars->GetIndexForID(r.db.carID) < 0)
      c.Fault(recFile, "record " + std::to_string(id) + ": carID " + std::to_string(r.db.carID) + " names no vehicle");
  }
  CheckChains(c, stores.cars->Blobs(), carOwners, dir + "db_cars_blob.dat");
  CheckChains(c, stores.records->Blobs(), recOwners, dir + "db_rec_blob.dat");
  CheckBlobs(c, stores.cars->Blobs(), carBlobs, dir + "db_cars_blob.dat");
  CheckBlobs(c, stores.records->Blobs(), recBlobs, dir + "db_rec_blob.dat");
  for (auto* db : {stores.customers.get(), stores.manufacturers.get(), stores.models.get(), stores.engines.get(),
                   stores.concerns.get(), stores.subtypes.get()})
    if (db) CheckTable(c, *db, db->MainPath());
  SetNotifier(nullptr);
  std::printf("%ld vozidel, %ld záznamů, %ld chyb", vehicles, records, c.faults);
  if (c.unused > 0) std::printf(" (z toho %ld nepoužitých blobů, které zanechalo přerušené ukládání)", c.unused);
  std::printf("\n");
  return c.faults == 0 ? 0 : 1;
}

namespace {
const TCtlRegistration kRegisterCheck(
    "check", "zkontroluje soubory databáze a vypíše každou chybu; bez chyb vrací 0",
    "SLOŽKA", CmdCheck);
}  // namespace
