#pragma once
// "Export" of the main menu: asks for a folder, writes the three CSV files
// (shell/DatabaseExport.h) while a progress window shows how far it got, and
// says how it went.

#include "servicebook/Activities.h"

class QWidget;
struct TStoreSet;

// `folder` given (tests) skips the question; false when nothing was written.
bool RunDatabaseExport(TStoreSet& stores, const TVatSettings& vat, QWidget* parent, const std::string& folder = "");
