#include "exchange/ExchangeApply.h"

#include <optional>

#include "exchange/IdentityHash.h"
#include "servicebook/RecordList.h"
#include "servicebook/VehicleSave.h"
#include "shell/Config.h"
#include "storage/DateText.h"
#include "storage/Errors.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

const char* const kWriteFailed = "Nepodařilo se uložit záznam do databáze.";

uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }

std::string EncodedContact(const TContactRecord& c) {
  std::string bytes(kContactWidth, '\0');
  EncodeContact(c, Bytes(bytes));
  return bytes;
}

// The fields a contact node carries, over the stored customer.
void TakeContactFields(TContactRecord& stored, const TChangedContact& received) {
  const TContactRecord& r = received.contact;
  stored.surname = r.surname;
  stored.firstName = r.firstName;
  stored.street = r.street;
  stored.city = r.city;
  stored.phones = r.phones;
  stored.email = r.email;
  stored.other = r.other;
  stored.ico = r.ico;
  stored.dic = r.dic;
  stored.type = r.type;
  stored.kind = r.kind;
  if (received.HasCompany) stored.company = r.company;
}

void TakeVehicleFields(Tautomobil& stored, const TChangedVehicle& received) {
  const Tautomobil& r = received.vehicle;
  stored.tag = r.tag;
  stored.manufacturer = r.manufacturer;
  stored.model = r.model;
  stored.subtype = r.subtype;
  stored.engine = r.engine;
  stored.color = r.color;
  stored.year = r.year;
  if (received.HasMonth) stored.month = r.month;
  stored.vin = r.vin;
  stored.engineNumber = r.engineNumber;
  stored.comments = r.comments;
}

// A document number travels as "number or text": an unchanged one keeps
// its stored form, a changed one becomes text.
void TakeNumber(int32_t& number, std::string& text, const std::string& received) {
  if (NumberOrText(number, text) == received) return;
  number = -1;
  text = received;
}

void TakeRecordFields(Tzaznam& stored, const Tzaznam& received) {
  TzaznamDb& s = stored.db;
  const TzaznamDb& r = received.db;
  s.km = r.km;
  s.date = r.date;
  s.time = r.time;
  s.duration = r.duration;
  s.kind = r.kind;
  s.priceWrk = r.priceWrk;
  s.priceMat = r.priceMat;
  TakeNumber(s.invoiceNr, s.invoiceNrText, r.invoiceNrText);
  TakeNumber(s.simpleInvoiceNr, s.simpleInvoiceNrText, r.simpleInvoiceNrText);
  TakeNumber(s.receiptNr, s.receiptNrText, r.receiptNrText);
  TakeNumber(s.contractNr, s.contractNrText, r.contractNrText);
  stored.description = received.description;
  stored.material = received.material;
}

// The first of the file's own entities with the hash that is stored.
int32_t LinkInFile(const std::vector<TExchangeChanges::TFileEntity>& entities, const std::string& hash) {
  if (hash.empty()) return -1;
  for (const auto& e : entities)
    if (e.hash == hash && e.storedId >= 0) return e.storedId;
  return -1;
}

void Stored(std::vector<TExchangeChanges::TFileEntity>& entities, const std::string& globalId, int32_t id) {
  for (auto& e : entities)
    if (e.globalId == globalId && e.storedId < 0) e.storedId = id;
}

bool Ticked(const TExchangeChanges& changes, int list, size_t i) {
  const auto& t = changes.ticks[static_cast<size_t>(list)];
  return i < t.size() && t[i];
}

class TApplier {
 public:
  TApplier(TExchangeIndex& index, TExchangeChanges& changes)
      : index_(index), stores_(index.Stores()), changes_(changes) {}

  TExchangeApplyResult Run() {
    if (!StoresWritable()) {
      ShowError("Do databáze nelze zapisovat. Žádné změny nebyly provedeny.");
      result_.failed = true;
      return result_;
    }
    if (!ReadStored()) {
      ShowError("Nepodařilo se načíst záznam z databáze. Žádné změny nebyly provedeny.");
      result_.failed = true;
      return result_;
    }
    ResolveRecordVehicles();
    if (AddContacts() && ReplaceContacts() && AddVehicles() && ReplaceVehicles() && AddRecords() && ReplaceRecords())
      UpdateLastServices();
    Report();
    return result_;
  }

