#pragma once
// The vehicle windows' services filled from the program's modules: the
// catalogue stores with their queries and add dialogs, the shared VIN
// patterns, the contact store with its chooser, the settings, and a mail
// draft in the desktop's mail program standing in for the e-mail service.

#include <functional>

#include "servicebook/VehicleFormServices.h"

class QWidget;
struct TStoreSet;

// The stores must outlive every use of the result; `parent` owns the dialogs
// the services open. `chooseContact` is the program's contact list as the
// owner chooser (given the current owner, the chosen ID or -1); without it a
// list is made for each choice.
TVehicleFormServices VehicleFormServicesFor(TStoreSet& stores, QWidget* parent,
                                            std::function<int32_t(int32_t)> chooseContact = {});
