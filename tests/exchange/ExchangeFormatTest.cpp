#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "exchange/ExchangeExport.h"
#include "exchange/ExchangeFile.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/IdentityHash.h"
#include "storage/DateTime.h"
#include "storage/RealFileSystem.h"
#include "tests/support/TempDir.h"

namespace {

TContactRecord Owner() {
  TContactRecord c;
  InitContactDefault(c);
  c.ID = 7;
  c.globalId = "CUS:<username>-00000007";
  c.surname = "Řehoř";
  c.firstName = "Jan";
  c.street = "Hlavní 5";
  c.city = "602 00 Brno";
  c.phones = "777 123 456";
  c.email = "jan@example.cz";
  c.other = "ICQ 1";
  c.ico = "12345678";
  c.dic = "CZ12345678";
  c.company = "Řehoř & syn";
  c.type = 1;
  c.kind = kContactOther;
  return c;
}

Tautomobil Octavia() {
  Tautomobil v;
  InitVehicle(v);
  v.ID = 3;
  v.globalId = "CAR:<username>-00000003";
  v.tag = "1B2 3456";
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  v.subtype = "Combi";
  v.engine = "1.9 TDI";
  v.color = "zelená";
  v.year = 2004;
  v.month = 5;
  v.vin = "TMBGE61U";
  v.engineNumber = "ALH";
  v.ownerID = 7;
  v.comments = "Tažné zařízení\r\nzimní kola";
  return v;
}

Tzaznam Service() {
  Tzaznam r;
  InitRecord(r, 3, kKindDone);
  r.db.ID = 12;
  r.db.globalId = "REC:<username>-0000000C";
  r.db.km = 120500;
  r.db.date = EncodeDate(2026, 3, 14);
  r.db.time = 510;
  r.db.duration = 90;
  r.db.priceWrk = 1234.5f;
  r.db.priceMat = 99.99f;
  r.db.invoiceNrText = "2026/15";
  r.db.receiptNr = 44;
  r.db.flags = kFlagUnpaid;
  r.description = "Výměna oleje; 100% \"syntetika\" <5W-30>";
  r.material = "Olej\r\nfiltr";
  return r;
}

std::string Document(const std::string& nodes) { return "<?xml version=\"1.0\"?>\n<Root>" + nodes + "</Root>"; }

TDeserializedData Read(const std::string& text) {
  C_XMLDocument doc = C_XMLDocument::FromText(text);
  return ReadExchangeDocument(doc.GetRoot());
}

// A record node with every field, `replace` swapping one element's text
// (or removing the element when the text is "-").
std::string RecordNode(const std::string& tag = "", const std::string& text = "") {
  const std::pair<const char*, const char*> fields[] = {
      {"id", "1"}, {"globalId", "REC%3Ax-00000001"}, {"carId", "3"}, {"carHash", "42"}, {"km", "1000"},
      {"date", "14.03.2026"}, {"time", "0"}, {"duration", "-1"}, {"kind", "DONE"}, {"priceWrk", "10,00"},
      {"priceMat", "0,00"}, {"invoiceNr", ""}, {"simpleInvoiceNr", ""}, {"receiptNr", ""}, {"contractNr", ""},
      {"description", "x"}, {"material", ""}};
  std::string node = "<Node Type=\"Record\" Name=\"rec0\">";
  for (const auto& [t, v] : fields) {
    if (t == tag && text == "-") continue;
    node += std::string("<") + t + ">" + (t == tag ? text : std::string(v)) + "</" + t + ">";
  }
  return node + "</Node>";
}

}  // namespace

TEST(IdentityHash, Fixtures) {
  EXPECT_EQ(IdentityHash("ABC"), "2947892158691098759");
  EXPECT_EQ(IdentityHash(""), "2988226968441610375");
  EXPECT_EQ(EmptyKeyHash(), "2988226968441610375");
  EXPECT_EQ(IdentityHash("1AB2345ABCDEFGH"), "541186000829247173");  // multipliers wrap after eleven bytes
  EXPECT_EQ(IdentityHash("ŘEHOŘ"), "5352264811607702583");           // Windows-1250 bytes, not UTF-8
  EXPECT_EQ(IdentityHash("ČERNÝ"), "-8452289490837195299");          // negative as signed 64 bits

  TContactRecord c;
  c.surname = " Ře hoř ";
  EXPECT_EQ(OwnerHash(c), IdentityHash("REHOR"));
  Tautomobil v;
  v.tag = "1b2 3456";
  EXPECT_EQ(CarHash(v), IdentityHash("1B23456"));
}

