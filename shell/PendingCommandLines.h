#pragma once
// Command lines waiting for the main window: this start's own arguments and
// those handed over by later starts, each in hand-over form. They are taken
// when the main window is activated and no records window is open.

#include <mutex>
#include <string>
#include <vector>

class TPendingCommandLines {
 public:
  void Add(const std::string& handOver);
  // Takes every waiting command line and empties the list.
  std::vector<std::string> TakeAll();
  bool Empty() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

// The pieces of the command lines that name existing files, in order.
std::vector<std::string> ExistingFilesOf(const std::vector<std::string>& handOvers);
