#pragma once
// Runs a window's handler so that no exception unwinds through Qt's event
// loop: one that escapes is written to the error log and shown as "Chyba".

#include <exception>
#include <utility>

#include "storage/Log.h"

template <class F>
void RunGuarded(F&& handler) {
  try {
    std::forward<F>(handler)();
  } catch (const std::exception& e) {
    LogError(e.what(), true);
  } catch (...) {
    LogError("Neznámá chyba", true);
  }
}
