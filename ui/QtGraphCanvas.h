#pragma once
// The graph surface on a QPainter: a picture in a window or an area of a
// printed page.

#include <QPainter>

#include "documents/GraphCanvas.h"

class TQtGraphCanvas : public IGraphCanvas {
 public:
  // Paints an area of width × height at the painter's current origin, with
  // a 10-pixel font. The painter's state is restored when the canvas goes.
  TQtGraphCanvas(QPainter& painter, int width, int height);
  ~TQtGraphCanvas() override;
  TQtGraphCanvas(const TQtGraphCanvas&) = delete;
  TQtGraphCanvas& operator=(const TQtGraphCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int TextHeight() const override;
  int TextWidth(const std::string& text) const override;
  void Clear(uint32_t color) override;
  void Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dashed) override;
  void FillRect(int left, int top, int right, int bottom, uint32_t color) override;
  void Text(int x, int y, const std::string& text, uint32_t color) override;
  void Clip(int left, int top, int right, int bottom) override;
  void Unclip() override;

 private:
  QPainter& painter_;
  int width_, height_;
  bool clipped_ = false;
};

// 0x00BBGGRR as a Qt colour.
QColor GraphColour(uint32_t bgr);
