#pragma once
// Pieces the small editing windows share.

#include <exception>
#include <string>

#include "storage/Log.h"

class QDialog;
class QHBoxLayout;
class QPushButton;

// Runs a window's handler; whatever it throws is reported (error box and
// error log) instead of leaving the slot.
template <typename Event>
void GuardedSlot(const char* window, Event&& event) {
  try {
    event();
  } catch (const std::exception& e) {
    LogError(std::string(window) + ": " + e.what(), true);
  }
}

// "Uložit" (the default button) and "Storno" (rejects) at the right.
QHBoxLayout* SaveCancelRow(QDialog* dialog, QPushButton*& save);
