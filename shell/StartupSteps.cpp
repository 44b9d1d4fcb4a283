#include "shell/StartupSteps.h"

#include <cstdio>

#include "storage/CustomDb.h"
#include "storage/Notifier.h"

namespace {
constexpr int kMajor = 3;
constexpr int kMinor = 63;
// A store that cannot be written (read-only, or a write error) keeps its old
// password; saying it was changed would mislead the user about his protection.
const char* const kPasswordNotStored = "Heslo se nepodařilo uložit.";
}  // namespace

bool CheckProgramPassword(TCustomDb* customers, const std::function<bool(std::string&)>& ask) {
  if (!customers || customers->CheckPassword("")) return true;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string password;
    if (ask(password) && customers->CheckPassword(password)) return true;
  }
  return false;
}

bool VersionCheckDue(bool autoUpdate, int periodDays, int32_t lastCheckDay, int32_t today) {
  return autoUpdate && today - lastCheckDay >= periodDays;
}

std::optional<std::string> NewVersionQuestion(int major, int minor) {
  if (major < kMajor || (major == kMajor && minor <= kMinor)) return std::nullopt;
  char buf[160];
  std::snprintf(buf, sizeof buf,
                "K dispozici je nová verze programu (%d.%02d). Chcete navštívit stránku se stahováním?", major, minor);
  return std::string(buf);
}

bool BackupDue(bool autoBackup, int periodDays, int32_t& lastBackupDay, int32_t today) {
  if (lastBackupDay <= 0) lastBackupDay = today;
  return autoBackup && today - lastBackupDay >= periodDays;
}

void SetAccessPassword(TCustomDb& customers,
                       const std::function<bool(const std::string& caption, std::string& password)>& ask) {
  if (customers.CheckPassword("")) {
    if (!AskYesNo("Dotaz",
                  "Chcete nyní nastavit přístupové heslo?\r\n\r\nOchrana heslem zabrání nepovolaným osobám v "
                  "používání programu, datové soubory však nešifruje a před útoky je nechrání.",
                  false))
      return;
  } else {
    std::string current;
    if (!ask("Zadejte stávající heslo", current)) return;
    if (!customers.CheckPassword(current)) {
      ShowMessage("Chyba", "Nesprávné heslo", TMsgIcon::Error);
      return;
    }
  }
  std::string first;
  if (!ask("Zadejte nové heslo", first)) return;
  if (first.empty()) {
    if (!customers.SetPassword("")) {
      ShowError(kPasswordNotStored);
      return;
    }
    ShowMessage("Informace", "Ochrana heslem byla deaktivována", TMsgIcon::Information);
    return;
  }
  std::string second;
  if (!ask("Zopakujte nové heslo", second)) return;
  if (first != second) {
    ShowMessage("Chyba", "Hesla se neshodují", TMsgIcon::Error);
    return;
  }
  if (!customers.SetPassword(first)) {
    ShowError(kPasswordNotStored);
    return;
  }
  ShowMessage("Informace", "Ochrana heslem byla aktivována", TMsgIcon::Information);
}
