#pragma once
// The one QApplication of the window benchmarks, on the offscreen platform.

#include <QApplication>

inline QApplication& BenchApplication() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}
