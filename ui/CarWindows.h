#pragma once
// The open records windows, one per vehicle, and their buttons in the main
// window's windows bar. The program sets the context once; the vehicle
// list, the reminders and the statistics open vehicles through
// OpenCarWindow.

#include <QImage>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "ui/AutoFormServices.h"

class QWidget;
class TAutoForm;
class TCustomCarDb;
class TCustomRecDb;

struct TCarWindowsContext {
  TCustomCarDb* cars = nullptr;
  TCustomRecDb* records = nullptr;
  TRecordWindowServices services;
  QImage background;           // bgrec
  QWidget* parent = nullptr;   // the main window
  // The windows bar: one caption per open window, in CarWindows order, and
  // the index of the active one (-1 none).
  std::function<void(const QStringList& captions, int active)> showButtons;
  // The last records window was closed.
  std::function<void()> allClosed;
};

// Installs the context (and replaces an earlier one). The stores must
// outlive the windows.
void SetCarWindowsContext(TCarWindowsContext context);
void SetCarWindowsBackground(const QImage& background);

// Opens the records window of the vehicle, or brings its open window to the
// front. Does nothing before the context is set.
void OpenCarWindow(int32_t vehicleID);
bool AnyCarWindowOpen();
bool IsCarWindowOpen(int32_t vehicleID);
// The open window of the vehicle, or null.
TAutoForm* CarWindowOf(int32_t vehicleID);
// A click on the i-th button of the windows bar.
void ShowCarWindowAt(int index);
