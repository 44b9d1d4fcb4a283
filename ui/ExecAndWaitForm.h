#pragma once
// The small modal window shown while the program waits for an external
// program (the PDF converter): a timer asks every 100 ms whether the program
// has ended and closes the window when it has. Closing the window gives up
// waiting.

#include <QDialog>
#include <QTimer>

#include "documents/ProgramRunner.h"

class TfExecAndWait : public QDialog {
  Q_OBJECT

 public:
  explicit TfExecAndWait(QWidget* parent = nullptr);

  // Shows the window until the program ends or the user closes it; true
  // when the program ended.
  bool WaitFor(TSpawnedProgram& program);

 private:
  void ProcessCheckTimerTimer();

  QTimer ProcessCheckTimer;
  TSpawnedProgram* program_ = nullptr;
};

// Runs programs; a wait shows the window over the active window.
class TQtProgramRunner : public IProgramRunner {
 public:
  TProgramRun Run(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                  bool wait) override;
};
