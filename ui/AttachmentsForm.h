#pragma once
// "Přílohy": the attachments of vehicles, contacts and catalogue entries as
// a tree of one or more root folders, with the commands to open, add,
// rename, describe and delete entries. Made once and shown again; every
// caller clears the roots first. The work is the core's
// (catalogues/AttachmentFiles.h).

#include <QDialog>
#include <QIcon>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogues/AttachmentDisplay.h"
#include "catalogues/AttachmentFiles.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// What the window asks of the user and of the program; the program wires
// the real dialogs, tests answer from a script.
struct TAttachmentsServices {
  TAttachmentPlace place;
  TAttachmentOwners owners;
  // A line of text (caption, label, starting text); false when cancelled.
  std::function<bool(const std::string& caption, const std::string& label, std::string& value)> askText;
  // Files to attach (several allowed); empty when cancelled.
  std::function<std::vector<std::string>()> askFiles;
  // A folder to attach; empty when cancelled.
  std::function<std::string()> askFolder;
  std::function<bool(TAttachMode& mode)> askMode;
  // Edits a text in the plain text window; returns what it holds when closed.
  std::function<std::string(const std::string& title, const std::string& text)> editText;
  // The title proposed for a web address (may fetch the page).
  std::function<std::string(const std::string& address)> proposeTitle;
  // The user's documents folder (a host path), "" when unknown.
  std::string documentsFolder;
};

class TfAttachments : public QDialog {
  Q_OBJECT

 public:
  explicit TfAttachments(TAttachmentsServices services, QWidget* parent = nullptr);

  void ClearAttachmentRoots();
  // A top-level node for the (virtual) path; an empty path adds nothing.
  void AddAttachmentRoot(const std::string& path, bool loadChildren);
  // Clears the description, updates the commands as for no selection and
  // shows the window (modally: until it is closed).
  void ShowAttachmentWindow(bool modal);
  // Every folder directly under the root, children loaded when selected.
  void ShowAllAttachments();
  // Clears the roots, adds each with its children and shows the window.
  void ShowRoots(const std::vector<std::string>& roots, bool modal);

  // For tests and callers.
  QTreeWidget* Tree() { return tree_; }
  QPlainTextEdit* Description() { return description_; }
  QLabel* KindText() { return kind_; }
  QLabel* SizeText() { return size_; }
  QLabel* Preview() { return preview_; }
  QAction* Command(const char* name) const;
  std::string SelectedPath() const;
  // Selects the node of the path (searching the loaded nodes).
  bool Select(const std::string& path);

  void OpenSelected();
  void NewFolder();
  void NewTextDocument();
  void NewWebLink();
  void NewOtherFile();
  void AttachFiles();
  void AttachFolder();
  void RenameSelected();
  void DescribeSelected();
  void DeleteSelected();

 private:
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& path, bool loadChildren);
  void LoadChildren(QTreeWidgetItem* item);
  void SelectionChanged();
  void UpdateCommands();
  QTreeWidgetItem* Selected() const;
  // The folder new entries go to and its node.
  bool AddTarget(std::string& folder, QTreeWidgetItem*& node) const;
  void AddAndSelect(QTreeWidgetItem* node, const std::string& path);
  void AttachPaths(const std::vector<std::string>& sources);
  bool IsFolderEntry(const std::string& path) const;
  QIcon IconOf(const std::string& path, QString& typeName);
  void Report(const TAttachResult& r);

  TAttachmentsServices services_;
  QTreeWidget* tree_;
  QLabel* bigIcon_;
  QLabel* kind_;
  QLabel* size_;
  QLabel* preview_;
  QPlainTextEdit* description_;
  QToolButton* add_;
  QPushButton* describe_;
  std::map<std::string, QAction*> commands_;
  QIcon folderIcon_;
  std::map<QString, std::pair<QIcon, QString>> iconCache_;  // by extension
};

// The user's documents folder (XDG), or "".
std::string UserDocumentsFolder();
// The services of the program: its data file system and stores, Qt's
// dialogs.
TAttachmentsServices ProgramAttachmentsServices(const TAttachmentPlace& place, const TAttachmentOwners& owners,
                                                QWidget* parent);
// The program's one attachments window over its data file system (root:
// the attachpath setting) and stores, kept for the life of `parent`.
struct TStoreSet;
TfAttachments* CreateProgramAttachmentsWindow(TStoreSet& stores, const std::string& root, QWidget* parent);
