#include "ui/BackupForm.h"

#include <QApplication>
#include <algorithm>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exchange/BackupLog.h"
#include "exchange/BackupRun.h"
#include "shell/Config.h"
#include "shell/Desktop.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TfCompression::TfCompression(QWidget* parent) : QDialog(parent) {
  setObjectName("TfCompression");
  setWindowTitle(QString::fromUtf8("Zálohování"));
  setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8("Průběh komprese:"), this));
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 1000);
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  mLog_ = new QPlainTextEdit(this);
  mLog_->setObjectName("mLog");
  mLog_->setReadOnly(true);
  mLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(mLog_, 1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  stop_ = new QPushButton(QString::fromUtf8("Storno"), this);
  row->addWidget(stop_);
  layout->addLayout(row);
  connect(stop_, &QPushButton::clicked, this, [this] { cancel_ = true; });
  resize(560, 320);
}

void TfCompression::Clear() {
  mLog_->clear();
  bar_->setRange(0, 1000);
  bar_->setValue(0);
  cancel_ = false;
}

void TfCompression::AddLine(const std::string& line) { mLog_->appendPlainText(Q(line)); }

void TfCompression::SetProgress(double fraction) {
  if (fraction < 0) {
    bar_->setRange(0, 0);
    return;
  }
  bar_->setRange(0, 1000);
  bar_->setValue(static_cast<int>(fraction * 1000));
}

void TfCompression::reject() { cancel_ = true; }

