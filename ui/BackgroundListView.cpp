#include "ui/BackgroundListView.h"

#include "ui/BackgroundTableView.h"

void TBackgroundListView::SetBackground(const QImage& picture) {
  background_ = picture;
  UseListBackgroundPalette(this, !background_.isNull());
}

void TBackgroundListView::paintEvent(QPaintEvent* event) {
  PaintListBackground(viewport(), background_);
  QListView::paintEvent(event);
}

void TBackgroundListView::scrollContentsBy(int dx, int dy) {
  QListView::scrollContentsBy(dx, dy);
  if (!background_.isNull()) viewport()->update();  // the picture stays put
}
