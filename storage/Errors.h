#pragma once
// Two kinds of failure travel as exceptions:
//  - EGarvelError: a structural fault of a data file or a failed operation
//    that an operation raises with its own text ("Invalid header",
//    "BLOB sign not valid!"); the caller reports it to the user.
//  - EAssertionFailed: a programming error (a path rule broken, a process-wide
//    instance used before set-up), carrying the message and the unit.

#include <stdexcept>
#include <string>

class EGarvelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EAssertionFailed : public std::logic_error {
 public:
  EAssertionFailed(const std::string& message, const std::string& unit)
      : std::logic_error(message + " (" + unit + ")"), message_(message), unit_(unit) {}
  const std::string& Message() const { return message_; }
  const std::string& Unit() const { return unit_; }

 private:
  std::string message_;
  std::string unit_;
};

[[noreturn]] inline void AssertionFailed(const std::string& message, const std::string& unit) {
  throw EAssertionFailed(message, unit);
}

#define GARVEL_ASSERT(condition, message, unit) \
  do {                                          \
    if (!(condition)) AssertionFailed((message), (unit)); \
  } while (0)
