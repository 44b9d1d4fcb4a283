#pragma once
// TGarvGraph paints one or more data series into a picture: each scale with
// its own vertical axis (series whose ranges are close share one), points
// joined by lines or bars, labelled vertical separators and a legend with
// optional totals. The window keeps the step (pixels per unit of x) and the
// start (a fraction of the whole x range) and redraws on zoom and scroll;
// IndexAtX maps a pointer position back to a value index.

#include <cstdint>
#include <string>
#include <vector>

#include "documents/GraphCanvas.h"

// One series. Values are doubles so that money sums stay exact to the
// haléř at workshop scale.
struct TSingleGraph {
  std::vector<double> Values;
  std::vector<double> Positions;  // x of each value; empty = 0, 1, 2 ...
  uint32_t Color = 0;             // 0x00BBGGRR
  std::string Caption;
  std::string Unit;
  std::string Legend;  // kLegendSum = automatic total
  int32_t Style = 0;   // kStyleLines or kStyleBars; others draw nothing
};

inline constexpr const char* kLegendSum = "$SUM";
enum : int32_t { kStyleLines = 0, kStyleBars = 1 };

struct TSingleGraphEx : TSingleGraph {
  double Min = 0;
  double Max = 1;
};

struct TSeparator {
  double position = 0;  // in units of x; 1.5 lies between the values 1 and 2
  std::string label;
};

// Rounds the scale outwards to steps of half a power of ten of its size:
// 0..180 gives 0..200, 5..6 gives 5..10.
void NiceRange(double& min, double& max);

class TGarvGraph {
 public:
  void ClearGraph();
  // Ignored when the series has no values. Values that are not finite
  // count as 0. The scale is the values' range, at least 1 wide, made nice.
  void AddSeries(const TSingleGraph& series);
  void AddSeparator(const std::string& label, double position);
  void SetSeriesStyle(size_t series, int32_t style);

  // Paints the whole canvas. `start` is the fraction of the x range left of
  // the plot; the layout used is remembered for IndexAtX.
  void DrawGraph(IGraphCanvas& canvas, double step, double start);
  // The index of the first series' value under x, or −1.
  int IndexAtX(int x) const;
  // The value, or 0 outside the data.
  double ValueAt(size_t series, int index) const;
  // A step that fits the first series into the width, at least 8 pixels.
  static int PointSpacing(int imageWidth, size_t valueCount);
  int PointSpacing(int imageWidth) const;
  // The step that shows the whole x range in a picture of that width.
  double FitStep(int imageWidth) const;
  // The width of the plot in a picture of that width: right of the axes,
  // left of the right margin.
  int PlotWidth(int imageWidth) const;

  // The legend text of a series: its Legend, or for kLegendSum the caption,
  // " celkem: ", the sum of its values and the unit.
  static std::string LegendText(const TSingleGraph& series);
  static double Sum(const TSingleGraph& series);

  size_t SeriesCount() const { return series_.size(); }
  const TSingleGraphEx& Series(size_t i) const { return series_[i]; }
  const std::vector<TSeparator>& Separators() const { return separators_; }
  int PlotLeft() const { return plotLeft_; }

 private:
  struct TScale {
    double min = 0, max = 1;
    bool operator==(const TScale&) const = default;
  };
  // The scale each series is drawn with, and the first series of each
  // distinct scale (one axis each).
  void Scales(std::vector<TScale>& scale, std::vector<size_t>& axisOwners) const;
  double LastX() const;

  std::vector<TSingleGraphEx> series_;
  std::vector<TSeparator> separators_;
  int plotLeft_ = 0;
  int offset_ = 0;  // from a slot's left edge to its points
  int firstIndex_ = 0;
  double step_ = 0;
};
