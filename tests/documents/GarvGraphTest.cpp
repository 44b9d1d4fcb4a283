#include <gtest/gtest.h>

#include <cmath>

#include "documents/GarvGraph.h"
#include "documents/SvgGraphCanvas.h"
#include "tests/support/RecordingGraphCanvas.h"

namespace {

TSingleGraph Series(std::vector<double> values, uint32_t color, int32_t style = kStyleLines) {
  TSingleGraph s;
  s.Values = std::move(values);
  s.Color = color;
  s.Style = style;
  return s;
}

// The canvas is 600 × 300: the plot runs from y 40 (maximum) to 260 (minimum).
constexpr int kW = 600, kH = 300;

}  // namespace

TEST(GarvGraph, ScalesAreRoundedOutward) {
  struct {
    std::vector<double> values;
    double min, max;
  } cases[] = {
      {{5, 5}, 5, 10},     // 5..6 first, then steps of 5
      {{0, 180}, 0, 200},  // steps of 50
      {{0, 140}, 0, 150},
      {{-3, 5}, -5, 5},
      {{0.2, 0.4}, 0, 1.5},  // at least 1 wide, steps of 0.5
      {{1234, 98765}, 0, 100000},
  };
  for (const auto& c : cases) {
    TGarvGraph g;
    g.AddSeries(Series(c.values, 0));
    ASSERT_EQ(g.SeriesCount(), 1u);
    EXPECT_DOUBLE_EQ(g.Series(0).Min, c.min) << c.values[1];
    EXPECT_DOUBLE_EQ(g.Series(0).Max, c.max) << c.values[1];
  }
}

TEST(GarvGraph, CloseRangesShareOneAxis) {
  // 0..200 and 0..150 are close: both use 0..200, with one axis.
  TGarvGraph shared;
  shared.AddSeries(Series({0, 180}, 1));
  shared.AddSeries(Series({0, 140}, 2));
  TRecordingGraphCanvas a(kW, kH);
  shared.DrawGraph(a, 10, 0);
  EXPECT_EQ(shared.PlotLeft(), 80);
  EXPECT_EQ(a.Of('L', 1).front().x1, 20);  // the axis, in the first series' colour
  EXPECT_EQ(a.Of('L', 2).size(), 2u);      // its data line and legend, no axis
  // 140 on 0..200: 260 − 0.7 × 220 = 106; the point is a 3 × 3 square.
  const auto points = a.Of('R', 2);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].y1, 105);
  EXPECT_EQ(points[1].y2, 108);
  EXPECT_EQ(points[1].x1, 80 + 5 + 10 - 1);  // in the middle of the second slot
  EXPECT_TRUE(a.HasText("200 "));
  EXPECT_TRUE(a.HasText("50 "));

  // 0..100 and 0..300 keep their own scales and axes.
  TGarvGraph separate;
  separate.AddSeries(Series({0, 100}, 1));
  separate.AddSeries(Series({0, 300}, 2));
  TRecordingGraphCanvas b(kW, kH);
  separate.DrawGraph(b, 10, 0);
  EXPECT_EQ(separate.PlotLeft(), 140);
  EXPECT_EQ(b.Of('L', 2).front().x1, 80);
  EXPECT_TRUE(b.HasText("300 "));

  // Three series on one scale still take one axis.
  TGarvGraph three;
  for (uint32_t c : {1u, 2u, 3u}) three.AddSeries(Series({0, 180}, c));
  TRecordingGraphCanvas d(kW, kH);
  three.DrawGraph(d, 10, 0);
  EXPECT_EQ(three.PlotLeft(), 80);
}

TEST(GarvGraph, LegendsWithTotals) {
  TGarvGraph g;
  TSingleGraph s = Series({1.5, 2}, 7);
  s.Caption = "Spotřeba";
  s.Unit = "l";
  s.Legend = kLegendSum;
  g.AddSeries(s);
  TSingleGraph plain = Series({1}, 8);
  plain.Legend = "Jen text";
  g.AddSeries(plain);
  TRecordingGraphCanvas c(kW, kH);
  g.DrawGraph(c, 10, 0);
  EXPECT_TRUE(c.HasText("Spotřeba celkem: 3,5 l"));
  EXPECT_TRUE(c.HasText("Jen text"));
  const auto legendLines = c.Of('L', 8);
  EXPECT_EQ(legendLines.back().width, 3);
  EXPECT_EQ(legendLines.back().x1, g.PlotLeft() + 200);
  EXPECT_EQ(legendLines.back().y1, kH - 20);
}

