#pragma once
// Starting the programs under test as a user or the desktop would: an
// argument vector (no shell), an environment of our choosing, and the
// output collected.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// Changes to the test's own environment for one child: each entry sets its
// variable, or removes it when the value is kUnsetVariable.
inline const char* const kUnsetVariable = "\x01unset";
using TEnvChanges = std::map<std::string, std::string>;

// Starts the program (a bare name is looked up on PATH); its standard output and errors go to `outputFile`
// when one is given. Returns the process ID, or -1.
pid_t StartProgram(const std::vector<std::string>& argv, const TEnvChanges& env = {},
                   const std::string& outputFile = "");
// Waits for the process to end: its exit status, 128 + the signal that
// ended it, or -1 when it is still running after `milliseconds`.
int WaitForProgram(pid_t pid, int milliseconds);
// Ends a process that is still running (SIGTERM, then SIGKILL).
void StopProgram(pid_t pid);

struct TProgramRun {
  int status = -1;
  std::string output;  // standard output and errors together
};
// Runs the program to its end (at most `milliseconds`).
TProgramRun RunProgram(const std::vector<std::string>& argv, const TEnvChanges& env = {},
                       int milliseconds = 120000);
