#include "documents/DocumentStore.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <sys/stat.h>

#include "documents/PdfConversion.h"
#include "storage/Codec.h"
#include "storage/Errors.h"
#include "storage/FileSystemSetup.h"
#include "storage/TextFiles.h"
#include "storage/TextUtils.h"
#include "storage/UrlCoding.h"

const char* DocumentFolder(TDocumentKind kind) {
  switch (kind) {
    case TDocumentKind::Invoice: return "invoice";
    case TDocumentKind::SimpleInvoice: return "invoice_simple";
    case TDocumentKind::Contract: return "contracts";
    case TDocumentKind::Receipt: return "receipts";
  }
  return "invoice";
}

TDocumentKind InvoiceKind(int type) {
  GARVEL_ASSERT(type == 0 || type == 1, "Invalid invoice type", "DocumentStore");
  return type == 0 ? TDocumentKind::Invoice : TDocumentKind::SimpleInvoice;
}

const char* InvoiceFolder(int type) { return DocumentFolder(InvoiceKind(type)); }

std::string DocumentNumberProblem(const std::string& number) {
  if (number.empty()) return "Zadejte číslo dokladu.";
  if (Utf8Length(number) > kMaxDocumentNumber)
    return "Číslo dokladu může mít nejvýše " + std::to_string(kMaxDocumentNumber) + " znaků.";
  if (number[0] == '.') return "Číslo dokladu nesmí začínat tečkou.";
  return "";
}

S_FileName StoredDocument(TDocumentKind kind, const std::string& number) {
  return VirtualFile(std::string(DocumentFolder(kind)) + "\\" + URLEncode(number) + ".html");
}

S_FileName DocumentFileName(const std::string& number, TDocumentKind kind) {
  if (number.empty()) return VirtualFile("");
  S_FileName file = StoredDocument(kind, number);
  if (!GetVirtualFS().FileOrDirExists(file.name, fdFile)) file.name.clear();
  return file;
}

S_FileName DocumentFileName(const std::string& number, int invoiceType) {
  return DocumentFileName(number, InvoiceKind(invoiceType));
}

std::string NextDocumentNumber(const std::string& folder, int year) {
  const std::string yearText = ZeroPad(year, 4);
  long long highest = HighestNumber(folder + "\\" + yearText + "*.html", yearText.size());
  if (highest == LLONG_MAX) --highest;  // a forged name must not overflow the sum
  return yearText + ZeroPad(highest + 1, 4);
}

std::string NextSequenceNumber(const std::string& folder) {
  long long highest = HighestNumber(folder + "\\*.html", 0);
  if (highest == LLONG_MAX) --highest;
  return std::to_string(highest + 1);
}

bool DeleteDocumentFiles(const S_FileName& file) {
  if (file.name.empty()) return false;
  const std::string html = file.RealPath();
  bool ok = true;
  for (const std::string& path : {html, ChangeFileExt(html, ".PDF")}) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) continue;
    if (std::remove(path.c_str()) != 0 && errno != ENOENT) ok = false;
  }
  return ok;
}
