#include "shell/Stores.h"

#include "catalogues/CatalogueRecords.h"
#include "catalogues/ContactRecord.h"
#include "storage/Notifier.h"

namespace {

template <typename R, typename Init, typename Encode>
std::string DefaultRecord(int width, Init init, Encode encode) {
  R r;
  init(r);
  std::string bytes(static_cast<size_t>(width), '\0');
  encode(r, reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

void Report(const TStoreOpenOptions& options, const std::string& message) {
  if (options.showMessages) ShowMessage("Chyba", message, TMsgIcon::Error);
}

std::unique_ptr<TCustomDb> OpenPlain(IFileSystem& fs, const std::string& folder, const char* file, int width,
                                     const std::string& def, const char* tag, const char* message,
                                     const TStoreOpenOptions& options) {
  auto db = std::make_unique<TCustomDb>();
  try {
    db->Create(S_FileName{folder + file, &fs}, width, def, options.userName, tag, options.readOnly);
    return db;
  } catch (const std::exception&) {
    Report(options, message);
    return nullptr;
  }
}

}  // namespace

void TStoreSet::CloseAll() {
  for (TCustomDb* db : {static_cast<TCustomDb*>(cars.get()), static_cast<TCustomDb*>(records.get()), customers.get(),
                        manufacturers.get(), models.get(), engines.get(), concerns.get(), subtypes.get()})
    if (db) db->Close();
}

bool OpenStores(TStoreSet& s, IFileSystem& fs, const std::string& folder, const TStoreOpenOptions& options) {
  auto name = [&](const char* file) { return S_FileName{folder + file, &fs}; };
  try {
    s.cars = std::make_unique<TCustomCarDb>();
    s.cars->Create(name("db_cars.dat"), name("db_cars_blob.dat"), options.userName, options.readOnly);
  } catch (const std::exception&) {
    s.cars.reset();
    Report(options, "Nemohu otevřít databázi vozidel.");
    return false;
  }
  try {
    s.records = std::make_unique<TCustomRecDb>();
    s.records->Create(name("db_records.dat"), name("db_rec_blob.dat"), options.userName, options.readOnly);
  } catch (const std::exception&) {
    s.records.reset();
    Report(options, "Nemohu otevřít databázi záznamů.");
    return false;
  }
  s.customers = OpenPlain(fs, folder, "db_customers.dat", kContactWidth,
                          DefaultRecord<TContactRecord>(kContactWidth, InitContactDefault, EncodeContact), "CUS",
                          "Nemohu otevřít databázi zákazníků.", options);
  s.manufacturers = OpenPlain(fs, folder, "db_manufac.dat", kManufacturerWidth,
                              DefaultRecord<TManufacturerRecord>(kManufacturerWidth, InitManufacturer, EncodeManufacturer),
                              "MAN", "Nemohu otevřít databázi výrobců.", options);
  s.models = OpenPlain(fs, folder, "db_models.dat", kModelWidth,
                       DefaultRecord<TModelRecord>(kModelWidth, InitModel, EncodeModel), "MOD",
                       "Nemohu otevřít databázi modelů.", options);
  s.engines = OpenPlain(fs, folder, "db_engines.dat", kEngineWidth,
                        DefaultRecord<TEngineRecord>(kEngineWidth, InitEngine, EncodeEngine), "ENG",
                        "Nemohu otevřít databázi motorů.", options);
  s.concerns = OpenPlain(fs, folder, "db_concerns.dat", kConcernWidth,
                         DefaultRecord<TConcernRecord>(kConcernWidth, InitConcern, EncodeConcern), "GRP",
                         "Nemohu otevřít databázi koncernů.", options);
  s.subtypes = OpenPlain(fs, folder, "db_subtypes.dat", kSubTypeWidth,
                         DefaultRecord<TSubTypeRecord>(kSubTypeWidth, InitSubType, EncodeSubType), "STP",
                         "Nemohu otevřít databázi modelových podtypů.", options);
  return true;
}

TCatalogue CatalogueOf(TStoreSet& s) {
  return TCatalogue{s.concerns.get(), s.manufacturers.get(), s.models.get(), s.engines.get(), s.subtypes.get()};
}
