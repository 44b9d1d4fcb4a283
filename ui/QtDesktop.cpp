#include "ui/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <optional>

#include "ui/DesktopLaunch.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QWidget* Parent(QWidget* p) { return p ? p : QApplication::activeWindow(); }
}  // namespace

namespace {

// Qt reports a file or address as opened once the opener started, even when
// it then finds no program for it: a new invoice would silently not show, a
// mail draft that never opened would count as a reminder sent. So the opener
// is asked directly; empty when there is no opener and Qt must try.
std::optional<bool> AskOpener(const std::string& target) {
  constexpr int kOpenerWaitMs = 2000;
  switch (LaunchAndCheck("xdg-open", {target}, kOpenerWaitMs)) {
    case TLaunchResult::Accepted: return true;
    case TLaunchResult::Refused: return false;
    case TLaunchResult::NotStarted: break;
  }
  return std::nullopt;
}

}  // namespace

bool TQtDesktop::OpenDocument(const std::string& path) {
  if (path.empty()) return false;
  if (std::optional<bool> opened = AskOpener(path)) return *opened;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

bool TQtDesktop::OpenUrl(const std::string& url) {
  if (url.empty()) return false;
  if (std::optional<bool> opened = AskOpener(url)) return *opened;
  // The address is already encoded; parsing it again would encode "%" twice.
  return QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(url)));
}

std::string TQtDesktop::AskOpenFile(const std::string& caption, const std::string& filter, const std::string& start) {
  return QFileDialog::getOpenFileName(Parent(parent_), Q(caption), Q(start), Q(filter)).toStdString();
}

std::string TQtDesktop::AskSaveFile(const std::string& caption, const std::string& filter, const std::string& start) {
  return QFileDialog::getSaveFileName(Parent(parent_), Q(caption), Q(start), Q(filter)).toStdString();
}

std::string TQtDesktop::AskFolder(const std::string& caption, const std::string& start) {
  return QFileDialog::getExistingDirectory(Parent(parent_), Q(caption), Q(start)).toStdString();
}
