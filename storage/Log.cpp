#include "storage/Log.h"

#include <cstdio>
#include <filesystem>
#include <mutex>

#include "storage/DateTime.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"

namespace {

std::mutex g_mutex;
std::string g_traceName;
// Whether this run has told the user that errlog.txt cannot be written.
bool g_errorLogWarned = false;

// Czech short date and long time: 5.3.2024 and 8:05:09.
std::string DateAndTime(const char* between) {
  TDateTime now = Now();
  TDateParts d = DecodeDate(now);
  TTimeParts t = DecodeTime(now);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d.%d.%04d%s%d:%02d:%02d", d.day, d.month, d.year, between, t.hour, t.minute,
                t.second);
  return buf;
}

bool AppendLines(const std::string& virtualName, const std::string& text) {
  if (!FileSystemsReady()) return false;
  TTextFile file;
  GetVirtualFS().AssignTextFile(file, virtualName);
  if (!file.Append()) return false;
  bool ok = file.Write(text);
  file.Close();
  return ok;
}

}  // namespace

bool LogError(const std::string& message, bool showBox) {
  if (showBox) ShowError(message);
  bool warn = false;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    // Tools that work on a folder without the data file systems have no
    // error log to write: nothing to warn about.
    if (!FileSystemsReady()) return false;
    if (AppendLines("errlog.txt", "\r\n" + DateAndTime("  ") + "\r\n" + message + "\r\n")) return true;
    warn = !g_errorLogWarned;
    g_errorLogWarned = true;
  }
  // The caller goes on, but an unwritable log must not hide every later
  // error silently: the user hears of it once per run.
  if (warn)
    ShowMessage("Upozornění",
                "Do protokolu chyb errlog.txt nelze zapisovat. Chyby se zobrazí, ale do protokolu se "
                "nezaznamenají.",
                TMsgIcon::Warning);
  return false;
}

void LogTrace(int level, const std::string& text) {
  if (level > 2) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_traceName.empty()) return;
  AppendLines(g_traceName, DateAndTime(" ") + ": " + text + "\r\n");
}

void StartTraceLog(const std::string& stamp) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_traceName = "garv_trace" + stamp + ".log";
  g_errorLogWarned = false;
  if (!FileSystemsReady()) return;
  TTextFile file;
  GetVirtualFS().AssignTextFile(file, g_traceName);
  if (file.Rewrite()) file.Close();
}

void DiscardEmptyTraceLog() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_traceName.empty() || !FileSystemsReady()) return;
  std::error_code error;
  if (std::filesystem::file_size(GetVirtualFS().GetRealPath(g_traceName), error) == 0 && !error)
    GetVirtualFS().DeleteFile(g_traceName);
  g_traceName.clear();
}

std::string TraceLogName() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_traceName;
}

std::vector<std::string> StartupTraceLines() {
  std::vector<std::string> lines;
  lines.push_back(std::string(65, '='));
  CVirtualFileSystem& vfs = GetVirtualFS();
  for (const std::string& mount : vfs.GetMounts()) lines.push_back("Mount \"" + mount + "\"");
  lines.push_back("Default path \"" + vfs.GetDefaultPath() + "\"");
  for (const S_Redirect& r : GetRealFS().GetRedirects())
    lines.push_back("Redirect \"" + r.from + "\" -> \"" + r.to + "\"");
  return lines;
}

void TraceStartup() {
  for (const std::string& line : StartupTraceLines()) LogTrace(1, line);
}
