// garvelctl invoice, contract, receipt: issue a record's document exactly as
// the document windows do when confirmed with what they propose; garvelctl
// documents: the rows of a document register.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "documents/ContractForm.h"
#include "documents/DocumentRecords.h"
#include "documents/DocumentRegister.h"
#include "documents/InvoiceForm.h"
#include "documents/ReceiptForm.h"
#include "shell/Config.h"
#include "storage/DateText.h"
#include "storage/FileSystemSetup.h"

namespace {

// Opens the stores for writing; while the desktop program holds them nothing
// is issued.
bool OpenForWriting(TDatabaseFolder& db, const char* command) {
  TStoreOpenOptions options;
  options.showMessages = false;
  if (OpenStores(db.stores, db.fs, db.dir, options)) return true;
  std::fprintf(stderr,
               "garvelctl %s: databázi ve složce %s nelze otevřít pro zápis (je spuštěný program Garvel, "
               "nebo složka neobsahuje databázi). Nic nebylo vystaveno.\n",
               command, db.dir.c_str());
  return false;
}

using TIssue = std::function<TIssueResult(const Tautomobil&, const TContactRecord&, Tzaznam&)>;

int IssueForRecord(const char* command, const std::string& folder, long recordId, TDocumentKind kind,
                   const std::function<TIssue(const Tzaznam&)>& prepare) {
  TDataFolderSession session(folder);
  TDatabaseFolder& db = session.db;
  if (!OpenForWriting(db, command)) return 1;
  Tzaznam record;
  Tautomobil vehicle;
  TContactRecord customer;
  std::string error;
  if (!LoadDocumentSubjects(*db.stores.records, *db.stores.cars, db.stores.customers.get(),
                            static_cast<int32_t>(recordId), record, vehicle, customer, error)) {
    std::fprintf(stderr, "garvelctl %s: %s\n", command, error.c_str());
    return 1;
  }
  TIssue issue = prepare(record);
  if (!issue) return 2;
  TIssueResult result = issue(vehicle, customer, record);
  if (!result.done) {
    std::fprintf(stderr, "garvelctl %s: doklad nebyl vystaven.\n", command);
    return 1;
  }
  if (result.recordChanged && !StoreDocumentNumber(*db.stores.records, record, kind)) {
    std::fprintf(stderr, "garvelctl %s: číslo dokladu se nepodařilo uložit do záznamu.\n", command);
    return 1;
  }
  const std::string html = result.document.RealPath();
  const std::string pdf = html.substr(0, html.size() - 5) + ".PDF";
  std::printf("%s\t%s\n", RecordDocumentNumber(record.db, kind).c_str(), html.c_str());
  if (FILE* f = std::fopen(pdf.c_str(), "rb")) {
    std::fclose(f);
    std::printf("%s\t%s\n", RecordDocumentNumber(record.db, kind).c_str(), pdf.c_str());
    return 0;
  }
  std::fprintf(stderr, "garvelctl %s: PDF nebylo vytvořeno.\n", command);
  return 3;
}

bool RecordArgument(const TArgs& args, const char* usage, long& id) {
  id = args.Number("--record", -1);
  if (args.positional.size() != 1 || id < 0) {
    std::fprintf(stderr, "Použití: %s\n", usage);
    return false;
  }
  return true;
}

}  // namespace

int CmdInvoice(int argc, char** argv) {
  static const char* kUsage =
      "garvelctl invoice SLOŽKA --record ID [--simple] [--proforma] [--number ČÍSLO] [--payment cash|card|transfer]";
  TArgs args(argc, argv, {"--record", "--number", "--payment"});
  long id = -1;
  if (!RecordArgument(args, kUsage, id)) return 2;
  const int type = args.Has("--simple") ? 1 : 0;
  const std::string payment = args.Value("--payment");
  if (!payment.empty() && payment != "cash" && payment != "card" && payment != "transfer") {
    std::fprintf(stderr, "Použití: %s\n", kUsage);
    return 2;
  }
  if (type == 1 && args.Has("--proforma")) {
    std::fprintf(stderr, "garvelctl invoice: zjednodušený daňový doklad nemůže být proforma.\n");
    return 2;
  }
  return IssueForRecord("invoice", args.positional[0], id, InvoiceKind(type), [&](const Tzaznam& record) -> TIssue {
    TInvoiceFormState state = OpenInvoiceForm(record, type);
    if (args.Has("--number")) state.number = args.Value("--number");
    if (args.Has("--proforma")) state.proforma = true;
    if (!payment.empty()) {
      state.paymentMethod = payment == "transfer" ? pmTransfer : payment == "card" ? pmCard : pmCash;
      ApplyPaymentRule(state);
    }
    return [state](const Tautomobil& v, const TContactRecord& c, Tzaznam& r) { return IssueInvoice(state, v, c, r, false); };
  });
}

