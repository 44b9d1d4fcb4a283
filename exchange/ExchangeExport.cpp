#include "exchange/ExchangeExport.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/IdentityHash.h"
#include "exchange/XmlDocument.h"

std::string BuildExchangeDocument(const TExchangeExport& what) {
  C_XMLDocument document;
  TXmlNode root = document.GetRoot();
  const std::string ownerHash = what.owner ? OwnerHash(*what.owner) : "";
  if (what.withOwner && what.owner) WriteContactNode(root, *what.owner, "owner");
  if (what.withVehicle) WriteVehicleNode(root, *what.vehicle, "vehicle", ownerHash);
  const std::string carHash = CarHash(*what.vehicle);
  for (const auto& [index, record] : what.records)
    WriteRecordNode(root, *record, "rec" + std::to_string(index), carHash);
  return document.SaveToText();
}
