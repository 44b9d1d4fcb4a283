#include "app/garvel/Application.h"

#include <QColorDialog>
#include <QComboBox>
#include <filesystem>

#include "catalogues/CatalogueStores.h"
#include "catalogues/EntryPicture.h"
#include "servicebook/AttachmentRoots.h"
#include "ui/ContactDetail.h"
#include "catalogues/Contacts.h"
#include "catalogues/VinPatterns.h"
#include "catalogues/StartingCatalogue.h"
#include "shell/CopyData.h"
#include "shell/EntryPictureLookup.h"
#include "shell/Config.h"
#include "shell/ExternalPrograms.h"
#include "shell/GarvCalendCom.h"
#include "shell/HandOver.h"
#include "shell/StartupSteps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Picture.h"
#include "storage/SaveStages.h"
#include "exchange/ExchangeFile.h"
#include "exchange/WebService.h"
#include "storage/Version.h"
#include "ui/AboutForm.h"
#include "ui/CgarvFileForm.h"
#include "ui/ServiceBookCommands.h"
#include "ui/AutoFormWiring.h"
#include "ui/BlizkoForm.h"
#include "ui/CarWindows.h"
#include "servicebook/NewVehicleStore.h"
#include "ui/AttachmentsForm.h"
#include "ui/BackupForm.h"
#include "servicebook/ReminderActions.h"
#include "ui/CarModelsForm.h"
#include "ui/ExportCommand.h"
#include "ui/CommandIcons.h"
#include "ui/ConfigWindow.h"
#include "ui/ContactDetail.h"
#include "ui/ContactsForm.h"
#include "ui/DocumentListForm.h"
#include "ui/DocumentServices.h"
#include "ui/HelpKey.h"
#include "ui/HlavniForm.h"
#include "ui/NovyForm.h"
#include "ui/PasswordPrompt.h"
#include "ui/SlotGuard.h"
#include "ui/StatCarsForm.h"
#include "ui/StatCarsSetupForm.h"
#include "ui/StatDailyForm.h"
#include "ui/StatDailySetupForm.h"
#include "ui/ReminderWiring.h"
#include "ui/VehicleListPanel.h"
#include "ui/VehicleFormWiring.h"
#include "ui/VinManagerForm.h"
#include "ui/VehicleListPrint.h"

namespace {

constexpr const char* kMainWindowClass = "THlavniForm";

QImage ToImage(const TPicture& p) {
  if (p.Empty()) return QImage();
  return QImage(p.rgb.data(), p.width, p.height, p.width * 3, QImage::Format_RGB888).copy();
}

// The folder the program was started in; empty when it cannot be told.
std::string CurrentFolder() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string() : path.string();
}

}  // namespace

QImage LoadSettingsPicture(const std::string& path) {
  if (path.empty()) return QImage();
  std::string real = path[0] == '/' ? path : GetVirtualFS().GetRealPath(path);
  TPicture picture;
  if (!LoadJpeg(real, picture)) return QImage();
  return ToImage(picture);
}

TGarvelApplication::TGarvelApplication(QApplication& app, std::vector<std::string> arguments)
    : app_(app), arguments_(AbsoluteArguments(arguments, CurrentFolder())) {
  SetNotifier(&notifier_);
  SetDesktop(&desktop_);
  SetProgramRunner(&programRunner_);
  calendarTimer_.setSingleShot(true);
  calendarTimer_.setInterval(100);
}

TGarvelApplication::~TGarvelApplication() {
  if (server_) server_->Stop();
  SetCalendarLinkFactory(nullptr);
  SetDocumentListWindow(nullptr);
  SetProgramRunner(nullptr);
  WebService().SetUi(nullptr);
  SetDesktop(nullptr);
  SetNotifier(nullptr);
}

