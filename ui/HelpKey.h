#pragma once
// F1 in a window opens its page of the on-line help.

#include <string>

class QWidget;

void InstallHelpKey(QWidget* window, const std::string& helpFile);

// Opens the help page of a help file; says so when there is none or no
// program takes the address, rather than doing nothing.
void OpenHelpPage(const std::string& helpFile);
