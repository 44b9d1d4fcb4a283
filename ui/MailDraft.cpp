#include "ui/MailDraft.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace {

QByteArray Encoded(const QString& text) { return QUrl::toPercentEncoding(text); }

QString Address(const std::string& to) {
  QString address = QString::fromStdString(to).trimmed();
  const qsizetype open = address.lastIndexOf('<');
  const qsizetype close = address.lastIndexOf('>');
  if (open >= 0 && close > open) address = address.mid(open + 1, close - open - 1).trimmed();
  return address;
}

}  // namespace

QUrl MailtoUrl(const std::string& to, const std::string& subject, const std::string& body) {
  QString text = QString::fromStdString(body);
  text.replace(QRegularExpression("\r\n|\r|\n"), "\r\n");
  QByteArray url = "mailto:" + QUrl::toPercentEncoding(Address(to), "@") + "?subject=" +
                   Encoded(QString::fromStdString(subject));
  if (!text.isEmpty()) url += "&body=" + Encoded(text);
  return QUrl::fromEncoded(url, QUrl::StrictMode);
}

bool OpenMailDraft(const std::string& to, const std::string& subject, const std::string& body) {
  return QDesktopServices::openUrl(MailtoUrl(to, subject, body));
}
