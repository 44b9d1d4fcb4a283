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

std::string UnreadableStoredText(size_t count) {
  const long long n = static_cast<long long>(count);
  return "U " + std::to_string(n) + " " + PluralWord(n, "položky", "položek", "položek") +
         " souboru nelze přečíst záznam uložený v databázi; nebudou převzaty.";
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
  const bool incomplete = !data.Dropped.empty() || changes.unreadableStored > 0;
  if (incomplete) {
    // A damaged file, or a damaged store, never passes for no changes.
    std::string text;
    if (!data.Dropped.empty()) text = DroppedNodesText(data.Dropped.size());
    if (changes.unreadableStored > 0) {
      if (!text.empty()) text += "\r\n";
      text += UnreadableStoredText(changes.unreadableStored);
    }
    if (changes.Empty()) text += "\r\nOstatní položky souboru neobsahují žádné změny.";
    ShowMessage("Upozornění", text, TMsgIcon::Warning);
  }
  if (changes.Empty()) {
    if (!incomplete) ShowMessage("Informace", "Soubor neobsahuje žádné změny.", TMsgIcon::Information);
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
