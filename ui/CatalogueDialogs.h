#pragma once
// What the three add dialogs of the vehicle catalogue share: the F1 help
// topic and the bottom row of buttons.

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

// F1 opens the help page "addtocardb.html#<topic>".
void InstallCatalogueHelp(QDialog* dialog, const char* topic);

// "Přidat" (default) and "Storno", right-aligned. "Storno" rejects; the
// caller connects "Přidat".
QHBoxLayout* AddCancelRow(QDialog* dialog, QPushButton*& add);
