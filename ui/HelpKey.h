#pragma once
// F1 in a window opens its page of the on-line help.

#include <string>

class QWidget;

void InstallHelpKey(QWidget* window, const std::string& helpFile);
