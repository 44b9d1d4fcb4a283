#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "storage/Version.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

// A prefix with a blank, which the desktop entry must quote.
const std::string kPrefix = "/opt/garvel test";

std::map<std::string, std::string> DesktopEntry(const std::string& text) {
  std::map<std::string, std::string> keys;
  std::istringstream in(text);
  bool inGroup = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] == '[') inGroup = line == "[Desktop Entry]";
    const size_t eq = line.find('=');
    if (inGroup && eq != std::string::npos && line[0] != '#') keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return keys;
}

// The arguments of an Exec value as a launcher splits them: the string's
// own escapes first, then quoting.
std::vector<std::string> ExecArguments(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char c = value[++i];
      text += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      text += value[i];
    }
  }
  std::vector<std::string> args;
  std::string current;
  bool quoted = false, any = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '\\' && i + 1 < text.size()) {
      current += text[++i];
    } else if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any || !current.empty()) args.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
    }
  }
  if (any || !current.empty()) args.push_back(current);
  return args;
}

bool WaitUntil(const std::function<bool()>& condition, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return condition();
}

std::string TraceLogOf(const std::string& folder) {
  for (const std::string& name : {std::string("garv_trace")}) {
    std::string found;
    TProgramRun ls = RunProgram({"/bin/ls", folder});
    std::istringstream in(ls.output);
    for (std::string line; std::getline(in, line);)
      if (line.rfind(name, 0) == 0) found = ReadFileBytes(folder + "/" + line);
    if (!found.empty()) return found;
  }
  return "";
}

}  // namespace

TEST(ExecArguments, QuotingAsLaunchersReadIt) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ExecArguments("/usr/bin/garvel %F"), (V{"/usr/bin/garvel", "%F"}));
  EXPECT_EQ(ExecArguments("\"/opt/a b/garvel\" %F"), (V{"/opt/a b/garvel", "%F"}));
  EXPECT_EQ(ExecArguments("\"/opt/a\\\\\\\\b/\\\\$x\" %F"), (V{"/opt/a\\b/$x", "%F"}));
}

