#pragma once
// The vehicle windows' services filled from the program's modules: the
// catalogue stores with their queries and add dialogs, the shared VIN
// patterns, the contact store with its chooser, the settings, and a mail
// draft in the desktop's mail program standing in for the e-mail service.

#include <QImage>

#include "servicebook/VehicleFormServices.h"

class QWidget;
struct TStoreSet;

// The stores must outlive every use of the result; `parent` owns the dialogs
// the services open; the owner chooser shows `contactsBackground`.
TVehicleFormServices VehicleFormServicesFor(TStoreSet& stores, QWidget* parent,
                                            const QImage& contactsBackground = {});
