#include "ui/HlavniForm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "storage/Notifier.h"
#include "storage/Picture.h"
#include "ui/CommandIcons.h"
#include "ui/ScreenFit.h"
#include "storage/Version.h"

THlavniForm::THlavniForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("THlavniForm");
  setWindowTitle(QString::fromUtf8(kGarvelCaption));
  ResizeWithinScreen(this, 1260, 780);
  BuildMenus();
  BuildToolBar();
}

QAction* THlavniForm::AddCommand(TCommand command, const QString& caption, const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  // Only while the main window is active: the records window, the editors
  // and the other kept windows have keys of their own (Ctrl+S saves a
  // vehicle's records there, Ctrl+N adds a line), and Ctrl+O there must not
  // archive whatever vehicle the main list has selected.
  action->setShortcutContext(Qt::WindowShortcut);
  action->setEnabled(false);
  actions_[command] = action;
  addAction(action);  // shortcuts work even when the menu bar is hidden
  return action;
}

void THlavniForm::SetCommandHandler(TCommand command, std::function<void()> handler) {
  QAction* action = actions_.at(command);
  disconnect(action, &QAction::triggered, nullptr, nullptr);
  connect(action, &QAction::triggered, this, [handler] { handler(); });
  action->setEnabled(true);
}

void THlavniForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  mainMenu_ = new QMenu(QString::fromUtf8("Hlavní nabídka"), this);

  QMenu* car = bar->addMenu(QString::fromUtf8("&Automobil"));
  car->addAction(AddCommand(TCommand::AddVehicle, QString::fromUtf8("Přidat"), QKeySequence("Ctrl+N")));
  car->addAction(AddCommand(TCommand::RemoveVehicle, QString::fromUtf8("Odebrat"), QKeySequence("Ctrl+O")));
  car->addAction(AddCommand(TCommand::OpenVehicle, QString::fromUtf8("Otevřít")));
  car->addSeparator();
  car->addAction(AddCommand(TCommand::PrintVehicleList, QString::fromUtf8("Tisknout seznam vozidel"), QKeySequence("Ctrl+P")));

  QMenu* view = bar->addMenu(QString::fromUtf8("&Zobrazit"));
  view->addAction(AddCommand(TCommand::Contacts, QString::fromUtf8("Zobrazit seznam kontaků"), QKeySequence("Ctrl+K")));
  view->addAction(AddCommand(TCommand::Calendar, QString::fromUtf8("Otevřít kalendář"), QKeySequence("Ctrl+E")));
  view->addAction(AddCommand(TCommand::DueServices, QString::fromUtf8("Zobrazit plánovaný servis"), QKeySequence("Ctrl+L")));
  view->addAction(AddCommand(TCommand::Attachments, QString::fromUtf8("Správce příloh")));
  statisticsSeparator_ = view->addSeparator();
  view->addAction(AddCommand(TCommand::ViewList, QString::fromUtf8("Seznam"), QKeySequence("Ctrl+S")));
  view->addAction(AddCommand(TCommand::ViewDetails, QString::fromUtf8("Podrobnosti"), QKeySequence("Ctrl+D")));
  // The two views of the list exclude each other; the detailed one is first.
  auto* views = new QActionGroup(this);
  for (TCommand c : {TCommand::ViewList, TCommand::ViewDetails}) {
    actions_[c]->setCheckable(true);
    views->addAction(actions_[c]);
  }
  actions_[TCommand::ViewDetails]->setChecked(true);
  view->addAction(AddCommand(TCommand::UnpaidOrders, QString::fromUtf8("Zobrazit nezaplacené zákázky"), QKeySequence("Ctrl+U")));
  view->addAction(AddCommand(TCommand::Invoices, QString::fromUtf8("Zobrazit přehled faktur"), QKeySequence("Ctrl+F")));
  view->addAction(AddCommand(TCommand::SimpleInvoices,
                             QString::fromUtf8("Zobrazit přehled zjednodušených daňových dokladů"), QKeySequence("Ctrl+J")));
  statisticsMenu_ = view->addMenu(QString::fromUtf8("Statistiky"));
  statisticsMenu_->addAction(AddCommand(TCommand::DailyStatistics, QString::fromUtf8("Denní statistiky")));
  statisticsMenu_->addAction(AddCommand(TCommand::VehicleStatistics, QString::fromUtf8("Statistiky výrobců, modelů, ...")));
  view->addAction(AddCommand(TCommand::CatalogueManager, QString::fromUtf8("Správce databáze výrobců, modelů a motorů")));
  view->addAction(AddCommand(TCommand::VinManager, QString::fromUtf8("Správce VIN kódů")));

  QMenu* colours = bar->addMenu(QString::fromUtf8("&Barvy"));
  colours->addAction(AddCommand(TCommand::IconColour, QString::fromUtf8("Ikony")));
  colours->addAction(AddCommand(TCommand::BackgroundColour, QString::fromUtf8("Pozadí")));

  QMenu* admin = bar->addMenu(QString::fromUtf8("&Správa"));
  admin->addAction(AddCommand(TCommand::Backup, QString::fromUtf8("Zálohování")));
  admin->addAction(AddCommand(TCommand::Export, QString::fromUtf8("Export")));

  bar->addAction(AddCommand(TCommand::Settings, QString::fromUtf8("&Nastavení")));

  QMenu* info = bar->addMenu(QString::fromUtf8("&Informace"));
  info->addAction(AddCommand(TCommand::About, QString::fromUtf8("O programu")));
  info->addAction(AddCommand(TCommand::Help, QString::fromUtf8("Nápověda"), QKeySequence(Qt::Key_F1)));

  bar->addAction(AddCommand(TCommand::Quit, QString::fromUtf8("&Konec")));
  SetCommandHandler(TCommand::Quit, [this] { close(); });

  for (QAction* a : bar->actions()) mainMenu_->addAction(a);
  AddCommand(TCommand::Timer, QString::fromUtf8("Spustit časovač"));
}

