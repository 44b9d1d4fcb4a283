#pragma once
// How core code talks to the user without knowing about windows.
//
// Core code that must "show a message box and get the answer" calls
// ShowMessage(). The desktop program installs a notifier that shows a real
// message box; garvelctl keeps the console notifier (prints to stderr and
// takes the default answer); tests install a recorder that answers from a
// script.

#include <string>

enum class TMsgIcon { None, Information, Warning, Error, Question };

enum class TMsgAnswer { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore };

// Buttons as a set of bits.
enum TMsgButtons : unsigned {
  mbOK = 1u << 0,
  mbCancel = 1u << 1,
  mbYes = 1u << 2,
  mbNo = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbOKCancel = mbOK | mbCancel,
  mbYesNo = mbYes | mbNo,
  mbYesNoCancel = mbYes | mbNo | mbCancel,
};

struct TMessageBox {
  std::string caption;
  std::string text;
  TMsgIcon icon = TMsgIcon::None;
  unsigned buttons = mbOK;
  TMsgAnswer defaultAnswer = TMsgAnswer::Ok;
};

class INotifier {
 public:
  virtual ~INotifier() = default;
  // Shows the message and returns the button the user chose.
  virtual TMsgAnswer Show(const TMessageBox& message) = 0;
};

// Writes "caption: text" to standard error and returns the default answer.
class TConsoleNotifier : public INotifier {
 public:
  TMsgAnswer Show(const TMessageBox& message) override;
};

// The process-wide notifier. SetNotifier(nullptr) restores the console one.
// The caller keeps ownership of the notifier it installs.
INotifier& GetNotifier();
void SetNotifier(INotifier* notifier);

TMsgAnswer ShowMessage(const std::string& caption, const std::string& text,
                       TMsgIcon icon = TMsgIcon::Information, unsigned buttons = mbOK,
                       TMsgAnswer defaultAnswer = TMsgAnswer::Ok);

// The common boxes: "Chyba" with the error icon, and a Yes/No question.
void ShowError(const std::string& text);
bool AskYesNo(const std::string& caption, const std::string& text, bool defaultYes);
