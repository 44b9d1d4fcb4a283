#include <gtest/gtest.h>

#include <memory>

#include "documents/GarvGraph.h"
#include "documents/PagePrinter.h"
#include "storage/Codec.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingGraphCanvas.h"

namespace {

// Every character 10 pixels wide and 20 high; a page of 1000 × 600.
class TFakeCanvas : public ITextCanvas {
 public:
  struct TItem {
    int page, x, y;
    std::string text;
  };
  int PageWidth() const override { return 1000; }
  int PageHeight() const override { return 600; }
  int TextWidth(const std::string& t) const override { return 10 * static_cast<int>(Utf8Length(t)); }
  int TextHeight(const std::string&) const override { return 20; }
  void DrawText(int x, int y, const std::string& t) override { items.push_back({page, x, y, t}); }
  void DrawLine(int, int y1, int, int) override { rules.push_back(y1); }
  void SetFontSize(int p) override { size = p; }
  int FontSize() const override { return size; }
  void NewPage() override { ++page; }
  std::unique_ptr<IGraphCanvas> GraphArea(int x, int y, int w, int h) override {
    areas.push_back({page, x, y, std::to_string(w) + "x" + std::to_string(h)});
    return std::make_unique<TRecordingGraphCanvas>(w, h);
  }
  void EndJob() override { ended = "end"; }
  void AbortJob() override { ended = "abort"; }

  // The text drawn at the text area (not the page decoration).
  std::vector<TItem> Body() const {
    std::vector<TItem> out;
    for (const TItem& i : items)
      if (i.y < 560) out.push_back(i);
    return out;
  }

  std::vector<TItem> items;
  std::vector<int> rules;
  std::vector<TItem> areas;
  std::string ended;
  int page = 1;
  int size = 10;
};

}  // namespace

TEST(PagePrinter, MarginsDecorationAndLines) {
  SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(9, 7, 3); });
  TFakeCanvas c;
  TGarvPrinter p(c, "Seznam vozidel");
  SetClockForTests(nullptr);
  EXPECT_EQ(p.LeftMargin(), 30);
  EXPECT_EQ(p.RightMargin(), 970);
  ASSERT_EQ(c.items.size(), 2u);
  EXPECT_EQ(c.items[0].text, "Seznam vozidel Str. 1");
  EXPECT_EQ(c.items[0].y, 580);
  EXPECT_EQ(c.items[1].text, "05.03.2024  9:07:03");
  EXPECT_EQ(c.items[1].x, 970 - 190);
  EXPECT_EQ(c.size, 10);  // the font size is restored

  p.PrintText("a\r\nbc");
  auto body = c.Body();
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0].x, 30);
  EXPECT_EQ(body[0].y, 40);
  EXPECT_EQ(body[1].y, 65);  // line step: height of "X" + 5
  p.PrintRule(0.1, 0.9);
  EXPECT_EQ(c.rules.back(), 70);
}

TEST(PagePrinter, TabsWrappingAndPageBreaks) {
  TFakeCanvas c;
  TGarvPrinter p(c, "T");
  p.SetTabStops({0.2f, 0.5f, 0.8f});
  p.PrintText("a\tbb\tc");
  auto body = c.Body();
  ASSERT_EQ(body.size(), 3u);
  EXPECT_EQ(body[1].x, 500 - 20 - 1);  // right-aligned before the following stop
  EXPECT_EQ(body[2].x, 800 - 10 - 1);  // the stop at 500 is next; aligned to the following one
  p.NewLine();

  // A text longer than the space to the next stop wraps inside the word.
  p.SetWrap(true);
  p.MoveToX(0);
  p.PrintText("abcdefghijklmnopqrstuvwxyz");
  body = c.Body();
  EXPECT_EQ(body[3].text, "abcdefghijklmnopqrst");  // 0 + 20 × 10 = 200
  EXPECT_EQ(body[4].text, "uvwxyz");
  EXPECT_EQ(body[4].x, 30);

  // Lines run on to the next page; the range limits the output.
  TFakeCanvas c2;
  TGarvPrinter limited(c2, "T", 1, 2);
  for (int i = 0; i < 100 && !limited.Stopped(); ++i) limited.PrintLine("x", false);
  EXPECT_TRUE(limited.Stopped());
  EXPECT_EQ(c2.page, 2);
  EXPECT_EQ(limited.FitText("abcdefghij", 60), "ab...");
  EXPECT_EQ(limited.FitText("abc", 60), "abc");
}

