#include "documents/GarvGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "storage/NumberText.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;
constexpr int kMargin = 20;      // left and right of the plot
constexpr int kVertical = 40;    // above and below the plot
constexpr int kAxisWidth = 60;   // per vertical axis
constexpr int kLegendWidth = 200;
constexpr int kLabelGap = 4;     // between separator labels

// Nearest integer, halves to even.
double Round(double v) { return std::nearbyint(v); }
int RoundInt(double v) {
  v = Round(v);
  if (!(v > -1e9)) return -1000000000;  // far outside any surface, and NaN
  if (v > 1e9) return 1000000000;
  return static_cast<int>(v);
}

double Finite(double v) { return std::isfinite(v) ? v : 0; }

// The pixel row of a value: bottom of the plot for the scale's minimum, top
// for its maximum.
int ValueY(double v, double min, double max, int height) {
  const int bottom = height - kVertical;
  if (max == min) return (kVertical + bottom) / 2;
  return RoundInt(bottom - (v - min) / (max - min) * (bottom - kVertical));
}

}  // namespace

void NiceRange(double& min, double& max) {
  const double m = std::max({1.0, std::fabs(min), std::fabs(max)});
  const double e = std::max(0.0, Round(std::log10(m)));
  const double step = std::pow(10.0, e) / 2;
  min = step * std::floor(min / step);
  max = step * std::ceil(max / step);
}

void TGarvGraph::ClearGraph() {
  series_.clear();
  separators_.clear();
}

void TGarvGraph::AddSeries(const TSingleGraph& series) {
  if (series.Values.empty()) return;
  TSingleGraphEx s;
  static_cast<TSingleGraph&>(s) = series;
  for (double& v : s.Values) v = Finite(v);
  for (double& p : s.Positions) p = Finite(p);
  auto [lo, hi] = std::minmax_element(s.Values.begin(), s.Values.end());
  s.Min = *lo;
  s.Max = *hi;
  if (s.Min + 1 > s.Max) s.Max = s.Min + 1;
  NiceRange(s.Min, s.Max);
  series_.push_back(std::move(s));
}

void TGarvGraph::AddSeparator(const std::string& label, double position) {
  separators_.push_back(TSeparator{Finite(position), label});
}

void TGarvGraph::SetSeriesStyle(size_t series, int32_t style) {
  if (series < series_.size()) series_[series].Style = style;
}

double TGarvGraph::ValueAt(size_t series, int index) const {
  if (series >= series_.size() || index < 0) return 0;
  const auto& v = series_[series].Values;
  return static_cast<size_t>(index) < v.size() ? v[static_cast<size_t>(index)] : 0;
}

int TGarvGraph::PointSpacing(int imageWidth, size_t valueCount) {
  if (valueCount == 0) return 8;
  const long long spacing = (static_cast<long long>(imageWidth) - 40) / static_cast<long long>(valueCount);
  return static_cast<int>(std::clamp<long long>(spacing, 8, 1 << 20));
}

int TGarvGraph::PointSpacing(int imageWidth) const {
  return PointSpacing(imageWidth, series_.empty() ? 0 : series_[0].Values.size());
}

int TGarvGraph::IndexAtX(int x) const {
  if (step_ < 1 || x < plotLeft_ || series_.empty()) return -1;
  const double index = Round((x - plotLeft_ - offset_) / step_) + firstIndex_;
  return index < static_cast<double>(series_[0].Values.size()) ? static_cast<int>(index) : -1;
}

double TGarvGraph::Sum(const TSingleGraph& series) {
  double sum = 0;
  for (double v : series.Values) sum += Finite(v);
  return sum;
}

std::string TGarvGraph::LegendText(const TSingleGraph& series) {
  if (series.Legend != kLegendSum) return series.Legend;
  return series.Caption + " celkem: " + GeneralNumberText(Sum(series)) + " " + series.Unit;
}

void TGarvGraph::Scales(std::vector<TScale>& scale, std::vector<size_t>& axisOwners) const {
  // Series whose ranges are close share the union of them; later pairs see
  // the union. Worked out for each drawing from the series' own scales.
  const size_t n = series_.size();
  scale.assign(n, TScale{});
  for (size_t i = 0; i < n; ++i) scale[i] = TScale{series_[i].Min, series_[i].Max};
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      const TScale a = scale[i], b = scale[j];
      auto at = [&](double v) { return a.max == a.min ? 500.0 : Round((v - a.min) / (a.max - a.min) * 1000); };
      const double pMin = at(b.min), pMax = at(b.max);
      if (pMin > -300 && pMin < 300 && pMax > 700 && pMax < 1300) {
        const TScale u{std::min(a.min, b.min), std::max(a.max, b.max)};
        scale[i] = scale[j] = u;
      }
    }
  }
  axisOwners.clear();
  for (size_t k = 0; k < n; ++k) {
    bool shared = false;
    for (size_t owner : axisOwners) shared = shared || scale[owner] == scale[k];
    if (!shared) axisOwners.push_back(k);
  }
}

double TGarvGraph::LastX() const {
  double lastX = 0;
  for (const TSingleGraphEx& s : series_)
    lastX = std::max(lastX, s.Positions.empty() ? static_cast<double>(s.Values.size()) : s.Positions.back());
  return lastX;
}

int TGarvGraph::PlotWidth(int imageWidth) const {
  std::vector<TScale> scale;
  std::vector<size_t> axisOwners;
  Scales(scale, axisOwners);
  return imageWidth - kMargin - (static_cast<int>(axisOwners.size()) * kAxisWidth + kMargin);
}

