#include "ui/CatalogueListDelegate.h"

#include <QPainter>

TCatalogueListDelegate::TCatalogueListDelegate(int rowHeight, std::function<QImage(const QModelIndex&)> picture,
                                               QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight), picture_(std::move(picture)) {}

void TCatalogueListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  painter->save();
  const QRect square(r.left(), r.top(), r.height(), r.height());
  painter->fillRect(square, Qt::white);
  const QImage picture = picture_ ? picture_(index) : QImage();
  if (!picture.isNull()) painter->drawImage(square.topLeft(), picture);
  const QRect rest(square.right() + 1, r.top(), r.width() - square.width(), r.height());
  painter->fillRect(rest, selected ? QColor(0x00, 0x00, 0x80) : QColor(Qt::white));
  painter->setPen(selected ? Qt::white : Qt::black);
  painter->setFont(option.font);
  const QRect text = rest.adjusted(3, 0, 0, 0);
  painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, text.width()));
  painter->restore();
}

QSize TCatalogueListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QSize(QStyledItemDelegate::sizeHint(option, index).width() + rowHeight_, rowHeight_);
}
