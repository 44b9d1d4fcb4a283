#pragma once
// Rows of the catalogue manager's lists: a white square as wide as the row
// is high with the entry's picture at its top left, then the name 3 pixels
// further, centred vertically; right of the square a selected row is navy
// blue with white text, other rows white with black text.

#include <QImage>
#include <QStyledItemDelegate>
#include <functional>

class TCatalogueListDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `picture` gives the cached picture of a row (a null image for none).
  TCatalogueListDelegate(int rowHeight, std::function<QImage(const QModelIndex&)> picture, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int rowHeight_;
  std::function<QImage(const QModelIndex&)> picture_;
};
