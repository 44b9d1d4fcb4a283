#include "documents/SvgGraphCanvas.h"

#include <algorithm>
#include <cstdio>

#include "storage/Codec.h"

namespace {

std::string Colour(uint32_t bgr) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  return buf;
}

// Character data and attribute values: markup characters become entities,
// control characters (not allowed in XML) blanks.
std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(ch) < 0x20) out += ' ';
        else out += ch;
    }
  }
  return out;
}

}  // namespace

void TSvgGraphCanvas::Clear(uint32_t color) {
  body_.clear();
  clipped_ = false;
  body_ += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(width_) + "\" height=\"" + std::to_string(height_) +
           "\" fill=\"" + Colour(color) + "\"/>\n";
}

void TSvgGraphCanvas::Clip(int left, int top, int right, int bottom) {
  Unclip();
  const std::string id = "clip" + std::to_string(++clips_);
  body_ += "<clipPath id=\"" + id + "\"><rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) +
           "\" width=\"" + std::to_string(std::max(0, right - left)) + "\" height=\"" +
           std::to_string(std::max(0, bottom - top)) + "\"/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
  clipped_ = true;
  clipLeft_ = left;
  clipTop_ = top;
  clipRight_ = right;
  clipBottom_ = bottom;
}

void TSvgGraphCanvas::Unclip() {
  if (!clipped_) return;
  body_ += "</g>\n";
  clipped_ = false;
}

void TSvgGraphCanvas::Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dashed) {
  // Pixel centres, so that a one-pixel line covers one pixel column or row.
  double ax = x1 + 0.5, ay = y1 + 0.5, bx = x2 + 0.5, by = y2 + 0.5;
  if (clipped_) {
    // The part of the segment inside the clip rectangle (Liang-Barsky).
    const double dx = bx - ax, dy = by - ay;
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {ax - clipLeft_, clipRight_ - ax, ay - clipTop_, clipBottom_ - ay};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return;
        continue;
      }
      const double t = q[i] / p[i];
      if (p[i] < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
    }
    if (t0 > t1) return;
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax += t0 * dx;
    ay += t0 * dy;
  }
  char buf[220];
  std::snprintf(buf, sizeof buf, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" stroke-width=\"%d\"%s/>\n",
                ax, ay, bx, by, Colour(color).c_str(), width < 1 ? 1 : width,
                dashed ? " stroke-dasharray=\"4,3\"" : "");
  body_ += buf;
}

void TSvgGraphCanvas::FillRect(int left, int top, int right, int bottom, uint32_t color) {
  if (clipped_) {
    left = std::max(left, clipLeft_);
    top = std::max(top, clipTop_);
    right = std::min(right, clipRight_);
    bottom = std::min(bottom, clipBottom_);
  }
  if (right <= left || bottom <= top) return;
  char buf[160];
  std::snprintf(buf, sizeof buf, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\" stroke=\"none\"/>\n", left, top,
                right - left, bottom - top, Colour(color).c_str());
  body_ += buf;
}

int TSvgGraphCanvas::TextWidth(const std::string& text) const { return 6 * static_cast<int>(Utf8Length(text)); }

void TSvgGraphCanvas::Text(int x, int y, const std::string& text, uint32_t color) {
  // y is the top of the text; SVG places the baseline.
  body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + 10) + "\" fill=\"" + Colour(color) +
           "\">" + Escaped(text) + "</text>\n";
}

std::string TSvgGraphCanvas::Document() const {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
         std::to_string(width_) + " " + std::to_string(height_) +
         "\" font-family=\"DejaVu Sans, sans-serif\" font-size=\"10\" shape-rendering=\"crispEdges\">\n" + body_ +
         (clipped_ ? "</g>\n" : "") + "</svg>\n";
}
