#pragma once
// The text of a PDF as pdftotext lays it out, for tests that print.

#include <string>

#include "tests/support/ChildProcess.h"

inline std::string PdfText(const std::string& pdf) {
  return RunProgram({"pdftotext", "-layout", pdf, "-"}, {}, 30000).output;
}
