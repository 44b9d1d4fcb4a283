#pragma once
// garvPrinter: plain text pages straight to the printer — text with line
// breaks and tab stops, rules and whole lists, automatic page breaks and a
// decorated page (title and page number, date and time, logos). The drawing
// surface is behind ITextCanvas so that the layout runs without a window
// system; the desktop program prints through QPainter on a QPrinter.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "documents/GraphCanvas.h"

class TGarvGraph;

// A page surface in device pixels.
class ITextCanvas {
 public:
  virtual ~ITextCanvas() = default;
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  virtual int TextWidth(const std::string& text) const = 0;
  virtual int TextHeight(const std::string& text) const = 0;
  virtual void DrawText(int x, int y, const std::string& text) = 0;  // y = top of the text
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void SetFontSize(int points) = 0;
  virtual int FontSize() const = 0;
  // Bold text from now on (the motto of a print-out's footer).
  virtual void SetBold(bool bold) { (void)bold; }
  virtual void NewPage() = 0;
  // Pictures named by the settings: the print logo (`bgprint`) at the top
  // right and the page picture (images\testlogo.jpg) under the text.
  // Each draws nothing when the picture is not loaded.
  virtual void DrawPrintLogo(int right, int top, int height) { (void)right; (void)top; (void)height; }
  virtual void DrawPagePicture(int centreX, int centreY, int width) { (void)centreX; (void)centreY; (void)width; }
  // An area of the current page to paint a graph on, or null when the
  // surface cannot. The area lives until the returned object is destroyed.
  virtual std::unique_ptr<IGraphCanvas> GraphArea(int x, int y, int width, int height) {
    (void)x, (void)y, (void)width, (void)height;
    return nullptr;
  }
  // The end of the job: the pages go to the printer, or are dropped.
  virtual void EndJob() {}
  virtual void AbortJob() {}
};

struct TTabStop {
  float position = 0;  // fraction of the full page width
  uint8_t flag = 0;    // kept, not used by the output
};

class TGarvPrinter {
 public:
  // Starts the job on the canvas: margins from the current font, no tab
  // stops, the first page decorated. Pages firstPage..lastPage are printed
  // (1..999 when no range was chosen); those before are laid out but not
  // drawn, those after are not laid out.
  TGarvPrinter(ITextCanvas& canvas, const std::string& title, int firstPage = 1, int lastPage = 999);
  // Ends the job on the canvas, or drops it when aborted.
  ~TGarvPrinter();
  TGarvPrinter(const TGarvPrinter&) = delete;
  TGarvPrinter& operator=(const TGarvPrinter&) = delete;

  void SetTabStops(const std::vector<float>& fractions);
  void SetTabAlignment(size_t index, uint8_t flag);
  void SetWrap(bool wrap) { wrap_ = wrap; }
  void MoveToX(int pixels);
  void MoveToFraction(double fraction);

  void PrintText(const std::string& text);
  void PrintLine(const std::string& text, bool centred);
  void NewLine();
  void NewPage();
  void PrintRule(double from, double to);
  // A list: captions, then every row, each column as wide as its widest text,
  // columns separated by the width of "m", counted from the page edge. When
  // that is wider than the page, the widest columns are narrowed to fit and
  // their texts cut with "...".
  void PrintListView(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows);
  std::string FitText(const std::string& text, int width) const;
  // The whole graph, fitted to the width of the text area and `height`
  // pixels high, at the current line (on a new page when it would not fit
  // above the bottom limit); then y moves below it.
  void PrintGraph(const TGarvGraph& graph, int height);

  // For callers that draw on their own.
  ITextCanvas& Canvas() { return canvas_; }
  int PageWidth() const { return canvas_.PageWidth(); }
  int PageHeight() const { return canvas_.PageHeight(); }
  // False while laying out pages before the first page of the range.
  bool PageShown() const { return !stopped_ && page_ >= firstPage_; }

  void Abort() { aborted_ = true; }
  bool Stopped() const { return stopped_; }
  int Page() const { return page_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int LeftMargin() const { return left_; }
  int RightMargin() const { return right_; }
  int BottomLimit() const { return bottom_; }

 private:
  void Decorate();
  void FitColumnsToPage(std::vector<int>& widths, int gap) const;
  void DrawPiece(const std::string& text);
  void TabStep(const std::string& rest);
  int StopX(size_t index) const;

  ITextCanvas& canvas_;
  std::string title_;
  int x_ = 0, y_ = 0;
  int page_ = 1;
  int firstPage_ = 1, lastPage_ = 999;
  bool stopped_ = false;
  bool aborted_ = false;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  std::vector<TTabStop> tabs_;
  bool wrap_ = false;
};
