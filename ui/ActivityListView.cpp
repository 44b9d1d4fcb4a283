#include "ui/ActivityListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>

#include "servicebook/RecordEditor.h"
#include "storage/Picture.h"
#include "ui/DialogParts.h"
#include "ui/IconPictures.h"
#include "ui/MemoText.h"

namespace {

constexpr int kTextLineHeight = 16;
constexpr int kActivityMinText = 34;
constexpr int kActivityExtra = 5;
constexpr int kActivityInset = 5;
constexpr int kMaterialIndent = 20;
constexpr int kValueRightGap = 10;
constexpr int kIconColumnWidth = 44;
constexpr int kShownColumnWidth = 75;
constexpr int kMinColumnWidth = 50;
constexpr int kMaxColumnWidth = 1000;
constexpr int kValueEditorLimit = 8;

QColor LineColour(const TActRecord& line) { return QColor::fromRgb(BgrToRgb(static_cast<uint32_t>(line.color))); }

// Black or white text, whichever contrasts with the box.
QColor TextColour(const QColor& box) {
  return 0.3 * box.red() + 0.6 * box.green() + 0.1 * box.blue() <= 128 ? Qt::white : Qt::black;
}

// An editor over a line: a shade of the line's colour, so that the line
// shows which of its cells take typing without a frame taking room from
// the low lines of materials.
void Recolour(QWidget* w, const QColor& box) {
  const QColor cell = box.lightness() > 170 ? box.darker(112) : box.lighter(125);
  QPalette p = w->palette();
  p.setColor(QPalette::Base, cell);
  p.setColor(QPalette::Text, TextColour(cell));
  w->setPalette(p);
}

}  // namespace

QPixmap InvoiceMarkPixmap(bool hidden) {
  QPixmap pm(20, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 2.5, 11, 15));
  for (int y : {6, 9, 12}) p.drawLine(QPointF(6.5, y + 0.5), QPointF(13.5, y + 0.5));
  if (hidden) {
    p.setPen(QPen(QColor(210, 30, 30), 2.2));
    p.drawLine(QPointF(3, 3), QPointF(17, 17));
    p.drawLine(QPointF(17, 3), QPointF(3, 17));
  }
  return pm;
}

TActivityListView::TActivityListView(TRecordEditor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor) {
  setObjectName("lbActList");
  setFocusPolicy(Qt::StrongFocus);
  headings_ = new QStandardItemModel(0, kActColumnCount, this);
  for (int c = 0; c < kActColumnCount; ++c)
    headings_->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(ActColumnHeading(c)));
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setObjectName("hcActList");
  header_->setModel(headings_);
  header_->setSectionsClickable(false);
  header_->setMinimumSectionSize(0);
  header_->setStretchLastSection(true);
  header_->setDefaultAlignment(Qt::AlignCenter);
  header_->resizeSection(kColIcon, kIconColumnWidth);
  header_->setSectionResizeMode(kColIcon, QHeaderView::Fixed);
  header_->resizeSection(kColText, 280);
  for (int c = kColCount; c < kColEnd; ++c) header_->resizeSection(c, 82);
  connect(header_, &QHeaderView::sectionResized, this, &TActivityListView::SectionResized);
  verticalScrollBar()->setSingleStep(kTextLineHeight);
  horizontalScrollBar()->setSingleStep(20);

  memo_ = new QPlainTextEdit(viewport());
  memo_->setObjectName("memoEdit");
  memo_->setTabChangesFocus(true);
  memo_->setFrameShape(QFrame::NoFrame);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo_->hide();
  memo_->installEventFilter(this);
  connect(memo_, &QPlainTextEdit::textChanged, this, [this] { GuardedSlot("Seznam úkonů", [this] { MemoChanged(); }); });
  const char* names[] = {"", "", "edCount", "edPrice", "edPriceVAT", "edTotalPrice", "edTotalPriceVAT",
                         "edPurchasePrice", "edPurchasePriceVAT"};
  for (int c = kColCount; c <= kColPurchaseVAT; ++c) {
    auto* e = new QLineEdit(viewport());
    e->setObjectName(names[c]);
    e->setMaxLength(kValueEditorLimit);
    e->setAlignment(Qt::AlignRight);
    e->setFrame(false);
    e->hide();
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, c] { GuardedSlot("Seznam úkonů", [this, c] { ValueEdited(c); }); });
    values_[c] = e;
  }
  SetColumnMask(kDefaultColumnMask);
}

void TActivityListView::SetColumnMask(int mask) {
  mask_ = EffectiveColumnMask(mask);
  for (int c = 0; c < kActColumnCount; ++c) {
    const bool shown = ColumnShown(mask_, c) || c == kColEnd;
    if (shown == !header_->isSectionHidden(c)) continue;
    header_->setSectionHidden(c, !shown);
    if (shown && c != kColIcon && c != kColEnd && header_->sectionSize(c) < kMinColumnWidth)
      header_->resizeSection(c, kShownColumnWidth);
  }
  Reload();
}