bool TGarvelApplication::Start(int& exitCode) {
  exitCode = 0;
  // Settings: defaults first, then the file.
  LoadDefaults(Config());
  LoadConfig(Config());
  if (!BecomeTheOnlyCopy()) return false;

  splash_ = std::make_unique<TAboutForm>();
  splash_->setModal(false);
  splash_->show();
  app_.processEvents();

  window_ = std::make_unique<THlavniForm>();
  notifier_.SetParent(window_.get());
  desktop_.SetParent(window_.get());
  TraceStartup();
  // The web-service client: its address, login, password and e-mail method,
  // and its progress and editor windows over the main window.
  webUi_.SetParent(window_.get());
  WebService().SetUi(&webUi_);
  ConfigureWebService(Config());
  if (!OpenStoresAndAskPassword()) {
    exitCode = 1;
    return false;
  }
  LoadPictures();
  CreateWindows();

  panel_ = new TVehicleListPanel(stores_, window_.get());
  window_->setCentralWidget(panel_);
  ShowPictures();
  // The background thread finds the pictures on its own copy of the folders.
  if (auto lookup = CurrentEntryPictureLookup())
    panel_->SetPictureFinder([lookup](const char* kind, int32_t id) { return lookup->Find(kind, id); });
  panel_->PeriodBox()->setCurrentIndex(Config().filterIndex);
  panel_->Reload();
  WireAttachments();
  WireCommands();
  WireCarWindows();
  window_->SetActivationHandler([this] { ProcessPendingCommandLines(); });
  QObject::connect(&app_, &QApplication::applicationStateChanged, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) ProcessPendingCommandLines();
  });
  StartupReminders();
  splash_->hide();
  if (IsCustomerEdition()) window_->HideWorkshopFunctions();
  pageLogoUntinted_ = pageLogo_;
  ApplyColours();
  VersionCheck();
  AutomaticBackup();
  if (!arguments_.empty()) {
    const std::string line = HandOverForm(arguments_);
    pending_.Add(line);
    LogTrace(1, CommandLineTraceText(line, false));
  }
  return true;
}

int TGarvelApplication::Run() {
  window_->show();
  running_ = true;
  // Command lines handed over during start-up waited until now.
  if (!pending_.Empty()) QTimer::singleShot(0, [this] { CommandLineArrived(); });
  int rc = app_.exec();
  if (panel_) panel_->StopInfoThread();
  return rc;
}

bool TGarvelApplication::BecomeTheOnlyCopy() {
  server_ = std::make_unique<TCopyDataServer>([this](const TCopyDataMessage& m) -> int32_t {
    if (m.dwData == 0) {
      // The calendar's update request: the days are kept and a 100 ms
      // one-shot timer sends the events on the user-interface thread.
      if (auto request = ParseCalendarRequest(m.data)) {
        QMetaObject::invokeMethod(&app_, [this, r = *request] {
          calendarRequest_ = r;
          calendarTimer_.start();
        });
      }
      return 1;
    }
    if (m.dwData != 1) return 0;
    const std::string line = HandOverFromMessageBytes(m.data);
    pending_.Add(line);
    QMetaObject::invokeMethod(&app_, [this, line] {
      LogTrace(1, CommandLineTraceText(line, true));  // on the user-interface thread, as every trace line
      CommandLineArrived();
    });
    return 1;
  });
  // A second copy hands its command line to the first and ends.
  switch (BecomeFirstOrHandOver(*server_, kMainWindowClass, TCopyDataMessage{1, HandOverMessageBytes(arguments_)})) {
    case TInstanceRole::First: return true;
    case TInstanceRole::HandedOver: break;
    case TInstanceRole::NoReceiver: ShowMessage("Error", "CopyData Receiver NOT found!", TMsgIcon::Error); break;
  }
  DiscardEmptyTraceLog();  // this start wrote nothing: no empty log of it stays
  server_.reset();
  return false;
}

void TGarvelApplication::CommandLineArrived() {
  // Until start-up has finished the line only waits: raising the main window
  // now would cover the password prompt or a store's error message.
  if (!running_ || !window_) return;
  const bool focused = window_->isActiveWindow();
  window_->showNormal();
  window_->raise();
  window_->activateWindow();
  if (focused) ProcessPendingCommandLines();
}