 private:
  bool Any(int list) const {
    for (size_t i = 0; i < changes_.Size(list); ++i)
      if (Ticked(changes_, list, i)) return true;
    return false;
  }

  bool StoresWritable() const {
    const bool contacts = Any(kNewContacts) || Any(kChangedContacts);
    const bool vehicles = Any(kNewVehicles) || Any(kChangedVehicles);
    const bool records = Any(kNewRecords) || Any(kChangedRecords);
    if (contacts && !(stores_.customers && stores_.customers->CanWrite())) return false;
    if (vehicles && !(stores_.cars->CanWrite() && stores_.cars->Blobs().CanWrite())) return false;
    if (records && !(stores_.records->CanWrite() && stores_.records->Blobs().CanWrite())) return false;
    return true;
  }

  // Every stored entity that will be replaced, merged with the received
  // fields, before anything is written.
  bool ReadStored() {
    for (size_t i = 0; i < changes_.changedContacts.size(); ++i) {
      if (!Ticked(changes_, kChangedContacts, i)) continue;
      std::string bytes;
      if (!stores_.customers->ReadRecord(changes_.changedContacts[i].StoredId, bytes)) return false;
      TContactRecord c;
      DecodeContact(Bytes(bytes), c);
      TakeContactFields(c, changes_.changedContacts[i]);
      contacts_.emplace_back(i, c);
    }
    for (size_t i = 0; i < changes_.changedVehicles.size(); ++i) {
      if (!Ticked(changes_, kChangedVehicles, i)) continue;
      Tautomobil v;
      if (!stores_.cars->LoadCar(changes_.changedVehicles[i].StoredId, v)) return false;
      TakeVehicleFields(v, changes_.changedVehicles[i]);
      vehicles_.emplace_back(i, v);
    }
    for (size_t i = 0; i < changes_.changedRecords.size(); ++i) {
      if (!Ticked(changes_, kChangedRecords, i)) continue;
      Tzaznam r;
      if (!stores_.records->LoadCarRecord(changes_.changedRecords[i].StoredId, r)) return false;
      TakeRecordFields(r, changes_.changedRecords[i].record);
      records_.emplace_back(i, r);
    }
    return true;
  }

  // Each ticked new record's vehicle: the file's own vehicle when stored or
  // about to be added, else the only stored vehicle with its plate's hash.
  void ResolveRecordVehicles() {
    recordVehicle_.assign(changes_.newRecords.size(), TTarget{});
    for (size_t i = 0; i < changes_.newRecords.size(); ++i) {
      if (!Ticked(changes_, kNewRecords, i)) continue;
      const std::string& hash = changes_.newRecords[i].CarHash;
      TTarget& t = recordVehicle_[i];
      for (const auto& e : changes_.fileVehicles) {
        if (e.hash != hash || hash.empty()) continue;
        if (e.storedId >= 0) {
          t.id = e.storedId;
        } else {
          for (size_t k = 0; k < changes_.newVehicles.size(); ++k)
            if (Ticked(changes_, kNewVehicles, k) && changes_.newVehicles[k].vehicle.globalId == e.globalId)
              t.globalId = e.globalId;
        }
        if (t.id >= 0 || !t.globalId.empty()) break;
      }
      if (t.id < 0 && t.globalId.empty()) t.id = FindVehicleByCarHash(index_, hash);
      if (t.id < 0 && t.globalId.empty()) {
        const TzaznamDb& d = changes_.newRecords[i].record.db;
        ShowMessage("Upozornění",
                    "Nemohu nalézt vozidlo k záznamu \"" + std::to_string(d.km) + " @ " + DateText(d.date) +
                        "\". Záznam nebude vložen!",
                    TMsgIcon::Warning);
        ++result_.skipped;
      }
    }
  }

  bool Fail(const std::string& message) {
    if (!message.empty()) ShowError(message);
    result_.failed = true;
    return false;
  }

