#pragma once
// Starting the desktop's opener (xdg-open) so that a failure is seen: when no
// program takes an address it says so at once, while a program that took it
// may keep the opener waiting until it ends. So we wait a short while: an
// early error is a failure, an early success or an opener still running is
// taken as accepted.

#include <string>
#include <vector>

enum class TLaunchResult {
  Accepted,
  Refused,     // ended with an error status within the wait
  NotStarted,  // no such program
};

// Starts `program` with an argument vector (no shell) and waits up to
// `graceMs` for its answer. User input waits meanwhile; painting goes on.
TLaunchResult LaunchAndCheck(const std::string& program, const std::vector<std::string>& arguments, int graceMs);
