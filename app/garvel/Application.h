#pragma once
// The desktop program's start-up, in its fixed order, and the wiring of the
// main window's commands to the windows and the core.

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/CalendarUpdate.h"
#include "shell/CopyDataServer.h"
#include "shell/PendingCommandLines.h"
#include "servicebook/VehicleFormServices.h"
#include "shell/Stores.h"
#include "ui/ExecAndWaitForm.h"
#include "ui/QtDesktop.h"
#include "ui/QtNotifier.h"
#include "ui/WebServiceUi.h"

class TAboutForm;
class TcontactsForm;
class TfCarModels;
class TfConfig;
class TfVINmanager;
class TfAttachments;
class TblizkoForm;
class THlavniForm;
class TNovyForm;
class TVehicleListPanel;

class TGarvelApplication {
 public:
  TGarvelApplication(QApplication& app, std::vector<std::string> arguments);
  ~TGarvelApplication();

  // Runs the start-up sequence; false when the program must end (a second
  // copy handed over its command line, a store could not be opened, the
  // password was wrong). `exitCode` says with what.
  bool Start(int& exitCode);
  int Run();

 private:
  bool BecomeTheOnlyCopy();
  // A second start handed over its command line (user-interface thread).
  void CommandLineArrived();
  // Merges the files of the waiting command lines (main window activated).
  void ProcessPendingCommandLines();
  bool OpenStoresAndAskPassword();
  void CreateWindows();
  void LoadPictures();
  // The loaded pictures into the windows that show them.
  void ShowPictures();
  void WireCommands();
  void WireCarWindows();
  void MergeExchangeFile(const S_FileName& file);
  void WireStatistics();
  void WireAttachments();
  void ApplyColours();
  void VersionCheck();
  void AutomaticBackup();
  void StartupReminders();
  void ChooseColour(bool icons);
  void ShowHelp(const std::string& helpFile);

  QApplication& app_;
  std::vector<std::string> arguments_;
  TQtNotifier notifier_;
  TQtDesktop desktop_;
  TQtWebServiceUi webUi_;
  TQtProgramRunner programRunner_;
  TPendingCommandLines pending_;
  bool running_ = false;  // start-up finished, the window loop runs
  bool processingPending_ = false;
  // Wired by the exchange-file processing and the records windows.
  std::function<void(const S_FileName&)> mergeExchangeFile_;
  std::function<bool()> anyRecordsWindowOpen_;
  TCalendarRequest calendarRequest_;
  QTimer calendarTimer_;
  std::unique_ptr<TCopyDataServer> server_;
  std::unique_ptr<TAboutForm> splash_;
  std::unique_ptr<THlavniForm> window_;
  TfAttachments* attachments_ = nullptr;  // owned by the main window
  TVehicleListPanel* panel_ = nullptr;
  // Windows kept for the life of the process (children of the main window).
  TcontactsForm* contacts_ = nullptr;
  TVehicleFormServices vehicleServices_;  // the vehicle window refers to it
  TNovyForm* vehicleForm_ = nullptr;
  TfConfig* settings_ = nullptr;
  TfCarModels* catalogueManager_ = nullptr;
  TfVINmanager* vinManager_ = nullptr;
  TblizkoForm* reminders_ = nullptr;  // owned by the main window
  TStoreSet stores_;
  QImage bgMain_, bgContacts_, bgRecords_, bgPrint_, pageLogo_, pageLogoUntinted_;
};

// A picture named by the settings: an absolute path, or a data path looked up
// through the data folders. Null when missing or not a JPEG.
QImage LoadSettingsPicture(const std::string& path);
