#include "ui/CarWindows.h"

#include <QPointer>
#include <vector>

#include "ui/AutoForm.h"

namespace {

struct TCarWindowEntry {
  int32_t vehicleID = -1;
  QPointer<TAutoForm> window;
};

TCarWindowsContext& Context() {
  static TCarWindowsContext context;
  return context;
}

std::vector<TCarWindowEntry>& CarWindows() {
  static std::vector<TCarWindowEntry> windows;
  return windows;
}

void ShowButtons(const TAutoForm* active) {
  const auto& windows = CarWindows();
  QStringList captions;
  int activeIndex = -1;
  for (size_t i = 0; i < windows.size(); ++i) {
    captions << (windows[i].window ? windows[i].window->ButtonCaption() : QString());
    if (active && windows[i].window == active) activeIndex = static_cast<int>(i);
  }
  if (Context().showButtons) Context().showButtons(captions, activeIndex);
}

void Bring(TAutoForm* w) {
  w->show();
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->raise();
  w->activateWindow();
}

void Remove(TAutoForm* w) {
  auto& windows = CarWindows();
  for (size_t i = 0; i < windows.size(); ++i) {
    if (windows[i].window != w) continue;
    // The last entry takes the closed one's place.
    if (i + 1 != windows.size()) windows[i] = windows.back();
    windows.pop_back();
    break;
  }
  ShowButtons(nullptr);
  w->deleteLater();
  if (windows.empty() && Context().allClosed) Context().allClosed();
}

}  // namespace

void SetCarWindowsContext(TCarWindowsContext context) { Context() = std::move(context); }

void SetCarWindowsBackground(const QImage& background) {
  Context().background = background;
  for (TCarWindowEntry& e : CarWindows())
    if (e.window) e.window->SetBackground(background);
}

TAutoForm* CarWindowOf(int32_t vehicleID) {
  for (TCarWindowEntry& e : CarWindows())
    if (e.vehicleID == vehicleID && e.window) return e.window;
  return nullptr;
}

bool AnyCarWindowOpen() { return !CarWindows().empty(); }

bool IsCarWindowOpen(int32_t vehicleID) { return CarWindowOf(vehicleID) != nullptr; }

void OpenCarWindow(int32_t vehicleID) {
  if (TAutoForm* open = CarWindowOf(vehicleID)) {
    Bring(open);
    return;
  }
  TCarWindowsContext& c = Context();
  if (!c.cars || !c.records || vehicleID < 0) return;
  auto* w = new TAutoForm(*c.cars, *c.records, c.services, c.parent);
  if (!w->Open(vehicleID)) {
    delete w;
    return;
  }
  w->SetBackground(c.background);
  w->onClosed = [](TAutoForm* closed) { Remove(closed); };
  w->onActivation = [](TAutoForm* form, bool active) {
    // The button shows pressed while its window is active.
    if (active) ShowButtons(form);
    else ShowButtons(nullptr);
  };
  w->onCaptionChanged = [](TAutoForm* form) { ShowButtons(form->isActiveWindow() ? form : nullptr); };
  CarWindows().push_back({vehicleID, w});
  ShowButtons(w);
  Bring(w);
}

void ShowCarWindowAt(int index) {
  auto& windows = CarWindows();
  if (index < 0 || static_cast<size_t>(index) >= windows.size() || !windows[static_cast<size_t>(index)].window) return;
  Bring(windows[static_cast<size_t>(index)].window);
}
