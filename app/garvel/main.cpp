// garvel: the desktop program. Start-up runs in a fixed order: file systems
// and trace log, settings, single-instance check (a second start hands its
// command line to the running copy and ends), start-up screen, windows, trace
// of the mounts, stores, then the window loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QTimer>

#include "shell/CalendarUpdate.h"
#include "shell/CopyData.h"
#include "shell/CopyDataServer.h"
#include "shell/GarvCalendCom.h"
#include "shell/HandOver.h"
#include "shell/PendingCommandLines.h"
#include "shell/StartupSteps.h"
#include "shell/Stores.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "ui/AboutForm.h"
#include "ui/HlavniForm.h"
#include "ui/PasswordPrompt.h"
#include "ui/QtNotifier.h"
#include "ui/VehicleListPanel.h"
#include "ui/VehicleListPrint.h"

namespace {

constexpr const char* kMainWindowClass = "THlavniForm";

// Arguments as absolute paths: the running copy has another working folder.
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
  SetupFileSystems(true);
  StartTraceLog(MakeRunStamp());

  QApplication app(argc, argv);
  QApplication::setApplicationName("Garvel");
  TQtNotifier notifier;
  SetNotifier(&notifier);

  TPendingCommandLines pending;
  THlavniForm* mainWindow = nullptr;
  std::vector<std::string> arguments = AbsoluteArguments(argc, argv);

  // Single instance: the main window's socket is the lock. A second start
  // hands its command line over and ends.
  // The calendar's update request: the days are kept and the events are sent
  // by a 100 ms one-shot timer on the user-interface thread.
  TCalendarRequest calendarRequest;
  QTimer calendarTimer;
  calendarTimer.setSingleShot(true);
  calendarTimer.setInterval(100);
  TCopyDataServer server([&](const TCopyDataMessage& m) -> int32_t {
    if (m.dwData == 0) {
      if (auto request = ParseCalendarRequest(m.data)) {
        QMetaObject::invokeMethod(&app, [&, r = *request] {
          calendarRequest = r;
          calendarTimer.start();
        });
      }
      return 1;
    }
    if (m.dwData != 1) return 0;
    pending.Add(HandOverFromMessageBytes(m.data));
    QMetaObject::invokeMethod(&app, [&] {
      if (!mainWindow) return;
      mainWindow->showNormal();
      mainWindow->raise();
      mainWindow->activateWindow();
    });
    return 1;
  });
  if (!server.Start(kMainWindowClass)) {
    if (!SendCopyData(kMainWindowClass, TCopyDataMessage{1, HandOverMessageBytes(arguments)}))
      ShowMessage("Error", "CopyData Receiver NOT found!", TMsgIcon::Error);
    SetNotifier(nullptr);
    TeardownFileSystems();
    return 0;
  }

  TAboutForm splash;
  splash.setModal(false);
  splash.show();
  app.processEvents();

  THlavniForm window;
  mainWindow = &window;
  notifier.SetParent(&window);
  TraceStartup();

  TStoreSet stores;
  TStoreOpenOptions options;
  if (!OpenStores(stores, GetVirtualFS(), "", options)) {
    SetNotifier(nullptr);
    return 1;
  }
  // Three wrong passwords end the program before the list is filled.
  if (!CheckProgramPassword(stores.customers.get(), [&](std::string& p) { return AskPassword(&splash, p); })) {
    SetNotifier(nullptr);
    return 1;
  }
  InstallCalendarLink(*stores.cars, stores.customers.get());
  QObject::connect(&calendarTimer, &QTimer::timeout, [&] {
    SendCalendarPeriod(*stores.cars, *stores.records, calendarRequest);
  });

  auto* panel = new TVehicleListPanel(stores, &window);
  window.setCentralWidget(panel);
  panel->Reload();
  window.SetCommandHandler(TCommand::RemoveVehicle, [panel] { panel->RemoveSelected(); });
  window.SetCommandHandler(TCommand::PrintVehicleList,
                           [&window, panel] { PrintVehicleListCommand(panel->List(), &window, QImage(), QImage()); });
  window.SetCommandHandler(TCommand::About, [&] {
    TAboutForm about(&window);
    about.exec();
  });
  if (!arguments.empty()) pending.Add(HandOverForm(arguments));

  window.Recolour(1803748, 8384);  // the default colours until the settings are read
  splash.hide();
  window.show();
  int rc = app.exec();
  panel->StopInfoThread();
  server.Stop();
  SetCalendarLinkFactory(nullptr);
  SetNotifier(nullptr);
  return rc;
}
