#include "ui/HelpKey.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "shell/Desktop.h"
#include "shell/Help.h"

void InstallHelpKey(QWidget* window, const std::string& helpFile) {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
  help->setContext(Qt::WindowShortcut);
  QObject::connect(help, &QShortcut::activated, window, [helpFile] { GetDesktop().OpenUrl(HelpPageAddress(helpFile)); });
}