void TActivityListView::SectionResized(int column, int, int newSize) {
  if (column == kColText || (column > kColText && column < kColEnd)) {
    const int bounded = std::clamp(newSize, kMinColumnWidth, kMaxColumnWidth);
    if (!header_->isSectionHidden(column) && bounded != newSize) {
      header_->resizeSection(column, bounded);
      return;
    }
  }
  if (column == kColText) Relayout();  // wrapping changes with the width
  UpdateScrollBars();
  PlaceEditors();
  viewport()->update();
}

void TActivityListView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (readOnly) CloseEditors();
}

int TActivityListView::ColumnLeft(int column) const { return header_->sectionViewportPosition(column); }

int TActivityListView::ColumnWidth(int column) const {
  return header_->isSectionHidden(column) ? 0 : header_->sectionSize(column);
}

int TActivityListView::LineHeight(int index) const {
  const TActRecord& line = editor_.Lines()[index];
  const int indent = line.itemType == kItemMaterial ? kMaterialIndent : 0;
  const int width = std::max(10, ColumnWidth(kColText) - 8 - indent);
  const QFontMetrics fm(font());
  const QString text = ToMemoText(line.text);
  const int rows = text.isEmpty() ? 1
                                  : std::max(1, fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text)
                                                        .height() /
                                                    fm.lineSpacing());
  const int lineHeight = std::max(kTextLineHeight, fm.lineSpacing());
  int height = rows * lineHeight + 4;
  if (line.itemType == kItemActivity) height = std::max(height, kActivityMinText) + kActivityExtra;
  return height;
}

void TActivityListView::Relayout() {
  const int n = static_cast<int>(editor_.Lines().size());
  tops_.assign(static_cast<size_t>(n) + 1, 0);
  for (int i = 0; i < n; ++i) tops_[i + 1] = tops_[i] + LineHeight(i);
  UpdateScrollBars();
}

void TActivityListView::UpdateScrollBars() {
  const int total = tops_.empty() ? 0 : tops_.back();
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setRange(0, std::max(0, header_->length() - viewport()->width()));
}

void TActivityListView::Reload() {
  CloseEditors();
  const int n = static_cast<int>(editor_.Lines().size());
  std::erase_if(selected_, [n](int i) { return i >= n; });
  if (current_ >= n) current_ = n - 1;
  Relayout();
  viewport()->update();
}

QRect TActivityListView::LineRect(int index) const {
  if (index < 0 || index + 1 >= static_cast<int>(tops_.size())) return {};
  return QRect(-horizontalScrollBar()->value(), tops_[index] - verticalScrollBar()->value(),
               std::max(header_->length(), viewport()->width()), tops_[index + 1] - tops_[index]);
}

int TActivityListView::LineAt(int y) const {
  const int content = y + verticalScrollBar()->value();
  if (tops_.size() < 2 || content < 0 || content >= tops_.back()) return -1;
  auto it = std::upper_bound(tops_.begin(), tops_.end(), content);
  return static_cast<int>(it - tops_.begin()) - 1;
}

int TActivityListView::ColumnAt(int x) const { return header_->logicalIndexAt(x); }

void TActivityListView::Select(int index) {
  selected_.clear();
  current_ = anchor_ = index;
  if (index >= 0 && index < static_cast<int>(editor_.Lines().size())) {
    selected_.insert(index);
    const QRect r = LineRect(index);
    if (r.top() < 0) verticalScrollBar()->setValue(tops_[index]);
    else if (r.bottom() > viewport()->height()) verticalScrollBar()->setValue(tops_[index + 1] - viewport()->height());
  } else {
    current_ = anchor_ = -1;
  }
  viewport()->update();
  emit selectionChanged();
}

