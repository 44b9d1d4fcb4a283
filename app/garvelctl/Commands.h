#pragma once
// The garvelctl commands. Each command registers itself in its own
// Cmd<Name>.cpp with a one-line Czech summary and its arguments; from these
// come `garvelctl --help`, `garvelctl NAME --help` and the check of the
// options given:
//
//   namespace {
//   const TCtlRegistration kList("list", "seznam vozidel s filtrem a řazením",
//                                "SLOŽKA [--search TEXT] [--archived]", CmdList);
//   }
//
// In the usage text an option followed by a word in capitals or a list of
// choices ("--search TEXT", "--mode link|copy") takes a value; an option in
// brackets on its own ("[--archived]") is a flag. Several forms of a command
// go on separate lines.

#include <stdexcept>
#include <string>
#include <vector>

using TCtlRun = int (*)(int argc, char** argv);  // arguments after the command name

struct TCtlCommand {
  std::string name;
  std::string summary;  // one line, for the list of commands
  std::string usage;    // the arguments, one line per form
  std::string details;  // more lines for the command's own help, or ""
  TCtlRun run = nullptr;
};

// Adds a command to the table; a summary and a usage text are required.
struct TCtlRegistration {
  TCtlRegistration(const char* name, const char* summary, const char* usage, TCtlRun run, const char* details = "");
};

// Every registered command, by name.
const std::vector<TCtlCommand>& CtlCommands();
const TCtlCommand* FindCtlCommand(const std::string& name);

// Wrong arguments: main prints the message with the command's usage and
// ends with status 2.
class ECtlUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCtlOption {
  std::string name;  // "--search", "-o"
  bool takesValue = false;
};
// The options a usage text names.
std::vector<TCtlOption> OptionsInUsage(const std::string& usage);
// True for "--help" and "-h".
bool IsHelpOption(const std::string& arg);
// Raises ECtlUsage for an option the command does not know or an option
// given without its value.
void CheckOptions(const TCtlCommand& command, int argc, char** argv);

// The texts of `garvelctl --help` and `garvelctl NAME --help`.
std::string CtlOverview();
std::string CtlCommandHelp(const TCtlCommand& command);
std::string CtlUsageLines(const TCtlCommand& command);
