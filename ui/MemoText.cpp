#include "ui/MemoText.h"

QString ToMemoText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

std::string FromMemoText(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return s.toStdString();
}
