#include "shell/VehicleRemoval.h"

#include <exception>

#include "shell/VehicleList.h"
#include "storage/CarDb.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/RecDb.h"

TRemoveResult RemoveVehicle(TCustomCarDb& cars, TCustomRecDb& records, int32_t id) {
  Tautomobil v;
  if (!cars.LoadCar(id, v)) return TRemoveResult::Failed;
  const std::string what = MakeModelText(v) + ", RZ " + v.tag;
  const std::string idText = std::to_string(id);
  if (v.IsArchived()) {
    if (!AskYesNo("Ověření", "Opravdu chcete smazat vybrané vozidlo z databáze (" + what + ") ?", false))
      return TRemoveResult::Cancelled;
    if (!records.EraseAllCarRecords(id)) {
      ShowMessage("Chyba", "Nomohu smazat záznamy vozidla (ID=" + idText + ")", TMsgIcon::Error);
      return TRemoveResult::Failed;
    }
    LogTrace(1, "Erase car ID#" + idText);
    if (!cars.EraseCar(id)) {
      ShowMessage("Chyba", "Nomohu smazat vybrané vozidlo (ID=" + idText + ")", TMsgIcon::Error);
      return TRemoveResult::Failed;
    }
    return TRemoveResult::Deleted;
  }
  if (!AskYesNo("Ověření", "Opravdu chcete vybrané vozidlo archivovat (" + what + ") ?", false))
    return TRemoveResult::Cancelled;
  v.archived = kArchivedMark;
  try {
    cars.SaveCar(v);
  } catch (const std::exception& e) {
    // A full disk or a file that cannot be written: the vehicle stays
    // active and the user is told, instead of the error leaving the window.
    LogError("Nemohu archivovat vybrané vozidlo (ID=" + idText + "): " + e.what(), false);
    ShowMessage("Chyba", "Nemohu archivovat vybrané vozidlo (ID=" + idText + ")", TMsgIcon::Error);
    return TRemoveResult::Failed;
  }
  return TRemoveResult::Archived;
}