int CmdContract(int argc, char** argv) {
  static const char* kUsage = "garvelctl contract SLOŽKA --record ID [--number ČÍSLO]";
  TArgs args(argc, argv, {"--record", "--number"});
  long id = -1;
  if (!RecordArgument(args, kUsage, id)) return 2;
  return IssueForRecord("contract", args.positional[0], id, TDocumentKind::Contract, [&](const Tzaznam& record) -> TIssue {
    TContractFormState state = OpenContractForm(record);
    if (args.Has("--number")) state.number = args.Value("--number");
    return [state](const Tautomobil& v, const TContactRecord& c, Tzaznam& r) { return IssueContract(state, v, c, r, false); };
  });
}

int CmdReceipt(int argc, char** argv) {
  static const char* kUsage = "garvelctl receipt SLOŽKA --record ID [--number ČÍSLO]";
  TArgs args(argc, argv, {"--record", "--number"});
  long id = -1;
  if (!RecordArgument(args, kUsage, id)) return 2;
  return IssueForRecord("receipt", args.positional[0], id, TDocumentKind::Receipt, [&](const Tzaznam& record) -> TIssue {
    TReceiptFormState state = OpenReceiptForm(record);
    if (args.Has("--number")) state.number = args.Value("--number");
    return [state](const Tautomobil& v, const TContactRecord& c, Tzaznam& r) { return IssueReceipt(state, v, c, r, false); };
  });
}

int CmdDocuments(int argc, char** argv) {
  static const char* kUsage = "garvelctl documents SLOŽKA invoice|simple|contract|receipt [--from D.M.RRRR] [--to D.M.RRRR]";
  TArgs args(argc, argv, {"--from", "--to"});
  if (args.positional.size() != 2) {
    std::fprintf(stderr, "Použití: %s\n", kUsage);
    return 2;
  }
  const std::string& which = args.positional[1];
  TDocumentKind kind;
  if (which == "invoice") kind = TDocumentKind::Invoice;
  else if (which == "simple") kind = TDocumentKind::SimpleInvoice;
  else if (which == "contract") kind = TDocumentKind::Contract;
  else if (which == "receipt") kind = TDocumentKind::Receipt;
  else {
    std::fprintf(stderr, "Použití: %s\n", kUsage);
    return 2;
  }
  TDataFolderSession session(args.positional[0]);
  const int32_t from = args.Has("--from") ? DayNumber(TextDate(args.Value("--from"))) : INT32_MIN;
  const int32_t to = args.Has("--to") ? DayNumber(TextDate(args.Value("--to"))) : INT32_MAX;
  TDocumentRegister reg = ReadDocumentRegister(DocumentFolder(kind));
  std::printf("Číslo\tDatum\tPopis\n");
  for (const TDocumentRow& row : reg.rows) {
    if (row.date != 0 && (row.date < from || row.date > to)) continue;
    std::printf("%s\t%s\t%s\n", row.number.c_str(), row.dateText.c_str(), row.label.c_str());
  }
  for (const std::string& failed : reg.failed) std::fprintf(stderr, "nelze načíst: %s\n", failed.c_str());
  return reg.failed.empty() ? 0 : 1;
}

namespace {
const TCtlRegistration kRegisterInvoice(
    "invoice", "vystaví fakturu nebo zjednodušený daňový doklad záznamu",
    "SLOŽKA --record ID [--simple] [--proforma] [--number ČÍSLO] [--payment cash|card|transfer]", CmdInvoice);
const TCtlRegistration kRegisterContract(
    "contract", "vystaví zakázkový list záznamu",
    "SLOŽKA --record ID [--number ČÍSLO]", CmdContract);
const TCtlRegistration kRegisterReceipt(
    "receipt", "vystaví příjmový doklad záznamu",
    "SLOŽKA --record ID [--number ČÍSLO]", CmdReceipt);
const TCtlRegistration kRegisterDocuments(
    "documents", "vypíše vystavené doklady jednoho druhu",
    "SLOŽKA invoice|simple|contract|receipt [--from D.M.RRRR] [--to D.M.RRRR]", CmdDocuments);
}  // namespace
