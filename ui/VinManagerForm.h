#pragma once
// "Správce VIN kódů": edits the tree of VIN patterns that the VIN decoder
// uses. Not modal; closing it writes the tree to "db_vin.txt". The tree it
// edits is the program's shared one (VinPatterns()), so the decoder sees
// the edits at once.

#include <QWidget>
#include <functional>

#include "catalogues/CatalogueStores.h"
#include "catalogues/VinPatterns.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TfVINmanager : public QWidget {
  Q_OBJECT

 public:
  TfVINmanager(const TCatalogue& catalogue, TVINPatterns& patterns, QWidget* parent = nullptr);

  // The files read when opening and written when closing; by default
  // VinPatternFile() and VinPatternFileForSaving().
  void SetFiles(std::function<S_FileName()> readFrom, std::function<S_FileName()> writeTo);

  // Unless already visible: the sorting mode "Podle VIN kódu", the make
  // list from the catalogue, the tree from the file, nothing selected. Then
  // shows the window.
  void Open();

  // Commands, also for tests.
  void AddTopLevel();
  void AddSubEntry();
  void DuplicateSelected();
  void DeleteSelected();
  void SortBy(TVINSortMode mode);
  void Select(const TVINEntry* entry);
  TVINEntry* Selected() const;

  QTreeWidget* Tree() const { return tree_; }
  QWidget* Panel() const { return panel_; }
  QLineEdit* MaskEdit() const { return mask_; }
  QLineEdit* FullMask() const { return full_; }
  QLabel* Ruler() const { return ruler_; }
  QComboBox* MakeBox() const { return manuf_; }
  QComboBox* ModelBox() const { return model_; }
  QComboBox* SubTypeBox() const { return subtype_; }
  QComboBox* EngineBox() const { return engine_; }
  QPlainTextEdit* InfoEdit() const { return info_; }
  QLineEdit* ReferenceEdit() const { return reference_; }
  QAction* DeleteAction() const { return delete_; }
  QAction* SubEntryAction() const { return addSub_; }
  QAction* DuplicateAction() const { return duplicate_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Rebuild();
  void AddItems(QTreeWidgetItem* parentItem, const TVINEntries& entries);
  QTreeWidgetItem* ItemOf(const TVINEntry* entry) const;
  void SelectionChanged();
  void FillPanel(const TVINEntry& entry);
  void FillLists();
  void PanelEdited();
  void ShowDerived(const TVINEntry& entry);
  void SelectNew(TVINEntry* entry);

  TCatalogue catalogue_;
  TVINPatterns& patterns_;
  std::function<S_FileName()> readFrom_;
  std::function<S_FileName()> writeTo_;
  TVINSortMode mode_ = TVINSortMode::ByMask;
  bool filling_ = false;

  QTreeWidget* tree_;
  QWidget* panel_;
  QLineEdit* mask_;
  QLabel* ruler_;
  QLineEdit* full_;
  QComboBox* manuf_;
  QComboBox* model_;
  QComboBox* subtype_;
  QComboBox* engine_;
  QPlainTextEdit* info_;
  QLineEdit* reference_;
  QAction* addTop_;
  QAction* addSub_;
  QAction* duplicate_;
  QAction* delete_;
  QAction* byMask_;
  QAction* byDescription_;
};
