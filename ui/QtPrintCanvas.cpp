#include "ui/QtPrintCanvas.h"

#include <QFontMetrics>
#include <QPrinter>
#include <cmath>

TQtPrintCanvas::TQtPrintCanvas(QPrinter& printer, const QImage& printLogo, const QImage& pagePicture)
    : printer_(printer), printLogo_(printLogo), pagePicture_(pagePicture) {
  painter_.begin(&printer_);
  font_ = QFont("DejaVu Sans", 10);
  painter_.setFont(font_);
}

TQtPrintCanvas::~TQtPrintCanvas() {
  if (painter_.isActive()) painter_.end();
}

int TQtPrintCanvas::PageWidth() const { return printer_.width(); }
int TQtPrintCanvas::PageHeight() const { return printer_.height(); }

int TQtPrintCanvas::TextWidth(const std::string& text) const {
  return QFontMetrics(font_, &printer_).horizontalAdvance(QString::fromStdString(text));
}

int TQtPrintCanvas::TextHeight(const std::string&) const { return QFontMetrics(font_, &printer_).height(); }

void TQtPrintCanvas::DrawText(int x, int y, const std::string& text) {
  QFontMetrics m(font_, &printer_);
  painter_.drawText(x, y + m.ascent(), QString::fromStdString(text));
}

void TQtPrintCanvas::DrawLine(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

void TQtPrintCanvas::SetFontSize(int points) {
  font_.setPointSize(points);
  painter_.setFont(font_);
}

void TQtPrintCanvas::NewPage() { printer_.newPage(); }

void TQtPrintCanvas::DrawPrintLogo(int right, int top, int height) {
  if (printLogo_.isNull() || height <= 0) return;
  int width = static_cast<int>(std::lround(printLogo_.width() * static_cast<double>(height) / printLogo_.height()));
  painter_.drawImage(QRect(right - width, top, width, height), printLogo_);
}

void TQtPrintCanvas::DrawPagePicture(int centreX, int centreY, int width) {
  if (pagePicture_.isNull() || width <= 0) return;
  int height = static_cast<int>(std::lround(pagePicture_.height() * static_cast<double>(width) / pagePicture_.width()));
  painter_.drawImage(QRect(centreX - width / 2, centreY - height / 2, width, height), pagePicture_);
}
