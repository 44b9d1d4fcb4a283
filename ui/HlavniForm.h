#pragma once
// The main window: menu, toolbar and the command table. Each command is
// disabled until the window that serves it is wired with SetCommandHandler;
// the vehicle list fills the central area.

#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QToolBar;

enum class TCommand {
  AddVehicle,
  RemoveVehicle,
  OpenVehicle,
  PrintVehicleList,
  ViewList,
  ViewDetails,
  Contacts,
  Calendar,
  DueServices,
  UnpaidOrders,
  Invoices,
  SimpleInvoices,
  DailyStatistics,
  VehicleStatistics,
  CatalogueManager,
  VinManager,
  Attachments,
  IconColour,
  BackgroundColour,
  Backup,
  Export,
  Settings,
  About,
  Help,
  Quit,
  Timer,
};

class THlavniForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit THlavniForm(QWidget* parent = nullptr);

  // Enables the command and runs `handler` when it is chosen.
  void SetCommandHandler(TCommand command, std::function<void()> handler);
  QAction* Action(TCommand command) const { return actions_.at(command); }

  // Tints every command icon and the window background with the colours
  // (stored as red + 256 green + 65536 blue).
  void Recolour(uint32_t backgroundBgr, uint32_t iconBgr);

  // Hides what the customer edition does not offer.
  void HideWorkshopFunctions();

  // Refuses to close while records windows are open (the predicate says).
  void SetCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

  // Called (on the user-interface thread) when the window is activated and
  // pending command lines may be processed.
  void SetActivationHandler(std::function<void()> handler) { onActivated_ = std::move(handler); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QAction* AddCommand(TCommand command, const QString& caption, const QKeySequence& shortcut = {});
  void BuildMenus();
  void BuildToolBar();
  void ShowMainMenu();

  std::map<TCommand, QAction*> actions_;
  std::map<TCommand, QImage> untintedIcons_;
  QMenu* mainMenu_ = nullptr;
  QMenu* statisticsMenu_ = nullptr;
  QAction* statisticsSeparator_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QList<QAction*> workshopToolActions_;
  std::function<bool()> mayClose_;
  std::function<void()> onActivated_;
};
