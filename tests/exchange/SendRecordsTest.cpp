#include <gtest/gtest.h>

#include "exchange/ExchangeFormat.h"
#include "exchange/IdentityHash.h"
#include "exchange/SendRecords.h"
#include "exchange/WebService.h"
#include "shell/Config.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/StandInWebService.h"
#include "tests/support/TestFileSystems.h"

namespace {

using TFailure = TStandInWebService::TFailure;

class SendRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDefaults(config);
    ASSERT_TRUE(service.Start());
    web.SetServiceUrl(service.BaseUrl());
    web.SetEmailMethod(1);
    InitVehicle(vehicle);
    vehicle.globalId = "CAR:dilna-00000001";
    vehicle.tag = "1B2 3456";
    vehicle.manufacturer = "Škoda";
    vehicle.model = "Octavia";
    vehicle.subtype = "Combi";
    vehicle.engine = "1.9 TDI";
    InitContactDefault(owner);
    owner.globalId = "CUS:dilna-00000001";
    owner.surname = "Řehoř";
    owner.email = "jan@example.cz";
    for (int day : {3, 14}) {
      Tzaznam r;
      InitRecord(r, 1, kKindDone);
      r.db.globalId = "REC:dilna-0000000" + std::to_string(day % 10);
      r.db.date = EncodeDate(2026, 3, day);
      records.push_back(r);
    }
    view.vehicle = &vehicle;
    view.owner = &owner;
    view.records = &records;
    view.rowOrder = {0, 1};
    view.selected = 1;
  }

  TDeserializedData Uploaded(size_t i) {
    return ReadExchangeDocument(C_XMLDocument::FromText(service.Uploads().at(i).second).GetRoot());
  }

  TTestFileSystems files;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TStandInWebService service;
  TWebService web;
  TConfig config;
  Tautomobil vehicle;
  TContactRecord owner;
  AZaznamy records;
  TServiceBookView view;
};

}  // namespace

TEST_F(SendRecords, UploadsTheFileAndMailsItsAddress) {
  EXPECT_EQ(SendRecordToOwner(view, true, true, web, config), TSendRecordResult::Sent);
  ASSERT_EQ(service.Uploads().size(), 1u);
  EXPECT_EQ(service.Uploads()[0].first, "SKODA_OCTAVIA_COMBI_19_TDI.cgarv");
  TDeserializedData sent = Uploaded(0);
  ASSERT_EQ(sent.Contacts.size(), 1u);
  ASSERT_EQ(sent.Vehicles.size(), 1u);
  ASSERT_EQ(sent.Records.size(), 1u);
  EXPECT_EQ(sent.Records[0].Name, "rec1");
  EXPECT_EQ(sent.Records[0].record.db.globalId, records[1].db.globalId);

  auto mails = service.Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].to, "jan@example.cz");
  EXPECT_EQ(mails[0].subject, "Servisní záznam vozidla");
  const std::string address = service.BaseUrl() + "files/1/SKODA_OCTAVIA_COMBI_19_TDI.cgarv";
  EXPECT_EQ(mails[0].body.rfind("Dobrý den,\r\n\r\nzasílám Vám servisní záznam(y) Vašeho vozu.\r\n\r\n"
                                "Vůz: Škoda Octavia Combi, 1B2 3456\r\n\r\n",
                                0),
            0u)
      << mails[0].body;
  EXPECT_NE(mails[0].body.find(":\r\n" + address + "\r\n\r\n"), std::string::npos);
  EXPECT_NE(mails[0].body.find("odkazu:\r\nhttps://garvel.example/stahnout/\r\n\r\nS pozdravem,\r\njá\r\n" +
                               EmailSignature()),
            std::string::npos);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Záznam byl odeslán na adresu jan@example.cz."});
}

TEST_F(SendRecords, OwnerLeftOutWhenNotChosen) {
  EXPECT_EQ(SendRecordToOwner(view, false, true, web, config), TSendRecordResult::Sent);
  EXPECT_TRUE(Uploaded(0).Contacts.empty());
  EXPECT_EQ(Uploaded(0).Vehicles.at(0).OwnerHash, IdentityHash("REHOR"));
}

TEST_F(SendRecords, FailuresAreToldAndNothingMoreIsSent) {
  service.Script({TFailure::ErrorAnswer});
  EXPECT_EQ(SendRecordToOwner(view, true, true, web, config), TSendRecordResult::UploadFailed);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Nahrávání souboru na server selhalo."});
  EXPECT_TRUE(service.Mails().empty());

  // After a good upload, a failed mail is not kept quiet.
  notifier.shown.clear();
  service.Script({TFailure::None, TFailure::ErrorAnswer});
  EXPECT_EQ(SendRecordToOwner(view, true, true, web, config), TSendRecordResult::MailFailed);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Odeslání se nezdařilo"});

  // No address or no selected row: nothing leaves.
  const size_t requests = service.Requests().size();
  owner.email.clear();
  EXPECT_EQ(SendRecordToOwner(view, true, true, web, config), TSendRecordResult::NothingToSend);
  owner.email = "jan@example.cz";
  view.selected = -1;
  EXPECT_EQ(SendRecordToOwner(view, true, true, web, config), TSendRecordResult::NothingToSend);
  EXPECT_EQ(service.Requests().size(), requests);
}
