#pragma once
// "Upozornění": the reminders window. It lists planned services and orders
// falling due around today, or the unpaid jobs, and from there opens a
// vehicle's records, ignores reminders and mails customers. Not modal, so a
// records window opened from it can be worked in while it stays open.

#include <QDialog>
#include <vector>

#include "servicebook/ReminderServices.h"
#include "servicebook/Reminders.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
struct TStoreSet;

class TblizkoForm : public QDialog {
  Q_OBJECT

 public:
  TblizkoForm(TStoreSet& stores, QWidget* parent = nullptr);

  void SetServices(TReminderServices services) { services_ = std::move(services); }

  // "Plánovaný servis": scans and shows the window when there is a row or
  // `showEmpty` is set. True when shown.
  bool ShowPlanned(int daysBack, int daysAhead, bool showEmpty);
  // "Nezaplacené zakázky", under the same rule.
  bool ShowUnpaid(bool showEmpty);
  // Runs the events until the window is closed (start-up shows the views one
  // after the other); returns at once when it is not shown.
  void WaitUntilClosed();

  // Commands, also for tests.
  void btnIgnoreClick();
  void btnSendMailClick();
  void CheckAll(bool checked);
  void OpenSelectedVehicle();

  const std::vector<TReminderRow>& Rows() const { return rows_; }
  QTableWidget* List() const { return list_; }
  QComboBox* IntervalBox() const { return interval_; }
  QPushButton* IgnoreButton() const { return ignore_; }
  QPushButton* SendButton() const { return send_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Scan(TReminderView view, int daysBack, int daysAhead);
  void Fill();
  bool Present(bool showEmpty);
  void cbIntervalChange(int index);
  std::vector<size_t> MarkedRows() const;
  void RemoveRows(std::vector<size_t> rows);

  TStoreSet& stores_;
  TReminderServices services_;
  std::vector<TReminderRow> rows_;
  TReminderView view_ = TReminderView::Planned;
  int daysBack_ = 0;
  int daysAhead_ = 0;
  bool settingInterval_ = false;  // the window itself sets the interval box

  QTableWidget* list_ = nullptr;
  QLabel* intervalLabel_ = nullptr;
  QComboBox* interval_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* ignore_ = nullptr;
  QPushButton* send_ = nullptr;
};