TEST(ExchangeFileName, FromMakeModelSubtypeEngine) {
  Tautomobil v = Octavia();
  EXPECT_EQ(ExchangeFileName(v), "SKODA_OCTAVIA_COMBI_19_TDI.cgarv");
  v.subtype = "";
  v.engine = "2.0 TDI/103kW";
  EXPECT_EQ(ExchangeFileName(v), "SKODA_OCTAVIA__20_TDI103KW.cgarv");
  Tautomobil bare;
  InitVehicle(bare);
  EXPECT_EQ(ExchangeFileName(bare), "vozidlo.cgarv");
}

TEST(ExchangeFormat, EachNodeTypeSurvivesWriteAndRead) {
  const TContactRecord owner = Owner();
  const Tautomobil vehicle = Octavia();
  const Tzaznam record = Service();
  TExchangeExport what;
  what.vehicle = &vehicle;
  what.owner = &owner;
  what.records = {{4, &record}};
  const std::string text = BuildExchangeDocument(what);

  // Plain ASCII, one tab per level, every field on its own line.
  for (unsigned char ch : text) ASSERT_LT(ch, 0x80) << text;
  EXPECT_NE(text.find("<Root>\n\t<Node Type=\"Contact\" Name=\"owner\">\n\t\t<id>7</id>\n\t\t<globalId>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<sureName>%D8eho%F8</sureName>"), std::string::npos);
  EXPECT_NE(text.find("<invoiceNr>2026%2F15</invoiceNr>"), std::string::npos);
  EXPECT_NE(text.find("<priceWrk>1234,50</priceWrk>"), std::string::npos);
  EXPECT_NE(text.find("<receiptNr>44</receiptNr>"), std::string::npos);
  EXPECT_NE(text.find("\t</Node>\n</Root>"), std::string::npos);

  const TDeserializedData data = Read(text);
  ASSERT_EQ(data.Contacts.size(), 1u);
  ASSERT_EQ(data.Vehicles.size(), 1u);
  ASSERT_EQ(data.Records.size(), 1u);
  EXPECT_TRUE(data.Dropped.empty());

  const TContactRecord& c = data.Contacts[0].contact;
  EXPECT_EQ(data.Contacts[0].Name, "owner");
  EXPECT_EQ(c.ID, -1);
  for (auto [got, want] : {std::pair{c.globalId, owner.globalId}, {c.surname, owner.surname},
                           {c.firstName, owner.firstName}, {c.street, owner.street}, {c.city, owner.city},
                           {c.phones, owner.phones}, {c.email, owner.email}, {c.other, owner.other},
                           {c.ico, owner.ico}, {c.dic, owner.dic}, {c.company, owner.company}})
    EXPECT_EQ(got, want);
  EXPECT_EQ(c.type, 1);
  EXPECT_EQ(c.kind, kContactOther);

  const TSerializedVehicle& sv = data.Vehicles[0];
  const Tautomobil& v = sv.vehicle;
  EXPECT_EQ(sv.Name, "vehicle");
  EXPECT_EQ(sv.OwnerHash, OwnerHash(owner));
  EXPECT_EQ(v.ID, -1);
  EXPECT_EQ(v.ownerID, -1);
  EXPECT_EQ(v.commentsBLOBID, -1);
  for (auto [got, want] : {std::pair{v.globalId, vehicle.globalId}, {v.tag, vehicle.tag},
                           {v.manufacturer, vehicle.manufacturer}, {v.model, vehicle.model},
                           {v.subtype, vehicle.subtype}, {v.engine, vehicle.engine}, {v.color, vehicle.color},
                           {v.vin, vehicle.vin}, {v.engineNumber, vehicle.engineNumber},
                           {v.comments, vehicle.comments}})
    EXPECT_EQ(got, want);
  EXPECT_EQ(v.year, 2004);
  EXPECT_EQ(v.month, 5);
  EXPECT_EQ(v.layoutMark, -1);  // a stored copy keeps its month

  const TSerializedRecord& sr = data.Records[0];
  const TzaznamDb& d = sr.record.db;
  EXPECT_EQ(sr.Name, "rec4");
  EXPECT_EQ(sr.CarHash, CarHash(vehicle));
  EXPECT_EQ(d.ID, -1);
  EXPECT_EQ(d.carID, -1);
  EXPECT_EQ(d.globalId, record.db.globalId);
  EXPECT_EQ(d.km, 120500);
  EXPECT_EQ(d.date, EncodeDate(2026, 3, 14));
  EXPECT_EQ(d.time, 510);
  EXPECT_EQ(d.duration, 90);
  EXPECT_EQ(d.kind, kKindDone);
  EXPECT_FLOAT_EQ(d.priceWrk, 1234.5f);
  EXPECT_FLOAT_EQ(d.priceMat, 99.99f);
  EXPECT_EQ(d.invoiceNr, -1);
  EXPECT_EQ(d.invoiceNrText, "2026/15");
  EXPECT_EQ(d.receiptNrText, "44");
  EXPECT_EQ(d.receiptNr, -1);
  EXPECT_EQ(d.flags, 0u);
  EXPECT_EQ(d.sortDate, 0);
  EXPECT_EQ(sr.record.description, record.description);
  EXPECT_EQ(sr.record.material, record.material);
}

