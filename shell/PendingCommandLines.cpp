#include "shell/PendingCommandLines.h"

#include "shell/HandOver.h"
#include "storage/RealFileSystem.h"

void TPendingCommandLines::Add(const std::string& handOver) {
  std::lock_guard<std::mutex> lock(mutex_);
  lines_.push_back(handOver);
}

std::vector<std::string> TPendingCommandLines::TakeAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> out;
  out.swap(lines_);
  return out;
}

bool TPendingCommandLines::Empty() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_.empty();
}

std::vector<std::string> ExistingFilesOf(const std::vector<std::string>& handOvers) {
  std::vector<std::string> files;
  for (const std::string& line : handOvers)
    for (const std::string& piece : SplitHandOver(line))
      if (HostExists(piece, fdFile)) files.push_back(piece);
  return files;
}
