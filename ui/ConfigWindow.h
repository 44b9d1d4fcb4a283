#pragma once
// TfConfig: the settings window. initialize() copies the settings into the
// controls, save() copies them back; OK saves the file, "Storno" changes
// nothing.

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/Config.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

class TfConfig : public QDialog {
  Q_OBJECT

 public:
  // `suppliers` gives the parts-order addresses (contacts of kind 1 with an
  // e-mail); `setPassword` runs "Nastavit přístupové heslo" (empty: the
  // button is disabled).
  TfConfig(std::function<std::vector<std::string>()> suppliers, std::function<void()> setPassword,
           QWidget* parent = nullptr);

  void initialize(const TConfig& config);
  void save(TConfig& config) const;
  // Hides the groups and pages the customer edition does not offer.
  void HideWorkshopParts();
  QTabWidget* Pages() { return pages_; }
  // Refuses a number field that does not hold a number, showing which one.
  void accept() override;

 private:
  QLineEdit* Edit(const std::string& key);
  QPlainTextEdit* Memo(const std::string& key);
  QCheckBox* Check(const std::string& key, const char* caption);
  QWidget* PicturePage();
  QWidget* RecordsPage();
  QWidget* MailPage();
  QWidget* InternetPage();
  QWidget* ProgramsPage();
  QWidget* WorkshopPage();
  QWidget* DueServicePage();
  QWidget* DataPage();
  void ShowPreview(const std::string& key);

  std::function<std::vector<std::string>()> suppliers_;
  std::function<void()> setPassword_;
  QTabWidget* pages_;
  std::map<std::string, QLineEdit*> edits_;
  std::map<std::string, QPlainTextEdit*> memos_;
  std::map<std::string, QCheckBox*> checks_;
  std::map<std::string, QLabel*> previews_;
  QComboBox* recordMode_ = nullptr;
  QComboBox* mailMethod_ = nullptr;
  QComboBox* orderAddress_ = nullptr;
  QCheckBox* allowSending_ = nullptr;
  std::vector<QGroupBox*> workshopGroups_;
  std::vector<QWidget*> workshopPages_;
};

// The settings dialogue: true when it was confirmed (and saved).
bool ShowSettings(TConfig& config, std::function<std::vector<std::string>()> suppliers,
                  std::function<void()> setPassword, QWidget* parent = nullptr);
// The same in the settings window the program keeps.
bool ShowSettings(TfConfig& window, TConfig& config);
