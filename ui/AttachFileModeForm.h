#pragma once
// "Zvolte formu přiložení souboru": how a chosen file or folder becomes an
// attachment, a link (the choice on opening), a copy, or moved here.
// Double-clicking a choice confirms it.

#include <QDialog>

#include "catalogues/AttachmentFiles.h"

class QListWidget;

class TfAttachFileMode : public QDialog {
  Q_OBJECT

 public:
  explicit TfAttachFileMode(QWidget* parent = nullptr);
  TAttachMode Mode() const;
  QListWidget* Choices() { return choices_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Gives every choice the height its wrapped text needs at the list's width.
  void FitRows();
  QListWidget* choices_;
};

// Asks; false when cancelled.
bool AskAttachMode(QWidget* parent, TAttachMode& mode);
