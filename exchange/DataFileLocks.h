#pragma once
// The write locks of the data files, taken by a tool that must not read the
// files while the program writes them (a backup taken during a save would
// pair a records file with a blob file of another moment).
//
// The stores lock each file they open for writing (an exclusive flock);
// taking the same locks keeps the program from opening the stores meanwhile
// and fails while it has them open.

#include <string>
#include <vector>

class TDataFileLocks {
 public:
  TDataFileLocks() = default;
  ~TDataFileLocks();
  TDataFileLocks(const TDataFileLocks&) = delete;
  TDataFileLocks& operator=(const TDataFileLocks&) = delete;

  // Locks every "*.dat" file directly in the folders (host paths). False,
  // with the file in `busy` and no lock kept, when another program holds one
  // of them. Files that cannot be opened at all are left to the caller's
  // reading to report.
  bool Acquire(const std::vector<std::string>& folders, std::string& busy);
  void Release();

 private:
  std::vector<int> fds_;
};
