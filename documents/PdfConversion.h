#pragma once
// Turning a written document into PDF with wkhtmltopdf, and showing a stored
// document: its PDF when there is one, else the HTML.

#include <string>
#include <vector>

#include "storage/FileSystem.h"

// The converter: the `converterPath` setting (also without ".exe"), else
// "utility\wkhtmltopdf\wkhtmltopdf", on the virtual file system; else
// "wkhtmltopdf" on PATH.
std::string ConverterProgram();

// The zoom a document asks for in its "%PDF_SCALE%" block: a number with a
// full stop, 2 when there is none or it is not wholly such a number, kept
// within 0.01..100.
double PdfScale(const std::string& documentText);
// The zoom as the converter reads it: two decimals and a full stop.
std::string ScaleArgument(double scale);

// The converter's arguments: local pictures only from `allowFolders`, no
// scripts, then the argument template split at blanks with "%SRC%", "%DST%"
// and "%SCALE%" replaced inside each argument.
std::vector<std::string> ConverterArguments(const std::string& argumentTemplate, const std::string& source,
                                            const std::string& destination, double scale,
                                            const std::vector<std::string>& allowFolders);

// Converts the HTML into the PDF. The PDF is written under a hidden
// temporary name and renamed over `pdf` only when the converter left a
// non-empty file that starts with "%PDF"; anything else is reported to the
// user with what the converter said. True when the PDF was written.
bool ConvertToPdf(const S_FileName& pdf, const S_FileName& html);

// The name with its extension (after the last "." of the last part)
// replaced, or appended when there is none.
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// Opens the document's ".PDF" when it exists, else the HTML, with the
// desktop's program; a missing document gives "Soubor "…" neexistuje".
bool ShowDocument(const S_FileName& file);
