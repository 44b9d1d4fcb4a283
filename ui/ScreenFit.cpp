#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// Room for the title bar and the borders the window manager adds.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

}  // namespace

void ResizeWithinScreen(QWidget* window, int width, int height) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect free = screen->availableGeometry();
    width = std::min(width, std::max(free.width() - kFrameWidth, window->minimumWidth()));
    height = std::min(height, std::max(free.height() - kFrameHeight, window->minimumHeight()));
  }
  window->resize(width, height);
}
