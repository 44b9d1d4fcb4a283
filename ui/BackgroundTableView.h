#pragma once
// A table view that draws a picture behind its rows: centred horizontally
// and, below a top margin of 10 pixels, vertically; the rest white, the rows
// transparent. The picture stays put while the rows scroll.

#include <QImage>
#include <QTableView>

// The picture behind a list: the viewport filled white, the picture centred
// horizontally and, below a top margin of 10 pixels, vertically.
void PaintListBackground(QWidget* viewport, const QImage& picture);
// The palette for rows drawn over such a picture (transparent), or over
// white when there is none.
void UseListBackgroundPalette(QAbstractItemView* view, bool picture);

class TBackgroundTableView : public QTableView {
  Q_OBJECT

 public:
  using QTableView::QTableView;
  void SetBackground(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QImage background_;
};
