// garvelctl generate: a realistic synthetic database written through the
// stores, for demonstrations and benchmarks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>
#include <sys/stat.h>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "catalogues/ContactRecord.h"
#include "servicebook/Activities.h"
#include "servicebook/RecordList.h"
#include "servicebook/RefuelTrip.h"
#include "servicebook/VehicleSave.h"
#include "catalogues/StartingCatalogue.h"
#include "storage/FileSystemSetup.h"
#include "shell/Stores.h"
#include "storage/Coding.h"
#include "storage/DateTime.h"
#include "storage/RealFileSystem.h"

namespace {

const char* const kSurnames[] = {"Novák", "Svoboda", "Novotný", "Dvořák", "Černý", "Procházka", "Kučera",
                                 "Veselý", "Horák", "Němec", "Pokorný", "Marek", "Pospíšil", "Hájek",
                                 "Jelínek", "Král", "Růžička", "Beneš", "Fiala", "Sedláček", "Doležal",
                                 "Zeman", "Kolář", "Navrátil", "Čermák", "Vaněk", "Urban", "Blažek", "Kříž",
                                 "Kovář", "Bartoš", "Vlček", "Polák", "Musil", "Kopecký", "Šimek", "Konečný"};
const char* const kFirstNames[] = {"Jan", "Petr", "Josef", "Pavel", "Martin", "Tomáš", "Jaroslav", "Miroslav",
                                   "Zdeněk", "Václav", "Michal", "František", "Jiří", "Eva", "Hana", "Anna",
                                   "Lenka", "Marie", "Kateřina", "Lucie", "Věra", "Alena", "Jitka", "Ondřej"};
const char* const kStreets[] = {"Hlavní", "Nádražní", "Školní", "Zahradní", "Polní", "Komenského", "Husova",
                                "Palackého", "Masarykova", "Lipová", "Tyršova", "Sokolská", "Riegrova", "Krátká"};
const char* const kCities[] = {"110 00 Praha 1", "602 00 Brno", "702 00 Ostrava", "301 00 Plzeň",
                               "460 01 Liberec", "772 00 Olomouc", "370 01 České Budějovice",
                               "500 02 Hradec Králové", "400 01 Ústí nad Labem", "530 02 Pardubice",
                               "760 01 Zlín", "586 01 Jihlava", "251 01 Říčany", "284 01 Kutná Hora"};
const char* const kCompanies[] = {"Autodoprava", "Stavby", "Zahradnictví", "Instalatérství", "Elektro",
                                  "Pekařství", "Truhlářství", "Logistika"};

struct TModelSpec {
  const char* make;
  const char* model;
  const char* subtype;
  const char* engine;
};
const TModelSpec kModels[] = {
    {"Škoda", "Octavia", "Combi", "1.9 TDI"},      {"Škoda", "Fabia", "Hatchback", "1.2 HTP"},
    {"Škoda", "Superb", "Liftback", "2.0 TDI"},    {"Škoda", "Felicia", "", "1.3 MPI"},
    {"Škoda", "Kodiaq", "Style", "2.0 TSI"},       {"Volkswagen", "Golf", "Variant", "1.6 TDI"},
    {"Volkswagen", "Passat", "B6", "2.0 TDI"},     {"Volkswagen", "Polo", "", "1.4 16V"},
    {"Ford", "Focus", "Kombi", "1.6 TDCi"},        {"Ford", "Fiesta", "", "1.25 Duratec"},
    {"Renault", "Mégane", "Grandtour", "1.5 dCi"}, {"Peugeot", "308", "SW", "1.6 HDi"},
    {"Opel", "Astra", "Caravan", "1.7 CDTI"},      {"Toyota", "Corolla", "", "1.6 VVT-i"},
    {"Hyundai", "i30", "CW", "1.6 CRDi"},          {"Kia", "Ceed", "SW", "1.4 CVVT"},
    {"Dacia", "Logan", "MCV", "1.5 dCi"},          {"Citroën", "C4", "Picasso", "1.6 HDi"},
    {"BMW", "320d", "Touring", "2.0 d"},           {"Audi", "A4", "Avant", "2.0 TDI"},
    {"Mercedes-Benz", "Sprinter", "313 CDI", "2.1 CDI"}, {"Fiat", "Ducato", "", "2.3 JTD"},
};
const char* const kColors[] = {"bílá", "černá", "stříbrná", "modrá", "červená", "šedá", "zelená"};
const char* const kWork[] = {"Výměna oleje a olejového filtru", "Výměna brzdových destiček vpředu",
                             "Kontrola brzd", "Výměna rozvodového řemene", "Geometrie náprav",
                             "Přezutí pneumatik", "Diagnostika motoru", "Výměna tlumičů vzadu",
                             "Seřízení světel", "Příprava na STK", "Výměna spojky", "Servis klimatizace",
                             "Výměna baterie", "Oprava výfuku", "Výměna žhavicích svíček"};
const char* const kMaterial[] = {"Motorový olej 5W-30", "Olejový filtr", "Vzduchový filtr", "Kabinový filtr",
                                 "Brzdové destičky", "Brzdová kapalina DOT4", "Rozvodová sada", "Vodní pumpa",
                                 "Tlumič", "Autobaterie 72Ah", "Chladicí kapalina", "Stěrače"};

template <size_t N>
const char* Pick(std::mt19937& rng, const char* const (&list)[N]) {
  return list[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

int Between(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

std::string Plate(std::mt19937& rng) {
  static const char kLetters[] = "ABCEHJKLMPSTUZ";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d%c%d %04d", Between(rng, 1, 9), kLetters[Between(rng, 0, 13)],
                Between(rng, 0, 9), Between(rng, 0, 9999));
  return buf;
}

std::string Vin(std::mt19937& rng) {
  static const char kChars[] = "ABCDEFGHJKLMNPRSTUVWXYZ0123456789";
  std::string v = "TMB";
  for (int i = 0; i < 14; ++i) v += kChars[Between(rng, 0, 32)];
  return v;
}

Tzaznam MakeRecord(std::mt19937& rng, int32_t carID, TDateTime date, int km) {
  int roll = Between(rng, 0, 99);
  int32_t kind = roll < 55 ? kKindDone : roll < 70 ? kKindPlan : roll < 75 ? kKindPlanNoWarn
                 : roll < 85 ? kKindOrder : roll < 95 ? kKindRefuel : kKindTrip;
  Tzaznam r;
  InitRecord(r, carID, kind);
  r.db.date = date;
  r.db.km = km;
  r.db.time = Between(rng, 7, 16) * 60 + Between(rng, 0, 3) * 15;
  if (kind == kKindRefuel) {
    TRefuelingRecord f;
    f.litres = static_cast<float>(Between(rng, 2000, 6000)) / 100;
    f.literPrice = static_cast<float>(Between(rng, 3400, 4200)) / 100;
    f.full = Between(rng, 0, 1) == 1;
    f.place = Pick(rng, kCities);
    r.description = EncodeRefueling(f);
    return r;
  }
  if (kind == kKindTrip) {
    // The trip starts on the record's day and ends the same day or up to
    // two days later, with its km consistent, as the trip editor requires.
    const TDateParts begin = DecodeDate(date);
    const TDateParts end = DecodeDate(date + Between(rng, 0, 2));
    const int distance = Between(rng, 20, 900);
    auto day = [](const TDateParts& d, int hour) {
      return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year) + "." +
             std::to_string(hour) + ".0";
    };
    r.description = "beginDate=" + day(begin, 8) + "|beginTime=!|endDate=" + day(end, 17) + "|endTime=!|from=" +
                    std::string(Pick(rng, kCities)) + "|to=" + Pick(rng, kCities) + "|roundTrip=" +
                    std::to_string(Between(rng, 0, 1)) + "|purpose=služební|comment=|beginKM=" + std::to_string(km) +
                    "|endKM=" + std::to_string(km + distance) + "|countKM=" + std::to_string(distance) + "|";
    return r;
  }
  TActRecordList list;
  double work = 0, material = 0;
  for (int i = Between(rng, 1, 4); i > 0; --i) {
    TActRecord a;
    a.itemType = kItemActivity;
    a.text = Pick(rng, kWork);
    if (Between(rng, 0, 4) == 0) a.text += "\r\nzákazník upozorněn na opotřebení";
    a.icon = Between(rng, -1, 20);
    a.price = 450;
    a.count = static_cast<float>(Between(rng, 1, 8)) / 2;
    work += a.price * a.count;
    list.push_back(a);
  }
  for (int i = Between(rng, 0, 3); i > 0; --i) {
    TActRecord m;
    m.itemType = kItemMaterial;
    m.text = Pick(rng, kMaterial);
    m.color = 0xFFFFFF;
    m.price = static_cast<float>(Between(rng, 100, 4000));
    m.purchasePrice = m.price * 0.8f;
    m.count = static_cast<float>(Between(rng, 1, 4));
    m.showOnInvoice = Between(rng, 0, 9) != 0;
    material += m.price * m.count;
    list.push_back(m);
    r.material += std::string(m.text) + "\r\n";
  }
  r.description = EncodeActivities(list);
  r.db.priceWrk = static_cast<float>(work);
  r.db.priceMat = static_cast<float>(material);
  if (kind == kKindOrder && Between(rng, 0, 2) == 0) r.db.flags |= kFlagUnpaid;
  if (kind == kKindDone && Between(rng, 0, 3) == 0) r.db.invoiceNr = Between(rng, 1, 99999);
  return r;
}

// Plans that fall due around today, by date or by mileage, and some later
// ones, so that the reminders have something to show.
void AddDuePlans(std::mt19937& rng, int32_t carID, TDateTime today, AZaznamy& records) {
  const int roll = Between(rng, 0, 99);
  if (roll >= 55) return;
  Tzaznam plan;
  InitRecord(plan, carID, kKindPlan);
  plan.description = std::string(Pick(rng, kWork));
  plan.db.priceWrk = 0;
  if (roll >= 40) {
    // Later in the year, for the reminders' longer intervals.
    plan.db.date = today + Between(rng, 15, 180);
    plan.db.km = -1;
  } else if (roll < 25) {
    plan.db.date = today + Between(rng, -25, 12);
    plan.db.km = -1;
  } else {
    // Due by km: where the vehicle is expected to be a few days from now.
    TRecordListSettings settings;
    settings.today = today;
    const TMileageRate rate = ComputeMileageRate(records, today, settings.kmcalcmonths);
    const double days = today + Between(rng, -20, 12) - rate.lastDate;
    plan.db.date = 0;
    plan.db.km = std::max(0, static_cast<int32_t>(rate.lastKm + rate.kmPerDay * days));
  }
  records.push_back(plan);
}

// One vehicle with `count` records; -1 when it could not be stored.
int32_t GenerateVehicle(std::mt19937& rng, TStoreSet& stores, const std::vector<int32_t>& customerIDs, long count,
                        TDateTime today, long& recordCount, bool mayArchive = true) {
  const TModelSpec& m = kModels[Between(rng, 0, static_cast<int>(std::size(kModels)) - 1)];
  Tautomobil v;
  InitVehicle(v);
  v.tag = Plate(rng);
  v.manufacturer = m.make;
  v.model = m.model;
  v.subtype = m.subtype;
  v.engine = m.engine;
  v.color = Pick(rng, kColors);
  v.year = Between(rng, 1996, 2025);
  v.month = Between(rng, 0, 2) == 0 ? Between(rng, 1, 12) : -1;
  v.vin = Vin(rng);
  v.engineNumber = "M" + std::to_string(Between(rng, 100000, 999999));
  v.ownerID = customerIDs.empty() ? -1 : customerIDs[static_cast<size_t>(Between(rng, 0, static_cast<int>(customerIDs.size()) - 1))];
  if (Between(rng, 0, 3) == 0) v.comments = "Zákazník preferuje originální díly.\r\nZimní pneu uskladněny v dílně.";
  if (mayArchive && Between(rng, 0, 19) == 0) v.archived = kArchivedMark;
  try {
    stores.cars->CreateCar(v, "");
  } catch (const std::exception&) {
    return -1;
  }

  AZaznamy records;
  int km = Between(rng, 5000, 60000);
  // A long history starts further back, with services closer together.
  const int span = count > 50 ? static_cast<int>(std::min<long>(count * 12, 365 * 40)) : Between(rng, 365 * 3, 365 * 10);
  const int step = count > 50 ? std::max(1, span / static_cast<int>(count)) : 0;
  // The gaps between visits are drawn first and squeezed into the span when
  // they add up to more, so that the history ends by two days ago at the
  // latest (a trip may end two days after its record): no job is done in the
  // future, and the km readings rise with the date.
  std::vector<int> gaps(static_cast<size_t>(std::max(0L, count)));
  std::vector<int> kms(gaps.size());
  double total = 0;
  for (size_t k = 0; k < gaps.size(); ++k) {
    km += step ? Between(rng, step * 20, step * 60) : Between(rng, 500, 15000);
    kms[k] = km;
    gaps[k] = step ? Between(rng, 1, 2 * step - 1) : Between(rng, 5, 200);
    total += gaps[k];
  }
  const double room = span - Between(rng, 2, 90);  // the last visit some days or weeks ago
  const double scale = total > room ? room / total : 1.0;
  double elapsed = 0;
  for (size_t k = 0; k < gaps.size(); ++k) {
    elapsed += gaps[k];
    records.push_back(MakeRecord(rng, v.ID, today - span + std::floor(elapsed * scale), kms[k]));
  }
  // Some recent jobs are not paid yet.
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    if (it->db.kind != kKindDone || it->db.date > today) continue;
    if (Between(rng, 0, 5) == 0) it->db.flags |= kFlagUnpaid;
    break;
  }
  AddDuePlans(rng, v.ID, today, records);
  // The effective dates are stored as the records window stores them.
  TRecordListSettings settings;
  settings.today = today;
  StoreEffectiveDates(records, settings);
  stores.records->SaveCarRecords(v.ID, records);
  recordCount += static_cast<long>(records.size());
  v.lastService = LastServiceDate(records);
  if (v.lastService > today) v.lastService = today;
  stores.cars->SaveCar(v);
  // Some records are deleted again, leaving erased slots to reuse.
  if (records.size() > 2 && count <= 50 && Between(rng, 0, 9) == 0) {
    records.erase(records.begin() + Between(rng, 0, static_cast<int>(records.size()) - 1));
    // The erased job may have set the mileage rate or the last service.
    StoreEffectiveDates(records, settings);
    stores.records->SaveCarRecords(v.ID, records);
    --recordCount;
    v.lastService = std::min(LastServiceDate(records), today);
    stores.cars->SaveCar(v);
  }
  return v.ID;
}

}  // namespace

