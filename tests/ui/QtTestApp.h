#pragma once
// The one QApplication of the window tests. Every test file asks for it here:
// a second application object in the process breaks Qt at exit. It is never
// destroyed, so its end does not depend on the order of static destructors.

#include <QApplication>

inline QApplication& TestApp() {
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
