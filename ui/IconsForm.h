#pragma once
// "Zvolte ikonu": the icon library as a list of rows (one per index, empty
// rows where no file is), a colour box, and the commands that add, replace
// (double click) and rename icons. The library's rules are the core's
// (catalogues/Icons.h).

#include <QDialog>
#include <cstdint>

class QAbstractListModel;
class QListView;
class QPushButton;

class TfIcons : public QDialog {
  Q_OBJECT
 public:
  explicit TfIcons(QWidget* parent = nullptr);

  // Lists the library again, selects the row and shows the colour box only
  // for a colour >= 0.
  void Open(int32_t index, int32_t colour);
  // The selected row (-1 when none) and the colour box's colour.
  int32_t SelectedIndex() const;
  int32_t Colour() const { return colour_; }

  QListView* List() { return list_; }
  // The commands, for the buttons and for tests.
  void AddIcon();
  void ReplaceIcon(int32_t index);
  void RenameIcon(int32_t index);
  void ChooseColour();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refill(int32_t select);
  void ShowColour();

  QListView* list_;
  QAbstractListModel* model_;
  QPushButton *colourBox_, *btnAdd_, *btnRename_, *btnOK_;
  int32_t colour_ = -1;
};

// Opens the icon window on `index` and `colour` (a colour < 0 hides the
// colour box). However the window is closed, `index` becomes the selected
// row (-1 when none) and `colour` the colour box's colour. True when the
// choice differs from what came in.
bool ChooseIcon(QWidget* parent, int32_t& index, int32_t& colour);