double TGarvGraph::FitStep(int imageWidth) const {
  const double width = PlotWidth(imageWidth);
  const double lastX = LastX();
  return lastX > 0 && width > 0 ? width / lastX : 1;
}

void TGarvGraph::DrawGraph(IGraphCanvas& c, double step, double start) {
  const int W = c.Width(), H = c.Height();
  const int bottom = H - kVertical;
  const size_t n = series_.size();
  step = Finite(step);
  start = Finite(start);

  std::vector<TScale> scale;
  std::vector<size_t> axisOwners;
  Scales(scale, axisOwners);
  auto valueY = [&](double v, const TScale& sc) { return ValueY(v, sc.min, sc.max, H); };

  // Background, axes with five labels, dashed level lines.
  c.Clear(kWhite);
  static const double kFractions[] = {0, 0.25, 0.5, 0.75, 1};
  for (size_t a = 0; a < axisOwners.size(); ++a) {
    const TSingleGraphEx& s = series_[axisOwners[a]];
    const TScale& sc = scale[axisOwners[a]];
    const int x = kMargin + kAxisWidth * static_cast<int>(a);
    c.Line(x, kVertical, x, bottom, s.Color);
    for (double f : kFractions) {
      const double v = sc.min + f * (sc.max - sc.min);
      c.Text(x + 1, valueY(v, sc), GeneralNumberText(v) + " " + s.Unit, s.Color);
    }
  }
  if (n > 0)
    for (double f : kFractions) {
      const int y = valueY(scale[0].min + f * (scale[0].max - scale[0].min), scale[0]);
      c.Line(kMargin, y, W - kMargin, y, kBlack, 1, true);
    }

  // The plot frame, right of the axes.
  const int left = static_cast<int>(axisOwners.size()) * kAxisWidth + kMargin;
  const int right = W - kMargin;
  c.Line(left, kVertical, right, kVertical, kBlack);
  c.Line(right, kVertical, right, bottom, kBlack);
  c.Line(right, bottom, left, bottom, kBlack);
  c.Line(left, bottom, left, kVertical, kBlack);

  // The part of the x range shown. Each period's points and bars stand in
  // the middle of its slot, half a step right of the slot's left edge, so
  // that the first period's bars are inside the frame like all others.
  const double F = start * LastX();
  const double firstShown = Round(F);
  const int half = RoundInt(step) / 2;
  plotLeft_ = left;
  offset_ = half;
  firstIndex_ = RoundInt(firstShown);
  step_ = step;

  // Separators. A label that would run into the one before it is left out
  // (weeks grouped by month leave less room than a month's name needs); its
  // line still marks the place.
  int labelsEnd = std::numeric_limits<int>::min();
  for (const TSeparator& sep : separators_) {
    const int x = left + half + RoundInt(step * (sep.position - firstShown));
    if (x <= left || x >= right) continue;  // one on the frame says nothing
    c.Line(x, kVertical, x, bottom, kGrey);
    if (x + 3 < labelsEnd) continue;
    c.Text(x + 3, H - 38, sep.label, kGrey);
    labelsEnd = x + 3 + c.TextWidth(sep.label) + kLabelGap;
  }

  // Bars first, then lines, each group in series order. The plot clips
  // them: the point past the right edge stays inside the frame.
  c.Clip(left, 0, right + 1, H);
  int barCount = 0;
  for (const TSingleGraphEx& s : series_) barCount += s.Style == kStyleBars ? 1 : 0;
  int bar = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t k = 0; k < n; ++k) {
      const TSingleGraphEx& s = series_[k];
      if ((s.Style == kStyleBars) != (pass == 0)) continue;
      if (s.Style != kStyleBars && s.Style != kStyleLines) continue;
      size_t first = 0;
      if (s.Positions.empty()) {
        first = firstShown > 0 ? static_cast<size_t>(firstShown) : 0;
      } else {
        while (first + 1 < s.Positions.size() && s.Positions[first + 1] <= F) ++first;
      }
      const int barWidth = s.Style == kStyleBars ? RoundInt(step / barCount) : 0;
      int prevX = left, prevY = 0;
      int drawn = 0;
      for (size_t i = first; i < s.Values.size(); ++i) {
        if (prevX > right) break;
        const int x = i < s.Positions.size() ? left + half + RoundInt(step * (s.Positions[i] - F))
                                             : RoundInt(left + half + drawn * step);
        const int y = valueY(s.Values[i], scale[k]);
        if (s.Style == kStyleBars) {
          const int l = x - half + bar * barWidth;
          c.FillRect(l, std::min(y, bottom), l + barWidth, std::max(y, bottom), s.Color);
        } else {
          c.FillRect(x - 1, y - 1, x + 2, y + 2, s.Color);
          if (drawn > 0) c.Line(prevX, prevY, x, y, s.Color);
        }
        prevX = x;
        prevY = y;
        ++drawn;
      }
      if (s.Style == kStyleBars) ++bar;
    }
  }

  c.Unclip();

  // Legends.
  const int th = c.TextHeight();
  for (size_t k = 0; k < n; ++k) {
    const int x = left + kLegendWidth * static_cast<int>(k);
    c.Line(x, H - 20, x + 20, H - 20, series_[k].Color, 3);
    c.Text(x + 30, H - 20 - th / 2, LegendText(series_[k]), kBlack);
  }
}
