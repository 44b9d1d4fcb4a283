#include "ui/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "storage/Picture.h"

namespace {

const QColor kKey(0x00, 0x80, 0x00);

TPicture ToPicture(const QImage& image) {
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  TPicture p;
  p.width = rgb.width();
  p.height = rgb.height();
  p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
  for (int y = 0; y < p.height; ++y)
    std::memcpy(&p.rgb[static_cast<size_t>(y) * p.width * 3], rgb.constScanLine(y), static_cast<size_t>(p.width) * 3);
  return p;
}

QImage ToImage(const TPicture& p) {
  return QImage(p.rgb.data(), p.width, p.height, p.width * 3, QImage::Format_RGB888).copy();
}

void Stroke(QPainter& g, int size) {
  QPen pen(Qt::black, std::max(2, size / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  g.setPen(pen);
  g.setBrush(Qt::NoBrush);
}

}  // namespace

QImage UntintedCommandIcon(TCommand command, int size) {
  QImage image(size, size, QImage::Format_RGB888);
  image.fill(kKey);
  QPainter g(&image);
  g.setRenderHint(QPainter::Antialiasing, false);  // exact key colour around the strokes
  Stroke(g, size);
  const int m = size / 6, s = size - 2 * m;
  const QRect r(m, m, s, s);
  switch (command) {
    case TCommand::AddVehicle:
      g.drawLine(size / 2, m, size / 2, size - m);
      g.drawLine(m, size / 2, size - m, size / 2);
      break;
    case TCommand::RemoveVehicle:
      g.drawLine(m, size / 2, size - m, size / 2);
      g.drawRect(r.adjusted(0, s / 4, 0, -s / 4));
      break;
    case TCommand::OpenVehicle:
      g.drawRect(r.adjusted(0, s / 5, 0, 0));
      g.drawLine(r.left(), r.top() + s / 5, r.left() + s / 3, r.top());
      g.drawLine(r.left() + s / 3, r.top(), r.left() + s / 2, r.top() + s / 5);
      break;
    case TCommand::PrintVehicleList:
      g.drawRect(r.adjusted(0, s / 3, 0, -s / 6));
      g.drawRect(r.adjusted(s / 5, 0, -s / 5, -2 * s / 3));
      g.drawLine(r.left() + s / 5, r.bottom(), r.right() - s / 5, r.bottom());
      break;
    case TCommand::Contacts:
      g.drawEllipse(QPoint(size / 2, m + s / 4), s / 5, s / 5);
      g.drawArc(QRect(m, size / 2, s, s), 0, 180 * 16);
      break;
    case TCommand::Calendar:
      g.drawRect(r);
      g.drawLine(r.left(), r.top() + s / 4, r.right(), r.top() + s / 4);
      for (int i = 1; i < 3; ++i) g.drawLine(r.left() + i * s / 3, r.top() + s / 4, r.left() + i * s / 3, r.bottom());
      break;
    case TCommand::DueServices:
      g.drawEllipse(r);
      g.drawLine(size / 2, size / 2, size / 2, m + s / 5);
      g.drawLine(size / 2, size / 2, size - m - s / 5, size / 2);
      break;
    case TCommand::ViewList:
      for (int i = 0; i < 4; ++i) g.drawLine(r.left(), r.top() + i * s / 3, r.right(), r.top() + i * s / 3);
      break;
    case TCommand::ViewDetails:
      for (int i = 0; i < 3; ++i) {
        g.drawRect(QRect(r.left(), r.top() + i * s / 3, s / 4, s / 5));
        g.drawLine(r.left() + s / 3, r.top() + i * s / 3 + s / 10, r.right(), r.top() + i * s / 3 + s / 10);
      }
      break;
    case TCommand::Timer:
      g.drawEllipse(r.adjusted(0, s / 8, 0, 0));
      g.drawLine(size / 2, r.top(), size / 2, r.top() + s / 8);
      g.drawLine(size / 2, size / 2 + s / 16, size / 2 + s / 5, size / 2 - s / 8);
      break;
    default:
      g.end();
      return QImage();
  }
  g.end();
  return image;
}

QImage UntintedVehicleIcon(int size) {
  QImage image(size, size, QImage::Format_RGB888);
  image.fill(kKey);
  QPainter g(&image);
  g.setRenderHint(QPainter::Antialiasing, false);
  Stroke(g, size);
  g.setPen(QPen(Qt::black, std::max(1, size / 14)));
  const int m = size / 8, w = size - 2 * m;
  const int body = size / 2, low = size - m - size / 6;
  // Body with a cabin, and two wheels.
  g.drawRect(QRect(m, body, w, low - body));
  g.drawLine(m + w / 5, body, m + w / 3, body - size / 4);
  g.drawLine(m + w / 3, body - size / 4, m + 2 * w / 3, body - size / 4);
  g.drawLine(m + 2 * w / 3, body - size / 4, m + 4 * w / 5, body);
  const int r = std::max(2, size / 8);
  g.setBrush(Qt::black);
  g.drawEllipse(QPoint(m + w / 4, low), r, r);
  g.drawEllipse(QPoint(m + 3 * w / 4, low), r, r);
  g.end();
  return image;
}

QIcon VehicleRowIcon(uint32_t iconColour, int size) {
  TPicture p = ToPicture(UntintedVehicleIcon(size));
  const uint32_t key = 0x008000;
  TintIcon(p, key, iconColour, false);  // the key stays the key
  QImage image(p.width, p.height, QImage::Format_ARGB32);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const uint32_t rgb = p.Pixel(x, y);
      image.setPixel(x, y, rgb == key ? 0u : (0xFF000000u | rgb));
    }
  return QIcon(QPixmap::fromImage(image));
}

QIcon TintedIcon(const QImage& untinted, uint32_t background, uint32_t iconColour) {
  QIcon icon;
  if (untinted.isNull()) return icon;
  TPicture normal = ToPicture(untinted);
  TPicture disabled = normal;
  TintIcon(normal, background, iconColour, false);
  TintIcon(disabled, background, 0xC0C0C0, true);
  icon.addPixmap(QPixmap::fromImage(ToImage(normal)), QIcon::Normal);
  icon.addPixmap(QPixmap::fromImage(ToImage(disabled)), QIcon::Disabled);
  return icon;
}

QImage DuotoneImage(const QImage& logo, uint32_t iconColour, uint32_t background) {
  if (logo.isNull()) return logo;
  TPicture p = ToPicture(logo);
  DuotoneLogo(p, iconColour, background);
  return ToImage(p);
}
