#include "ui/HelpKey.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "shell/Desktop.h"
#include "shell/Help.h"
#include "storage/Notifier.h"

void InstallHelpKey(QWidget* window, const std::string& helpFile) {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
  help->setContext(Qt::WindowShortcut);
  QObject::connect(help, &QShortcut::activated, window, [helpFile] { OpenHelpPage(helpFile); });
}

void OpenHelpPage(const std::string& helpFile) {
  const std::string address = HelpPageAddress(helpFile);
  if (address.empty()) {
    ShowMessage("Chyba", "Nápověda není k dispozici.", TMsgIcon::Error);
    return;
  }
  if (!GetDesktop().OpenUrl(address))
    ShowMessage("Chyba", "Nápovědu \"" + address + "\" se nepodařilo otevřít. Je nainstalován webový prohlížeč?",
                TMsgIcon::Error);
}
