// garvel: the desktop program.
#include <QApplication>
#include <QFileInfo>

#include "app/garvel/Application.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "ui/CzechLocale.h"

namespace {

// Arguments as absolute paths: a running copy that takes them over has
// another working folder.
std::vector<std::string> AbsoluteArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    QString a = QString::fromLocal8Bit(argv[i]);
    if (a.startsWith("-")) continue;  // Qt's own options
    args.push_back(QFileInfo(a).absoluteFilePath().toStdString());
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything else: the data folders and this run's trace log.
  SetupFileSystems(true);
  StartTraceLog(MakeRunStamp());

  QApplication app(argc, argv);
  QApplication::setApplicationName("Garvel");
  InstallCzechTranslations(app);
  int rc = 0;
  {
    TGarvelApplication garvel(app, AbsoluteArguments(argc, argv));
    if (garvel.Start(rc)) rc = garvel.Run();
  }
  TeardownFileSystems();
  return rc;
}
