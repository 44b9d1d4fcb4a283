#pragma once
// TfCgarvFile ("Zpracování datového souboru"): the changes a received
// exchange file would make, in six lists of check boxes, with the focused
// item's caption in full below. "&Přenést" takes the ticked changes over,
// "&Storno" none.

#include <QDialog>
#include <array>

#include "exchange/ExchangeChanges.h"

class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

class TfCgarvFile : public QDialog {
  Q_OBJECT

 public:
  explicit TfCgarvFile(QWidget* parent = nullptr);

  // Fills the lists from `changes` (changed items unticked, new ones
  // ticked), shows the window modally and, on "Přenést", copies the ticks
  // back. True for "Přenést".
  bool Choose(TExchangeChanges& changes);

  QListWidget* List(int list) { return lists_[static_cast<size_t>(list)]; }
  QPlainTextEdit* Description() { return mDescription_; }
  QPushButton* ApplyButton() { return sbApply_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(const TExchangeChanges& changes);
  void ShowItem(QListWidgetItem* item);

  std::array<QListWidget*, kExchangeListCount> lists_{};
  QPlainTextEdit* mDescription_;
  QPushButton* sbApply_;
};

// The one window, made on first use; shown with `parent` in front.
bool ChooseExchangeChanges(TExchangeChanges& changes, QWidget* parent);
