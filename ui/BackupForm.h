#pragma once
// "Zálohování": the backup window (TfBackup, modal) with the target folder
// and the backups made so far, and the progress window (TfCompression) shown
// while an archive is written. The work is the core's RunBackup.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// Where a backup comes from and goes to.
struct TBackupSetup {
  std::vector<std::string> mounts;  // host folders, in mount order
  std::string logPath;              // the backup log's host path
  std::string targetFolder;         // last used target (dstFolder)
};

class TfCompression : public QDialog {
  Q_OBJECT

 public:
  explicit TfCompression(QWidget* parent = nullptr);
  void Clear();
  void AddLine(const std::string& line);
  // 0..1; a negative value shows the busy bar (the files are still listed).
  void SetProgress(double fraction);
  bool CancelRequested() const { return cancel_; }
  QPlainTextEdit* Log() { return mLog_; }

 protected:
  void reject() override;  // the close box and Esc ask to stop, as Storno does

 private:
  QProgressBar* bar_;
  QPlainTextEdit* mLog_;
  QPushButton* stop_;
  bool cancel_ = false;
};

class TfBackup : public QDialog {
  Q_OBJECT

 public:
  explicit TfBackup(TBackupSetup setup, QWidget* parent = nullptr);

  // Takes the folders, the log and the target for the next opening; the
  // window itself (its size and place) is kept for the life of the process.
  void Load(TBackupSetup setup);

  // The target folder of the backup that was made.
  std::string TargetFolder() const { return setup_.targetFolder; }
  QLineEdit* OutputPath() { return edOutputPath_; }
  QTreeWidget* BackupRecords() { return lvBackupRecords_; }
  TfCompression* Compression() { return compression_; }
  void bCreateBackupClick();
  void sbBrowseClick();

 private:
  void FillBackupRecords();

  TBackupSetup setup_;
  QLineEdit* edOutputPath_;
  QTreeWidget* lvBackupRecords_;
  QPushButton* bCreateBackup_;
  TfCompression* compression_;
  bool running_ = false;
};

// Shows the one backup window of the process, made at the first call and
// loaded anew at each; true when a backup was made (the caller then stores
// today as the last backup day). `setup.targetFolder` then holds the folder
// that was used.
bool RunBackupWindow(TBackupSetup& setup, QWidget* parent);

// The program's own backup: every mount of the data file system, the log in
// the data folder, the target folder from the settings. When a backup was
// made the folder and today as the last backup day are stored.
bool RunProgramBackup(QWidget* parent);
