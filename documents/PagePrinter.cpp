#include "documents/PagePrinter.h"

#include <algorithm>
#include <cmath>

#include "documents/GarvGraph.h"
#include "storage/DateText.h"
#include "storage/DateTime.h"

namespace {

// Nearest integer, halves to even.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

std::string TimeText(TDateTime t) {
  TTimeParts p = DecodeTime(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", p.hour, p.minute, p.second);
  return buf;
}

// Characters of a UTF-8 text, so that cutting never splits one.
std::vector<size_t> CharStarts(const std::string& s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  return starts;
}

}  // namespace

TGarvPrinter::TGarvPrinter(ITextCanvas& canvas, const std::string& title, int firstPage, int lastPage)
    : canvas_(canvas), title_(title), firstPage_(firstPage), lastPage_(lastPage) {
  const int xw = canvas_.TextWidth("X"), xh = canvas_.TextHeight("X");
  left_ = 3 * xw;
  right_ = canvas_.PageWidth() - left_;
  top_ = 2 * xh;
  bottom_ = canvas_.PageHeight() - Round(1.5 * xh);
  Decorate();
}

TGarvPrinter::~TGarvPrinter() {
  if (aborted_) canvas_.AbortJob();
  else canvas_.EndJob();
}

void TGarvPrinter::Decorate() {
  x_ = left_;
  y_ = top_;
  if (!PageShown()) return;
  const int size = canvas_.FontSize();
  canvas_.SetFontSize(8);
  const std::string pageText = title_ + " Str. " + std::to_string(page_);
  const int h = canvas_.TextHeight(pageText);
  const int bottom = canvas_.PageHeight() - h;
  canvas_.DrawText(left_ + right_ / 2 - canvas_.TextWidth(pageText) / 2, bottom, pageText);
  TDateTime now = Now();
  const std::string stamp = DateText(now) + "  " + TimeText(now);
  canvas_.DrawText(right_ - canvas_.TextWidth(stamp), bottom, stamp);
  canvas_.SetFontSize(size);
  const int th = canvas_.TextHeight("X");
  canvas_.DrawPrintLogo(right_, th, Round(canvas_.PageHeight() * 0.02));
  canvas_.DrawPagePicture((left_ + right_) / 2, (top_ + bottom_) / 2, Round((right_ - left_) * 0.7));
}

void TGarvPrinter::SetTabStops(const std::vector<float>& fractions) {
  tabs_.clear();
  for (float f : fractions) tabs_.push_back(TTabStop{f, 0});
}

void TGarvPrinter::SetTabAlignment(size_t index, uint8_t flag) {
  if (index >= 1 && index < tabs_.size()) tabs_[index].flag = flag;
}

void TGarvPrinter::MoveToX(int pixels) { x_ = pixels; }

void TGarvPrinter::MoveToFraction(double fraction) { x_ = Round(canvas_.PageWidth() * fraction); }

int TGarvPrinter::StopX(size_t index) const { return Round(canvas_.PageWidth() * tabs_[index].position); }

void TGarvPrinter::PrintText(const std::string& text) {
  if (stopped_) return;
  size_t cr = text.find('\r');
  if (cr != std::string::npos) {
    PrintText(text.substr(0, cr));
    NewLine();
    PrintText(text.substr(std::min(text.size(), cr + 2)));
    return;
  }
  size_t tab = text.find('\t');
  if (tab != std::string::npos) {
    PrintText(text.substr(0, tab));
    std::string rest = text.substr(tab + 1);
    TabStep(rest);
    PrintText(rest);
    return;
  }
  DrawPiece(text);
}

void TGarvPrinter::DrawPiece(const std::string& text) {
  if (stopped_ || text.empty()) return;
  if (wrap_) {
    int limit = -1;
    for (size_t i = 0; i < tabs_.size(); ++i)
      if (StopX(i) > x_) {
        limit = StopX(i);
        break;
      }
    if (limit >= 0 && x_ + canvas_.TextWidth(text) > limit) {
      // The longest prefix that fits before the stop, found by halving.
      std::vector<size_t> starts = CharStarts(text);
      size_t lo = 0, hi = starts.size();
      while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        std::string prefix = text.substr(0, mid < starts.size() ? starts[mid] : text.size());
        if (x_ + canvas_.TextWidth(prefix) <= limit) lo = mid;
        else hi = mid - 1;
      }
      if (lo == 0) lo = 1;  // at least one character, or the text never ends
      size_t cut = lo < starts.size() ? starts[lo] : text.size();
      if (PageShown()) canvas_.DrawText(x_, y_, text.substr(0, cut));
      NewLine();
      DrawPiece(text.substr(cut));
      return;
    }
  }
  if (PageShown()) canvas_.DrawText(x_, y_, text);
  x_ += canvas_.TextWidth(text);
}

