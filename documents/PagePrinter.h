#pragma once
// garvPrinter: plain text pages straight to the printer — text with line
// breaks and tab stops, rules and whole lists, automatic page breaks and a
// decorated page (title and page number, date and time, logos). The drawing
// surface is behind ITextCanvas so that the layout runs without a window
// system; the desktop program prints through QPainter on a QPrinter.

#include <string>
#include <vector>

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
  virtual void NewPage() = 0;
  // Pictures named by the settings: the print logo (`bgprint`) at the top
  // right and the page picture (images\testlogo.jpg) under the text.
  // Each draws nothing when the picture is not loaded.
  virtual void DrawPrintLogo(int right, int top, int height) { (void)right; (void)top; (void)height; }
  virtual void DrawPagePicture(int centreX, int centreY, int width) { (void)centreX; (void)centreY; (void)width; }
};

struct TTabStop {
  float position = 0;  // fraction of the full page width
  uint8_t flag = 0;    // kept, not used by the output
};

class TGarvPrinter {
 public:
  // Starts the job on the canvas: margins from the current font, no tab
  // stops, the first page decorated. `lastPage` limits the output (999 when
  // no range was chosen).
  TGarvPrinter(ITextCanvas& canvas, const std::string& title, int firstPage = 1, int lastPage = 999);

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
  // columns separated by the width of "m", counted from the page edge.
  void PrintListView(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows);
  std::string FitText(const std::string& text, int width) const;

  void Abort() { aborted_ = true; }
  bool Stopped() const { return stopped_; }
  int Page() const { return page_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int LeftMargin() const { return left_; }
  int RightMargin() const { return right_; }

 private:
  void Decorate();
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
