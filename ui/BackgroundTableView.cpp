#include "ui/BackgroundTableView.h"

#include <QPainter>

void PaintListBackground(QWidget* viewport, const QImage& picture) {
  if (picture.isNull()) return;
  QPainter painter(viewport);
  painter.fillRect(viewport->rect(), Qt::white);
  const int top = 10;
  int x = (viewport->width() - picture.width()) / 2;
  int y = top + (viewport->height() - top - picture.height()) / 2;
  painter.drawImage(x, y, picture);
}

void UseListBackgroundPalette(QAbstractItemView* view, bool picture) {
  QPalette pal = view->palette();
  pal.setColor(QPalette::Base, picture ? Qt::transparent : Qt::white);
  pal.setColor(QPalette::AlternateBase, picture ? Qt::transparent : QColor(0xF4, 0xF4, 0xF4));
  view->setPalette(pal);
  view->viewport()->update();
}
