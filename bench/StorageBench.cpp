// Record file and blob file at workshop scale: 200,000 records of 680 bytes,
// each with a description and a material text of a few hundred bytes, made
// record by record the way the program makes them.
//
//   garvel_bench --benchmark_filter=Storage
//
// The data is generated once per run into a temporary folder (about 250 MB,
// some seconds), or kept in $GARVEL_BENCH_DIR and reused by later runs; the
// writing benchmarks change a copy. "Storage_LoadAll*" report `vs_cat`: their time over the time
// of streaming both files through a 1 MiB buffer, measured just before; the
// tables are opened outside the measured time (see Storage_Open*).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "storage/BlobTable.h"
#include "storage/Coding.h"
#include "storage/CustomDb.h"
#include "storage/File.h"
#include "storage/FileOps.h"
#include "storage/RealFileSystem.h"

namespace {

constexpr int kWidth = 680;
constexpr int kRecords = 200000;
constexpr int kPerVehicle = 20;
constexpr int kOffDescription = 72, kOffMaterial = 76;  // blob IDs in the record

uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

std::string MakeText(std::mt19937& rng, size_t minBytes, size_t maxBytes) {
  // Activity lines as the record editor stores them: mostly ASCII codes and
  // numbers, with about one accented letter in fifty bytes.
  static const char* words[] = {"Výměna oleje", "Oil filter", "Kontrola brzd", "0432768450.000", "2.500",
                                "1-1167772153219.000", "4.000", "2575.200", "Motor 5W-30", "STK", "Servis",
                                "Brake pads", "1853.600", "0.000", "Wheel alignment", "Filtr 1-116777215312.000",
                                "Klimatizace", "Spark plugs", "Timing belt", "249.600", "1x", "ks"};
  std::uniform_int_distribution<size_t> len(minBytes, maxBytes), word(0, std::size(words) - 1);
  const size_t target = len(rng);
  std::string text;
  while (text.size() < target) {
    text += words[word(rng)];
    text += (rng() % 6 == 0) ? "\r\n" : " ";
  }
  return text;
}

class TFixture {
 public:
  static TFixture& Get() {
    static TFixture fixture;
    return fixture;
  }
  ~TFixture() {
    if (temporary) fs.DeleteDirectory(dir);
    if (!workDir.empty()) fs.DeleteDirectory(workDir);
  }

  S_FileName Records() { return S_FileName{dir + "db_records.dat", &fs}; }
  S_FileName Blobs() { return S_FileName{dir + "db_rec_blob.dat", &fs}; }
  // The writing benchmarks work on a copy made once per run, so that the
  // generated files stay as they were made.
  S_FileName WritableRecords() { return S_FileName{WorkDir() + "db_records.dat", &fs}; }
  S_FileName WritableBlobs() { return S_FileName{WorkDir() + "db_rec_blob.dat", &fs}; }
  const std::vector<int32_t>& BlobIds() const { return blobIds; }

