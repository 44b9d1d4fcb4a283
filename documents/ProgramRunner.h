#pragma once
// Starting an external program (the PDF converter) and waiting for it.
//
// Programs are started with an argument vector, never through a shell, with
// standard input from /dev/null and standard output and error collected in a
// temporary file, so that what the program said can be reported. How the
// wait looks is the runner's: the desktop program shows a small modal window
// that polls the program every 100 ms; garvelctl and tests simply block.

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct TProgramRun {
  bool started = false;
  bool ended = false;  // false when the wait was given up before the end
  int exitCode = -1;   // -1 when it did not end normally
  std::string output;  // the last few kilobytes of what it wrote
};

// One started program. The destructor of a program that is still running
// stops it, so no process outlives the wait unless Detach() was called.
class TSpawnedProgram {
 public:
  TSpawnedProgram() = default;
  ~TSpawnedProgram();
  TSpawnedProgram(const TSpawnedProgram&) = delete;
  TSpawnedProgram& operator=(const TSpawnedProgram&) = delete;

  // `program` holding no "/" is looked up on PATH; `folder` (may be empty)
  // is the working folder. False when it could not be started.
  bool Start(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder);
  // True once the program has ended (never blocks).
  bool Poll();
  // Blocks until the program ends.
  void Wait();
  // Ends the program (SIGTERM, then SIGKILL after a second) and reaps it.
  void Terminate();
  // Leaves the program running; a background thread reaps it.
  void Detach();

  bool Running() const { return pid_ > 0 && !ended_; }
  TProgramRun Result() const;

 private:
  pid_t pid_ = -1;
  bool started_ = false;
  bool ended_ = false;
  int status_ = 0;
  int outputFd_ = -1;
};

// Starts the program; with `wait`, `waitFor` waits (it may give up early),
// else the program is left to run. Not started: an empty result.
TProgramRun StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, bool wait,
                         const std::function<void(TSpawnedProgram& program)>& waitFor);

class IProgramRunner {
 public:
  virtual ~IProgramRunner() = default;
  // Starts the program; with `wait`, waits for its end (or until the user
  // gives up waiting).
  virtual TProgramRun Run(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder, bool wait) = 0;
};

// Waits by blocking.
class TBlockingProgramRunner : public IProgramRunner {
 public:
  TProgramRun Run(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                  bool wait) override;
};

// The process-wide runner; SetProgramRunner(nullptr) restores the blocking
// one. The caller keeps ownership.
IProgramRunner& GetProgramRunner();
void SetProgramRunner(IProgramRunner* runner);

// Runs through the process-wide runner; when the program cannot be started
// shows "Chyba při spouštění externího programu! (program)".
TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, bool wait,
                       const std::string& folder);