void TGarvelApplication::ProcessPendingCommandLines() {
  // The merging of exchange files is wired by its module; until then, and
  // while a records window is open, the lines keep waiting.
  if (!running_ || processingPending_ || !mergeExchangeFile_ || pending_.Empty()) return;
  if (anyRecordsWindowOpen_ && anyRecordsWindowOpen_()) return;
  // Nor inside the wait for the web service: the command that waits
  // (reminders, a sent record) goes on with its data when the answer comes.
  if (WebService().Busy()) return;
  processingPending_ = true;
  try {
    // A file handed over while the window of another one was open waits in
    // the list and is taken next, not left for the next activation.
    while (!pending_.Empty())
      for (const std::string& file : ExistingFilesOf(pending_.TakeAll())) mergeExchangeFile_(RealFile(file));
  } catch (const std::exception& e) {
    LogError(std::string("Zpracování přijatých souborů selhalo: ") + e.what(), true);
  }
  processingPending_ = false;
}

bool TGarvelApplication::OpenStoresAndAskPassword() {
  TStoreOpenOptions options;
  options.userName = Config().userName;
  SetDurableSaves(true);  // a power cut must not reorder the writes of a save
  if (!OpenStores(stores_, GetVirtualFS(), "", options)) return false;
  // Three wrong passwords end the program before the list is filled.
  if (!CheckProgramPassword(stores_.customers.get(),
                            [this](std::string& p) { return AskPassword(splash_.get(), p); }))
    return false;
  InstallCalendarLink(*stores_.cars, stores_.customers.get());
  // A fresh installation gets the starting catalogue shipped with the program.
  LoadStartingCatalogue(CatalogueOf(stores_), GetVirtualFS().GetRealPath("catalogue\\"));
  QObject::connect(&calendarTimer_, &QTimer::timeout,
                   [this] { SendCalendarPeriod(*stores_.cars, *stores_.records, calendarRequest_); });
  return true;
}

void TGarvelApplication::LoadPictures() {
  const TConfig& c = Config();
  bgMain_ = LoadSettingsPicture(c.bgmain);
  bgContacts_ = LoadSettingsPicture(c.bgcontacts);
  bgRecords_ = LoadSettingsPicture(c.bgrec);
  bgPrint_ = LoadSettingsPicture(c.bgprint);
  pageLogo_ = LoadSettingsPicture("images\\testlogo.jpg");
}

void TGarvelApplication::ApplyColours() {
  const TConfig& c = Config();
  window_->Recolour(static_cast<uint32_t>(c.bgcolor), static_cast<uint32_t>(c.iconscolor));
  panel_->SetPanelColour(QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(c.bgcolor))));
  panel_->SetRowIcon(VehicleRowIcon(BgrToRgb(static_cast<uint32_t>(c.iconscolor))));
  pageLogo_ = DuotoneImage(pageLogoUntinted_, BgrToRgb(static_cast<uint32_t>(c.iconscolor)),
                           BgrToRgb(static_cast<uint32_t>(c.bgcolor)));
}

void TGarvelApplication::ChooseColour(bool icons) {
  TConfig& c = Config();
  int& value = icons ? c.iconscolor : c.bgcolor;
  QColor chosen = QColorDialog::getColor(QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(value))), window_.get(),
                                         QString::fromUtf8(icons ? "Barva ikon" : "Barva pozadí"));
  if (!chosen.isValid()) return;
  value = static_cast<int>(RgbToBgr(chosen.rgb() & 0xFFFFFF));
  WriteIniText("background", icons ? "iconscolor" : "bgcolor", std::to_string(value));
  ApplyColours();
}

void TGarvelApplication::ShowHelp(const std::string& helpFile) { OpenHelpPage(helpFile); }

void TGarvelApplication::VersionCheck() {
  TConfig& c = Config();
  const int32_t today = DayNumber(Today());
  if (!VersionCheckDue(c.autoupdate, c.updateperiod, c.lastupdate, today)) return;
  c.lastupdate = today;
  WriteIniText("updates", "lastupdate", std::to_string(today));
  S_OnlineVersion online;
  if (!WebService().QueryOnlineVersion(online)) return;  // no answer asks nothing
  const auto question = NewVersionQuestion(online.major, online.minor);
  if (question && AskYesNo("Dotaz", *question, true)) GetDesktop().OpenUrl(kProgramDownloadAddress);
}

void TGarvelApplication::AutomaticBackup() {
  TConfig& c = Config();
  const int32_t today = DayNumber(Today());
  int32_t last = c.lastbackup;
  bool due = BackupDue(c.autobackup, c.backupinterval, last, today);
  if (last != c.lastbackup) {
    c.lastbackup = last;
    WriteIniText("backup", "lastbackup", std::to_string(last));
  }
  // Once the main window is up and the window loop runs.
  if (due) QTimer::singleShot(0, window_.get(), [this] { RunProgramBackup(window_.get()); });
}