void TActivityListView::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.fillRect(event->rect(), palette().color(QPalette::Base));
  const int first = LineAt(event->rect().top());
  if (first < 0) return;
  const QFontMetrics fm(font());
  const int lineHeight = std::max(kTextLineHeight, fm.lineSpacing());
  const int textLeft = ColumnLeft(kColText), textWidth = ColumnWidth(kColText);
  const int n = static_cast<int>(editor_.Lines().size());
  for (int i = first; i < n; ++i) {
    const QRect row = LineRect(i);
    if (row.top() > event->rect().bottom()) break;
    const TActRecord& line = editor_.Lines()[i];
    const bool activity = line.itemType == kItemActivity;
    const QColor box = LineColour(line);
    // Materials start under the text column, indented, so they read as
    // belonging to the activity above them.
    const int boxLeft = activity ? row.left() + 1 : textLeft + kMaterialIndent - 4;
    const QRectF boxRect(boxLeft + 0.5, row.top() + 1.5, row.left() + header_->length() - 2 - boxLeft, row.height() - 3);
    p.setPen(box.darker(140));
    p.setBrush(box);
    p.drawRoundedRect(boxRect, 3, 3);
    if (selected_.count(i)) {
      p.setPen(QPen(QColor(0, 70, 220), 2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(boxRect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    const int inset = activity ? kActivityInset : 2;
    // Column 0: the icon, or the mark of a line kept off invoices.
    const int iconLeft = ColumnLeft(kColIcon);
    if (!line.showOnInvoice) {
      // Centred on the line: a material's line is lower than the mark's
      // offset from an activity's top.
      const QPixmap mark = InvoiceMarkPixmap(true);
      p.drawPixmap(iconLeft + kActivityInset + 6, row.top() + (row.height() - mark.height()) / 2, mark);
    } else if (activity) {
      const TLoadedIcon& icon = LoadIcon(line.icon);
      if (!icon.picture.isNull()) p.drawPixmap(iconLeft + kActivityInset, row.top() + kActivityInset, icon.picture);
    }
    p.setPen(TextColour(box));
    if (textWidth > 0) {
      const int indent = activity ? 0 : kMaterialIndent;
      const QRect text(textLeft + 4 + indent, row.top() + inset, textWidth - 8 - indent, row.height() - inset);
      p.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, ToMemoText(line.text));
    }
    for (int c = kColCount; c <= kColPurchaseVAT; ++c) {
      const int w = ColumnWidth(c);
      if (w <= 0) continue;
      const QRect cell(ColumnLeft(c), row.top() + inset, w - kValueRightGap, lineHeight);
      p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(editor_.CellText(i, c)));
    }
  }
}

void TActivityListView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const int index = LineAt(event->position().toPoint().y());
  const int column = ColumnAt(event->position().toPoint().x());
  if (index < 0) {
    CloseEditors();
    Select(-1);
    return;
  }
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (mods & Qt::ControlModifier) {
    if (!selected_.erase(index)) selected_.insert(index);
    current_ = anchor_ = index;
  } else if ((mods & Qt::ShiftModifier) && anchor_ >= 0) {
    selected_.clear();
    for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) selected_.insert(i);
    current_ = index;
  } else {
    if (editIndex_ != index) CloseEditors();
    Select(index);
    if (!readOnly_ && column > kColIcon && column < kColEnd && event->button() == Qt::LeftButton)
      OpenEditors(index, column);
    return;
  }
  CloseEditors();
  viewport()->update();
  emit selectionChanged();
}

void TActivityListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const int index = LineAt(event->position().toPoint().y());
  const int column = ColumnAt(event->position().toPoint().x());
  if (index >= 0 && column == kColIcon && !readOnly_ && editor_.Lines()[index].itemType == kItemActivity)
    emit iconRequested(index);
}

void TActivityListView::keyPressEvent(QKeyEvent* event) {
  const int n = static_cast<int>(editor_.Lines().size());
  switch (event->key()) {
    case Qt::Key_Up:
      if (current_ > 0) Select(current_ - 1);
      else if (current_ < 0 && n > 0) Select(0);
      return;
    case Qt::Key_Down:
      if (current_ + 1 < n) Select(current_ + 1);
      return;
    case Qt::Key_Home:
      if (n > 0) Select(0);
      return;
    case Qt::Key_End:
      if (n > 0) Select(n - 1);
      return;
    case Qt::Key_Delete:
      if (!readOnly_ && !selected_.empty()) emit deleteRequested();
      return;
    case Qt::Key_F2:
      if (!readOnly_ && current_ >= 0) OpenEditors(current_, kColText);
      return;
    default: QAbstractScrollArea::keyPressEvent(event);
  }
}

void TActivityListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  const QRect vg = viewport()->geometry();
  header_->setGeometry(vg.left(), vg.top() - header_->sizeHint().height(), vg.width(), header_->sizeHint().height());
  setViewportMargins(0, header_->sizeHint().height(), 0, 0);
  UpdateScrollBars();
  PlaceEditors();
}

void TActivityListView::scrollContentsBy(int dx, int dy) {
  header_->setOffset(horizontalScrollBar()->value());
  QAbstractScrollArea::scrollContentsBy(dx, dy);
  PlaceEditors();
}

QWidget* TActivityListView::ColumnEditor(int column) const {
  if (column == kColText) return memo_;
  if (column >= kColCount && column <= kColPurchaseVAT) return values_[column];
  return nullptr;
}

