#include "ui/ExecAndWaitForm.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TfExecAndWait::TfExecAndWait(QWidget* parent) : QDialog(parent) {
  setObjectName("TfExecAndWait");
  setWindowTitle(QString::fromUtf8("Informace"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromUtf8("Čekám na ukončení externí aplikace..."), this);
  label->setMargin(16);
  layout->addWidget(label);
  ProcessCheckTimer.setInterval(100);
  connect(&ProcessCheckTimer, &QTimer::timeout, this, &TfExecAndWait::ProcessCheckTimerTimer);
}

bool TfExecAndWait::WaitFor(TSpawnedProgram& program) {
  program_ = &program;
  if (program.Poll()) return true;
  ProcessCheckTimer.start();
  exec();
  ProcessCheckTimer.stop();
  program_ = nullptr;
  return program.Poll();
}

void TfExecAndWait::ProcessCheckTimerTimer() {
  if (!program_ || program_->Poll()) {
    ProcessCheckTimer.stop();
    accept();
  }
}

TProgramRun TQtProgramRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& folder, bool wait) {
  return StartProgram(program, arguments, folder, wait, [](TSpawnedProgram& p) {
    TfExecAndWait window(QApplication::activeWindow());
    window.WaitFor(p);
  });
}
