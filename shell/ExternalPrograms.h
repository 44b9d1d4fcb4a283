#pragma once
// The maker's calendar and time-measurement programs, which are not part of
// this program: finding them and starting them.

#include <string>

// The program's path: the setting when a file exists there (a relative
// setting counts from `baseFolder`, the default data folder, and comes back
// absolute), otherwise the installation folder recorded for it + "/" + the
// program's file name; empty when neither is known.
std::string ProgramPath(const std::string& settingPath, const std::string& installFolder,
                        const std::string& fileName, const std::string& baseFolder);
// The same with the default data folder as the base.
std::string ProgramPath(const std::string& settingPath, const std::string& installFolder,
                        const std::string& fileName);

// Starts a program with no arguments in its own folder without waiting for
// it; false when it cannot be started. A relative path counts from the
// current folder.
bool StartProgram(const std::string& path);

// "Otevřít kalendář": nothing to do when the calendar runs; otherwise starts
// it and reports "Nepodařilo se spustit aplikaci." when that fails.
void OpenCalendarProgram(const std::string& path);
// "Spustit časovač": reports "Nepodařilo se spustit externí program
// "Tikoměr"" when the program cannot be started.
void StartTimerProgram(const std::string& path);
