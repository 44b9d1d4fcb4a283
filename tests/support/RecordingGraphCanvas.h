#pragma once
// A graph surface for tests: records every operation with its coordinates.

#include <string>
#include <vector>

#include "documents/GraphCanvas.h"
#include "storage/Codec.h"

class TRecordingGraphCanvas : public IGraphCanvas {
 public:
  struct TOp {
    char kind;  // 'C' clear, 'L' line, 'R' filled rectangle, 'T' text
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t color = 0;
    int width = 1;
    bool dashed = false;
    std::string text;
    bool operator==(const TOp&) const = default;
  };

  TRecordingGraphCanvas(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int TextHeight() const override { return 10; }
  int TextWidth(const std::string& text) const override { return 6 * static_cast<int>(Utf8Length(text)); }
  void Clear(uint32_t color) override { ops.push_back({'C', 0, 0, width_, height_, color, 1, false, ""}); }
  void Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dashed) override {
    ops.push_back({'L', x1, y1, x2, y2, color, width, dashed, ""});
  }
  void FillRect(int l, int t, int r, int b, uint32_t color) override { ops.push_back({'R', l, t, r, b, color, 1, false, ""}); }
  void Text(int x, int y, const std::string& text, uint32_t color) override {
    ops.push_back({'T', x, y, 0, 0, color, 1, false, text});
  }
  void Clip(int, int, int, int) override {}
  void Unclip() override {}

  std::vector<TOp> Of(char kind, uint32_t color) const {
    std::vector<TOp> out;
    for (const TOp& op : ops)
      if (op.kind == kind && op.color == color) out.push_back(op);
    return out;
  }
  bool HasText(const std::string& text) const {
    for (const TOp& op : ops)
      if (op.kind == 'T' && op.text == text) return true;
    return false;
  }

  std::vector<TOp> ops;

 private:
  int width_, height_;
};
