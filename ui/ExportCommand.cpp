#include "ui/ExportCommand.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>

#include "shell/DatabaseExport.h"
#include "shell/Desktop.h"
#include "storage/Notifier.h"

bool RunDatabaseExport(TStoreSet& stores, const TVatSettings& vat, QWidget* parent, const std::string& given) {
  const std::string folder =
      given.empty() ? GetDesktop().AskFolder("Zvolte cílovou složku pro export", QDir::homePath().toStdString()) : given;
  if (folder.empty()) return false;

  QProgressDialog progress(QString::fromUtf8("Exportuji databázi..."), QString(), 0, 1000, parent);
  progress.setWindowTitle(QString::fromUtf8("Export"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  TDatabaseExportResult r;
  try {
    r = ExportDatabase(stores, folder, vat, [&progress](long long done, long long total) {
      progress.setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
      QApplication::processEvents();
    });
  } catch (const std::exception& e) {
    r.ok = false;
    r.error = e.what();
  }
  progress.reset();
  if (!r.ok) {
    ShowMessage("Chyba", r.error, TMsgIcon::Error);
    return false;
  }
  ShowMessage("Hotovo", ExportDoneText(folder), TMsgIcon::Information);
  return true;
}
