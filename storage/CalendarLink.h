#pragma once
// What the record store tells the maker's calendar program when records are
// saved or erased. The store only knows this interface; the shell installs
// the real link (copy-data messages to the calendar window) at start.
// Without an installed link, or when the calendar is not running, every
// operation does nothing.

#include <functional>
#include <memory>

struct Tzaznam;

class ICalendarLink {
 public:
  virtual ~ICalendarLink() = default;
  virtual void SendEvent(const Tzaznam& record) = 0;    // added or changed
  virtual void DeleteEvent(const Tzaznam& record) = 0;  // deleted
  virtual void EndBatch() = 0;                           // the batch is complete
};

using TCalendarLinkFactory = std::function<std::unique_ptr<ICalendarLink>()>;

// Installs the factory that opens a link; an empty factory uninstalls it.
void SetCalendarLinkFactory(TCalendarLinkFactory factory);
// Opens a link: the installed one, or one that does nothing.
std::unique_ptr<ICalendarLink> OpenCalendarLink();