void TGarvPrinter::TabStep(const std::string& rest) {
  for (size_t i = 0; i < tabs_.size(); ++i) {
    if (StopX(i) <= x_) continue;
    if (!rest.empty() && i + 1 < tabs_.size()) {
      std::string piece = rest.substr(0, rest.find('\t'));
      x_ = StopX(i + 1) - canvas_.TextWidth(piece) - 1;
    } else {
      x_ = StopX(i);
    }
    return;
  }
}

void TGarvPrinter::PrintLine(const std::string& text, bool centred) {
  if (centred) x_ = x_ + (right_ - x_) / 2 - canvas_.TextWidth(text) / 2;
  PrintText(text);
  NewLine();
}

void TGarvPrinter::NewLine() {
  x_ = left_;
  y_ += canvas_.TextHeight("X") + 5;
  if (y_ > bottom_ - canvas_.TextHeight("X")) NewPage();
}

void TGarvPrinter::NewPage() {
  if (stopped_) return;
  ++page_;
  if (page_ > lastPage_ || aborted_) {
    stopped_ = true;
    return;
  }
  // The surface turns a page only once one has been printed on it.
  if (page_ > firstPage_) canvas_.NewPage();
  Decorate();
}

void TGarvPrinter::PrintRule(double from, double to) {
  if (stopped_) return;
  if (PageShown())
    canvas_.DrawLine(Round(from * canvas_.PageWidth()), y_ + 5, Round(to * canvas_.PageWidth()), y_ + 5);
  y_ += 10;
}

void TGarvPrinter::PrintListView(const std::vector<std::string>& captions,
                                 const std::vector<std::vector<std::string>>& rows) {
  std::vector<int> widths(captions.size(), 0);
  auto measure = [&](const std::vector<std::string>& cells) {
    for (size_t c = 0; c < cells.size() && c < widths.size(); ++c)
      widths[c] = std::max(widths[c], canvas_.TextWidth(cells[c]));
  };
  measure(captions);
  for (const auto& row : rows) measure(row);
  const int gap = canvas_.TextWidth("m");
  const std::vector<int> natural = widths;
  FitColumnsToPage(widths, gap);
  auto printRow = [&](const std::vector<std::string>& cells) {
    int at = 0;
    for (size_t c = 0; c < widths.size(); ++c) {
      x_ = at;
      if (c < cells.size()) PrintText(widths[c] < natural[c] ? FitText(cells[c], widths[c]) : cells[c]);
      at += widths[c] + gap;
    }
    NewLine();
  };
  printRow(captions);
  for (const auto& row : rows) {
    if (stopped_) break;
    printRow(row);
  }
}

void TGarvPrinter::FitColumnsToPage(std::vector<int>& widths, int gap) const {
  // Columns wider than the page together would run off its edge and the
  // last ones would not be printed at all: the widest are narrowed to one
  // common width (their texts are then cut with "...") until all fit.
  if (widths.empty()) return;
  const int room = canvas_.PageWidth() - gap * static_cast<int>(widths.size() - 1);
  auto total = [&](int cap) {
    int64_t sum = 0;
    for (int w : widths) sum += std::min(w, cap);
    return sum;
  };
  int lo = 0, hi = *std::max_element(widths.begin(), widths.end());
  if (total(hi) <= room) return;
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (total(mid) <= room) lo = mid;
    else hi = mid - 1;
  }
  for (int& w : widths) w = std::min(w, lo);
}

std::string TGarvPrinter::FitText(const std::string& text, int width) const {
  if (canvas_.TextWidth(text) <= width) return text;
  std::vector<size_t> starts = CharStarts(text);
  size_t n = starts.size();
  while (n >= 2) {
    std::string shortened = text.substr(0, starts[n - 1]);
    if (canvas_.TextWidth(shortened + "...") < width) return shortened + "...";
    --n;
  }
  return text.substr(0, n > 0 && n < starts.size() ? starts[n] : text.size()) + "...";
}

void TGarvPrinter::PrintGraph(const TGarvGraph& graph, int height) {
  if (stopped_) return;
  height = std::min(height, bottom_ - top_);
  if (height <= 0) return;
  if (y_ + height > bottom_) {
    NewPage();
    if (stopped_) return;
  }
  if (PageShown()) {
    if (std::unique_ptr<IGraphCanvas> area = canvas_.GraphArea(left_, y_, right_ - left_, height)) {
      // A copy, so that the caller's graph keeps the layout of its own last
      // drawing (the window's pointer hint depends on it).
      TGarvGraph copy = graph;
      copy.DrawGraph(*area, copy.FitStep(area->Width()), 0);
    }
  }
  y_ += height;
  NewLine();
}
