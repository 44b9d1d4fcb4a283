#include "ui/QtNotifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QThread>

namespace {

struct TButtonInfo {
  unsigned bit;
  QMessageBox::StandardButton standard;
  TMsgAnswer answer;
  const char* caption;
};

const TButtonInfo kButtons[] = {
    {mbYes, QMessageBox::Yes, TMsgAnswer::Yes, "&Ano"},
    {mbNo, QMessageBox::No, TMsgAnswer::No, "&Ne"},
    {mbOK, QMessageBox::Ok, TMsgAnswer::Ok, "OK"},
    {mbCancel, QMessageBox::Cancel, TMsgAnswer::Cancel, "Storno"},
    {mbAbort, QMessageBox::Abort, TMsgAnswer::Abort, "&Přerušit"},
    {mbRetry, QMessageBox::Retry, TMsgAnswer::Retry, "&Opakovat"},
    {mbIgnore, QMessageBox::Ignore, TMsgAnswer::Ignore, "&Ignorovat"},
};

QMessageBox::Icon ToQtIcon(TMsgIcon icon) {
  switch (icon) {
    case TMsgIcon::Information: return QMessageBox::Information;
    case TMsgIcon::Warning: return QMessageBox::Warning;
    case TMsgIcon::Error: return QMessageBox::Critical;
    case TMsgIcon::Question: return QMessageBox::Question;
    case TMsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

TMsgAnswer ShowOnGuiThread(QWidget* parent, const TMessageBox& message) {
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(message.caption),
                  QString::fromStdString(message.text), QMessageBox::NoButton, parent);
  // Messages carry names, addresses and file names typed or received: shown
  // as they are, never read as markup.
  box.setTextFormat(Qt::PlainText);
  for (const TButtonInfo& b : kButtons) {
    if (!(message.buttons & b.bit)) continue;
    QPushButton* button = box.addButton(b.standard);
    button->setText(QString::fromUtf8(b.caption));
    if (b.answer == message.defaultAnswer) box.setDefaultButton(button);
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  QMessageBox::StandardButton standard = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
  for (const TButtonInfo& b : kButtons)
    if (b.standard == standard) return b.answer;
  // Closed with Escape or the window's close button.
  if (message.buttons & mbCancel) return TMsgAnswer::Cancel;
  if (message.buttons & mbNo) return TMsgAnswer::No;
  return TMsgAnswer::Ok;
}

}  // namespace

TMsgAnswer TQtNotifier::Show(const TMessageBox& message) {
  if (!qApp) return TConsoleNotifier().Show(message);
  if (QThread::currentThread() == qApp->thread()) return ShowOnGuiThread(parent_, message);
  TMsgAnswer answer = TMsgAnswer::None;
  QMetaObject::invokeMethod(qApp, [&] { answer = ShowOnGuiThread(parent_, message); },
                            Qt::BlockingQueuedConnection);
  return answer;
}
