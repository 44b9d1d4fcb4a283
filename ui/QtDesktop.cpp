#include "ui/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QWidget* Parent(QWidget* p) { return p ? p : QApplication::activeWindow(); }
}  // namespace

bool TQtDesktop::OpenDocument(const std::string& path) {
  return !path.empty() && QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

bool TQtDesktop::OpenUrl(const std::string& url) {
  // The address is already encoded; parsing it again would encode "%" twice.
  return !url.empty() && QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(url)));
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
