#pragma once
// Decisions of the start-up sequence that do not need a window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class TCustomDb;

// The program password: when the customer store carries one (the empty text
// is refused), asks up to three times; `ask` returns false for "Storno",
// which counts as a wrong entry. True when the program may go on.
bool CheckProgramPassword(TCustomDb* customers, const std::function<bool(std::string& password)>& ask);

// Whether the version check is due: on, and at least `periodDays` days since
// the last check day.
bool VersionCheckDue(bool autoUpdate, int periodDays, int32_t lastCheckDay, int32_t today);
// The question offering a newer version than ours (3.63), or nothing.
std::optional<std::string> NewVersionQuestion(int major, int minor);

// Whether the automatic backup is due. A missing last backup day (0 or less)
// is first set to today, so the first backup comes one interval later.
bool BackupDue(bool autoBackup, int periodDays, int32_t& lastBackupDay, int32_t today);

// "Nastavit přístupové heslo" of the settings: asks whether to set one (or
// for the current one), then the new password twice. `ask` shows the
// password prompt with the given caption; false for "Storno".
void SetAccessPassword(TCustomDb& customers,
                       const std::function<bool(const std::string& caption, std::string& password)>& ask);