void TGarvelApplication::WireCarWindows() {
  TCarWindowsContext c;
  c.cars = stores_.cars.get();
  c.records = stores_.records.get();
  c.services = RecordWindowServicesFor(stores_, window_.get(), bgContacts_);
  // The vehicle window, the contact list and its detail window are the
  // program's kept ones; what is changed in them reaches the main list.
  c.services.changeVehicle = [this](QWidget*, Tautomobil& vehicle) { return ChangeVehicle(*vehicleForm_, vehicle); };
  if (contacts_) {
    c.services.chooseContact = [this](QWidget*, int32_t current) { return contacts_->Choose(current); };
    c.services.editContact = [this](QWidget*, TContactRecord& contact) {
      return EditContact(contacts_->Detail(), contact, false);
    };
  }
  // The main list shows what a records window stored.
  c.services.vehicleSaved = [this](int32_t id) { panel_->RefreshVehicle(id); };
  c.services.ownerChanged = [this](int32_t id) { panel_->RefreshOwner(id); };
  AddDocumentServices(c.services);
  AddServiceBookServices(c.services, [this] { return bgPrint_; }, [this] { return pageLogo_; });
  c.services.showAttachments = [this](QWidget*, const Tautomobil& v) {
    attachments_->ShowRoots(VehicleAttachmentRoots(CatalogueOf(stores_), v, Config().attachpath), false);
  };
  c.background = bgRecords_;
  c.parent = window_.get();
  c.showButtons = [this](const QStringList& captions, int active) { panel_->SetWindowButtons(captions, active); };
  // Once the closing window is gone: it is still on the screen while its
  // close is being handled, and would stand behind the received file's lists.
  c.allClosed = [this] {
    QTimer::singleShot(0, window_.get(), [this] {
      if (window_->isActiveWindow()) ProcessPendingCommandLines();
    });
  };
  SetCarWindowsContext(std::move(c));

  QObject::connect(panel_, &TVehicleListPanel::openRequested, [](int32_t id) { OpenCarWindow(id); });
  QObject::connect(panel_, &TVehicleListPanel::windowButtonClicked, [](int index) { ShowCarWindowAt(index); });
  window_->SetCommandHandler(TCommand::OpenVehicle, [this] {
    if (panel_->SelectedVehicle() >= 0) OpenCarWindow(panel_->SelectedVehicle());
  });
  window_->SetCloseGuard([] { return !AnyCarWindowOpen(); });
  // Received files wait while a records window holds a vehicle's records in
  // memory: its next save would write over what was merged.
  anyRecordsWindowOpen_ = [] { return AnyCarWindowOpen(); };
  mergeExchangeFile_ = [this](const S_FileName& file) { MergeExchangeFile(file); };
  panel_->SetRemoveGuard([](int32_t id) { return !IsCarWindowOpen(id); });
}

void TGarvelApplication::MergeExchangeFile(const S_FileName& file) {
  TExchangeIndex index(stores_);
  const TExchangeFileResult result =
      ProcessExchangeFile(file, index, [this](TExchangeChanges& changes) {
        return ChooseExchangeChanges(changes, window_.get());
      });
  // The main list shows what was merged, new vehicles and owners too.
  if (result.outcome == TExchangeOutcome::Applied && (result.applied.applied > 0)) panel_->Reload();
}

