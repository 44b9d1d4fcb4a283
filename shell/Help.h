#pragma once
// On-line help: a help file name becomes a page of the help site.

#include <string>

inline constexpr const char* kHelpAddress = "https://garvel.example/napoveda/";

// The help page of a help file ("autoform.html" -> ".../autoform.php"), with
// "#" and the topic when one is given; empty without a help file.
std::string HelpPageAddress(const std::string& helpFile, const std::string& topic = "");
