// Reads arbitrary bytes as a received exchange file: parses the document,
// decodes its nodes and builds every change text and caption the
// processing window would show against a stored entity of each kind.
// Nothing may crash, hang, read out of bounds or take long; a received
// description runs through the activity-list formatting here.
//
// Seeds: files written by "garvelctl export-exchange".
#include <cstdint>
#include <string>

#include "exchange/ExchangeChanges.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/XmlDocument.h"
#include "fuzz/FuzzFile.h"

namespace {

void Describe(const TDeserializedData& data) {
  TContactRecord contact;
  InitContactDefault(contact);
  Tautomobil vehicle;
  InitVehicle(vehicle);
  Tzaznam record;
  InitRecord(record, 1, kKindDone);
  record.description = "Výměna oleje";
  TExchangeChanges changes;
  for (const TSerializedContact& c : data.Contacts) {
    changes.changedContacts.push_back({c.contact, DescribeContactChanges(contact, c.contact), 1, c.HasCompany});
    changes.newContacts.push_back(c.contact);
  }
  for (const TSerializedVehicle& v : data.Vehicles) {
    changes.changedVehicles.push_back({v.vehicle, DescribeVehicleChanges(vehicle, v.vehicle), 1, v.OwnerHash, 1, true});
    changes.newVehicles.push_back({v.vehicle, v.OwnerHash});
  }
  for (const TSerializedRecord& r : data.Records) {
    changes.changedRecords.push_back({r.record, DescribeRecordChanges(record, r.record), 1});
    changes.newRecords.push_back({r.record, r.CarHash});
  }
  for (int list = 0; list < kExchangeListCount; ++list)
    for (size_t i = 0; i < changes.Size(list); ++i) changes.ItemText(list, i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TQuietNotifier quiet;
  SetNotifier(&quiet);
  try {
    C_XMLDocument document = C_XMLDocument::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!IsExchangeRoot(document.GetRoot())) return 0;
    Describe(ReadExchangeDocument(document.GetRoot()));
  } catch (const EXmlError&) {
    // Refused as the program refuses it.
  }
  return 0;
}
