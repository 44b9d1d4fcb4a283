#include "ui/BackgroundTableView.h"

#include <QPainter>

void TBackgroundTableView::SetBackground(const QImage& picture) {
  background_ = picture;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, background_.isNull() ? Qt::white : Qt::transparent);
  pal.setColor(QPalette::AlternateBase, background_.isNull() ? QColor(0xF4, 0xF4, 0xF4) : Qt::transparent);
  setPalette(pal);
  viewport()->update();
}

void TBackgroundTableView::paintEvent(QPaintEvent* event) {
  if (!background_.isNull()) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const int top = 10;
    int x = (viewport()->width() - background_.width()) / 2;
    int y = top + (viewport()->height() - top - background_.height()) / 2;
    painter.drawImage(x, y, background_);
  }
  QTableView::paintEvent(event);
}

void TBackgroundTableView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  if (!background_.isNull()) viewport()->update();
}
