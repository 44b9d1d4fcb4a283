#pragma once
// Where documents are stored and how they are numbered. A document is one
// HTML file, folder + "\" + URLEncode(number) + ".html" on the virtual file
// system, with its PDF beside it under the same name and ".PDF".

#include <string>

#include "storage/FileSystem.h"

enum class TDocumentKind { Invoice, SimpleInvoice, Contract, Receipt };

// "invoice", "invoice_simple", "contracts", "receipts".
const char* DocumentFolder(TDocumentKind kind);
// Invoice type 0 or 1 (anything else is a programming error).
TDocumentKind InvoiceKind(int type);
const char* InvoiceFolder(int type);

// A document number may hold at most this many characters (the record keeps
// as many).
inline constexpr size_t kMaxDocumentNumber = 31;

// Empty when the number can be used, else the message that says why: empty,
// too long, or starting with "." (it would make a hidden file).
std::string DocumentNumberProblem(const std::string& number);

// The stored document of the number, whether it exists or not.
S_FileName StoredDocument(TDocumentKind kind, const std::string& number);
// The stored document of the number when it exists; an empty name otherwise.
S_FileName DocumentFileName(const std::string& number, TDocumentKind kind);
S_FileName DocumentFileName(const std::string& number, int invoiceType);

// The year and the next sequence number of that year, at least four digits
// ("20260018"): the highest number after the year in the folder's file names,
// plus one.
std::string NextDocumentNumber(const std::string& folder, int year);
// The highest plain number among the folder's file names, plus one ("13").
std::string NextSequenceNumber(const std::string& folder);

// Deletes the document's ".html" and ".PDF" (exactly those: deleting "12"
// leaves "12.1"). False, with nothing deleted, for an empty name; false when
// a file that exists could not be deleted.
bool DeleteDocumentFiles(const S_FileName& file);
