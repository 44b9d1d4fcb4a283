// garvel: the desktop program.
#include <QApplication>
#include <QIcon>

#include "app/garvel/Application.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "ui/CzechLocale.h"

namespace {

// The arguments Qt left (it takes its own options out of argv); the program
// makes them absolute before it keeps or hands them over.
std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    QString a = QString::fromLocal8Bit(argv[i]);
    if (a.startsWith("-")) continue;  // an option Qt did not know
    args.push_back(a.toStdString());
  }
  return args;
}

// The program's own icon, built in so that its windows carry it wherever
// the program was installed; the desktop entry names the same icon.
QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 256}) icon.addFile(QString(":/garvel/garvel-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything else: the data folders and this run's trace log.
  SetupFileSystems(true);
  StartTraceLog(MakeRunStamp());

  QApplication app(argc, argv);
  QApplication::setApplicationName("Garvel");
  QApplication::setWindowIcon(ProgramIcon());
  QGuiApplication::setDesktopFileName("garvel");  // ties the windows to garvel.desktop
  InstallCzechTranslations(app);
  int rc = 0;
  {
    TGarvelApplication garvel(app, Arguments(argc, argv));
    if (garvel.Start(rc)) rc = garvel.Run();
  }
  TeardownFileSystems();
  return rc;
}
