#include <gtest/gtest.h>

#include <limits>

#include "servicebook/Activities.h"
#include "servicebook/RefuelTrip.h"
#include "storage/ServiceRecord.h"

namespace {
const std::string kLine = std::string("\x01") + "Výměna oleje" + "\x03" "0" "\x03" "5" "\x03" "32768" "\x03" "200.000" "\x03" "1.500" "\x03" "0.000" "\x02";
}

TEST(Activities, EncodeDecodeRoundTrip) {
  TActRecordList empty;
  EXPECT_EQ(EncodeActivities(empty), "\x04");
  EXPECT_TRUE(DecodeActivities("\x04", empty));
  EXPECT_TRUE(empty.empty());

  TActRecordList list;
  ASSERT_TRUE(DecodeActivities("\x04" + kLine, list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].text, "Výměna oleje");
  EXPECT_EQ(list[0].icon, 5);
  EXPECT_EQ(list[0].color, 0x008000);
  EXPECT_FLOAT_EQ(list[0].price, 200);
  EXPECT_FLOAT_EQ(list[0].count, 1.5);
  EXPECT_EQ(QuantityText(kItemActivity, list[0].count), "1:30");
  EXPECT_DOUBLE_EQ(ActivitiesTotal(list), 300);
  EXPECT_EQ(EncodeActivities(list), "\x04" + kLine);

  TActRecord m;
  m.itemType = kItemMaterial;
  m.text = "Filtr\x02";  // control characters never reach the encoding
  m.price = -1.5f;
  m.count = 2;
  m.showOnInvoice = false;
  list.push_back(m);
  std::string encoded = EncodeActivities(list);
  EXPECT_NE(encoded.find("-1.500\x03" "2.000\x03" "0.000\x03" "FLG:InvoiceHidden\x02"), std::string::npos);
  TActRecordList back;
  ASSERT_TRUE(DecodeActivities(encoded, back));
  EXPECT_EQ(back[1].text, "Filtr]");
  EXPECT_FALSE(back[1].showOnInvoice);
  EXPECT_EQ(QuantityText(kItemMaterial, 2), "2,00");
}

TEST(Activities, CorruptAndFreeText) {
  TActRecordList list;
  EXPECT_FALSE(DecodeActivities("volný text", list));
  EXPECT_FALSE(DecodeActivities("", list));
  // No purchase price: 0.
  std::string noPurchase = std::string("\x04\x01") + "a\x03" "1\x03" "-1\x03" "0\x03" "10\x03" "2\x02";
  ASSERT_TRUE(DecodeActivities(noPurchase, list));
  EXPECT_FLOAT_EQ(list[0].purchasePrice, 0);
  // A line that ends before its count, or a value that is not a number.
  std::string shortLine = std::string("\x04\x01") + "a\x03" "1\x03" "-1\x03" "0\x02";
  EXPECT_FALSE(DecodeActivities(shortLine, list));
  EXPECT_EQ(list.size(), 1u);  // the failing line stays as far as it was read
  std::string notNumber = std::string("\x04\x01") + "a\x03" "1\x03" "-1\x03" "0\x03" "x\x03" "2\x02";
  EXPECT_FALSE(DecodeActivities(notNumber, list));
  EXPECT_EQ(FormatActivities(kKindDone, 0, shortLine, 4, "\r\n", "\r\n", '\0', TVatSettings{}), "");
  EXPECT_EQ(FormatActivities(kKindDone, 0, "volný text", 4, "\r\n", "\r\n", '\0', TVatSettings{}), "volný text");
}