TfBackup::TfBackup(TBackupSetup setup, QWidget* parent) : QDialog(parent), setup_(std::move(setup)) {
  setObjectName("TfBackup");
  setWindowTitle(QString::fromUtf8("Zálohování"));
  auto* layout = new QVBoxLayout(this);

  auto* target = new QLabel(QString::fromUtf8("&Cílová složka:"), this);
  layout->addWidget(target);
  auto* row = new QHBoxLayout;
  edOutputPath_ = new QLineEdit(Q(setup_.targetFolder), this);
  target->setBuddy(edOutputPath_);
  auto* sbBrowse = new QToolButton(this);
  sbBrowse->setText("...");
  sbBrowse->setToolTip(QString::fromUtf8("Zvolte cílovou složku"));
  row->addWidget(edOutputPath_, 1);
  row->addWidget(sbBrowse);
  layout->addLayout(row);

  auto* earlier = new QLabel(QString::fromUtf8("&Dřívější zálohy:"), this);
  layout->addWidget(earlier);
  lvBackupRecords_ = new QTreeWidget(this);
  lvBackupRecords_->setRootIsDecorated(false);
  lvBackupRecords_->setHeaderLabels({QString::fromUtf8("Datum"), QString::fromUtf8("Čas"), QString::fromUtf8("Soubor")});
  lvBackupRecords_->header()->setStretchLastSection(true);
  earlier->setBuddy(lvBackupRecords_);
  layout->addWidget(lvBackupRecords_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  bCreateBackup_ = new QPushButton(QString::fromUtf8("&Provézt zálohu nyní"), this);
  bCreateBackup_->setDefault(true);
  auto* bCancel = new QPushButton(QString::fromUtf8("Storno"), this);
  buttons->addWidget(bCreateBackup_);
  buttons->addWidget(bCancel);
  layout->addLayout(buttons);

  compression_ = new TfCompression(this);
  connect(sbBrowse, &QToolButton::clicked, this, &TfBackup::sbBrowseClick);
  connect(bCreateBackup_, &QPushButton::clicked, this, &TfBackup::bCreateBackupClick);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
  FillBackupRecords();
  resize(620, 400);
}

void TfBackup::FillBackupRecords() {
  lvBackupRecords_->clear();
  for (const TBackupLogEntry& e : ReadBackupLog(setup_.logPath)) {
    auto* item = new QTreeWidgetItem(lvBackupRecords_);
    item->setText(0, Q(BackupDateText(e.dateTime)));
    item->setText(1, Q(BackupTimeText(e.dateTime)));
    item->setText(2, Q(e.file));
  }
  const int rows = lvBackupRecords_->topLevelItemCount();
  if (rows > 0) {
    lvBackupRecords_->setCurrentItem(lvBackupRecords_->topLevelItem(rows - 1));
    lvBackupRecords_->scrollToItem(lvBackupRecords_->currentItem());
  }
  lvBackupRecords_->resizeColumnToContents(0);
  lvBackupRecords_->resizeColumnToContents(1);
  // An empty list still shows its columns readably.
  lvBackupRecords_->setColumnWidth(0, std::max(lvBackupRecords_->columnWidth(0), 90));
  lvBackupRecords_->setColumnWidth(1, std::max(lvBackupRecords_->columnWidth(1), 70));
}

void TfBackup::sbBrowseClick() {
  const std::string folder = GetDesktop().AskFolder("Zvolte cílovou složku", edOutputPath_->text().toStdString());
  if (!folder.empty()) edOutputPath_->setText(Q(folder));
}

void TfBackup::bCreateBackupClick() {
  if (running_) return;
  const std::string folder = TrimBlanks(edOutputPath_->text().toStdString());
  // The program's current folder is nowhere a user would look for it.
  if (folder.empty()) {
    ShowMessage("Upozornění", "Zvolte cílovou složku zálohy.", TMsgIcon::Warning);
    edOutputPath_->setFocus();
    return;
  }
  running_ = true;
  bCreateBackup_->setEnabled(false);
  compression_->Clear();
  compression_->SetProgress(-1);
  compression_->show();

  // The work runs here, on the user-interface thread, and lets the windows
  // repaint as it reports: the modal windows keep every other window (and
  // so every save) away until it ends.
  QElapsedTimer sinceRepaint;
  sinceRepaint.start();
  auto pump = [&sinceRepaint](bool now) {
    if (!now && sinceRepaint.elapsed() < 50) return;
    QApplication::processEvents();
    sinceRepaint.restart();
  };
  TBackupReport report;
  report.log = [this, &pump](const std::string& line) {
    compression_->AddLine(line);
    pump(true);
  };
  report.progress = [this, &pump](double fraction) {
    compression_->SetProgress(fraction);
    pump(false);
  };
  report.cancelled = [this, &pump] {
    pump(false);
    return compression_->CancelRequested();
  };
  TBackupRun run;
  try {
    run = RunBackup(folder, setup_.mounts, setup_.logPath, report);
  } catch (const std::exception& e) {
    compression_->AddLine(e.what());
  }
  compression_->hide();
  running_ = false;
  bCreateBackup_->setEnabled(true);
  if (run.result.ok) {
    ShowMessage("Informace", BackupSavedText(run.archive), TMsgIcon::Information);
    setup_.targetFolder = folder;
    accept();
    return;
  }
  if (run.result.cancelled) return;  // the user stopped it and knows
  // The message says why, the error log keeps it.
  std::string text = BackupFailedText(run.archive);
  const size_t shown = std::min<size_t>(run.result.errors.size(), 8);
  if (shown > 0) text += "\n";
  for (size_t i = 0; i < shown; ++i) text += "\n" + run.result.errors[i];
  if (run.result.errors.size() > shown) text += "\n...";
  LogError(text, false);
  ShowMessage("Chyba", text, TMsgIcon::Error);
  FillBackupRecords();
}

void TfBackup::Load(TBackupSetup setup) {
  setup_ = std::move(setup);
  edOutputPath_->setText(Q(setup_.targetFolder));
  compression_->Clear();
  FillBackupRecords();
}

bool RunBackupWindow(TBackupSetup& setup, QWidget* parent) {
  static QPointer<TfBackup> window;
  if (window.isNull() || window->parentWidget() != parent)
    window = new TfBackup(setup, parent);
  else
    window->Load(setup);
  if (window->exec() != QDialog::Accepted) return false;
  setup.targetFolder = window->TargetFolder();
  return true;
}

bool RunProgramBackup(QWidget* parent) {
  TConfig& c = Config();
  TBackupSetup setup;
  setup.mounts = GetVirtualFS().GetMounts();
  setup.logPath = GetVirtualFS().GetRealPath("backup_log.ini");
  setup.targetFolder = c.dstFolder;
  if (!RunBackupWindow(setup, parent)) return false;
  c.dstFolder = setup.targetFolder;
  WriteIniText("backup", "dstFolder", c.dstFolder);
  c.lastbackup = DayNumber(Today());
  WriteIniText("backup", "lastbackup", std::to_string(c.lastbackup));
  return true;
}
