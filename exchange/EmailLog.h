#pragma once
// "emailLog.txt" in the data folder: every message the program sends or
// prepares, and every failure of the web service, appended as
//   ===================================================== (53 "=")
//   Date: <date> Time: <time>
//   <message>
//   <empty line>
// Nothing secret is ever written to it: the service password never is.

#include <string>

// Appends one entry; false when the log cannot be written.
bool AppendEmailLog(const std::string& message);