void TGarvelApplication::CreateWindows() {
  // Each window is made once and kept, hidden, for the life of the process:
  // it keeps its size and its order between uses, and reads its data afresh
  // at each opening. Its parent, the main window, frees it at the end.
  QWidget* main = window_.get();
  if (stores_.customers) {
    contacts_ = new TcontactsForm(*stores_.customers, *stores_.cars, main);
    contacts_->onContactChanged = [this](int32_t id) {
      if (panel_) panel_->RefreshOwner(id);
    };
  }
  // The vehicle window chooses owners in the one contact list.
  std::function<int32_t(int32_t)> chooseOwner;
  if (contacts_) chooseOwner = [this](int32_t current) { return contacts_->Choose(current); };
  vehicleServices_ = VehicleFormServicesFor(stores_, main, chooseOwner);
  vehicleForm_ = new TNovyForm(*stores_.cars, vehicleServices_, main);
  reminders_ = new TblizkoForm(stores_, main);
  reminders_->SetServices(ProgramReminderServices());

  auto suppliers = [this] {
    std::vector<std::string> entries;
    if (!stores_.customers) return entries;
    for (const TContactRecord& c : LoadContacts(*stores_.customers))
      if (c.kind == kContactSupplier && !c.email.empty()) entries.push_back(SupplierAddressEntry(c));
    return entries;
  };
  std::function<void()> password;
  if (stores_.customers)
    password = [this] {
      SetAccessPassword(*stores_.customers, [this](const std::string& caption, std::string& p) {
        return AskPassword(window_.get(), p, caption);
      });
    };
  settings_ = new TfConfig(suppliers, password, main);
  attachments_ = CreateProgramAttachmentsWindow(stores_, Config().attachpath, main);

  if (CatalogueOf(stores_).Complete()) {
    catalogueManager_ = new TfCarModels(CatalogueOf(stores_), main);
    vinManager_ = new TfVINmanager(CatalogueOf(stores_), VinPatterns(), main);
  }
}

void TGarvelApplication::ShowPictures() {
  if (panel_) panel_->SetBackgroundPicture(bgMain_);
  SetCarWindowsBackground(bgRecords_);
  if (contacts_) {
    contacts_->SetBackground(bgContacts_);
    contacts_->SetPrintPictures(bgPrint_, pageLogo_);
  }
}

void TGarvelApplication::WireAttachments() {
  window_->SetCommandHandler(TCommand::Attachments, [this] {
    attachments_->ShowAllAttachments();
    attachments_->ShowAttachmentWindow(false);
  });
  // The contact window is modal, so its attachments are too.
  SetContactAttachmentsOpener([this](int32_t id) {
    attachments_->ShowRoots({EntryAttachmentFolder(Config().attachpath, "CON", id)}, true);
  });
}

void TGarvelApplication::StartupReminders() {
  const TConfig& c = Config();
  if (c.autosend && !c.autoSendDisallowed) {
    TReminderMailSettings mail{c.usersubj, c.custmailtext, TVatSettings{c.taxpaid, c.taxrate}};
    try {
      AutoSendReminders(TReminderStores{*stores_.cars, *stores_.records, stores_.customers.get()}, c.sdaysretro,
                        c.sdaysadvance, Today(), mail, UnattendedReminderServices());
    } catch (const std::exception& e) {
      LogError(std::string("Automatic reminders: ") + e.what(), false);  // silent, as its failures are
    }
  }
  // The two views one after the other; a records window opened from them
  // stays usable meanwhile.
  if (c.autoopen && reminders_->ShowPlanned(c.odaysretro, c.odaysadvance, false)) reminders_->WaitUntilClosed();
  if (c.unpaidautoopen && reminders_->ShowUnpaid(false)) reminders_->WaitUntilClosed();
}

