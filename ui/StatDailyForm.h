#pragma once
// "Denní statistiky": the daily statistics of the last computation as a
// graph (page "Graf": per series a line/bar choice, zoom, scroll, a hint
// under the pointer, printing) and as the list of the records counted (page
// "Seznam"; a double click opens the vehicle). Not modal; made once and
// shown again for each computation.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "documents/GarvGraph.h"
#include "statistics/DailyStatistics.h"

class QAbstractButton;
class QLabel;
class QPrinter;
class QScrollBar;
class QSlider;
class QTabWidget;
class QTableView;
class TDailyListModel;

class TfStatDaily : public QWidget {
  Q_OBJECT

 public:
  explicit TfStatDaily(TDailySources sources, QWidget* parent = nullptr);
  ~TfStatDaily() override;

  // Computes from the stores with the progress shown, then fills the window
  // and shows it. False (and the window as it was) when the user stopped it.
  bool ComputeDailyStatistics(int grouping, TDateTime from, TDateTime to);
  // Fills the window with a result and shows it.
  void ShowStatistics(TDailyStatistics stats);

  // The double click on a list row; without it the double click does nothing.
  void SetOpenVehicle(std::function<void(int32_t vehicleID)> open) { openVehicle_ = std::move(open); }
  void SetPrintPictures(const QImage& printLogo, const QImage& pagePicture);
  // Title, period, the whole graph and the table of periods.
  void Print(QPrinter& printer);

  const TDailyStatistics& Statistics() const { return stats_; }
  const TGarvGraph& Graph() const { return graph_; }
  QTabWidget* Pages() const { return pages_; }
  QWidget* Picture() const { return picture_; }
  QSlider* Zoom() const { return zoom_; }
  QScrollBar* Scroll() const { return scroll_; }
  QTableView* List() const { return list_; }
  QLabel* Hint() const { return hint_; }
  QAbstractButton* LineButton(size_t series) const { return lineButtons_[series]; }
  QAbstractButton* BarButton(size_t series) const { return barButtons_[series]; }
  // The hint for a pointer position in the picture (hidden off the data).
  void PointerAt(const QPoint& position);
  // Repaints the picture now (tests read the layout after it).
  void Redraw();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  friend class TGraphPicture;
  void ApplyStyles();
  void UpdateScrollRange();
  double StartFraction() const;
  void PaintGraph(QPainter& painter);
  void PrintCommand();
  void ListDoubleClicked(int row);

  TDailySources sources_;
  TDailyStatistics stats_;
  TGarvGraph graph_;
  QTabWidget* pages_;
  QWidget* picture_;
  QSlider* zoom_;
  QScrollBar* scroll_;
  QTableView* list_;
  TDailyListModel* model_;
  QLabel* hint_;
  std::array<QAbstractButton*, 4> lineButtons_{};
  std::array<QAbstractButton*, 4> barButtons_{};
  std::function<void(int32_t)> openVehicle_;
  QImage printLogo_, pagePicture_;
  bool fitZoom_ = false;
};
