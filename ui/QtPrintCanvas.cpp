#include "ui/QtPrintCanvas.h"

#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "storage/Notifier.h"
#include "ui/QtGraphCanvas.h"

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

void TQtPrintCanvas::SetBold(bool bold) {
  font_.setBold(bold);
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
  // Faint, like a watermark: at full strength the tinted picture is a solid
  // block of colour that the text over it cannot be read on.
  painter_.save();
  painter_.setOpacity(0.18);
  painter_.drawImage(QRect(centreX - width / 2, centreY - height / 2, width, height), pagePicture_);
  painter_.restore();
}

std::unique_ptr<IGraphCanvas> TQtPrintCanvas::GraphArea(int x, int y, int width, int height) {
  if (!painter_.isActive() || width <= 0 || height <= 0) return nullptr;
  const double scale = std::max(1.0, std::min(printer_.logicalDpiX() / 96.0, width / 800.0));
  // The canvas saves the painter's state first and restores it when it
  // goes, with the translation and scale below.
  auto area = std::make_unique<TQtGraphCanvas>(painter_, static_cast<int>(width / scale),
                                               static_cast<int>(height / scale));
  painter_.translate(x, y);
  painter_.scale(scale, scale);
  painter_.setClipRect(QRectF(0, 0, width / scale, height / scale), Qt::IntersectClip);
  return area;
}

void TQtPrintCanvas::EndJob() {
  if (painter_.isActive()) painter_.end();
}

void TQtPrintCanvas::AbortJob() {
  printer_.abort();
  if (painter_.isActive()) painter_.end();
}

bool AskPrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QString::fromUtf8("Tisk"));
  return dialog.exec() == QDialog::Accepted;
}

void ChosenPages(const QPrinter& printer, int& first, int& last) {
  first = 1;
  last = 999;
  if (printer.printRange() == QPrinter::PageRange) {
    first = printer.fromPage();
    last = printer.toPage();
  }
}

bool PrintStarted(const TQtPrintCanvas& canvas) {
  if (canvas.IsActive()) return true;
  ShowMessage("Chyba", "Tisk se nepodařilo zahájit.", TMsgIcon::Error);
  return false;
}
