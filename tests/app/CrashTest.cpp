// Kills a program that saves vehicles and records, at chosen stages of a
// save and at random moments, and checks what the stores hold afterwards:
// everything saved before the kill reads back whole, the save in flight is
// either whole (old or new) or named by `garvelctl check`, nothing else is
// named, and the stores open and take new saves again.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "shell/Stores.h"
#include "storage/RealFileSystem.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/CrashJournal.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kBin = GARVEL_TEST_BIN_DIR;


// What must be on disk: the digest of every vehicle and record whose save
// was reported, and those found damaged by an earlier kill (left alone).
struct TModel {
  std::map<int32_t, std::string> cars, records;
  std::set<int32_t> damagedCars, damagedRecords;
};

// The save that had begun and not ended when the writer died.
struct TInFlight {
  std::string op;  // empty: none
  int32_t id = -1;
  std::string digest;
};

struct TRun {
  std::string output;
  bool ready = false, stopped = false, finished = false;
  TInFlight inFlight;
};

void Replay(TRun& run, TModel& model) {
  std::istringstream in(run.output);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string verb, op;
    words >> verb >> op;
    if (verb == "ready") run.ready = true;
    if (verb == "finished") run.finished = true;
    if (verb == "stop") run.stopped = true;
    if (verb == "begin") {
      run.inFlight = TInFlight{op, -1, ""};
      if (op == "car-add" || op == "rec-add") {
        if (op == "rec-add") words >> run.inFlight.id;  // the vehicle
        words >> run.inFlight.digest;
        if (op == "rec-add") run.inFlight.id = -1;
      } else {
        words >> run.inFlight.id >> run.inFlight.digest;
      }
    }
    if (verb == "done") {
      int32_t id = -1, car = -1;
      std::string digest;
      words >> id;
      if (op == "rec-add") words >> car;
      words >> digest;
      if (op == "car-add" || op == "car-change") model.cars[id] = digest;
      if (op == "rec-add" || op == "rec-change") model.records[id] = digest;
      if (op == "rec-erase") model.records.erase(id);
      run.inFlight = TInFlight{};
    }
  }
}

// Starts the writer and kills it: at the stage when one is given (the writer
// stops itself there), otherwise once it has reported `saves` saves and a
// random moment more.
TRun KillWriter(const std::string& dir, unsigned seed, const std::string& stage, int saves, int delayMicros) {
  TTempDir out;
  const std::string log = out / "writer.txt";
  TEnvChanges env;
  if (!stage.empty()) env["GARVEL_CRASH_AT"] = stage;
  // A kill at a random moment must come before the writer ends, however
  // slowly the test gets its turns: it then has far more to do.
  const std::string operations = stage.empty() ? "5000" : "60";
  pid_t pid = StartProgram({kBin + "/garvel-crashwriter", dir, std::to_string(seed), operations}, env, log);
  EXPECT_GT(pid, 0);
  TRun run;
  if (pid <= 0) return run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool ended = false;
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    pid_t got = waitpid(pid, &status, WNOHANG | WUNTRACED);
    if (got == pid && WIFSTOPPED(status)) break;
    if (got == pid) ended = true;
    if (!ended && stage.empty()) {
      const std::string text = ReadFileBytes(log);
      size_t done = 0;
      for (size_t p = text.find("\ndone "); p != std::string::npos; p = text.find("\ndone ", p + 1)) ++done;
      if (static_cast<int>(done) >= saves) {
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros));
        break;
      }
    }
    if (!ended) std::this_thread::sleep_for(std::chrono::microseconds(300));
  }
  if (!ended) {
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
  }
  run.output = ReadFileBytes(log);
  return run;
}

struct TCheckResult {
  std::set<int32_t> cars, records;  // named by check
  std::string output;
};

TCheckResult Check(const std::string& dir) {
  TCheckResult r;
  TProgramRun run = RunProgram({kBin + "/garvelctl", "check", dir});
  r.output = run.output;
  static const std::regex named("(vehicle|record) (\\d+)");
  std::istringstream in(run.output);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("belongs to no record") != std::string::npos) continue;  // space left unused, no text lost
    std::smatch m;
    if (std::regex_search(line, m, named)) (m[1] == "vehicle" ? r.cars : r.records).insert(std::stoi(m[2]));
  }
  return r;
}

