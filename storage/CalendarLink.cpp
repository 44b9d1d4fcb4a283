#include "storage/CalendarLink.h"

#include <mutex>

namespace {

class TSilentLink : public ICalendarLink {
 public:
  void SendEvent(const Tzaznam&) override {}
  void DeleteEvent(const Tzaznam&) override {}
  void EndBatch() override {}
};

std::mutex g_mutex;
TCalendarLinkFactory g_factory;

}  // namespace

void SetCalendarLinkFactory(TCalendarLinkFactory factory) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_factory = std::move(factory);
}

std::unique_ptr<ICalendarLink> OpenCalendarLink() {
  TCalendarLinkFactory factory;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    factory = g_factory;
  }
  if (factory)
    if (auto link = factory()) return link;
  return std::make_unique<TSilentLink>();
}