TEST(GarvGraph, NothingToDrawAndValuesThatAreNotNumbers) {
  TGarvGraph empty;
  empty.AddSeries(Series({}, 1));  // ignored
  EXPECT_EQ(empty.SeriesCount(), 0u);
  TRecordingGraphCanvas c(kW, kH);
  empty.DrawGraph(c, 10, 0.5);
  EXPECT_EQ(empty.IndexAtX(100), -1);
  EXPECT_EQ(empty.PointSpacing(kW), 8);
  EXPECT_EQ(empty.ValueAt(0, 0), 0);

  TGarvGraph g;
  g.AddSeries(Series({std::nan(""), INFINITY, 4}, 1));
  EXPECT_EQ(g.ValueAt(0, 0), 0);
  EXPECT_EQ(g.ValueAt(0, 1), 0);
  EXPECT_EQ(g.ValueAt(0, 2), 4);
  EXPECT_EQ(g.ValueAt(0, 3), 0);
  EXPECT_DOUBLE_EQ(g.Series(0).Max, 5);
  TRecordingGraphCanvas d(kW, kH);
  g.DrawGraph(d, NAN, NAN);
  EXPECT_EQ(g.IndexAtX(200), -1);
}

TEST(GarvGraph, IndexUnderThePointer) {
  TGarvGraph g;
  g.AddSeries(Series(std::vector<double>(10, 1), 1));
  EXPECT_EQ(g.PointSpacing(kW), 56);
  EXPECT_EQ(TGarvGraph::PointSpacing(kW, 100), 8);
  TRecordingGraphCanvas c(kW, kH);
  g.DrawGraph(c, 10, 0);
  ASSERT_EQ(g.PlotLeft(), 80);
  // Slot i runs from 80 + 10 i; its point stands 5 pixels in.
  const std::pair<int, int> cases[] = {{79, -1}, {80, 0}, {89, 0}, {91, 1}, {104, 2}, {110, 2},
                                       {111, 3}, {179, 9}, {180, -1}};
  for (auto [x, index] : cases) EXPECT_EQ(g.IndexAtX(x), index) << x;  // halves go to even
  g.DrawGraph(c, 10, 0.5);  // the first half scrolled away
  EXPECT_EQ(g.IndexAtX(80), 5);
  g.DrawGraph(c, 0.5, 0);
  EXPECT_EQ(g.IndexAtX(80), -1);
}

TEST(GarvGraph, BarsSideBySideThenLinesAndOnePointPastTheEdge) {
  TGarvGraph g;
  std::vector<double> values(100, 100);
  values.back() = 0;  // every series on 0..100
  g.AddSeries(Series(values, 1, kStyleBars));
  g.AddSeries(Series(values, 2, kStyleBars));
  values.front() = 50;
  g.AddSeries(Series(values, 3, kStyleBars));
  g.SetSeriesStyle(0, kStyleLines);
  g.SetSeriesStyle(7, kStyleLines);  // no such series
  TRecordingGraphCanvas c(kW, kH);
  g.DrawGraph(c, 10, 0);
  const int left = g.PlotLeft();
  ASSERT_EQ(left, 80);
  // Width step / bars = 5, starting half a step left of the point, which
  // stands in the middle of its slot: the first bars are inside the frame.
  const auto first = c.Of('R', 2), second = c.Of('R', 3);
  EXPECT_EQ(first[0].x1, left);
  EXPECT_EQ(first[0].x2, left + 5);
  EXPECT_EQ(second[0].x1, left + 5);
  EXPECT_EQ(second[0].x2, left + 10);
  EXPECT_EQ(first[0].y1, 40);   // 100 on 0..100
  EXPECT_EQ(second[0].y1, 150);  // 50 on 0..100
  EXPECT_EQ(second[0].y2, 260);
  // Points while the previous one is left of the edge at 580: x up to 585.
  EXPECT_EQ(first.size(), 51u);
  EXPECT_EQ(first.back().x1, 585 - 5);
  // Bars are painted before the line series.
  size_t lastBar = 0, firstLine = c.ops.size();
  for (size_t i = 0; i < c.ops.size(); ++i) {
    if (c.ops[i].kind == 'R' && c.ops[i].color != 1) lastBar = i;
    if (c.ops[i].kind == 'R' && c.ops[i].color == 1) firstLine = std::min(firstLine, i);
  }
  EXPECT_LT(lastBar, firstLine);
  // Drawing again gives the same picture.
  TRecordingGraphCanvas again(kW, kH);
  g.DrawGraph(again, 10, 0);
  EXPECT_EQ(again.ops, c.ops);
}

