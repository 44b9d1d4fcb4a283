#pragma once
// Pieces the statistics windows share: a read-only list of many rows, the
// "Spočítat"/"Storno" row of their set-up dialogs, and the progress window
// of a computation.

#include <QProgressDialog>
#include <functional>
#include <memory>

class QBoxLayout;
class QDialog;
class QPushButton;
class QTableView;

// Whole rows selected one at a time, no editing, no row numbers, rows of
// one fixed height (so that a list of 200,000 rows scrolls at once).
void SetUpResultList(QTableView* list);

// "Spočítat" (the default button, accepting the dialog unless `compute` is
// given) and "Storno" (rejecting it), right-aligned at the end of `layout`.
QPushButton* AddComputeButtons(QDialog* dialog, QBoxLayout* layout, std::function<void()> compute = {});

// A window-modal progress window with "Storno", shown once the work takes
// longer than a moment. Callback() reports (done, total) and says whether
// to go on.
class TStatProgressWindow {
 public:
  TStatProgressWindow(QWidget* parent, const QString& caption, const QString& text);
  ~TStatProgressWindow();
  std::function<bool(int done, int total)> Callback();

 private:
  std::unique_ptr<QProgressDialog> dialog_;
};
