#pragma once
// Tiny option reader for garvelctl commands: "--name value" options and
// positional arguments.

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/garvelctl/Commands.h"

struct TArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;  // "--x" -> value ("" for a flag)

  // Options listed in `withValue` take the next argument as their value.
  TArgs(int argc, char** argv, const std::vector<std::string>& withValue) {
    for (int i = 0; i < argc; ++i) {
      std::string a = argv[i];
      if (a.rfind("--", 0) == 0) {
        bool takes = false;
        for (const std::string& w : withValue) takes = takes || w == a;
        std::string value = takes && i + 1 < argc ? argv[++i] : "";
        options.emplace_back(a, value);
      } else {
        positional.push_back(a);
      }
    }
  }
  bool Has(const std::string& name) const {
    for (const auto& [k, v] : options)
      if (k == name) return true;
    return false;
  }
  std::string Value(const std::string& name, const std::string& fallback = "") const {
    for (const auto& [k, v] : options)
      if (k == name) return v;
    return fallback;
  }
  // The option's whole number, or `fallback` when it is not given; anything
  // else than a number is a usage error.
  long Number(const std::string& name, long fallback) const {
    if (!Has(name)) return fallback;
    std::string v = Value(name);
    char* end = nullptr;
    errno = 0;
    long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end || errno == ERANGE) throw ECtlUsage("volba " + name + " čeká celé číslo, ne \"" + v + "\"");
    return n;
  }
};
