#pragma once
// "Správce koncernů, výrobců, motorů a modelů": the catalogue manager. Five
// lists (concerns, makes and engines of the selected concern, models of the
// selected make, subtypes of the selected model), each with its edit boxes
// and "Přidat"/"Odebrat". The data and its rules live in TCatalogueEditor;
// closing the window writes every entry back.

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "catalogues/CatalogueEditor.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

class TfCarModels : public QDialog {
  Q_OBJECT

 public:
  explicit TfCarModels(const TCatalogue& catalogue, QWidget* parent = nullptr);

  // Loads the five levels and the pictures and shows the concerns, nothing
  // selected. Run() also shows the window modally.
  void Prepare();
  void Run();

  // Opens the attachments window modally on a (virtual) folder. Without it
  // a double-click does nothing.
  void SetAttachmentOpener(std::function<void(const std::string& folder)> opener) { openAttachments_ = std::move(opener); }

  // Commands, also for tests.
  void AddEntryCommand(TCatalogueLevel level);
  void RemoveSelected(TCatalogueLevel level);
  void FindManufacturer(const QString& name);
  void OpenAttachments(TCatalogueLevel level);
  void SelectRow(TCatalogueLevel level, int row);

  TCatalogueEditor& Editor() { return editor_; }
  QListWidget* List(TCatalogueLevel level) const { return Level(level).list; }
  QPushButton* AddButton(TCatalogueLevel level) const { return Level(level).add; }
  QPushButton* RemoveButton(TCatalogueLevel level) const { return Level(level).remove; }
  QWidget* Fields(TCatalogueLevel level) const { return Level(level).fields; }
  QLineEdit* NameEdit(TCatalogueLevel level) const { return Level(level).name; }
  QLineEdit* CountryEdit() const { return country_; }
  QLineEdit* UrlEdit(TCatalogueLevel level) const { return Level(level).url; }
  QLineEdit* DisplacementEdit() const { return displacement_; }
  QRadioButton* FuelButton(int32_t fuel) const { return fuel_[static_cast<size_t>(fuel)]; }
  QComboBox* FindBox() const { return find_; }
  bool HasPicture(TCatalogueLevel level, int position) const;

  // Every way out (Zavřít, the close box, Esc) writes the entries back.
  void done(int result) override;

 private:
  struct TLevel {
    QGroupBox* box = nullptr;
    QListWidget* list = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    QWidget* fields = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* url = nullptr;
  };

  TLevel& Level(TCatalogueLevel level) { return levels_[static_cast<size_t>(level)]; }
  const TLevel& Level(TCatalogueLevel level) const { return levels_[static_cast<size_t>(level)]; }
  void BuildLevel(TCatalogueLevel level, const char* title, int rowHeight);
  QWidget* BuildFields(TCatalogueLevel level);

  int SelectedPosition(TCatalogueLevel level) const;
  QListWidgetItem* AppendRow(TCatalogueLevel level, int position);
  void FillLevel(TCatalogueLevel level, const std::vector<int>& positions);
  void HideLevel(TCatalogueLevel level);
  void SelectionChanged(TCatalogueLevel level);
  void ShowFields(TCatalogueLevel level, int position);
  void CopyFieldsBack(TCatalogueLevel level);
  void LoadPictures();
  QImage Picture(TCatalogueLevel level, const QModelIndex& index) const;

  TCatalogueEditor editor_;
  std::array<TLevel, kCatalogueLevels> levels_;
  QLineEdit* country_ = nullptr;
  QLineEdit* displacement_ = nullptr;
  std::array<QRadioButton*, 3> fuel_{};
  QComboBox* find_ = nullptr;
  std::map<std::pair<int, int>, QImage> pictures_;  // (level, array position)
  std::function<void(const std::string&)> openAttachments_;
  bool filling_ = false;
};

// Runs the manager once, from loading to writing back.
void RunCatalogueManager(const TCatalogue& catalogue, QWidget* parent = nullptr,
                         std::function<void(const std::string& folder)> openAttachments = {});