TEST(PagePrinter, ListView) {
  TFakeCanvas c;
  TGarvPrinter p(c, "T");
  p.PrintListView({"RZ", "Majitel"}, {{"1A2 3456", "Novák"}, {"2B", "Černý"}});
  auto body = c.Body();
  ASSERT_EQ(body.size(), 6u);
  EXPECT_EQ(body[0].x, 0);        // counted from the page edge
  EXPECT_EQ(body[1].x, 80 + 10);  // widest of the column + the width of "m"
  EXPECT_EQ(body[5].text, "Černý");
}

TEST(PagePrinter, ListWiderThanThePageIsNarrowedToFit) {
  TFakeCanvas c;
  TGarvPrinter p(c, "T");
  const std::string owner(60, 'N'), make(40, 'S');
  p.PrintListView({"Majitel", "Značka", "RZ", "ID"}, {{owner, make, "1A2 3456", "0001"}});
  auto body = c.Body();
  ASSERT_EQ(body.size(), 8u);
  // The widest column gets what the page leaves: 1000 − 3 gaps − 520.
  EXPECT_EQ(body[4].text, std::string(41, 'N') + "...");
  EXPECT_EQ(body[5].text, make);
  EXPECT_EQ(body[7].text, "0001");
  EXPECT_EQ(body[7].x, 450 + 10 + 400 + 10 + 80 + 10);
  EXPECT_LE(body[7].x + c.TextWidth(body[7].text), c.PageWidth());
}

TEST(PagePrinter, PagesBeforeTheRangeAreLaidOutButNotPrinted) {
  TFakeCanvas c;
  {
    TGarvPrinter p(c, "T", 2, 3);
    EXPECT_FALSE(p.PageShown());
    for (int i = 0; i < 100 && !p.Stopped(); ++i) p.PrintLine("r" + std::to_string(i), false);
    EXPECT_TRUE(p.Stopped());
  }
  EXPECT_EQ(c.ended, "end");
  // 21 lines a page (rows at 40, 65 ... 540): rows 21..62 on pages 2 and 3,
  // the first of them on the surface's first sheet, under its decoration.
  auto body = c.Body();
  ASSERT_EQ(body.size(), 42u);
  EXPECT_EQ(body.front().text, "r21");
  EXPECT_EQ(body.front().page, 1);
  EXPECT_EQ(body.back().text, "r62");
  EXPECT_EQ(body.back().page, 2);
  EXPECT_EQ(c.items.front().text, "T Str. 2");

  TFakeCanvas aborted;
  {
    TGarvPrinter p(aborted, "T");
    p.Abort();
  }
  EXPECT_EQ(aborted.ended, "abort");
}

TEST(PagePrinter, GraphFittedToTheTextAreaAndBelowTheLine) {
  TFakeCanvas c;
  TGarvPrinter p(c, "T");
  TGarvGraph graph;
  TSingleGraph s;
  s.Values.assign(100, 1.0);
  s.Style = kStyleBars;
  graph.AddSeries(s);
  p.PrintLine("Nadpis", false);
  p.PrintGraph(graph, 300);
  ASSERT_EQ(c.areas.size(), 1u);
  EXPECT_EQ(c.areas[0].x, 30);
  EXPECT_EQ(c.areas[0].y, 65);
  EXPECT_EQ(c.areas[0].text, "940x300");
  EXPECT_EQ(p.Y(), 65 + 300 + 25);
  EXPECT_EQ(c.page, 1);
  // The graph's own layout is untouched by the print.
  EXPECT_EQ(graph.IndexAtX(100), -1);

  // A graph that does not fit under the text goes to the next page.
  p.PrintGraph(graph, 300);
  EXPECT_EQ(c.page, 2);
  EXPECT_EQ(c.areas.back().y, 40);
}
