#pragma once
// A table view that draws a picture behind its rows: centred horizontally
// and, below a top margin of 10 pixels, vertically; the rest white, the rows
// transparent. The picture stays put while the rows scroll.

#include <QImage>
#include <QTableView>

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
