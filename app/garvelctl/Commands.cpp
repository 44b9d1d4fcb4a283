#include "app/garvelctl/Commands.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::vector<TCtlCommand>& Registry() {
  static std::vector<TCtlCommand> commands;
  return commands;
}

bool sorted = false;

bool LooksLikeOption(const std::string& token) {
  return token.size() >= 2 && token[0] == '-' && (token[1] == '-' || std::isalpha(static_cast<unsigned char>(token[1])));
}

std::string Trimmed(std::string token) {
  while (!token.empty() && (token.front() == '[' || token.front() == '(')) token.erase(token.begin());
  while (!token.empty() && (token.back() == ']' || token.back() == ')')) token.pop_back();
  return token;
}

}  // namespace

TCtlRegistration::TCtlRegistration(const char* name, const char* summary, const char* usage, TCtlRun run,
                                   const char* details) {
  Registry().push_back(TCtlCommand{name, summary, usage, details, run});
  sorted = false;
}

const std::vector<TCtlCommand>& CtlCommands() {
  if (!sorted) {
    std::sort(Registry().begin(), Registry().end(),
              [](const TCtlCommand& a, const TCtlCommand& b) { return a.name < b.name; });
    sorted = true;
  }
  return Registry();
}

const TCtlCommand* FindCtlCommand(const std::string& name) {
  for (const TCtlCommand& c : CtlCommands())
    if (c.name == name) return &c;
  return nullptr;
}

std::vector<TCtlOption> OptionsInUsage(const std::string& usage) {
  std::vector<std::string> tokens;
  std::istringstream in(usage);
  for (std::string t; in >> t;) tokens.push_back(t);
  std::vector<TCtlOption> options;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string name = Trimmed(tokens[i]);
    if (!LooksLikeOption(name)) continue;
    // A value follows unless the option's group closes on it or what follows
    // starts another group, option or alternative.
    const bool closed = tokens[i].back() == ']' || tokens[i].back() == ')';
    bool takesValue = false;
    if (!closed && i + 1 < tokens.size()) {
      const std::string& next = tokens[i + 1];
      takesValue = next[0] != '[' && next[0] != '(' && next[0] != '|' && next[0] != '-';
    }
    auto known = std::find_if(options.begin(), options.end(), [&](const TCtlOption& o) { return o.name == name; });
    if (known == options.end()) options.push_back({name, takesValue});
    else known->takesValue = known->takesValue || takesValue;
  }
  return options;
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

void CheckOptions(const TCtlCommand& command, int argc, char** argv) {
  const std::vector<TCtlOption> options = OptionsInUsage(command.usage);
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!LooksLikeOption(arg)) continue;
    auto o = std::find_if(options.begin(), options.end(), [&](const TCtlOption& x) { return x.name == arg; });
    if (o == options.end()) throw ECtlUsage("neznámá volba \"" + arg + "\"");
    if (!o->takesValue) continue;
    if (i + 1 >= argc) throw ECtlUsage("u volby " + arg + " chybí hodnota");
    ++i;  // the value may itself begin with "-" (a negative number)
  }
}

std::string CtlUsageLines(const TCtlCommand& command) {
  std::string text;
  std::istringstream forms(command.usage);
  std::string form;
  bool first = true;
  while (std::getline(forms, form) || first) {
    text += (first ? "Použití: garvelctl " : "         garvelctl ") + command.name + (form.empty() ? "" : " " + form) + "\n";
    first = false;
  }
  return text;
}

std::string CtlCommandHelp(const TCtlCommand& command) {
  std::string text = "garvelctl " + command.name + " - " + command.summary + "\n\n" + CtlUsageLines(command);
  if (!command.details.empty()) {
    text += "\n" + command.details;
    if (text.back() != '\n') text += '\n';
  }
  return text;
}

std::string CtlOverview() {
  size_t width = 0;
  for (const TCtlCommand& c : CtlCommands()) width = std::max(width, c.name.size());
  std::string text =
      "Použití: garvelctl PŘÍKAZ [ARGUMENTY]\n"
      "         garvelctl PŘÍKAZ --help   nápověda k příkazu\n"
      "         garvelctl --version      verze programu\n"
      "\n"
      "Příkazy:\n";
  for (const TCtlCommand& c : CtlCommands())
    text += "  " + c.name + std::string(width - c.name.size() + 2, ' ') + c.summary + "\n";
  return text;
}