TEST(ExchangeFormat, OwnerAndVehicleLeftOutWhenNotChosen) {
  const Tautomobil vehicle = Octavia();
  const Tzaznam record = Service();
  TExchangeExport what;
  what.vehicle = &vehicle;
  what.withOwner = true;  // chosen, but the owner cannot be read
  what.withVehicle = true;
  what.records = {{0, &record}};
  TDeserializedData data = Read(BuildExchangeDocument(what));
  EXPECT_TRUE(data.Contacts.empty());
  ASSERT_EQ(data.Vehicles.size(), 1u);
  EXPECT_EQ(data.Vehicles[0].OwnerHash, "");
  what.withVehicle = false;
  data = Read(BuildExchangeDocument(what));
  EXPECT_TRUE(data.Vehicles.empty());
  EXPECT_EQ(data.Records.size(), 1u);
}

TEST(ExchangeFormat, ReaderRules) {
  struct Case {
    const char* what;
    std::string node;
    bool kept;
  } cases[] = {
      {"lower-case kind", RecordNode("kind", "done"), false},
      {"price with a comma", RecordNode("priceWrk", "123,50"), true},
      {"price with a point", RecordNode("priceWrk", "123.50"), true},
      {"price with a letter", RecordNode("priceWrk", "12x"), false},
      {"price beyond single precision", RecordNode("priceWrk", "1e39"), false},
      {"price not finite", RecordNode("priceMat", "inf"), false},
      {"km beyond 32 bits", RecordNode("km", "4294967297"), false},
      {"km not a number", RecordNode("km", "12 500"), false},
      {"missing material", RecordNode("material", "-"), false},
      {"impossible date", RecordNode("date", "31.02.2026"), true},
      {"empty global ID", RecordNode("globalId", ""), false},
      {"global ID of 32 characters", RecordNode("globalId", std::string(32, 'A')), false},
      {"global ID of 31 characters", RecordNode("globalId", std::string(31, 'A')), true},
      {"global ID with a blank", RecordNode("globalId", "REC%3Ax+1"), false},
      {"global ID with a letter beyond ASCII", RecordNode("globalId", "REC%E8"), false},
  };
  for (const Case& c : cases) {
    TDeserializedData data = Read(Document(c.node));
    EXPECT_EQ(data.Records.size(), c.kept ? 1u : 0u) << c.what;
    EXPECT_EQ(data.Dropped.size(), c.kept ? 0u : 1u) << c.what;
    if (!c.kept && !data.Dropped.empty()) {
      EXPECT_FALSE(data.Dropped[0].reason.empty()) << c.what;
    }
  }
  EXPECT_FLOAT_EQ(Read(Document(RecordNode("priceWrk", "123,50"))).Records[0].record.db.priceWrk, 123.5f);
  EXPECT_FLOAT_EQ(Read(Document(RecordNode("priceWrk", "123.50"))).Records[0].record.db.priceWrk, 123.5f);
  EXPECT_EQ(Read(Document(RecordNode("date", "31.02.2026"))).Records[0].record.db.date, EncodeDate(2000, 1, 1));
}

