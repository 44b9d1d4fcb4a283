#include "storage/CrashPoint.h"

#include <atomic>

namespace {
std::atomic<TCrashPointHandler> handler{nullptr};
}  // namespace

void SetCrashPointHandler(TCrashPointHandler h) { handler.store(h); }

void CrashPoint(const char* stage) {
  if (TCrashPointHandler h = handler.load(std::memory_order_relaxed)) h(stage);
}
