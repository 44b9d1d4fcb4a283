#include "servicebook/AttachmentRoots.h"

#include "catalogues/CatalogueQueries.h"
#include "catalogues/EntryPicture.h"

std::vector<std::string> VehicleAttachmentRoots(const TCatalogue& catalogue, const Tautomobil& vehicle,
                                                const std::string& root) {
  std::vector<std::string> folders;
  folders.push_back(EntryAttachmentFolder(root, "CAR", vehicle.ID));
  const TMakeAndModel found = FindMakeAndModel(catalogue, vehicle.manufacturer, vehicle.model);
  if (found.manufacturer >= 0) folders.push_back(EntryAttachmentFolder(root, kManufacturerTag, found.manufacturer));
  if (found.model >= 0) folders.push_back(EntryAttachmentFolder(root, kModelTag, found.model));
  const int32_t engine = FindEngineByName(catalogue, found.concern, found.manufacturer, vehicle.engine);
  if (engine >= 0) folders.push_back(EntryAttachmentFolder(root, kEngineTag, engine));
  if (vehicle.ownerID >= 0) folders.push_back(EntryAttachmentFolder(root, "CON", vehicle.ownerID));
  return folders;
}
