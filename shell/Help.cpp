#include "shell/Help.h"

std::string HelpPageAddress(const std::string& helpFile, const std::string& topic) {
  if (helpFile.empty()) return "";
  std::string page = helpFile;
  const std::string html = ".html";
  if (page.size() >= html.size() && page.compare(page.size() - html.size(), html.size(), html) == 0)
    page.replace(page.size() - html.size(), html.size(), ".php");
  std::string address = kHelpAddress + page;
  if (!topic.empty()) address += "#" + topic;
  return address;
}
