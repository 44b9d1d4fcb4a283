#include "ui/QtGraphCanvas.h"

#include <QFontMetrics>

QColor GraphColour(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

TQtGraphCanvas::TQtGraphCanvas(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {
  painter_.save();
  QFont font("DejaVu Sans");
  font.setPixelSize(10);
  painter_.setFont(font);
}

TQtGraphCanvas::~TQtGraphCanvas() {
  Unclip();
  painter_.restore();
}

int TQtGraphCanvas::TextHeight() const { return painter_.fontMetrics().height(); }

int TQtGraphCanvas::TextWidth(const std::string& text) const {
  return painter_.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

void TQtGraphCanvas::Clear(uint32_t color) { painter_.fillRect(QRect(0, 0, width_, height_), GraphColour(color)); }

void TQtGraphCanvas::Line(int x1, int y1, int x2, int y2, uint32_t color, int width, bool dashed) {
  QPen pen(GraphColour(color));
  pen.setWidth(width < 1 ? 1 : width);
  pen.setStyle(dashed ? Qt::DashLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
}

void TQtGraphCanvas::FillRect(int left, int top, int right, int bottom, uint32_t color) {
  if (right <= left || bottom <= top) return;
  painter_.fillRect(QRect(left, top, right - left, bottom - top), GraphColour(color));
}

void TQtGraphCanvas::Text(int x, int y, const std::string& text, uint32_t color) {
  painter_.setPen(GraphColour(color));
  painter_.drawText(x, y + painter_.fontMetrics().ascent(), QString::fromStdString(text));
}

void TQtGraphCanvas::Clip(int left, int top, int right, int bottom) {
  Unclip();
  painter_.save();
  painter_.setClipRect(QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)), Qt::IntersectClip);
  clipped_ = true;
}

void TQtGraphCanvas::Unclip() {
  if (!clipped_) return;
  painter_.restore();
  clipped_ = false;
}
