#pragma once
// Views that draw a picture behind their rows: centred horizontally and,
// below a top margin of 10 pixels, vertically; the rest white, the rows
// transparent. The picture stays put while the rows scroll.

#include <QImage>
#include <QTableView>

// The picture behind a list: the viewport filled white, the picture centred
// horizontally and, below a top margin of 10 pixels, vertically.
void PaintListBackground(QWidget* viewport, const QImage& picture);
// The palette for rows drawn over such a picture (transparent), or over
// white when there is none.
void UseListBackgroundPalette(QAbstractItemView* view, bool picture);

// Any item view with the picture behind it.
template <class TView>
class TBackgroundView : public TView {
 public:
  using TView::TView;
  void SetBackground(const QImage& picture) {
    background_ = picture;
    UseListBackgroundPalette(this, !background_.isNull());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    PaintListBackground(this->viewport(), background_);
    TView::paintEvent(event);
  }
  void scrollContentsBy(int dx, int dy) override {
    TView::scrollContentsBy(dx, dy);
    if (!background_.isNull()) this->viewport()->update();
  }

 private:
  QImage background_;
};

class TBackgroundTableView : public TBackgroundView<QTableView> {
 public:
  using TBackgroundView::TBackgroundView;
};
