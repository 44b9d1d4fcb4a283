#pragma once
// How core code hands things to the desktop without knowing about windows:
// opening a document or a web address with the program the desktop chooses,
// composing an e-mail in the user's mail program, and asking for a file or a
// folder.
//
// The desktop program installs a Qt implementation (ui/QtDesktop.h);
// garvelctl keeps the default one, which starts xdg-open and xdg-email with
// an argument vector (never through a shell) and answers every question with
// "cancelled"; tests install a recorder (tests/support/RecordingDesktop.h).

#include <string>
#include <vector>

class IDesktop {
 public:
  virtual ~IDesktop() = default;

  // Opens a file with the desktop's program for its type; false when no
  // program took it.
  virtual bool OpenDocument(const std::string& path) = 0;
  // Opens a web address (http:, https:, mailto:, file:); false when no
  // program took it.
  virtual bool OpenUrl(const std::string& url) = 0;

  // Asks for an existing file. `filter` lists patterns as the file chooser
  // shows them ("Icony (*.ico)"); `start` is a folder or file to start in.
  // Empty when the user cancelled.
  virtual std::string AskOpenFile(const std::string& caption, const std::string& filter,
                                  const std::string& start) = 0;
  // Asks for a file to write; empty when cancelled.
  virtual std::string AskSaveFile(const std::string& caption, const std::string& filter,
                                  const std::string& start) = 0;
  // Asks for a folder; empty when cancelled.
  virtual std::string AskFolder(const std::string& caption, const std::string& start) = 0;
};

// Starts xdg-open for documents and addresses and waits for its answer;
// every question is answered "cancelled" (there is nobody to ask).
class TXdgDesktop : public IDesktop {
 public:
  bool OpenDocument(const std::string& path) override;
  bool OpenUrl(const std::string& url) override;
  std::string AskOpenFile(const std::string&, const std::string&, const std::string&) override { return ""; }
  std::string AskSaveFile(const std::string&, const std::string&, const std::string&) override { return ""; }
  std::string AskFolder(const std::string&, const std::string&) override { return ""; }
};

// The process-wide desktop. SetDesktop(nullptr) restores the xdg one. The
// caller keeps ownership of the desktop it installs.
IDesktop& GetDesktop();
void SetDesktop(IDesktop* desktop);

// Runs a program with an argument vector (argv[0] is looked up on PATH when
// it holds no "/"), without a shell, and waits for it. The exit status, or
// -1 when it could not be started or did not end normally.
int RunAndWait(const std::string& program, const std::vector<std::string>& arguments);
