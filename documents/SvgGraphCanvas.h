#pragma once
// A graph surface that writes an SVG document, for files made without a
// window system (garvelctl). Texts are escaped; the document names no
// external resource. Clipped shapes are cut to the clip rectangle here, so
// that viewers which ignore clip paths show the plot as it is meant.

#include <string>

#include "documents/GraphCanvas.h"

class TSvgGraphCanvas : public IGraphCanvas {
 public:
  TSvgGraphCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int TextHeight() const override { return 12; }
  // The viewer picks the font; an average letter of the 10-pixel font is
  // about 6 pixels wide.
  int TextWidth(const std::string& text) const override;
  void Clear(uint32_t color) override;
  void Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dashed) override;
  void FillRect(int left, int top, int right, int bottom, uint32_t color) override;
  void Text(int x, int y, const std::string& text, uint32_t color) override;
  void Clip(int left, int top, int right, int bottom) override;
  void Unclip() override;

  // The whole document, UTF-8.
  std::string Document() const;

 private:
  int width_, height_;
  std::string body_;
  int clips_ = 0;
  bool clipped_ = false;
  int clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
};