TEST(ExchangeFormat, OptionalElementsAndOtherNodes) {
  const Tautomobil vehicle = Octavia();
  const TContactRecord owner = Owner();
  C_XMLDocument doc;
  WriteContactNode(doc.GetRoot(), owner, "owner");
  WriteVehicleNode(doc.GetRoot(), vehicle, "vehicle", "1");
  std::string text = doc.SaveToText();

  auto without = [](std::string t, const std::string& element) {
    size_t b = t.find("<" + element + ">");
    size_t e = t.find("</" + element + ">");
    return t.erase(b, e + element.size() + 3 - b);
  };
  auto replaced = [](std::string t, const std::string& from, const std::string& to) {
    return t.replace(t.find(from), from.size(), to);
  };

  TDeserializedData data = Read(without(without(text, "company"), "month"));
  ASSERT_EQ(data.Contacts.size(), 1u);
  EXPECT_EQ(data.Contacts[0].contact.company, "");
  EXPECT_FALSE(data.Contacts[0].HasCompany);
  ASSERT_EQ(data.Vehicles.size(), 1u);
  EXPECT_EQ(data.Vehicles[0].vehicle.month, 0);
  EXPECT_FALSE(data.Vehicles[0].HasMonth);

  data = Read(without(text, "ico"));
  EXPECT_TRUE(data.Contacts.empty());
  EXPECT_EQ(data.Dropped.size(), 1u);
  data = Read(replaced(text, "<month>5</month>", "<month>m</month>"));
  EXPECT_TRUE(data.Vehicles.empty());
  data = Read(replaced(text, "<type>1</type>", "<type>40000</type>"));  // beyond 16 bits
  EXPECT_TRUE(data.Contacts.empty());

  // Unknown node types and unknown elements are passed over.
  data = Read(replaced(text, "<Root>", "<Root><Node Type=\"Invoice\"><x>1</x></Node><!-- c -->"));
  EXPECT_EQ(data.Contacts.size(), 1u);
  EXPECT_EQ(data.Vehicles.size(), 1u);
  EXPECT_TRUE(data.Dropped.empty());
}

TEST(ExchangeFormat, OnlyTheFirstNodeOfAGlobalIdIsUsed) {
  TDeserializedData data = Read(Document(RecordNode("km", "1") + RecordNode("km", "2")));
  ASSERT_EQ(data.Records.size(), 1u);
  EXPECT_EQ(data.Records[0].record.db.km, 1);
  ASSERT_EQ(data.Dropped.size(), 1u);
  EXPECT_EQ(data.Dropped[0].position, 2u);
}

TEST(ExchangeFile, HostileAndDamagedFilesAreRefused) {
  TTempDir dir;
  CRealFileSystem fs;
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"external entity",
       "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><Root>&x;</Root>"},
      {"nested entities",
       "<?xml version=\"1.0\"?><!DOCTYPE Root [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">"
       "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;\">"
       "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;\">]><Root>&h;</Root>"},
      {"lower-case doctype", "<!doctype Root><Root/>"},
      {"truncated", Document(RecordNode()).substr(0, 200)},
      {"not XML", "Dobrý den"},
      {"UTF-16", std::string("\xFF\xFE<\0R\0/\0>\0", 10)},
      {"foreign root", "<?xml version=\"1.0\"?><Faktura/>"},
  };
  for (const Case& c : cases) {
    WriteFileBytes(dir / "f.cgarv", c.text);
    TDeserializedData data;
    std::string error, detail;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(LoadExchangeFile(MakeFileName(dir / "f.cgarv", fs), data, error, detail)) << c.what;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.what;
    EXPECT_NE(error.find("\"f.cgarv\""), std::string::npos) << c.what << ": " << error;
  }

  // A file beyond the size cap is refused without being read.
  {
    std::ofstream big(dir / "big.cgarv");
    big.seekp(static_cast<std::streamoff>(kMaxXmlBytes) + 1);
    big.put('x');
  }
  TDeserializedData data;
  std::string error, detail;
  EXPECT_FALSE(LoadExchangeFile(MakeFileName(dir / "big.cgarv", fs), data, error, detail));
  EXPECT_NE(error.find("příliš velký"), std::string::npos);
}

TEST(ExchangeFile, DroppedNodesText) {
  EXPECT_EQ(DroppedNodesText(1), "1 položku souboru nelze přečíst.");
  EXPECT_EQ(DroppedNodesText(3), "3 položky souboru nelze přečíst.");
  EXPECT_EQ(DroppedNodesText(5), "5 položek souboru nelze přečíst.");
}
