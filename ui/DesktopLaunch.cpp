#include "ui/DesktopLaunch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

TLaunchResult LaunchAndCheck(const std::string& program, const std::vector<std::string>& arguments, int graceMs) {
  // Owned by the application: an opener still running when we stop waiting
  // must not be killed with a local object.
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(QString::fromStdString(program));
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  process->setArguments(args);
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  process->start();
  if (!process->waitForStarted(5000)) {
    delete process;
    return TLaunchResult::NotStarted;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  bool finished = false;
  bool succeeded = false;
  QObject::connect(process, &QProcess::finished, &loop, [&](int code, QProcess::ExitStatus status) {
    finished = true;
    succeeded = status == QProcess::NormalExit && code == 0;
    loop.quit();
  });
  timer.start(graceMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  // Still running: the program took it (the connection to the local loop
  // goes with the loop).
  if (!finished) return TLaunchResult::Accepted;
  return succeeded ? TLaunchResult::Accepted : TLaunchResult::Refused;
}
