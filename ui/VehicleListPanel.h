#pragma once
// The central area of the main window: the filter row, the vehicle list, the
// information panel of the selected vehicle and the windows bar.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/RecordInfoThread.h"
#include "shell/VehicleList.h"
#include "ui/BackgroundTableView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct TStoreSet;
class TVehicleListModel;

class TVehicleListPanel : public QWidget {
  Q_OBJECT

 public:
  TVehicleListPanel(TStoreSet& stores, QWidget* parent = nullptr);
  ~TVehicleListPanel() override;

  // Reads the vehicles again and fills the list (keeps the selected row).
  void Reload();
  int32_t SelectedVehicle() const;
  TVehicleList& List() { return list_; }
  TBackgroundTableView* View() { return view_; }
  QLineEdit* SearchBox() { return search_; }
  QComboBox* PeriodBox() { return period_; }
  QCheckBox* ArchivedBox() { return archived_; }

  // "Odebrat" of the selected vehicle.
  void RemoveSelected();
  // Selects a vehicle after it was added or changed.
  void ShowVehicle(int32_t vehicleID);

  void SetBackgroundPicture(const QImage& picture) { view_->SetBackground(picture); }
  void SetPanelColour(const QColor& colour);
  // Where the pictures of vehicles ("CAR") and owners ("CON") are found.
  void SetPictureFinder(TRecordInfoThread::TPictureFinder finder);
  // Stops the background thread (the main window is closing).
  void StopInfoThread();
  // Buttons of the records windows; an empty list hides the bar.
  void SetWindowButtons(const QStringList& captions);

 signals:
  void openRequested(int32_t vehicleID);
  void addRequested();
  void windowButtonClicked(int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyFilter();
  void AfterListChange(int keepRow);
  void ApplyColumnWidths();
  void OnSelectionChanged();
  void UpdateInfo(const TRecordInfoThread::TUpdate& update);
  void LayoutWindowsBar();

  TStoreSet& stores_;
  TVehicleList list_;
  std::unique_ptr<TVehicleListModel> model_;
  TBackgroundTableView* view_ = nullptr;
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
  QColor panelColour_ = QColor(0xE4, 0x85, 0x1B);
  TRecordInfoThread::TPictureFinder finder_;
  std::unique_ptr<TRecordInfoThread> info_;
};
