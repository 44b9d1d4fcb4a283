// garvel: the desktop program.
#include <QApplication>
#include <QMainWindow>

#include "storage/Version.h"
#include "ui/QtNotifier.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Garvel");
  TQtNotifier notifier;
  SetNotifier(&notifier);

  QMainWindow window;
  window.setWindowTitle(QString::fromUtf8(kGarvelCaption));
  window.resize(1024, 700);
  window.show();
  int rc = app.exec();
  SetNotifier(nullptr);
  return rc;
}