void THlavniForm::BuildToolBar() {
  toolBar_ = addToolBar(QString::fromUtf8("Nástroje"));
  toolBar_->setObjectName("mainToolBar");
  toolBar_->setMovable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);  // captions show as tool tips

  auto* menuAction = new QAction(QString::fromUtf8("Hlavní nabídka"), this);
  menuAction->setShortcut(QKeySequence(Qt::Key_F10));
  menuAction->setShortcutContext(Qt::WindowShortcut);
  connect(menuAction, &QAction::triggered, this, &THlavniForm::ShowMainMenu);
  addAction(menuAction);
  toolBar_->addAction(menuAction);
  if (auto* menuButton = qobject_cast<QToolButton*>(toolBar_->widgetForAction(menuAction)))
    menuButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar_->addSeparator();
  toolBar_->addAction(actions_[TCommand::AddVehicle]);
  toolBar_->addAction(actions_[TCommand::RemoveVehicle]);
  toolBar_->addAction(actions_[TCommand::OpenVehicle]);
  toolBar_->addAction(actions_[TCommand::PrintVehicleList]);
  actions_[TCommand::PrintVehicleList]->setIconText(QString::fromUtf8("Tisknout"));
  toolBar_->addSeparator();
  toolBar_->addAction(actions_[TCommand::Contacts]);
  toolBar_->addAction(actions_[TCommand::Calendar]);
  toolBar_->addAction(actions_[TCommand::DueServices]);
  workshopToolActions_.append(toolBar_->addSeparator());
  for (TCommand c : {TCommand::ViewDetails, TCommand::ViewList, TCommand::Timer}) {
    toolBar_->addAction(actions_[c]);
    workshopToolActions_.append(actions_[c]);
  }
  auto* statsButton = new QToolButton(toolBar_);
  statsButton->setText(QString::fromUtf8("Statistiky"));
  statsButton->setMenu(statisticsMenu_);
  statsButton->setPopupMode(QToolButton::InstantPopup);
  workshopToolActions_.append(toolBar_->addWidget(statsButton));
}

void THlavniForm::Recolour(uint32_t backgroundBgr, uint32_t iconBgr) {
  const uint32_t background = BgrToRgb(backgroundBgr), tint = BgrToRgb(iconBgr);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(background));
  setPalette(pal);
  setAutoFillBackground(true);
  for (auto& [command, action] : actions_) {
    // The untinted pictures are made once and kept, as tinting is lossy.
    auto it = untintedIcons_.find(command);
    if (it == untintedIcons_.end()) it = untintedIcons_.emplace(command, UntintedCommandIcon(command, 24)).first;
    if (!it->second.isNull()) action->setIcon(TintedIcon(it->second, background, tint));
  }
}

void THlavniForm::ShowMainMenu() {
  QWidget* anchor = toolBar_->widgetForAction(toolBar_->actions().value(0));
  QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : mapToGlobal(QPoint(0, 0));
  mainMenu_->popup(at);
}

void THlavniForm::HideWorkshopFunctions() {
  for (TCommand c : {TCommand::ViewList, TCommand::ViewDetails, TCommand::UnpaidOrders, TCommand::Invoices,
                     TCommand::SimpleInvoices, TCommand::CatalogueManager, TCommand::VinManager,
                     TCommand::DailyStatistics, TCommand::VehicleStatistics})
    actions_[c]->setVisible(false);
  statisticsMenu_->menuAction()->setVisible(false);
  statisticsSeparator_->setVisible(false);
  for (QAction* a : workshopToolActions_) a->setVisible(false);
}

void THlavniForm::closeEvent(QCloseEvent* event) {
  if (mayClose_ && !mayClose_()) {
    ShowMessage("Upozornění", "Nejprve zavřete okna se zákazníky", TMsgIcon::Information);
    event->ignore();
    return;
  }
  event->accept();
}

void THlavniForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && onActivated_) onActivated_();
}
