#pragma once
// A list view (names in columns) that draws a picture behind its items as
// the table view of the same list does.

#include <QImage>
#include <QListView>

class TBackgroundListView : public QListView {
  Q_OBJECT

 public:
  using QListView::QListView;
  void SetBackground(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QImage background_;
};