  // Streams both files through a 1 MiB buffer, as `cat` does; milliseconds.
  double CatMs() {
    auto t = std::chrono::steady_clock::now();
    std::vector<char> buffer(1 << 20);
    for (const S_FileName& name : {Records(), Blobs()}) {
      TFile f;
      f.Assign(name.name);
      if (!f.Open(TFile::Mode::Read)) continue;
      while (f.Read(buffer.data(), buffer.size()) > 0) {
      }
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
  }

  CRealFileSystem fs;
  std::string dir;
  bool temporary = true;

 private:
  const std::string& WorkDir() {
    if (workDir.empty()) {
      workDir = MakeTempFolder();
      CopyFileTo(Records(), S_FileName{workDir + "db_records.dat", &fs});
      CopyFileTo(Blobs(), S_FileName{workDir + "db_rec_blob.dat", &fs});
    }
    return workDir;
  }

  std::string workDir;

  TFixture() {
    if (const char* kept = std::getenv("GARVEL_BENCH_DIR")) {
      dir = std::string(kept) + "/";
      temporary = false;
      fs.ForceDirectories(dir);
    } else {
      dir = MakeTempFolder();
    }
    if (!temporary && fs.FileOrDirExists(Records().name, fdFile)) {
      // Reuse: the blob IDs are all the IDs the file has issued.
      TBLOBTable blobs;
      blobs.Create(Blobs(), true);
      for (int32_t id = 2; id <= blobs.LastID() && blobIds.size() < 2u * kRecords; ++id) blobIds.push_back(id);
      return;
    }
    Generate();
  }

  void Generate() {
    std::mt19937 rng(7);
    TCustomDb db;
    db.Create(Records(), kWidth, std::string(kWidth, '\0'), "bench", "REC");
    TBLOBTable blobs;
    blobs.Create(Blobs());
    std::string record(kWidth, '\0');
    for (int i = 0; i < kRecords; ++i) {
      std::fill(record.begin(), record.end(), '\0');
      EncodeInt32(Bytes(record), -1);
      EncodeInt32(Bytes(record) + 64, i / kPerVehicle + 1);  // vehicle
      EncodeCountedString(Bytes(record) + 80, 63, "Servisní prohlídka");
      for (int off : {kOffDescription, kOffMaterial}) {
        int32_t id = blobs.NewID();
        blobs.SaveBLOBText(id, MakeText(rng, off == kOffDescription ? 150 : 40, off == kOffDescription ? 450 : 300));
        EncodeInt32(Bytes(record) + off, id);
        blobIds.push_back(id);
      }
      db.CreateRecord(record, "");
    }
    db.Close();
    blobs.Close();
  }

  std::vector<int32_t> blobIds;
};

void Storage_OpenRecordFile(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  for (auto _ : state) {
    TCustomDb db;
    db.Create(f.Records(), kWidth, std::string(kWidth, '\0'), "bench", "REC");
    benchmark::DoNotOptimize(db.Count());
  }
}
BENCHMARK(Storage_OpenRecordFile)->Unit(benchmark::kMillisecond);

void Storage_OpenBlobFile(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  for (auto _ : state) {
    TBLOBTable blobs;
    blobs.Create(f.Blobs());
    benchmark::DoNotOptimize(blobs.EntryCount());
  }
}
BENCHMARK(Storage_OpenBlobFile)->Unit(benchmark::kMillisecond);

void Storage_CatFiles(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  for (auto _ : state) benchmark::DoNotOptimize(f.CatMs());
}
BENCHMARK(Storage_CatFiles)->Unit(benchmark::kMillisecond);

void Storage_ReadRecord(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TCustomDb db;
  db.Create(f.Records(), kWidth, std::string(kWidth, '\0'), "bench", "REC", true);
  std::mt19937 rng(1);
  std::uniform_int_distribution<int32_t> id(1, kRecords);
  std::string record;
  for (auto _ : state) benchmark::DoNotOptimize(db.ReadRecord(id(rng), record));
}
BENCHMARK(Storage_ReadRecord);

void Storage_LoadBLOBText(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TBLOBTable blobs;
  blobs.Create(f.Blobs(), true);
  std::mt19937 rng(2);
  std::uniform_int_distribution<size_t> pick(0, f.BlobIds().size() - 1);
  std::string text;
  for (auto _ : state) benchmark::DoNotOptimize(blobs.LoadBLOBText(f.BlobIds()[pick(rng)], text));
}
BENCHMARK(Storage_LoadBLOBText);

// Every record in slot order with both its texts, one call each.
void Storage_LoadAllOneByOne(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  const double catMs = std::min(f.CatMs(), f.CatMs());
  double totalMs = 0;
  for (auto _ : state) {
    TCustomDb db;
    db.Create(f.Records(), kWidth, std::string(kWidth, '\0'), "bench", "REC", true);
    TBLOBTable blobs;
    blobs.Create(f.Blobs(), true);
    auto t = std::chrono::steady_clock::now();
    std::string record, description, material;
    size_t bytes = 0;
    for (int slot = 0; slot < db.Count(); ++slot) {
      if (!db.ReadRecord(db.IDAt(slot), record)) continue;
      blobs.LoadBLOBText(DecodeInt32(Bytes(record) + kOffDescription), description);
      blobs.LoadBLOBText(DecodeInt32(Bytes(record) + kOffMaterial), material);
      bytes += description.size() + material.size();
    }
    benchmark::DoNotOptimize(bytes);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
    state.SetIterationTime(ms / 1000);
    totalMs += ms;
  }
  state.counters["vs_cat"] = totalMs / static_cast<double>(state.iterations()) / catMs;
}
BENCHMARK(Storage_LoadAllOneByOne)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same as the stores do it: a vehicle's slots in one call, its blobs
// read ahead, then each text.
void Storage_LoadAllPerVehicle(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  const double catMs = std::min(f.CatMs(), f.CatMs());
  double totalMs = 0;
  for (auto _ : state) {
    TCustomDb db;
    db.Create(f.Records(), kWidth, std::string(kWidth, '\0'), "bench", "REC", true);
    TBLOBTable blobs;
    blobs.Create(f.Blobs(), true);
    auto t = std::chrono::steady_clock::now();
    std::vector<int> slots;
    std::vector<std::string> records;
    std::vector<bool> ok;
    std::vector<int32_t> ids;
    std::string description, material;
    size_t bytes = 0;
    for (int first = 0; first < db.Count(); first += kPerVehicle) {
      slots.clear();
      for (int s = first; s < std::min(first + kPerVehicle, db.Count()); ++s) slots.push_back(s);
      db.ReadSlots(slots, records, ok);
      ids.clear();
      for (const std::string& r : records) {
        ids.push_back(DecodeInt32(Bytes(r) + kOffDescription));
        ids.push_back(DecodeInt32(Bytes(r) + kOffMaterial));
      }
      blobs.Prefetch(ids);
      for (size_t i = 0; i < ids.size(); i += 2) {
        blobs.LoadBLOBText(ids[i], description);
        blobs.LoadBLOBText(ids[i + 1], material);
        bytes += description.size() + material.size();
      }
    }
    benchmark::DoNotOptimize(bytes);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
    state.SetIterationTime(ms / 1000);
    totalMs += ms;
  }
  state.counters["vs_cat"] = totalMs / static_cast<double>(state.iterations()) / catMs;
}
BENCHMARK(Storage_LoadAllPerVehicle)->UseManualTime()->Unit(benchmark::kMillisecond);

// Writing, on a copy of the files.

void Storage_WriteRecord(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TCustomDb db;
  db.Create(f.WritableRecords(), kWidth, std::string(kWidth, '\0'), "bench", "REC");
  std::mt19937 rng(3);
  std::uniform_int_distribution<int32_t> id(1, kRecords);
  std::string record;
  for (auto _ : state) {
    state.PauseTiming();
    db.ReadRecord(id(rng), record);
    record[100] ^= 1;
    state.ResumeTiming();
    benchmark::DoNotOptimize(db.WriteRecord(record));
  }
}
BENCHMARK(Storage_WriteRecord);

// A changed text of a few hundred bytes saved over its old blocks.
void Storage_SaveBLOBText(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TBLOBTable blobs;
  blobs.Create(f.WritableBlobs());
  std::mt19937 rng(4);
  std::uniform_int_distribution<size_t> pick(0, f.BlobIds().size() - 1);
  const std::string text = MakeText(rng, 300, 300);
  for (auto _ : state) benchmark::DoNotOptimize(blobs.SaveBLOBText(f.BlobIds()[pick(rng)], text));
}
BENCHMARK(Storage_SaveBLOBText);

// A new record with two new texts appended to the 200,000.
void Storage_CreateRecordWithTexts(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TCustomDb db;
  db.Create(f.WritableRecords(), kWidth, std::string(kWidth, '\0'), "bench", "REC");
  TBLOBTable blobs;
  blobs.Create(f.WritableBlobs());
  std::mt19937 rng(5);
  const std::string description = MakeText(rng, 300, 300), material = MakeText(rng, 100, 100);
  std::string record(kWidth, '\0');
  for (auto _ : state) {
    EncodeInt32(Bytes(record), -1);
    int32_t d = blobs.NewID(), m = blobs.NewID();
    blobs.SaveBLOBText(d, description);
    blobs.SaveBLOBText(m, material);
    EncodeInt32(Bytes(record) + kOffDescription, d);
    EncodeInt32(Bytes(record) + kOffMaterial, m);
    benchmark::DoNotOptimize(db.CreateRecord(record, ""));
  }
}
BENCHMARK(Storage_CreateRecordWithTexts);

void Storage_CreateRecord(benchmark::State& state) {
  TFixture& f = TFixture::Get();
  TCustomDb db;
  db.Create(f.WritableRecords(), kWidth, std::string(kWidth, '\0'), "bench", "REC");
  std::string record(kWidth, '\0');
  for (auto _ : state) {
    EncodeInt32(Bytes(record), -1);
    benchmark::DoNotOptimize(db.CreateRecord(record, ""));
  }
}
BENCHMARK(Storage_CreateRecord);

}  // namespace