TEST(GarvGraph, SeparatorsInsideThePlotOnly) {
  TGarvGraph g;
  g.AddSeries(Series(std::vector<double>(100, 1), 1));
  g.AddSeparator("before", -0.5);
  g.AddSeparator("2024", 2.5);
  g.AddSeparator("after", 60);
  TRecordingGraphCanvas c(kW, kH);
  g.DrawGraph(c, 10, 0);
  const auto lines = c.Of('L', 0x808080);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].x1, 80 + 5 + 25);  // between the second and third points
  EXPECT_TRUE(c.HasText("2024"));
  EXPECT_FALSE(c.HasText("before"));
  EXPECT_FALSE(c.HasText("after"));
}

TEST(GarvGraph, ALabelWithoutRoomIsLeftOutButItsLineStays) {
  TGarvGraph g;
  g.AddSeries(Series(std::vector<double>(100, 1), 1));
  // Ten pixels apart, while "květen 2026" needs about 66.
  g.AddSeparator("duben 2026", 2.5);
  g.AddSeparator("květen 2026", 3.5);
  g.AddSeparator("červen 2026", 12.5);
  TRecordingGraphCanvas c(kW, kH);
  g.DrawGraph(c, 10, 0);
  EXPECT_EQ(c.Of('L', 0x808080).size(), 3u);
  EXPECT_TRUE(c.HasText("duben 2026"));
  EXPECT_FALSE(c.HasText("květen 2026"));
  EXPECT_TRUE(c.HasText("červen 2026"));
}

TEST(GarvGraph, SvgDocumentEscapesTexts) {
  TGarvGraph g;
  TSingleGraph s = Series({1, 2}, 0x0000FF);
  s.Legend = "<b>A & B</b>";
  g.AddSeries(s);
  TSvgGraphCanvas svg(kW, kH);
  g.DrawGraph(svg, g.FitStep(kW), 0);
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("&lt;b&gt;A &amp; B&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(doc.find("<b>"), std::string::npos);
  EXPECT_NE(doc.find("fill=\"#FF0000\""), std::string::npos);  // 0x00BBGGRR red
}

TEST(GarvGraph, SvgCutsClippedShapesItself) {
  // Some viewers ignore clip paths: the bars and lines must not reach over
  // the axes even there.
  TSvgGraphCanvas svg(100, 100);
  svg.Clip(10, 10, 50, 50);
  svg.FillRect(0, 0, 100, 20, 0);
  svg.Line(0, 30, 100, 30, 0, 1, false);
  svg.Line(60, 0, 90, 90, 0, 1, false);  // wholly outside
  svg.Unclip();
  svg.FillRect(0, 60, 100, 70, 0);
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("<rect x=\"10\" y=\"10\" width=\"40\" height=\"10\""), std::string::npos) << doc;
  EXPECT_NE(doc.find("<line x1=\"10.0\" y1=\"30.5\" x2=\"50.0\" y2=\"30.5\""), std::string::npos) << doc;
  EXPECT_EQ(doc.find("x1=\"60.5\""), std::string::npos) << doc;
  EXPECT_NE(doc.find("<rect x=\"0\" y=\"60\" width=\"100\" height=\"10\""), std::string::npos) << doc;
}
