#pragma once
// "Zadejte heslo": the program password prompt at start-up.

#include <string>

class QWidget;

// Shows the prompt; false for "Storno" or a closed window.
bool AskPassword(QWidget* parent, std::string& password, const std::string& caption = "Zadejte heslo");
