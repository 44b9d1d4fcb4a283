#include "documents/PdfConversion.h"

#include <cmath>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "documents/DocumentPictures.h"
#include "documents/ProgramRunner.h"
#include "documents/StoredFile.h"
#include "documents/TemplateProcessor.h"
#include "shell/Config.h"
#include "shell/Desktop.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextFiles.h"

namespace {

bool IsFile(const std::string& path) {
  struct stat st{};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Replaces the three names inside one argument in a single pass, so that a
// path holding one of them is never changed again.
std::string SubstituteArgument(const std::string& argument, const std::string& source,
                               const std::string& destination, const std::string& scale) {
  const std::pair<std::string, const std::string*> names[] = {
      {"%SRC%", &source}, {"%DST%", &destination}, {"%SCALE%", &scale}};
  std::string out;
  size_t i = 0;
  while (i < argument.size()) {
    bool replaced = false;
    for (const auto& [name, value] : names) {
      if (argument.compare(i, name.size(), name) == 0) {
        out += *value;
        i += name.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out.push_back(argument[i++]);
  }
  return out;
}

// The last lines of what the converter said, without its progress bars.
std::string ConverterMessage(const std::string& output) {
  std::string text;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find_first_of("\r\n", start);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(start, end - start);
    bool progress = line.empty() || line[0] == '[' || line.find("Loading page") == 0 ||
                    line.find("Printing pages") == 0 || line.find("Done") == 0 || line.find("QStandardPaths") == 0;
    if (!progress) text += (text.empty() ? "" : "\n") + line;
    start = end + 1;
  }
  if (text.size() > 600) text = "…" + text.substr(text.size() - 600);
  return text;
}

void ReportConversion(const std::string& pdf, const std::string& reason, const std::string& output) {
  std::string text = "Dokument se nepodařilo převést do PDF (" + reason + "):\n\"" + pdf + "\"";
  std::string said = ConverterMessage(output);
  if (!said.empty()) text += "\n\n" + said;
  LogError("PDF conversion failed: " + pdf + " (" + reason + ")", false);
  ShowMessage("Chyba", text, TMsgIcon::Error);
}

bool IsPdf(const std::string& path) {
  TFile f;
  f.Assign(path);
  char head[4] = {};
  return f.Open(TFile::Mode::Read) && f.Size() > 4 && f.ReadAt(0, head, 4) && std::string(head, 4) == "%PDF";
}

}  // namespace

std::string ConverterProgram() {
  CVirtualFileSystem& vfs = GetVirtualFS();
  std::string configured = Config().converterPath;
  std::vector<std::string> candidates;
  if (!configured.empty()) {
    candidates.push_back(configured);
    if (configured.size() > 4 && configured.compare(configured.size() - 4, 4, ".exe") == 0)
      candidates.push_back(configured.substr(0, configured.size() - 4));
  }
  candidates.push_back("utility\\wkhtmltopdf\\wkhtmltopdf");
  for (const std::string& c : candidates) {
    std::string real = c[0] == '/' ? c : vfs.GetRealPath(c);
    if (IsFile(real) && access(real.c_str(), X_OK) == 0) return real;
  }
  return "wkhtmltopdf";
}

double PdfScale(const std::string& documentText) {
  std::string text;
  try {
    text = GetParameterValue(ReadTemplateParameters(documentText), "%PDF_SCALE%", "2", false);
  } catch (const EConvertError&) {
    return 2;
  }
  // A number with a full stop only: [sign] digits [. digits].
  size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0 || i != text.size()) return 2;
  double scale = std::strtod(text.c_str(), nullptr);
  if (!(scale >= 0.01)) return 0.01;
  return scale > 100 ? 100 : scale;
}

std::string ScaleArgument(double scale) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", scale);  // the C locale: a full stop
  return buf;
}

std::vector<std::string> ConverterArguments(const std::string& argumentTemplate, const std::string& source,
                                            const std::string& destination, double scale,
                                            const std::vector<std::string>& allowFolders) {
  std::vector<std::string> args = {"--disable-javascript", "--encoding", "windows-1250", "-T", "10mm", "-B", "10mm",
                                   "-L",  "12mm", "-R", "12mm"};
  for (const std::string& folder : allowFolders) {
    args.push_back("--allow");
    args.push_back(folder);
  }
  const std::string scaleText = ScaleArgument(scale);
  size_t i = 0;
  while (i < argumentTemplate.size()) {
    size_t end = argumentTemplate.find(' ', i);
    if (end == std::string::npos) end = argumentTemplate.size();
    if (end > i) args.push_back(SubstituteArgument(argumentTemplate.substr(i, end - i), source, destination, scaleText));
    i = end + 1;
  }
  return args;
}

bool ConvertToPdf(const S_FileName& pdf, const S_FileName& html) {
  const std::string converter = ConverterProgram();
  const std::string destination = pdf.RealPath();
  const std::string source = html.RealPath();
  const std::string temporary = HiddenTempBeside(destination, ".pdf");
  const double scale = PdfScale(ReadTextFile(html, ""));
  std::vector<std::string> args =
      ConverterArguments(Config().converterArgs, source, temporary, scale, PictureFolders());
  TProgramRun run = RunProgram(converter, args, true, converter.find('/') == std::string::npos ? "" : FolderOf(converter));
  if (!run.started) return false;
  if (!run.ended) {
    unlink(temporary.c_str());
    ReportConversion(destination, "převod byl přerušen", run.output);
    return false;
  }
  if (!IsPdf(temporary)) {
    unlink(temporary.c_str());
    ReportConversion(destination, "převodník skončil s kódem " + std::to_string(run.exitCode), run.output);
    return false;
  }
  if (run.exitCode != 0) LogError("PDF converter ended with code " + std::to_string(run.exitCode) + ": " + destination, false);
  if (std::rename(temporary.c_str(), destination.c_str()) != 0) {
    unlink(temporary.c_str());
    ReportConversion(destination, "soubor nelze zapsat", "");
    return false;
  }
  return true;
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  size_t slash = path.find_last_of("/\\");
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + extension;
  return path.substr(0, dot) + extension;
}

bool ShowDocument(const S_FileName& file) {
  const std::string path = file.name.empty() ? "" : file.RealPath();
  std::string target;
  const std::string pdf = path.empty() ? "" : ChangeFileExt(path, ".PDF");
  if (IsFile(pdf)) target = pdf;
  else if (IsFile(path)) target = path;
  if (target.empty()) {
    ShowMessage("Chyba", "Soubor \"" + path + "\" neexistuje", TMsgIcon::Error);
    return false;
  }
  if (GetDesktop().OpenDocument(target)) return true;
  ShowMessage("Chyba", "Chyba při spouštění externího programu! (" + target + ")", TMsgIcon::Error);
  return false;
}