void TActivityListView::OpenEditors(int index, int column) {
  if (readOnly_ || index < 0 || index >= static_cast<int>(editor_.Lines().size())) return;
  if (editIndex_ != index) {
    CloseEditors();
    editIndex_ = index;
    FillEditors(-1);
  }
  PlaceEditors();
  QWidget* focus = ColumnEditor(column);
  if (!focus || !focus->isVisible()) focus = memo_->isVisible() ? memo_ : nullptr;
  if (focus) {
    focus->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(focus)) e->selectAll();
    else memo_->moveCursor(QTextCursor::End);
  }
}

void TActivityListView::FillEditors(int except) {
  if (editIndex_ < 0) return;
  filling_ = true;
  const TActRecord& line = editor_.Lines()[editIndex_];
  const QColor box = LineColour(line);
  if (except != kColText) {
    Recolour(memo_, box);
    memo_->setPlainText(ToMemoText(line.text));
  }
  for (int c = kColCount; c <= kColPurchaseVAT; ++c) {
    if (c == except) continue;
    Recolour(values_[c], box);
    values_[c]->setText(QString::fromStdString(editor_.CellText(editIndex_, c)));
  }
  filling_ = false;
}

void TActivityListView::PlaceEditors() {
  if (editIndex_ < 0) return;
  const QRect row = LineRect(editIndex_);
  const TActRecord& line = editor_.Lines()[editIndex_];
  const int inset = line.itemType == kItemActivity ? kActivityInset : 2;
  for (int c = kColText; c <= kColPurchaseVAT; ++c) {
    QWidget* w = ColumnEditor(c);
    const int width = ColumnWidth(c);
    // Editors only for columns wide enough to type into.
    if (width <= 20) {
      w->hide();
      continue;
    }
    int left = ColumnLeft(c) + 2;
    int cellWidth = width - 4;
    if (c == kColText && line.itemType == kItemMaterial) {
      left += kMaterialIndent;
      cellWidth -= kMaterialIndent;
    }
    const int height = c == kColText ? row.height() - inset - 2 : std::min(row.height() - inset - 2, 22);
    w->setGeometry(left, row.top() + inset - 1, cellWidth, std::max(height, 18));
    w->show();
  }
}

void TActivityListView::CloseEditors() {
  if (editIndex_ < 0) return;
  const bool hadFocus = memo_->hasFocus() || std::any_of(values_.begin(), values_.end(), [](QLineEdit* e) {
                          return e && e->hasFocus();
                        });
  editIndex_ = -1;
  memo_->hide();
  for (QLineEdit* e : values_)
    if (e) e->hide();
  if (hadFocus) setFocus();
  viewport()->update();
}

void TActivityListView::CloseEditorsLater() {
  // Focus moving between the line's own editors keeps them open.
  QTimer::singleShot(0, this, [this] {
    QWidget* f = QApplication::focusWidget();
    if (f == memo_ || std::find(values_.begin(), values_.end(), f) != values_.end()) return;
    if (f && memo_->isAncestorOf(f)) return;
    CloseEditors();
  });
}

void TActivityListView::MemoChanged() {
  if (filling_ || editIndex_ < 0) return;
  const std::string typed = FromMemoText(memo_->toPlainText());
  editor_.SetLineText(editIndex_, typed);
  const std::string& kept = editor_.Lines()[editIndex_].text;
  if (kept != typed) {
    // Too long, too many lines or a forbidden character: show what is kept.
    filling_ = true;
    memo_->setPlainText(ToMemoText(kept));
    memo_->moveCursor(QTextCursor::End);
    filling_ = false;
  }
  Relayout();
  PlaceEditors();
  viewport()->update();
  emit changed();
}

void TActivityListView::ValueEdited(int column) {
  if (filling_ || editIndex_ < 0) return;
  if (!editor_.SetLineValue(editIndex_, column, values_[column]->text().toStdString())) return;
  FillEditors(column);
  viewport()->update();
  emit changed();
}

bool TActivityListView::eventFilter(QObject* watched, QEvent* event) {
  // A click into another cell of the edited line takes the cell's whole
  // value, as the first click on the line does: typing replaces it instead
  // of mixing with the old digits. The click gives the focus before the
  // press itself arrives.
  if (event->type() == QEvent::FocusIn) {
    const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
    clickedValue_ = byMouse ? qobject_cast<QLineEdit*>(watched) : nullptr;
  } else if (event->type() == QEvent::MouseButtonPress && watched == clickedValue_) {
    clickedValue_ = nullptr;
    static_cast<QLineEdit*>(watched)->selectAll();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool memo = watched == memo_;
    if (key->key() == Qt::Key_Escape || ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                                         (!memo || key->modifiers() & Qt::ControlModifier))) {
      CloseEditors();
      return true;  // the dialog does not close or confirm on these
    }
  } else if (event->type() == QEvent::FocusOut) {
    CloseEditorsLater();
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}
