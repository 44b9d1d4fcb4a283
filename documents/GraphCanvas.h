#pragma once
// The surface a graph is painted on: a picture in a window, an area of a
// printed page or an SVG document. Colours are 0x00BBGGRR, as the graph's
// series keep them; coordinates are pixels of the surface, (0, 0) at the top
// left.

#include <cstdint>
#include <string>

class IGraphCanvas {
 public:
  virtual ~IGraphCanvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int TextHeight() const = 0;
  virtual int TextWidth(const std::string& text) const = 0;

  // Paints the whole surface.
  virtual void Clear(uint32_t color) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, uint32_t color, int width = 1, bool dashed = false) = 0;
  // Fills the pixels left..right−1, top..bottom−1; nothing when empty.
  virtual void FillRect(int left, int top, int right, int bottom, uint32_t color) = 0;
  // The text with its top left corner at (x, y).
  virtual void Text(int x, int y, const std::string& text, uint32_t color) = 0;
  // Drawing from here on shows only within left..right−1, top..bottom−1,
  // until Unclip.
  virtual void Clip(int left, int top, int right, int bottom) = 0;
  virtual void Unclip() = 0;
};