int CmdGenerate(int argc, char** argv) {
  TArgs args(argc, argv, {"--vehicles", "--records-per-vehicle", "--customers", "--seed", "--big-vehicle"});
  if (args.positional.size() != 1) {
    std::fprintf(stderr,
                 "Použití: garvelctl generate --vehicles N --records-per-vehicle M [--customers K] [--big-vehicle R] "
                 "SLOŽKA\n");
    return 2;
  }
  const long vehicles = args.Number("--vehicles", 100);
  const long perVehicle = args.Number("--records-per-vehicle", 10);
  const long customerCount = args.Number("--customers", std::max(1L, vehicles * 2 / 5));
  const long bigRecords = args.Number("--big-vehicle", 0);  // one more vehicle with this many records
  std::mt19937 rng(static_cast<unsigned>(args.Number("--seed", 20261210)));
  std::string dir = args.positional[0];
  if (dir.back() != '/') dir += '/';
  CRealFileSystem fs;
  if (!fs.ForceDirectories(dir)) {
    std::fprintf(stderr, "Nelze vytvořit složku %s\n", dir.c_str());
    return 1;
  }
  // The new folder is the data folder: its error log records the opening of
  // the stores and what the starting catalogue skips.
  const TFileSystemFolders program = DefaultFileSystemFolders();
  SetupFileSystems(TFileSystemFolders{dir, dir + ".garvel-no-common-folder/", program.programDir}, false);
  struct TTeardown {
    ~TTeardown() { TeardownFileSystems(); }
  } teardown;
  TStoreSet stores;
  TStoreOpenOptions options;
  options.showMessages = true;
  if (!OpenStores(stores, fs, dir, options) || !stores.customers) return 1;
  // The catalogue a fresh installation starts with.
  TCatalogueCounts counts;
  const bool catalogueLoaded = LoadStartingCatalogue(CatalogueOf(stores), program.programDir + "catalogue/", &counts);
  if (!catalogueLoaded) std::fprintf(stderr, "Výchozí katalog vozidel nebyl načten.\n");

  std::vector<int32_t> customerIDs;
  for (long i = 0; i < customerCount; ++i) {
    TContactRecord c;
    InitContact(c);
    c.surname = Pick(rng, kSurnames);
    c.firstName = Pick(rng, kFirstNames);
    c.street = std::string(Pick(rng, kStreets)) + " " + std::to_string(Between(rng, 1, 180));
    c.city = Pick(rng, kCities);
    c.phones = "+420 " + std::to_string(Between(rng, 601, 799)) + " " + std::to_string(Between(rng, 100, 999)) + " " +
               std::to_string(Between(rng, 100, 999));
    c.email = "zakaznik" + std::to_string(i) + "@example.cz";
    if (Between(rng, 0, 5) == 0) {
      c.company = std::string(Pick(rng, kCompanies)) + " " + c.surname + " s.r.o.";
      c.ico = std::to_string(Between(rng, 10000000, 99999999));
      c.dic = "CZ" + c.ico;
    }
    std::string bytes(kContactWidth, '\0');
    EncodeContact(c, reinterpret_cast<uint8_t*>(bytes.data()));
    if (stores.customers->CreateRecord(bytes, "")) customerIDs.push_back(DecodeInt32(reinterpret_cast<uint8_t*>(bytes.data())));
  }

  const TDateTime today = Today();
  long recordCount = 0;
  std::vector<int32_t> carIDs;
  for (long i = 0; i < vehicles; ++i) {
    const int32_t id = GenerateVehicle(rng, stores, customerIDs, perVehicle, today, recordCount);
    if (id >= 0) carIDs.push_back(id);
  }
  int32_t bigVehicle = -1;
  if (bigRecords > 0) bigVehicle = GenerateVehicle(rng, stores, customerIDs, bigRecords, today, recordCount, false);
  // A few vehicles are deleted with their records: erased vehicle slots.
  long erased = 0;
  for (size_t i = 7; i < carIDs.size(); i += 97) {
    recordCount -= static_cast<long>(stores.records->RecordCountOf(carIDs[i]));
    if (stores.records->EraseAllCarRecords(carIDs[i]) && stores.cars->EraseCar(carIDs[i])) ++erased;
  }
  stores.CloseAll();
  // "label: count" reads right in Czech for every count.
  std::printf("Vytvořeno v %s: zákazníci %ld, vozidla %ld (smazáno %ld), záznamy %ld\n", dir.c_str(),
              static_cast<long>(customerIDs.size()), vehicles - erased + (bigVehicle >= 0), erased, recordCount);
  if (catalogueLoaded)
    std::printf("Katalog: koncerny %d, značky %d, modely %d, motory %d\n", counts.concerns, counts.makes,
                counts.models, counts.engines);
  if (bigVehicle >= 0) std::printf("Vozidlo s %ld záznamy: ID %d\n", bigRecords, bigVehicle);
  return 0;
}

namespace {
const TCtlRegistration kRegisterGenerate(
    "generate", "vytvoří ukázkovou databázi pro zkoušky a měření",
    "[--vehicles N] [--records-per-vehicle M] [--customers K] [--big-vehicle R] [--seed S] SLOŽKA", CmdGenerate,
    "Vozidel je výchozí 100, záznamů na vozidlo 10, zákazníků dvě pětiny počtu vozidel;\n"
    "--big-vehicle přidá jedno vozidlo s R záznamy.");
}  // namespace