void TGarvelApplication::WireCommands() {
  THlavniForm& w = *window_;
  TVehicleListPanel* panel = panel_;
  w.SetCommandHandler(TCommand::RemoveVehicle, [panel] { panel->RemoveSelected(); });
  w.SetCommandHandler(TCommand::ViewList, [panel] { panel->SetDetailsView(false); });
  w.SetCommandHandler(TCommand::ViewDetails, [panel] { panel->SetDetailsView(true); });
  auto addVehicle = [this] {
    const int32_t id = NewVehicle(*vehicleForm_);
    if (id < 0) return;
    panel_->ShowNewVehicle(id);  // the new row with its owner, sorted and selected, whatever the filter
    Tautomobil v;
    if (stores_.cars->LoadCar(id, v)) LogTrace(1, AddCarTraceText(v));
    OpenCarWindow(id);
  };
  w.SetCommandHandler(TCommand::AddVehicle, addVehicle);
  QObject::connect(panel_, &TVehicleListPanel::addRequested, addVehicle);
  w.SetCommandHandler(TCommand::PrintVehicleList, [this, panel] {
    PrintVehicleListCommand(panel->List(), window_.get(), bgPrint_, pageLogo_);
  });
  // The start-up screen is the About window, shown modally here.
  w.SetCommandHandler(TCommand::About, [this] { splash_->exec(); });
  if (contacts_) w.SetCommandHandler(TCommand::Contacts, [this] { contacts_->Choose(-2); });
  w.SetCommandHandler(TCommand::Settings, [this] {
    if (!ShowSettings(*settings_, Config())) return;
    ConfigureWebService(Config());
    // The pictures and colours may have changed.
    LoadPictures();
    pageLogoUntinted_ = pageLogo_;
    ShowPictures();
    ApplyColours();
  });
  if (catalogueManager_) {
    w.SetCommandHandler(TCommand::CatalogueManager, [this] { catalogueManager_->Run(); });
    w.SetCommandHandler(TCommand::VinManager, [this] { vinManager_->Open(); });
    catalogueManager_->SetAttachmentOpener([this](const std::string& folder) { attachments_->ShowRoots({folder}, true); });
  }
  w.SetCommandHandler(TCommand::Export, [this] {
    RunDatabaseExport(stores_, TVatSettings{Config().taxpaid, Config().taxrate}, window_.get());
  });
  w.SetCommandHandler(TCommand::Backup, [this] { RunProgramBackup(window_.get()); });
  // The document register is made once and shown again (not modal).
  SetDocumentListWindow(new TfInvoiceList(window_.get()));
  w.SetCommandHandler(TCommand::Invoices, [] { OpenDocumentList("invoice", "Seznam faktur"); });
  w.SetCommandHandler(TCommand::SimpleInvoices,
                      [] { OpenDocumentList("invoice_simple", "Seznam zjednodušených daňových dokladů"); });
  if (!IsCustomerEdition()) WireStatistics();
  w.SetCommandHandler(TCommand::DueServices, [this] {
    reminders_->ShowPlanned(Config().odaysretro, Config().odaysadvance, true);
  });
  w.SetCommandHandler(TCommand::UnpaidOrders, [this] { reminders_->ShowUnpaid(true); });
  w.SetCommandHandler(TCommand::Help, [this] { ShowHelp("index.html"); });
  w.SetCommandHandler(TCommand::IconColour, [this] { ChooseColour(true); });
  w.SetCommandHandler(TCommand::BackgroundColour, [this] { ChooseColour(false); });
  w.SetCommandHandler(TCommand::Calendar, [] {
    OpenCalendarProgram(ProgramPath(Config().calend, Config().calendarInstallFolder, "agendix"));
  });
  w.SetCommandHandler(TCommand::Timer, [] {
    StartTimerProgram(ProgramPath(Config().timer, Config().timerInstallFolder, "tikomer"));
  });
}

void TGarvelApplication::WireStatistics() {
  // Made once; each command asks for its settings and computes again.
  auto* dailySetup = new TfStatDailySetup(window_.get());
  auto* daily = new TfStatDaily(TDailySources{*stores_.records, *stores_.cars, stores_.customers.get()}, window_.get());
  daily->SetOpenVehicle([](int32_t id) { OpenCarWindow(id); });
  window_->SetCommandHandler(TCommand::DailyStatistics, [this, dailySetup, daily] {
    RunGuarded([&] {
      int grouping = 0;
      TDateTime from = 0, to = 0;
      if (!dailySetup->Ask(grouping, from, to)) return;
      daily->SetPrintPictures(bgPrint_, pageLogo_);
      daily->ComputeDailyStatistics(grouping, from, to);
    });
  });
  auto* carsSetup = new TfStatCarsSetup(window_.get());
  auto* cars = new TfStatCars(*stores_.cars, *stores_.records, CatalogueOf(stores_), window_.get());
  window_->SetCommandHandler(TCommand::VehicleStatistics, [carsSetup, cars] {
    RunGuarded([&] {
      int grouping = kDefaultVehicleGrouping;
      TVehicleStatSetup setup;
      if (!carsSetup->Ask(grouping, setup)) return;
      // Only the second percentage is passed on; both stay 0 while the
      // fields cannot be edited.
      cars->Compute(grouping, setup.worst, setup.minimumCount);
    });
  });
}