  bool AddContacts() {
    for (size_t i = 0; i < changes_.newContacts.size(); ++i) {
      if (!Ticked(changes_, kNewContacts, i)) continue;
      TContactRecord c = changes_.newContacts[i];
      std::string bytes = EncodedContact(c);
      if (!stores_.customers->CreateRecord(bytes, c.globalId)) return Fail(kWriteFailed);
      DecodeContact(Bytes(bytes), c);
      index_.ContactStored(c);
      Stored(changes_.fileContacts, changes_.newContacts[i].globalId, c.ID);
      LogTrace(1, "Add contact ID#" + std::to_string(c.ID) + " " + c.firstName + " " + c.surname +
                      " (exchange file)");
      Applied();
      result_.contactsChanged = true;
    }
    return true;
  }

  bool ReplaceContacts() {
    for (auto& [i, c] : contacts_) {
      if (!stores_.customers->WriteRecord(EncodedContact(c))) return Fail(kWriteFailed);
      index_.ContactStored(c);
      LogTrace(1, "Change contact ID#" + std::to_string(c.ID) + " (exchange file)");
      Applied();
      result_.contactsChanged = true;
    }
    return true;
  }

  int32_t OwnerFor(const std::string& hash, int32_t storedOwner) {
    if (hash.empty()) return storedOwner;  // the sender knew no owner
    if (storedOwner >= 0 && index_.OwnerHashOf(storedOwner) == hash) return storedOwner;
    int32_t id = LinkInFile(changes_.fileContacts, hash);
    if (id < 0) id = FindCustomerByOwnerHash(index_, hash, -1);
    return id >= 0 ? id : storedOwner;
  }

  bool AddVehicles() {
    for (size_t i = 0; i < changes_.newVehicles.size(); ++i) {
      if (!Ticked(changes_, kNewVehicles, i)) continue;
      Tautomobil v = changes_.newVehicles[i].vehicle;
      v.ownerID = OwnerFor(changes_.newVehicles[i].OwnerHash, -1);
      try {
        stores_.cars->CreateCar(v, v.globalId);
      } catch (const EGarvelError& e) {
        return Fail(e.what());
      }
      index_.VehicleStored(v);
      Stored(changes_.fileVehicles, v.globalId, v.ID);
      LogTrace(1, "Car ID#" + std::to_string(v.ID) + ": added from exchange file");
      result_.vehicles.insert(v.ID);
      Applied();
    }
    return true;
  }

  bool ReplaceVehicles() {
    for (auto& [i, v] : vehicles_) {
      const TChangedVehicle& c = changes_.changedVehicles[i];
      v.ownerID = OwnerFor(c.OwnerHash, c.StoredOwner);
      try {
        if (!stores_.cars->SaveCar(v)) return Fail(kWriteFailed);
      } catch (const EGarvelError& e) {
        return Fail(e.what());
      }
      index_.VehicleStored(v);
      LogTrace(1, "Car ID#" + std::to_string(v.ID) + ": changed from exchange file");
      result_.vehicles.insert(v.ID);
      Applied();
    }
    return true;
  }

  bool AddRecords() {
    for (size_t i = 0; i < changes_.newRecords.size(); ++i) {
      if (!Ticked(changes_, kNewRecords, i)) continue;
      int32_t carID = recordVehicle_[i].id;
      if (carID < 0 && !recordVehicle_[i].globalId.empty())
        carID = StoredFileVehicle(recordVehicle_[i].globalId);
      if (carID < 0) continue;  // reported while resolving
      Tzaznam r = changes_.newRecords[i].record;
      // The store reports its own failure in a box.
      if (!stores_.records->CreateCarRecord(r, carID, r.db.globalId)) return Fail("");
      index_.RecordStored(r.db);
      LogTrace(1, "Car ID#" + std::to_string(carID) + ": record ID#" + std::to_string(r.db.ID) +
                      " added from exchange file");
      result_.vehicles.insert(carID);
      recordVehicles_.insert(carID);
      Applied();
    }
    return true;
  }

  bool ReplaceRecords() {
    for (auto& [i, r] : records_) {
      if (!stores_.records->SaveCarRecord(r)) return Fail("");
      LogTrace(1, "Car ID#" + std::to_string(r.db.carID) + ": record ID#" + std::to_string(r.db.ID) +
                      " changed from exchange file");
      result_.vehicles.insert(r.db.carID);
      recordVehicles_.insert(r.db.carID);
      Applied();
    }
    return true;
  }

