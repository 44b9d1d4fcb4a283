#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "catalogues/CatalogueRecords.h"
#include "catalogues/ContactRecord.h"

namespace {

void PutI32(std::vector<uint8_t>& b, size_t off, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutStr(std::vector<uint8_t>& b, size_t off, const std::string& cp1250) {
  b[off] = static_cast<uint8_t>(cp1250.size());
  std::memcpy(&b[off + 1], cp1250.data(), cp1250.size());
}
void PutLinks(std::vector<uint8_t>& b, size_t off, int count) {
  for (int i = 0; i < count; ++i) PutI32(b, off + 4 * i, -1);
}

}  // namespace

TEST(ContactLayout, FieldsAtDocumentedOffsets) {
  std::vector<uint8_t> expected(644, 0);
  PutI32(expected, 0, 5);
  PutStr(expected, 64, "Nov\xE1k");
  PutStr(expected, 115, "Jan");
  PutStr(expected, 166, "Hlavn\xED 1");
  PutStr(expected, 217, "110 00 Praha");
  PutStr(expected, 268, "777 123 456");
  PutStr(expected, 319, "jan@example.cz");
  PutStr(expected, 370, "fax");
  PutStr(expected, 421, "12345678");
  PutStr(expected, 437, "CZ12345678");
  PutStr(expected, 472, "Autoservis");
  expected[626] = 1;  // type: company given
  expected[628] = 1;  // kind: supplier

  TContactRecord c;
  InitContact(c);
  c.ID = 5;
  c.surname = "Novák";
  c.firstName = "Jan";
  c.street = "Hlavní 1";
  c.city = "110 00 Praha";
  c.phones = "777 123 456";
  c.email = "jan@example.cz";
  c.other = "fax";
  c.ico = "12345678";
  c.dic = "CZ12345678";
  c.company = "Autoservis";
  c.kind = kContactSupplier;
  std::vector<uint8_t> bytes(644);
  EncodeContact(c, bytes.data());
  EXPECT_EQ(bytes, expected);

  TContactRecord back;
  DecodeContact(expected.data(), back);
  EXPECT_EQ(back.surname, "Novák");
  EXPECT_EQ(back.kind, kContactSupplier);
  EXPECT_EQ(CustomerDisplayName(back), "Novák, Jan - Autoservis");

  TContactRecord def;
  InitContactDefault(def);
  std::vector<uint8_t> defBytes(644);
  EncodeContact(def, defBytes.data());
  std::vector<uint8_t> defExpected(644, 0);
  PutLinks(defExpected, 632, 3);
  EXPECT_EQ(defBytes, defExpected);
}

TEST(ContactLayout, DisplayNameSeparatorsOnlyAfterText) {
  struct Case { const char* surname; const char* first; const char* company; const char* want; } cases[] = {
      {"Novák", "Jan", "Autoservis", "Novák, Jan - Autoservis"},
      {"", "Jan", "Autoservis", "Jan - Autoservis"},
      {"", "", "Autoservis", "Autoservis"},
      {"Novák", "", "", "Novák"},
      {"", "", "", ""},
  };
  for (const Case& k : cases) {
    TContactRecord c;
    InitContact(c);
    c.surname = k.surname;
    c.firstName = k.first;
    c.company = k.company;
    EXPECT_EQ(CustomerDisplayName(c), k.want);
  }
}

TEST(CatalogueLayout, NewRecordsAndFieldOffsets) {
  {
    std::vector<uint8_t> e(1280, 0);
    PutStr(e, 64, "VW Group");
    PutLinks(e, 1152, 32);
    TConcernRecord r;
    InitConcern(r);
    r.name = "VW Group";
    std::vector<uint8_t> b(1280);
    EncodeConcern(r, b.data());
    EXPECT_EQ(b, e);
  }
  {
    std::vector<uint8_t> e(1424, 0);
    PutStr(e, 64, "\x8Akoda");
    PutStr(e, 96, "CZ");
    PutStr(e, 128, "http://x");
    PutI32(e, 1408, 7);
    PutLinks(e, 1412, 3);
    TManufacturerRecord r;
    InitManufacturer(r);
    r.name = "Škoda";
    r.country = "CZ";
    r.url = "http://x";
    r.concern = 7;
    std::vector<uint8_t> b(1424);
    EncodeManufacturer(r, b.data());
    EXPECT_EQ(b, e);
  }
  {
    std::vector<uint8_t> e(1396, 0);
    PutI32(e, 64, 3);
    PutStr(e, 68, "Octavia");
    PutLinks(e, 1380, 4);
    TModelRecord r;
    InitModel(r);
    r.manufacturer = 3;
    r.name = "Octavia";
    std::vector<uint8_t> b(1396);
    EncodeModel(r, b.data());
    EXPECT_EQ(b, e);
  }
  {
    std::vector<uint8_t> e(1404, 0);
    PutI32(e, 64, -1);
    PutStr(e, 68, "1.9 TDI");
    PutI32(e, 356, 1);
    PutI32(e, 360, 1896);
    PutI32(e, 1388, 2);
    PutLinks(e, 1392, 3);
    TEngineRecord r;
    InitEngine(r);
    r.name = "1.9 TDI";
    r.fuel = kFuelDiesel;
    r.displacement = 1896;
    r.concern = 2;
    std::vector<uint8_t> b(1404);
    EncodeEngine(r, b.data());
    EXPECT_EQ(b, e);
    TEngineRecord back;
    DecodeEngine(e.data(), back);
    EXPECT_EQ(back.displacement, 1896);
    EXPECT_EQ(back.manufacturer, -1);
  }
  {
    std::vector<uint8_t> e(1284, 0);
    PutI32(e, 64, 9);
    PutStr(e, 68, "Combi");
    PutLinks(e, 1156, 32);
    TSubTypeRecord r;
    InitSubType(r);
    r.model = 9;
    r.name = "Combi";
    std::vector<uint8_t> b(1284);
    EncodeSubType(r, b.data());
    EXPECT_EQ(b, e);
  }
}
