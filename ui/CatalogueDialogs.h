#pragma once
// What the three add dialogs of the vehicle catalogue share: the F1 help
// topic and the bottom row of buttons.

#include <QString>
#include <cstdint>

#include "catalogues/CatalogueStores.h"

class QLabel;
class QWidget;

class QDialog;
class QHBoxLayout;
class QPushButton;

// F1 opens the help page "addtocardb.html#<topic>".
void InstallCatalogueHelp(QDialog* dialog, const char* topic);

// "Přidat" (default) and "Storno", right-aligned. "Storno" rejects; the
// caller connects "Přidat".
QHBoxLayout* AddCancelRow(QDialog* dialog, QPushButton*& add);

// The make a model or an engine is added to, as a bold label (empty when
// the make cannot be read).
QLabel* BoldManufacturerLabel(const TCatalogue& catalogue, int32_t manufacturerID, QWidget* parent);
