#pragma once
// Modal windows made once and kept for the life of the program: each
// opening lends the window to its caller as parent and fills it again.

#include <QDialog>

// The one window of the type, made on first use, now a child of `parent`.
template <typename TWindow>
TWindow& ReusedDialog(QWidget* parent) {
  static TWindow* window = nullptr;
  if (!window) window = new TWindow(nullptr);
  window->setParent(parent, window->windowFlags());
  return *window;
}

// Runs the window modally and hands it back to no parent, so that closing
// the caller's window never takes it along.
inline int ExecReused(QDialog& window) {
  const int result = window.exec();
  window.setParent(nullptr, window.windowFlags());
  return result;
}
