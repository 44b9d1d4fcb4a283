#pragma once
// The record editor's list of activity and material lines (`lbActList`
// under its header `hcActList`): each line drawn as a box in its colour,
// activities with their icon, materials indented under them, values in
// columns. In the editable mode a click on a line lays the editors of its
// visible columns over it. The lines and their rules are the editor core's
// (servicebook/RecordEditor.h); the view shows them and passes typing on.

#include <QAbstractScrollArea>
#include <QPixmap>
#include <array>
#include <set>
#include <vector>

class QHeaderView;
class QLineEdit;
class QPlainTextEdit;
class QStandardItemModel;
class TRecordEditor;

// The mark of a line kept off invoices (and of the buttons that set it).
QPixmap InvoiceMarkPixmap(bool hidden);

class TActivityListView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  TActivityListView(TRecordEditor& editor, QWidget* parent = nullptr);

  // Shown columns: bit n shows column n (the text column always).
  void SetColumnMask(int mask);
  int ColumnMask() const { return mask_; }
  // The lines changed in the editor: laid out and drawn again; editors close.
  void Reload();
  void SetReadOnly(bool readOnly);

  std::vector<int> Selection() const { return {selected_.begin(), selected_.end()}; }
  int Current() const { return current_; }
  // Selects one line (-1: none) and brings it into view.
  void Select(int index);
  // Lays the editors over the line and focuses the column's one.
  void OpenEditors(int index, int column);
  void CloseEditors();
  bool Editing() const { return editIndex_ >= 0; }
  int EditedLine() const { return editIndex_; }
  QWidget* ColumnEditor(int column) const;

  QHeaderView* Header() const { return header_; }
  // Where a line is drawn, in viewport coordinates.
  QRect LineRect(int index) const;
  // The line and column under a viewport point (-1 when none).
  int LineAt(int y) const;
  int ColumnAt(int x) const;

 signals:
  void changed();  // a line's text or value was typed
  void selectionChanged();
  void iconRequested(int index);
  void deleteRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Relayout();
  void UpdateScrollBars();
  int LineHeight(int index) const;
  int ColumnLeft(int column) const;
  int ColumnWidth(int column) const;
  void PlaceEditors();
  void FillEditors(int except);
  void MemoChanged();
  void ValueEdited(int column);
  void CloseEditorsLater();
  void SectionResized(int column, int oldSize, int newSize);

  TRecordEditor& editor_;
  QHeaderView* header_;
  QStandardItemModel* headings_;
  QPlainTextEdit* memo_;
  std::array<QLineEdit*, 10> values_{};  // columns 2..8
  std::vector<int> tops_;                // of each line, then the total height
  std::set<int> selected_;
  int current_ = -1;
  int anchor_ = -1;
  int editIndex_ = -1;
  QLineEdit* clickedValue_ = nullptr;  // took the focus by a click not yet delivered
  int mask_ = 0;
  bool readOnly_ = false;
  bool filling_ = false;
};
