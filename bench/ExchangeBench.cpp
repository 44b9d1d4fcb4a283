// Exchange files at workshop scale: a vehicle with 500 records written and
// read, and a small hostile file refused.
#include <benchmark/benchmark.h>

#include "exchange/ExchangeExport.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/XmlDocument.h"
#include "servicebook/Activities.h"
#include "storage/DateTime.h"

namespace {

struct TBook {
  Tautomobil vehicle;
  TContactRecord owner;
  AZaznamy records;
};

const TBook& Book500() {
  static const TBook book = [] {
    TBook b;
    InitVehicle(b.vehicle);
    b.vehicle.globalId = "CAR:dilna-00000001";
    b.vehicle.tag = "1B2 3456";
    b.vehicle.manufacturer = "Škoda";
    b.vehicle.model = "Octavia";
    b.vehicle.subtype = "Combi";
    b.vehicle.engine = "1.9 TDI";
    b.vehicle.comments = "Tažné zařízení, zimní kola v úschově";
    InitContactDefault(b.owner);
    b.owner.globalId = "CUS:dilna-00000001";
    b.owner.surname = "Řehoř";
    b.owner.firstName = "Jan";
    TActRecordList work(4);
    const char* texts[] = {"Výměna oleje a olejového filtru", "Kontrola brzd", "Motorový olej 5W-30", "Olejový filtr"};
    for (size_t i = 0; i < work.size(); ++i) {
      work[i].text = texts[i];
      work[i].itemType = i < 2 ? kItemActivity : kItemMaterial;
      work[i].count = 1.5f;
      work[i].price = 450;
    }
    const std::string description = EncodeActivities(work);
    for (int i = 0; i < 500; ++i) {
      Tzaznam r;
      InitRecord(r, 1, kKindDone);
      r.db.globalId = "REC:dilna-" + std::to_string(10000000 + i);
      r.db.km = 1000 * i;
      r.db.date = EncodeDate(2000 + i / 40, 1 + i % 12, 1 + i % 28);
      r.db.priceWrk = 1234.5f;
      r.db.priceMat = 987.25f;
      r.description = description;
      r.material = "Motorový olej 5W-30\r\nOlejový filtr";
      b.records.push_back(r);
    }
    return b;
  }();
  return book;
}

std::string Document500() {
  const TBook& b = Book500();
  TExchangeExport what;
  what.vehicle = &b.vehicle;
  what.owner = &b.owner;
  for (size_t i = 0; i < b.records.size(); ++i) what.records.emplace_back(i, &b.records[i]);
  return BuildExchangeDocument(what);
}

void BM_WriteExchangeFile500Records(benchmark::State& state) {
  Book500();
  for (auto _ : state) benchmark::DoNotOptimize(Document500());
}
BENCHMARK(BM_WriteExchangeFile500Records)->Unit(benchmark::kMillisecond);

void BM_ReadExchangeFile500Records(benchmark::State& state) {
  const std::string text = Document500();
  for (auto _ : state) {
    C_XMLDocument doc = C_XMLDocument::FromText(text);
    TDeserializedData data = ReadExchangeDocument(doc.GetRoot());
    if (data.Records.size() != 500) state.SkipWithError("records lost");
    benchmark::DoNotOptimize(data);
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ReadExchangeFile500Records)->Unit(benchmark::kMillisecond);

void BM_RefuseNestedEntities(benchmark::State& state) {
  std::string text = "<?xml version=\"1.0\"?><!DOCTYPE Root [<!ENTITY a \"aaaaaaaaaaaaaaaa\">";
  for (char c = 'b'; c <= 'j'; ++c) {
    text += std::string("<!ENTITY ") + c + " \"";
    for (int i = 0; i < 10; ++i) text += std::string("&") + static_cast<char>(c - 1) + ";";
    text += "\">";
  }
  text += "]><Root><Node Type=\"Contact\"><sureName>&j;</sureName></Node></Root>";
  for (auto _ : state) {
    try {
      C_XMLDocument::FromText(text);
      state.SkipWithError("accepted");
    } catch (const EXmlError&) {
    }
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_RefuseNestedEntities)->Unit(benchmark::kMicrosecond);

}  // namespace