struct TFindings {
  int damaged = 0;  // saves in flight that check named
  int oldKept = 0, newKept = 0;
};

// Compares the stores with the model; adopts what the save in flight left.
void Verify(const std::string& dir, TModel& model, const TInFlight& inFlight, const std::string& context,
            TFindings& findings) {
  SCOPED_TRACE(context);
  const TCheckResult check = Check(dir);
  TRecordingNotifier notifier;
  CRealFileSystem fs;
  TStoreSet stores;
  TStoreOpenOptions options;
  options.readOnly = true;
  options.showMessages = false;
  ASSERT_TRUE(OpenStores(stores, fs, dir, options)) << check.output;

  auto verifyOne = [&](bool isCar, int32_t id, bool exists, bool readable, const std::string& digest) {
    auto& expected = isCar ? model.cars : model.records;
    auto& damaged = isCar ? model.damagedCars : model.damagedRecords;
    const bool named = (isCar ? check.cars : check.records).count(id) > 0;
    const std::string what = (isCar ? "vehicle " : "record ") + std::to_string(id);
    const bool target = inFlight.id == id && inFlight.op.rfind(isCar ? "car-" : "rec-", 0) == 0;
    const bool adding = !inFlight.op.empty() && inFlight.op == (isCar ? "car-add" : "rec-add");
    if (damaged.count(id)) {
      EXPECT_TRUE(!exists || named) << what << " was damaged by an earlier kill and check no longer names it";
      return;
    }
    auto it = expected.find(id);
    if (!readable && exists) {
      // Only the save in flight may be left damaged, and check must say so.
      EXPECT_TRUE(target || (adding && it == expected.end())) << what << " was not in flight but reads damaged";
      EXPECT_TRUE(named) << what << " reads damaged and check does not name it\n" << check.output;
      damaged.insert(id);
      expected.erase(id);
      ++findings.damaged;
      return;
    }
    EXPECT_FALSE(named && !target) << what << " is whole but check names it\n" << check.output;
    if (named && target) {
      damaged.insert(id);  // whole texts, but its blocks are not as they should be
      expected.erase(id);
      ++findings.damaged;
      return;
    }
    if (it == expected.end()) {
      if (!exists) return;
      // Only the vehicle or record being added may appear, and whole.
      EXPECT_TRUE(adding && digest == inFlight.digest) << what << " appeared without being saved";
      expected[id] = digest;
      ++findings.newKept;
      return;
    }
    if (!exists) {
      EXPECT_TRUE(target && inFlight.op == "rec-erase") << what << " was lost";
      if (target) ++findings.newKept;
      expected.erase(it);
      return;
    }
    if (target) {
      // A save writes the texts and the fixed fields one after another: each
      // part is either as it was or as it was being saved.
      EXPECT_TRUE(inFlight.op == "rec-erase" ? digest == it->second : EachPartFrom(digest, it->second, inFlight.digest))
          << what << " is neither as it was nor as it was being saved: " << digest << " (was " << it->second
          << ", saving " << inFlight.digest << ")";
      ++(digest == it->second ? findings.oldKept : findings.newKept);
      it->second = digest;
      return;
    }
    EXPECT_EQ(digest, it->second) << what << " changed without being saved";
  };

  std::set<int32_t> seenCars, seenRecords;
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    const int32_t id = stores.cars->IDAt(slot);
    if (id < 0) continue;
    Tautomobil v;
    const bool ok = stores.cars->LoadCar(id, v);
    seenCars.insert(id);
    verifyOne(true, id, true, ok, (VehicleDigest(v)));
  }
  for (int slot = 0; slot < stores.records->Count(); ++slot) {
    const int32_t id = stores.records->IDAt(slot);
    if (id < 0) continue;
    Tzaznam r;
    const bool ok = stores.records->LoadCarRecord(id, r);
    seenRecords.insert(id);
    verifyOne(false, id, true, ok, (RecordDigest(r)));
  }
  for (auto [id, digest] : std::map<int32_t, std::string>(model.cars))
    if (!seenCars.count(id)) verifyOne(true, id, false, false, "");
  for (auto [id, digest] : std::map<int32_t, std::string>(model.records))
    if (!seenRecords.count(id)) verifyOne(false, id, false, false, "");
  stores.CloseAll();
}

