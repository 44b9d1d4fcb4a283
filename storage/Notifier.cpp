#include "storage/Notifier.h"

#include <atomic>
#include <cstdio>

namespace {
TConsoleNotifier g_consoleNotifier;
std::atomic<INotifier*> g_notifier{nullptr};
}  // namespace

TMsgAnswer TConsoleNotifier::Show(const TMessageBox& message) {
  std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
  return message.defaultAnswer;
}

INotifier& GetNotifier() {
  INotifier* n = g_notifier.load();
  return n ? *n : g_consoleNotifier;
}

void SetNotifier(INotifier* notifier) { g_notifier.store(notifier); }

TMsgAnswer ShowMessage(const std::string& caption, const std::string& text, TMsgIcon icon,
                       unsigned buttons, TMsgAnswer defaultAnswer) {
  return GetNotifier().Show(TMessageBox{caption, text, icon, buttons, defaultAnswer});
}

void ShowError(const std::string& text) { ShowMessage("Chyba", text, TMsgIcon::Error, mbOK, TMsgAnswer::Ok); }

bool AskYesNo(const std::string& caption, const std::string& text, bool defaultYes) {
  return ShowMessage(caption, text, TMsgIcon::Question, mbYesNo,
                     defaultYes ? TMsgAnswer::Yes : TMsgAnswer::No) == TMsgAnswer::Yes;
}
