#pragma once
// The exchange format (.cgarv): customers, vehicles and service records as
// XML, matched by the receiver through global IDs and identity hashes, never
// through the sender's numeric IDs.
//
//   <Root>
//     <Node Type="Contact|Vehicle|Record" Name="owner|vehicle|rec<index>">
//       <field>value</field> ... one element per field, in table order
//     </Node> ...
//   </Root>
//
// String fields are URL-encoded Windows-1250 (so the file is plain ASCII);
// integers decimal; dates DD.MM.YYYY; prices two decimals with "," (read
// with "," or "."); kinds as their code words. The field tables are in
// ExchangeFormat.cpp. A reader looks elements up by name, so unknown
// elements and nodes of other types are ignored.

#include <cstddef>
#include <string>
#include <vector>

#include "catalogues/ContactRecord.h"
#include "exchange/XmlDocument.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

struct TSerializedContact {
  TContactRecord contact;
  std::string Name;
  bool HasCompany = true;  // the optional "company" element was there
};

struct TSerializedVehicle {
  Tautomobil vehicle;
  std::string OwnerHash;
  std::string Name;
  bool HasMonth = true;  // the optional "month" element was there
};

struct TSerializedRecord {
  Tzaznam record;
  std::string CarHash;
  std::string Name;
};

using TSerializedContactsArray = std::vector<TSerializedContact>;
using TSerializedVehiclesArray = std::vector<TSerializedVehicle>;
using TSerializedRecordsArray = std::vector<TSerializedRecord>;

// A node of a known type that was left out, and why (Czech, for the user).
struct TDroppedNode {
  size_t position = 0;  // 1-based among the root's child elements
  std::string type;
  std::string name;
  std::string reason;
};

struct TDeserializedData {
  TSerializedContactsArray Contacts;
  TSerializedVehiclesArray Vehicles;
  TSerializedRecordsArray Records;
  // Unreadable nodes and later nodes repeating a global ID already read.
  std::vector<TDroppedNode> Dropped;
};

// Append one "Node" with its fields to the root element.
void WriteContactNode(TXmlNode root, const TContactRecord& customer, const std::string& name);
void WriteVehicleNode(TXmlNode root, const Tautomobil& vehicle, const std::string& name,
                      const std::string& ownerHash);
void WriteRecordNode(TXmlNode root, const Tzaznam& record, const std::string& name, const std::string& carHash);

// Parse one node. False (with `reason`) when a required element is missing,
// a number is not a number or out of its field's range, the kind is unknown,
// or the global ID is empty, longer than 31 characters or not printable
// ASCII (such an entity could never be matched again, and every re-import
// would add it once more).
bool ReadContactNode(TXmlNode node, TContactRecord& customer, std::string& reason);
bool ReadVehicleNode(TXmlNode node, Tautomobil& vehicle, std::string& ownerHash, std::string& reason);
bool ReadRecordNode(TXmlNode node, Tzaznam& record, std::string& carHash, std::string& reason);

// Every child element of the root in order; a node of one of the three
// types that fails, or repeats a global ID already read for its type, goes
// to Dropped. Other nodes are ignored.
TDeserializedData ReadExchangeDocument(TXmlNode root);

// Whether the document element is the exchange root "Root".
bool IsExchangeRoot(TXmlNode root);
