#pragma once
// A database in a temporary folder with helpers to add vehicles, owners and
// records, for the statistics tests.

#include <gtest/gtest.h>

#include "catalogues/ContactRecord.h"
#include "catalogues/Contacts.h"
#include "servicebook/Activities.h"
#include "shell/Stores.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

class StatisticsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
  }
  void TearDown() override { stores.CloseAll(); }

  int32_t Owner(const std::string& surname, const std::string& firstName) {
    TContactRecord c;
    InitContact(c);
    c.surname = surname;
    c.firstName = firstName;
    EXPECT_TRUE(AddContact(*stores.customers, c));
    return c.ID;
  }

  int32_t Vehicle(const std::string& make, const std::string& model, int32_t owner = -1, int32_t year = 2010,
                  const std::string& subtype = "", const std::string& engine = "") {
    Tautomobil v;
    InitVehicle(v);
    v.manufacturer = make;
    v.model = model;
    v.subtype = subtype;
    v.engine = engine;
    v.year = year;
    v.ownerID = owner;
    stores.cars->CreateCar(v, "");
    return v.ID;
  }

  Tzaznam& Record(int32_t car, int32_t kind, TDateTime date, int32_t km = -1, float labour = 0, float material = 0,
                  const std::string& description = "") {
    Tzaznam r;
    InitRecord(r, car, kind);
    r.db.date = date;
    r.db.km = km;
    r.db.priceWrk = labour;
    r.db.priceMat = material;
    r.description = description;
    EXPECT_TRUE(stores.records->CreateCarRecord(r, car, ""));
    made.push_back(r);
    return made.back();
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  std::vector<Tzaznam> made;

 public:
  // An item list whose margin is `margin` (one line sold at 10).
  static std::string WithMargin(double margin, const std::string& text = "Práce") {
    TActRecord a;
    a.text = text;
    a.price = 10;
    a.count = 1;
    a.purchasePrice = static_cast<float>(10 - margin);
    return EncodeActivities({a});
  }
};
