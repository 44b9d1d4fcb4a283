#pragma once
// The one QApplication of a UI test program. It is made on first use and
// never destroyed: Qt keeps font caches that it frees only on a clean
// shutdown, which a test program does not need; a live application keeps
// them reachable rather than leaked.

#include <QApplication>

inline QApplication& TestApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