  // A vehicle whose records changed gets what the records window sets when
  // it saves: every record's effective date (a merged plan's date, or a new
  // performed service that changes the mileage rate, moves the plans the
  // reminders read) and the list's last service.
  void UpdateLastServices() {
    const TRecordListSettings settings = RecordListSettingsFrom(Config(), Today());
    for (int32_t id : recordVehicles_) {
      AZaznamy records;
      Tautomobil v;
      stores_.records->LoadCarRecords(id, records);
      UpdateEffectiveDates(records, settings);
      if (!stores_.cars->LoadCar(id, v)) continue;
      const TDateTime last = LastServiceDate(records);
      if (v.lastService == last) continue;
      v.lastService = last;
      try {
        stores_.cars->SaveCar(v);
      } catch (const EGarvelError& e) {
        LogError(std::string("Last service of car ID#") + std::to_string(id) + " not stored: " + e.what(), false);
      }
    }
  }

  void UpdateEffectiveDates(AZaznamy& records, const TRecordListSettings& settings) {
    std::vector<int32_t> before;
    for (const Tzaznam& r : records) before.push_back(r.db.sortDate);
    StoreEffectiveDates(records, settings);
    for (size_t i = 0; i < records.size(); ++i)
      if (records[i].db.sortDate != before[i] && !stores_.records->SaveCarRecord(records[i]))
        LogError("Effective date of record ID#" + std::to_string(records[i].db.ID) + " not stored", false);
  }

  int32_t StoredFileVehicle(const std::string& globalId) const {
    for (const auto& e : changes_.fileVehicles)
      if (e.globalId == globalId) return e.storedId;
    return -1;
  }

  void Applied() { ++result_.applied; }

  int TickedCount() const {
    int n = 0;
    for (int list = 0; list < kExchangeListCount; ++list)
      for (size_t i = 0; i < changes_.Size(list); ++i) n += Ticked(changes_, list, i);
    return n;
  }

  void Report() const {
    if (!result_.failed && result_.skipped == 0) {
      ShowMessage("Informace", "Všechny zvolené změny byly úspěšně provedeny.", TMsgIcon::Information);
      return;
    }
    const int notDone = TickedCount() - result_.applied;
    std::string text = result_.failed ? "Přenos změn byl přerušen chybou." : "Některé zvolené změny nebyly provedeny.";
    text += "\r\nProvedeno: " + std::to_string(result_.applied) + ", neprovedeno: " + std::to_string(notDone) + ".";
    ShowMessage("Upozornění", text, TMsgIcon::Warning);
  }

  struct TTarget {
    int32_t id = -1;
    std::string globalId;  // a new vehicle of the file, added before the records
  };

  TExchangeIndex& index_;
  TStoreSet& stores_;
  TExchangeChanges& changes_;
  TExchangeApplyResult result_;
  std::vector<std::pair<size_t, TContactRecord>> contacts_;
  std::vector<std::pair<size_t, Tautomobil>> vehicles_;
  std::vector<std::pair<size_t, Tzaznam>> records_;
  std::vector<TTarget> recordVehicle_;
  std::set<int32_t> recordVehicles_;
};

}  // namespace

int32_t FindCustomerByOwnerHash(TExchangeIndex& index, const std::string& ownerHash, int32_t preferredId) {
  if (ownerHash.empty()) return -1;
  if (preferredId >= 0 && index.OwnerHashOf(preferredId) == ownerHash) return preferredId;
  if (ownerHash == EmptyKeyHash()) return -1;
  const std::vector<int32_t>& ids = index.ContactsWithOwnerHash(ownerHash);
  return ids.size() == 1 ? ids.front() : -1;
}

int32_t FindVehicleByCarHash(TExchangeIndex& index, const std::string& carHash) {
  if (carHash.empty() || carHash == EmptyKeyHash()) return -1;
  const std::vector<int32_t>& ids = index.VehiclesWithCarHash(carHash);
  return ids.size() == 1 ? ids.front() : -1;
}

TExchangeApplyResult ApplyExchangeChanges(TExchangeIndex& index, TExchangeChanges& changes) {
  return TApplier(index, changes).Run();
}
