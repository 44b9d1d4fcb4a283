#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/RunGarvelctl.h"
#include "tests/support/TempDir.h"

namespace {

// The command names of `garvelctl --help`, with their summaries.
std::vector<std::pair<std::string, std::string>> ListedCommands(const std::string& help) {
  std::vector<std::pair<std::string, std::string>> commands;
  const std::string heading = "Příkazy:\n";
  std::istringstream in(help.substr(help.find(heading) + heading.size()));
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    std::istringstream words(line);
    std::string name, summary;
    words >> name;
    std::getline(words >> std::ws, summary);
    commands.emplace_back(name, summary);
  }
  return commands;
}

}  // namespace

TEST(HelpCommand, EveryCommandHasItsLineAndItsOwnHelp) {
  TCtlRun help = RunGarvelctl("--help");
  ASSERT_EQ(help.status, 0) << help.out;
  const auto commands = ListedCommands(help.out);
  ASSERT_GE(commands.size(), 15u) << help.out;
  for (const auto& [name, summary] : commands) {
    SCOPED_TRACE(name);
    EXPECT_GE(summary.size(), 10u);
    TCtlRun own = RunGarvelctl(name + " --help");
    EXPECT_EQ(own.status, 0) << own.out;
    EXPECT_EQ(own.out.rfind("garvelctl " + name + " - " + summary + "\n", 0), 0u) << own.out;
    EXPECT_NE(own.out.find("Použití: garvelctl " + name), std::string::npos) << own.out;
    // An option no command has is refused before the command runs.
    TCtlRun wrong = RunGarvelctl(name + " --no-such-option");
    EXPECT_EQ(wrong.status, 2) << wrong.out;
    EXPECT_NE(wrong.out.find("neznámá volba \"--no-such-option\""), std::string::npos) << wrong.out;
  }
  EXPECT_EQ(RunGarvelctl("help list").out, RunGarvelctl("list -h").out);
}

TEST(HelpCommand, WrongArgumentsEndWithStatusTwo) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(RunGarvelctl("generate --vehicles 3 --records-per-vehicle 1 " + db).status, 0);
  const struct {
    std::string args;
    std::string message;
  } cases[] = {
      {"", "Příkazy:"},
      {"frob", "neznámý příkaz \"frob\""},
      {"help frob", "čekám jméno jednoho příkazu"},
      {"list " + db + " --search", "u volby --search chybí hodnota"},
      {"list " + db + " --period týden", "volba --period čeká celé číslo, ne \"týden\""},
      {"generate --vehicles 1x " + db, "volba --vehicles čeká celé číslo"},
      {"list", "Použití: garvelctl list"},
      {"check", "Použití: garvelctl check"},
  };
  for (const auto& c : cases) {
    TCtlRun run = RunGarvelctl(c.args);
    EXPECT_EQ(run.status, 2) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.args << "\n" << run.out;
  }
  // Flags and options with values as the usage names them.
  TCtlRun list = RunGarvelctl("list " + db + " --archived --desc --period 30 --search \"\"");
  EXPECT_EQ(list.status, 0) << list.out;
}