// Installs the build tree into a temporary DESTDIR and uses what was
// installed as a user and the desktop would.
TEST(Install, DestdirInstallRunsFromItsOwnProgramFolder) {
  const std::string garvelBuilt = std::string(GARVEL_BUILD_DIR) + "/bin/garvel";
  if (access(garvelBuilt.c_str(), X_OK) != 0) GTEST_SKIP() << "the desktop program is not built";
  TTempDir dir;
  const std::string dest = dir / "dest";
  TProgramRun install = RunProgram({GARVEL_CMAKE_COMMAND, "--install", GARVEL_BUILD_DIR, "--prefix", kPrefix},
                                   {{"DESTDIR", dest}});
  ASSERT_EQ(install.status, 0) << install.output;
  const std::string root = dest + kPrefix;

  for (const char* file :
       {"/bin/garvel", "/bin/garvelctl", "/share/garvel/catalogue/catalogue.txt", "/share/garvel/db_vin.txt",
        "/share/garvel/images/vehicles.jpg", "/share/applications/garvel.desktop", "/share/mime/packages/garvel.xml",
        "/share/icons/hicolor/scalable/apps/garvel.svg"})
    EXPECT_TRUE(PathExists(root + file)) << file;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string s = std::to_string(size);
    EXPECT_TRUE(PathExists(root + "/share/icons/hicolor/" + s + "x" + s + "/apps/garvel.png")) << size;
  }
  TProgramRun templates = RunProgram({"/bin/ls", root + "/share/garvel/templates"});
  EXPECT_NE(templates.output.find(".htm"), std::string::npos) << templates.output;

  // The entry: Czech texts, the Office menu, the data files it opens.
  const std::string entryPath = root + "/share/applications/garvel.desktop";
  auto entry = DesktopEntry(ReadFileBytes(entryPath));
  EXPECT_EQ(entry["Type"], "Application");
  EXPECT_EQ(entry["Name"], "Garvel");
  EXPECT_NE(entry["Comment"].find("servisní záznamy"), std::string::npos);
  EXPECT_NE((";" + entry["Categories"]).find(";Office;"), std::string::npos) << entry["Categories"];
  EXPECT_EQ(entry["Icon"], "garvel");
  EXPECT_EQ(entry["MimeType"], "application/x-garvel-exchange;");
  EXPECT_EQ(entry["TryExec"], kPrefix + "/bin/garvel");
  const std::vector<std::string> exec = ExecArguments(entry["Exec"]);
  ASSERT_EQ(exec, (std::vector<std::string>{kPrefix + "/bin/garvel", "%F"})) << entry["Exec"];
  if (access("/usr/bin/desktop-file-validate", X_OK) == 0) {
    TProgramRun valid = RunProgram({"/usr/bin/desktop-file-validate", entryPath});
    EXPECT_EQ(valid.status, 0) << valid.output;
    EXPECT_EQ(valid.output, "");
  }
  // The type's glob, as the desktop's MIME database takes it in.
  const std::string mimeXml = ReadFileBytes(root + "/share/mime/packages/garvel.xml");
  EXPECT_NE(mimeXml.find("<mime-type type=\"application/x-garvel-exchange\">"), std::string::npos);
  if (access("/usr/bin/update-mime-database", X_OK) == 0) {
    TProgramRun mime = RunProgram({"/usr/bin/update-mime-database", root + "/share/mime"});
    EXPECT_EQ(mime.status, 0) << mime.output;
    EXPECT_NE(ReadFileBytes(root + "/share/mime/globs2").find(":application/x-garvel-exchange:*.cgarv"),
              std::string::npos);
  }

  // No variable tells the installed programs where they are.
  const TEnvChanges env = {{"GARVEL_PROGRAM_DIR", kUnsetVariable},
                           {"GARVEL_USER_DATA", dir / "data"},
                           {"GARVEL_COMMON_DATA", dir / "no-common"},
                           {"GARVEL_RUNTIME_DIR", dir / "run"},
                           {"QT_QPA_PLATFORM", "offscreen"}};
  TProgramRun version = RunProgram({root + "/bin/garvelctl", "--version"}, env);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, std::string("garvelctl ") + kGarvelVersion + "\n");
  TProgramRun paths = RunProgram({root + "/bin/garvelctl", "paths"}, env);
  EXPECT_NE(paths.output.find("Mount \"" + root + "/share/garvel/\""), std::string::npos) << paths.output;

  // Started from the entry's Exec line with a received file, as a double
  // click would: the program, installed under DESTDIR, fills the empty data
  // folder's catalogue from its program folder and takes the file in (this
  // one is damaged, so the refusal is logged; the log is in Windows-1250,
  // hence the plain name).
  const std::string received = dir / "prijaty soubor.cgarv";
  WriteFileBytes(received, "není to XML");
  std::vector<std::string> argv;
  for (const std::string& a : exec) argv.push_back(a == "%F" ? received : a == exec[0] ? dest + a : a);
  const pid_t garvel = StartProgram(argv, env, dir / "garvel-output.txt");
  ASSERT_GT(garvel, 0);
  const std::string data = dir / "data/";
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(data + "db_manufac.dat").size() > 1024; }, 60))
      << ReadFileBytes(dir / "garvel-output.txt");
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(data + "errlog.txt").find(received) != std::string::npos; }, 60))
      << ReadFileBytes(data + "errlog.txt") << ReadFileBytes(dir / "garvel-output.txt");
  EXPECT_NE(TraceLogOf(data).find("Mount \"" + root + "/share/garvel/\""), std::string::npos) << TraceLogOf(data);
  EXPECT_EQ(WaitForProgram(garvel, 0), -1) << "the program ended";
  StopProgram(garvel);
}
