// garvel-crashwriter FOLDER SEED [OPERATIONS]: saves vehicles and service
// records through the stores in a loop, as the program's windows do, and
// reports each save on standard output (tests/support/CrashJournal.h).
// GARVEL_CRASH_AT="stage:n" makes it stop itself (SIGSTOP) the n-th time a
// save passes that stage, for the test to kill it there.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "shell/Stores.h"
#include "storage/Codec.h"
#include "storage/SaveStages.h"
#include "storage/Notifier.h"
#include "storage/RealFileSystem.h"
#include "tests/support/CrashJournal.h"

namespace {

std::string g_stage;
long g_countdown = 0;

void Line(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void StopHere(const char* stage) {
  if (g_stage != stage || --g_countdown != 0) return;
  Line(std::string("stop ") + stage);
  raise(SIGSTOP);  // the test kills the writer here
  _exit(3);
}

// Store errors are what the user would see in a message box.
class TPrintingNotifier : public INotifier {
 public:
  TMsgAnswer Show(const TMessageBox& m) override {
    Line("note " + m.text);
    return m.defaultAnswer;
  }
};

std::mt19937 g_random;

int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(g_random); }

// Lengths around the block boundaries, and texts of several blocks. A changed
// text never keeps its length, so that a text caught half rewritten cannot
// pass for a whole one.
std::string Text(const std::string& old) {
  static const int lengths[] = {0, 1, 17, 120, 247, 248, 249, 300, 496, 497, 744, 1000, 2500};
  const size_t oldLength = Utf8ToCp1250(old).size();
  for (;;) {
    int length = lengths[Pick(sizeof lengths / sizeof *lengths)] + (Pick(3) == 0 ? Pick(40) : 0);
    if (static_cast<size_t>(length) == oldLength) continue;
    static const char* words[] = {"výměna ", "oleje ", "brzdové ", "destičky ", "filtr ", "Škoda ", "převodovka ",
                                  "kontrola ", "řemen ", "č. 42 "};
    std::string text;
    size_t cp1250 = 0;
    while (cp1250 < static_cast<size_t>(length)) {
      std::string w = words[Pick(10)];
      text += w;
      cp1250 += Utf8ToCp1250(w).size();
    }
    // Trim to the length in Windows-1250 bytes, at a character boundary.
    while (Utf8ToCp1250(text).size() > static_cast<size_t>(length)) {
      size_t cut = text.size() - 1;
      while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
      text.resize(cut);
    }
    if (Utf8ToCp1250(text).size() != oldLength) return text;
  }
}


std::vector<int32_t> LiveIDs(TCustomDb& db) {
  std::vector<int32_t> ids;
  for (int slot = 0; slot < db.Count(); ++slot)
    if (db.IDAt(slot) >= 0) ids.push_back(db.IDAt(slot));
  return ids;
}

void AddVehicle(TStoreSet& s) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = "CRASH-" + std::to_string(Pick(100000));
  v.year = 1990 + Pick(35);
  v.comments = Text("-");
  const std::string digest = (VehicleDigest(v));
  Line("begin car-add " + digest);
  s.cars->CreateCar(v, "");
  Line("done car-add " + std::to_string(v.ID) + " " + digest);
}

void ChangeVehicle(TStoreSet& s, int32_t id) {
  Tautomobil v;
  if (!s.cars->LoadCar(id, v)) return;  // left as the crash left it
  v.comments = Text(v.comments);
  const std::string digest = (VehicleDigest(v));
  Line("begin car-change " + std::to_string(id) + " " + digest);
  s.cars->SaveCar(v);
  Line("done car-change " + std::to_string(id) + " " + digest);
}

// One change to one vehicle's records, saved the way the records window
// saves: the whole set at once.
void ChangeRecords(TStoreSet& s, int32_t carID) {
  AZaznamy set;
  s.records->LoadCarRecords(carID, set);
  std::vector<size_t> clean;
  for (size_t i = 0; i < set.size(); ++i)
    if (!set[i].damaged) clean.push_back(i);
  const int what = set.size() < 3 ? 0 : set.size() > 10 ? 2 : Pick(3);
  if (what == 0 || clean.empty()) {
    Tzaznam r;
    InitRecord(r, carID, 1 + Pick(6));
    r.db.km = Pick(300000);
    r.description = Text("-");
    r.material = Text("-");
    set.push_back(r);
    const std::string digest = (RecordDigest(r));
    Line("begin rec-add " + std::to_string(carID) + " " + digest);
    s.records->SaveCarRecords(carID, set);
    Line("done rec-add " + std::to_string(set.back().db.ID) + " " + std::to_string(carID) + " " + digest);
  } else if (what == 1) {
    Tzaznam& r = set[clean[static_cast<size_t>(Pick(static_cast<int>(clean.size())))]];
    const int which = Pick(3);
    if (which != 1) r.description = Text(r.description);
    if (which != 0) r.material = Text(r.material);
    r.db.km = Pick(300000);
    const std::string id = std::to_string(r.db.ID), digest = (RecordDigest(r));
    Line("begin rec-change " + id + " " + digest);
    s.records->SaveCarRecords(carID, set);
    Line("done rec-change " + id + " " + digest);
  } else {
    const size_t i = clean[static_cast<size_t>(Pick(static_cast<int>(clean.size())))];
    const std::string id = std::to_string(set[i].db.ID);
    set.erase(set.begin() + static_cast<long>(i));
    Line("begin rec-erase " + id);
    s.records->SaveCarRecords(carID, set);
    Line("done rec-erase " + id);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "Použití: garvel-crashwriter SLOŽKA SEMÍNKO [OPERACÍ]\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  g_random.seed(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
  const long operations = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 1000;
  if (const char* at = std::getenv("GARVEL_CRASH_AT")) {
    const std::string crashAt = at;
    const size_t colon = crashAt.find(':');
    g_stage = crashAt.substr(0, colon);
    g_countdown = colon == std::string::npos ? 1 : std::strtol(crashAt.c_str() + colon + 1, nullptr, 10);
    SetCrashPointHandler(StopHere);
  }
  SetDurableSaves(true);  // as the program saves
  TPrintingNotifier notifier;
  SetNotifier(&notifier);
  CRealFileSystem fs;
  TStoreSet stores;
  TStoreOpenOptions options;
  options.userName = "dilna";
  options.showMessages = false;
  if (!OpenStores(stores, fs, folder, options)) {
    Line("error stores not opened");
    return 1;
  }
  Line("ready");
  for (long op = 0; op < operations; ++op) {
    std::vector<int32_t> cars = LiveIDs(*stores.cars);
    const int roll = Pick(10);
    if (cars.size() < 3 || (roll == 0 && cars.size() < 8)) AddVehicle(stores);
    else if (roll <= 2) ChangeVehicle(stores, cars[static_cast<size_t>(Pick(static_cast<int>(cars.size())))]);
    else ChangeRecords(stores, cars[static_cast<size_t>(Pick(static_cast<int>(cars.size())))]);
  }
  stores.CloseAll();
  SetNotifier(nullptr);
  Line("finished");
  return 0;
}
