#pragma once
// The loop of the three document windows: the window stays open until the
// document is issued or the user cancels; nothing thrown leaves it.

#include <QDialog>
#include <exception>

#include "documents/DocumentIssue.h"
#include "storage/Notifier.h"

// `issue` gets what the window holds when "Vytvořit" is pressed. True when
// the record's number changed.
template <typename TForm, typename TState, typename TIssue>
bool RunDocumentWindow(TForm& form, const TState& opened, TIssue issue) {
  try {
    form.Open(opened);
    for (;;) {
      if (form.exec() != QDialog::Accepted) return false;
      TIssueResult result = issue(form.Read());
      if (result.done) return result.recordChanged;
    }
  } catch (const std::exception& e) {
    ShowError(e.what());
    return false;
  }
}
