#include "exchange/ExchangeFile.h"

#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FaultText(TXmlFault fault, const std::string& name) {
  const std::string quoted = "Soubor \"" + name + "\"";
  switch (fault) {
    case TXmlFault::Missing: return quoted + " nebyl nalezen.";
    case TXmlFault::Unreadable: return quoted + " nelze přečíst.";
    case TXmlFault::TooLarge: return quoted + " je příliš velký na datový soubor. Nic nebylo změněno.";
    default: return quoted + " není platný datový soubor. Nic nebylo změněno.";
  }
}

}  // namespace

bool LoadExchangeFile(const S_FileName& file, TDeserializedData& data, std::string& error, std::string& detail) {
  const std::string name = BaseName(file.name);
  try {
    C_XMLDocument document(file);
    if (!IsExchangeRoot(document.GetRoot())) {
      error = "Soubor \"" + name + "\" není datový soubor programu Garvel. Nic nebylo změněno.";
      detail = "root element \"" + document.GetRoot().Name() + "\"";
      return false;
    }
    data = ReadExchangeDocument(document.GetRoot());
    return true;
  } catch (const EXmlError& e) {
    error = FaultText(e.Fault(), name);
    detail = e.what();
    return false;
  }
}

std::string DroppedNodesText(size_t count) {
  const long long n = static_cast<long long>(count);
  return std::to_string(n) + " " + PluralWord(n, "položku", "položky", "položek") + " souboru nelze přečíst.";
}

TExchangeFileResult ProcessExchangeFile(const S_FileName& file, TExchangeIndex& index, const TExchangeChooser& choose) {
  TExchangeFileResult result;
  if (!file.fileSystem || !file.fileSystem->FileOrDirExists(file.name, fdFile)) return result;

  TDeserializedData data;
  std::string error, detail;
  if (!LoadExchangeFile(file, data, error, detail)) {
    if (FileSystemsReady()) LogError("Exchange file " + file.RealPath() + ": " + detail, false);
    ShowError(error);
    result.outcome = TExchangeOutcome::Refused;
    return result;
  }
  TExchangeChanges changes = CompareExchangeData(data, index);
  if (!data.Dropped.empty()) {
    // A damaged file never passes for one without changes.
    std::string text = DroppedNodesText(data.Dropped.size());
    if (changes.Empty()) text += "\r\nOstatní položky souboru neobsahují žádné změny.";
    ShowMessage("Upozornění", text, TMsgIcon::Warning);
  }
  if (changes.Empty()) {
    if (data.Dropped.empty()) ShowMessage("Informace", "Soubor neobsahuje žádné změny.", TMsgIcon::Information);
    result.outcome = TExchangeOutcome::NoChanges;
    return result;
  }
  if (!choose(changes)) {
    result.outcome = TExchangeOutcome::Cancelled;
    return result;
  }
  result.outcome = TExchangeOutcome::Applied;
  result.applied = ApplyExchangeChanges(index, changes);
  return result;
}
