#pragma once
// The selection dialog: a prompt and a list of items with check boxes.

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

class TfSelectItems : public QDialog {
  Q_OBJECT

 public:
  TfSelectItems(const std::string& title, const std::string& prompt, const std::vector<std::string>& items,
                const std::vector<bool>& marks, QWidget* parent = nullptr);
  std::vector<bool> States() const;
  QListWidget* List() { return list_; }

 private:
  QListWidget* list_;
};

// Items checked as in `marks` (unchecked beyond its length). "&OK" replaces
// `marks` by the states of all items and gives true; "&Storno" gives false
// and leaves it as it was.
bool SelectItems(const std::string& title, const std::string& prompt, const std::vector<std::string>& items,
                 std::vector<bool>& marks, QWidget* parent = nullptr);
