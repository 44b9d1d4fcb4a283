#pragma once
// What the attachments window shows for an entry: an entity folder is named
// after its owner (read from the stores when the node is made), every other
// entry by its file or folder name.

#include <string>

#include "catalogues/CatalogueStores.h"

class TCustomCarDb;
class TCustomDb;

// The stores the owners are read from; a missing store reads nothing.
struct TAttachmentOwners {
  TCustomCarDb* cars = nullptr;
  TCustomDb* customers = nullptr;
  TCatalogue catalogue;
};

//   CAR  make model subtype engine, then " " plate, else " VIN:" vin, " (ID#n)"
//   CON  the customer's display name " (ID#n)"
//   MAN  "Výrobce " name " (ID#n)"          GRP  "Koncern " name " (ID#n)"
//   MOD  "Model " make " " name " (ID#n)"   ENG  "Motor " make " " name " (ID#n)"
//   STP  "Podtyp " make " " model " " name " (ID#n)"
// (a make or model that cannot be read is left out with its blank). An
// owner that cannot be read shows the folder's name, but for a vehicle,
// which shows its empty texts and the ID.
std::string AttachmentDisplayName(const TAttachmentOwners& owners, const std::string& path);
