#pragma once
// Multi-line texts between the core (CR LF line breaks) and Qt's text boxes
// (LF).

#include <QString>
#include <string>

// CR LF, and a CR alone, become LF.
QString ToMemoText(const std::string& text);
// Every LF becomes CR LF.
std::string FromMemoText(const QString& text);
