#pragma once
// The central area of the main window: the filter row, the vehicle list (as
// a detailed table or a brief list of names), the information panel of the
// selected vehicle and the windows bar.
//
// Whatever changes vehicles or contacts elsewhere tells the panel, so that
// the list never shows stale rows: RefreshVehicle after a vehicle was saved,
// RefreshOwner after a contact was changed or deleted, Reload after many
// changes at once (merging a received file).

#include <QIcon>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/RecordInfoThread.h"
#include "shell/VehicleList.h"
#include "ui/BackgroundListView.h"
#include "ui/BackgroundTableView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
struct TStoreSet;
class TVehicleListModel;

class TVehicleListPanel : public QWidget {
  Q_OBJECT

 public:
  TVehicleListPanel(TStoreSet& stores, QWidget* parent = nullptr);
  ~TVehicleListPanel() override;

  // Reads every vehicle and owner again and fills the list; the selected
  // vehicle stays selected when it is still shown.
  void Reload();
  // One vehicle's row read again (after it was saved or erased elsewhere).
  void RefreshVehicle(int32_t vehicleID);
  // The rows of every vehicle of this owner read again (after the contact
  // was changed or deleted).
  void RefreshOwner(int32_t contactID);
  // A vehicle just added: its row shown and selected whatever the filter.
  void ShowNewVehicle(int32_t vehicleID);

  int32_t SelectedVehicle() const;
  // Selects the shown row of a vehicle; false when it is not shown.
  bool SelectVehicle(int32_t vehicleID);
  TVehicleList& List() { return list_; }
  TBackgroundTableView* View() { return view_; }
  QListView* BriefView() { return brief_; }
  QLineEdit* SearchBox() { return search_; }
  QComboBox* PeriodBox() { return period_; }
  QCheckBox* ArchivedBox() { return archived_; }

  // "Podrobnosti" (the table with every column) or "Seznam" (the names only,
  // in columns).
  void SetDetailsView(bool details);
  bool IsDetailsView() const;

  // "Odebrat" of the selected vehicle.
  void RemoveSelected();

  void SetBackgroundPicture(const QImage& picture) {
    view_->SetBackground(picture);
    brief_->SetBackground(picture);
  }
  void SetPanelColour(const QColor& colour);
  void SetRowIcon(const QIcon& icon);
  // Where the pictures of vehicles ("CAR") and owners ("CON") are found; the
  // finder runs on the background thread and must own what it reads.
  void SetPictureFinder(TRecordInfoThread::TPictureFinder finder);
  // Stops the background thread (the main window is closing).
  void StopInfoThread();
  // Toggle buttons of the records windows, the active one pressed (-1 none);
  // an empty list hides the bar.
  void SetWindowButtons(const QStringList& captions, int active = -1);
  QList<QPushButton*> WindowButtons() const { return windowButtons_; }
  // "Odebrat" asks it first; false refuses (the vehicle's records window is open).
  void SetRemoveGuard(std::function<bool(int32_t vehicleID)> mayRemove) { removeGuard_ = std::move(mayRemove); }

 signals:
  // Double click or Enter on a row, or "Otevřít záznamy automobilu": once.
  void openRequested(int32_t vehicleID);
  void addRequested();
  void windowButtonClicked(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyFilter();
  // Shows the list after a change, selecting `vehicleID` if shown, else the
  // row at `keepRow`; the information panel is read again when asked.
  void AfterListChange(int32_t vehicleID, int keepRow, bool showInfoAfresh = false);
  void ApplyColumnWidths();
  void FitBriefColumns();
  void ColumnResized(int column, int width);
  int CurrentRow() const;
  void RequestOpen();
  void OnSelectionChanged();
  void UpdateInfo(const TRecordInfoThread::TUpdate& update);
  void LayoutWindowsBar();
  void ClearInfo();

  TStoreSet& stores_;
  TVehicleList list_;
  std::unique_ptr<TVehicleListModel> model_;
  QStackedWidget* views_ = nullptr;
  TBackgroundTableView* view_ = nullptr;
  TBackgroundListView* brief_ = nullptr;
  bool applyingWidths_ = false;
  QLineEdit* search_ = nullptr;
  QComboBox* period_ = nullptr;
  QCheckBox* archived_ = nullptr;
  QLabel* carPicture_ = nullptr;
  QLabel* ownerPicture_ = nullptr;
  QLabel* carType_ = nullptr;
  QLabel* carPlate_ = nullptr;
  QLabel* carEngine_ = nullptr;
  QLabel* carInfo_ = nullptr;
  QLabel* ownerName_ = nullptr;
  QLabel* ownerAddress_ = nullptr;
  QLabel* ownerPhone_ = nullptr;
  QLabel* ownerEmail_ = nullptr;
  QWidget* windowsBar_ = nullptr;
  QList<QPushButton*> windowButtons_;
  std::unique_ptr<TRecordInfoThread> info_;
  std::function<bool(int32_t)> removeGuard_;
};