TEST(CrashTest, KillsMidSaveCostAtMostTheSaveInFlight) {
  // Every stage between two writes of a save, several times each; a table
  // grows only in a new file, so those kills get a folder of their own.
  const std::vector<std::string> stages = {"blob-id",    "blob-fresh", "blob-data",   "blob-table",
                                           "record-id",  "record-slot", "record-erase", "blob-grow"};
  constexpr int kPerStage = 5, kRandom = 20;
  std::mt19937 random(20261210);
  TTempDir shared;
  TModel model;
  TFindings findings;
  std::map<std::string, int> stopsAt;
  int kills = 0;
  for (int round = 0; round < kPerStage * static_cast<int>(stages.size()) + kRandom; ++round) {
    const bool aimed = round < kPerStage * static_cast<int>(stages.size());
    const std::string stage = aimed ? stages[static_cast<size_t>(round) % stages.size()] : "";
    const bool grow = stage == "blob-grow";
    TTempDir fresh;
    TModel freshModel;
    const std::string dir = grow ? fresh.Path() : shared.Path();
    TModel& m = grow ? freshModel : model;
    // A new folder grows the vehicles' blob file at the first save, the
    // records' at the second.
    const int n = grow ? 1 + (round / static_cast<int>(stages.size())) % 2 : 1 + static_cast<int>(random() % 6);
    const std::string context = "round " + std::to_string(round) + (aimed ? " at " + stage + ":" + std::to_string(n) : "");
    TRun run = KillWriter(dir, 1000 + round, aimed ? stage + ":" + std::to_string(n) : "",
                          1 + static_cast<int>(random() % 8), static_cast<int>(random() % 3000));
    Replay(run, m);
    ASSERT_TRUE(run.ready) << context << ": the stores did not open after the kill before\n" << run.output;
    EXPECT_FALSE(run.finished && aimed) << context << ": the writer never reached the stage\n" << run.output;
    if (aimed && run.stopped) ++stopsAt[stage];
    if (!run.finished) ++kills;
    Verify(dir, m, run.inFlight, context, findings);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << context << "\n" << run.output.substr(run.output.size() > 3000 ? run.output.size() - 3000 : 0);
      return;
    }
    if (grow) {
      // The new folder takes new saves too.
      TRun after = KillWriter(dir, 5000 + round, "no-such-stage:1", 0, 0);
      Replay(after, m);
      EXPECT_TRUE(after.finished) << after.output;
      Verify(dir, m, after.inFlight, context + ", saving again", findings);
    }
  }
  for (const std::string& stage : stages) EXPECT_GE(stopsAt[stage], 2) << "too few kills at " << stage;
  EXPECT_GE(kills, 50);

  // After all that, the shared stores take a long run of saves.
  TRun after = KillWriter(shared.Path(), 99, "no-such-stage:1", 0, 0);
  Replay(after, model);
  EXPECT_TRUE(after.finished) << after.output;
  Verify(shared.Path(), model, after.inFlight, "saving after the kills", findings);
  const TCheckResult last = Check(shared.Path());
  std::printf("Přežito zabití: %d (z toho %d cílených na fáze ukládání). Rozepsané uložení: %d poškozeno a "
              "pojmenováno kontrolou, %d zůstalo jako dřív, %d uloženo celé. Poslední kontrola: %s",
              kills, kPerStage * static_cast<int>(stages.size()), findings.damaged, findings.oldKept,
              findings.newKept, last.output.substr(last.output.rfind('\n', last.output.size() - 2) + 1).c_str());
}

}  // namespace