TEST(Activities, Formatting) {
  std::string material = std::string("\x01") + "Olej\r\n5W-30" + "\x03" "1\x03" "-1\x03" "0\x03" "100\x03" "2\x03" "80\x02";
  std::string d = "\x04" + kLine + material;
  // List column: materials hidden but still followed by "; ".
  EXPECT_EQ(ActivitiesOneLine(kKindDone, 0, d, TVatSettings{}), "Výměna oleje; ; ");
  EXPECT_EQ(FormatActivities(kKindDone, 0, d, 4, "\r\n", "\r\n", '\0', TVatSettings{}),
            "Výměna oleje\r\n    Olej\r\n    5W-30\r\n");
  // Print-out: quantity, unit price with VAT and line total; labour VAT off.
  TVatSettings vat{true, 21};
  EXPECT_EQ(FormatActivities(kKindDone, kFlagNoLaborVAT, d, 4, "\r\n", "\r\n", '\t', vat),
            "Výměna oleje\t1:30\t200,00\t300,00\r\n    Olej\r\n    5W-30\t2,00\t121,00\t242,00\r\n");
  std::string badType = std::string("\x04\x01") + "a\x03" "7\x03" "-1\x03" "0\x03" "1\x03" "1\x02";
  EXPECT_EQ(FormatActivities(kKindDone, 0, badType, 4, "", "", '\0', vat), badType);
  EXPECT_EQ(QuantityText(kItemActivity, 2.999), "2:60");
}

TEST(RefuelTrip, TextsAndDescriptions) {
  TRefuelingRecord empty;
  EXPECT_EQ(EncodeRefueling(empty), "litres=-1,00|literprice=-1,00|full=0|place=");
  EXPECT_EQ(RefuelingDescription(EncodeRefueling(empty)), "");
  TRefuelingRecord r{45.5f, 32.9f, true, "Shell|Brno"};
  EXPECT_EQ(RefuelingDescription(EncodeRefueling(r)), "tankováno 45,50 litrů (do plné nádrže); 32,90 kč/litr; Shell/Brno");
  EXPECT_EQ(RefuelingDescription("litres=1|bogus=2"), "ERR!");
  TRefuelingRecord back;
  ASSERT_TRUE(DecodeRefueling("place=X| full=1| litres=", back));
  EXPECT_TRUE(back.full);
  EXPECT_FLOAT_EQ(back.litres, 0);
  EXPECT_EQ(TripDescription("from=Praha|TO=Brno|roundTrip=1|"), "Cesta Praha -> Brno a zpět");
  EXPECT_EQ(TripDescription("from=Praha|to=Brno|roundTrip=0|"), "Cesta Praha -> Brno");
  EXPECT_EQ(FormatActivities(kKindTrip, 0, "from=A|to=B|", 0, "", "", '\0', TVatSettings{}), "Cesta A -> B");
}

TEST(Activities, PresetsVatOfNonPayersAndNonFiniteAmounts) {
  std::string material = std::string("\x01") + "Olej" + "\x03" "1\x03" "-1\x03" "0\x03" "100\x03" "0\x03" "80\x02";
  std::string d = "\x04" + kLine + material;
  TVatSettings vat{true, 21};
  EXPECT_EQ(ActivitiesDescriptionText(kKindDone, 0, d, vat), "Výměna oleje\r\n    Olej\r\n");
  // Print-out: labour VAT applies; a material without a quantity has empty
  // value columns.
  EXPECT_EQ(ActivitiesPrintText(kKindDone, 0, d, vat), "Výměna oleje\t1:30\t242,00\t363,00\r\n    Olej\t\t\t\r\n");
  // A workshop that is not a VAT payer adds VAT to nothing.
  TVatSettings none{false, 21};
  EXPECT_DOUBLE_EQ(AmountWithVat(100, kItemActivity, 0, none), 100);
  EXPECT_DOUBLE_EQ(AmountWithVat(100, kItemMaterial, 0, none), 100);
  EXPECT_DOUBLE_EQ(AmountWithVat(100, kItemActivity, 0, vat), 121);
  EXPECT_DOUBLE_EQ(AmountWithVat(100, kItemMaterial, 0, TVatSettings{true, -100}), 100);

  TActRecordList list(1);
  list[0].price = std::numeric_limits<float>::quiet_NaN();
  list[0].count = std::numeric_limits<float>::infinity();
  const std::string encoded = EncodeActivities(list);
  EXPECT_NE(encoded.find("\x03" "0.000\x03" "0.000\x03" "0.000\x02"), std::string::npos);
  TActRecordList back;
  EXPECT_TRUE(DecodeActivities(encoded, back));
}
