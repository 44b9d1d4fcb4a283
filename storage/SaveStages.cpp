#include "storage/SaveStages.h"

#include <atomic>

namespace {
std::atomic<TCrashPointHandler> handler{nullptr};
std::atomic<bool> durable{false};
}  // namespace

void SetCrashPointHandler(TCrashPointHandler h) { handler.store(h); }

void CrashPoint(const char* stage) {
  if (TCrashPointHandler h = handler.load(std::memory_order_relaxed)) h(stage);
}

void SetDurableSaves(bool on) { durable.store(on); }
bool DurableSaves() { return durable.load(std::memory_order_relaxed); }
