#include "shell/DatabaseExport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "catalogues/ContactRecord.h"
#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "storage/DateText.h"
#include "storage/File.h"
#include "storage/NumberText.h"
#include "storage/Random.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "-1", "+420 777 123 456", "-12,5": what follows a leading "+", "-" or
// TAB is a number or a phone number, which a spreadsheet reads as data.
bool NumberOrPhoneForm(const std::string& rest) {
  size_t i = rest.find_first_not_of(' ');
  if (i == std::string::npos || !IsDigit(rest[i])) return false;
  for (char c : rest)
    if (!IsDigit(c) && std::strchr(" ()/.,-", c) == nullptr) return false;
  return true;
}

std::string Quoted(const std::string& value) { return "\"" + value + "\","; }

// A file written under a temporary name in the target folder, in large
// blocks.
class TExportFile {
 public:
  TExportFile(const std::string& folder, const std::string& name)
      : path_(folder + name), temporary_(folder + "." + name + "." + std::to_string(RandomBelow(1000000000)) + ".tmp") {}
  ~TExportFile() {
    if (!published_) std::remove(temporary_.c_str());
  }

  bool Open() {
    file_.Assign(temporary_);
    return file_.Open(TFile::Mode::Create) || Fail();
  }
  bool Line(const std::string& utf8) {
    buffer_ += Utf8ToCp1250(utf8);
    buffer_ += "\r\n";
    return buffer_.size() < kBlock || Flush();
  }
  bool Finish() {
    if (!Flush() || !file_.Flush()) return Fail();
    file_.Close();
    return true;
  }
  bool Publish() {
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) return Fail();
    published_ = true;
    return true;
  }
  const std::string& Error() const { return error_; }

 private:
  static constexpr size_t kBlock = 1 << 20;
  bool Flush() {
    if (!buffer_.empty() && !file_.Write(buffer_.data(), buffer_.size())) return Fail();
    buffer_.clear();
    return true;
  }
  bool Fail() {
    const std::string reason = file_.Error().empty() ? std::strerror(errno) : file_.Error();
    if (error_.empty()) error_ = "Soubor \"" + path_ + "\" nelze zapsat (" + reason + ").";
    return false;
  }

  std::string path_, temporary_;
  TFile file_;
  std::string buffer_;
  std::string error_;
  bool published_ = false;
};

std::string CustomerLine(const TContactRecord& c) {
  std::string line = std::to_string(c.ID) + ",";
  for (const std::string* f : {&c.company, &c.surname, &c.firstName, &c.street, &c.city, &c.phones, &c.email, &c.other, &c.ico})
    line += Quoted(CsvText(*f));
  return line + "\"" + CsvText(c.dic) + "\"";
}

std::string DocumentNumber(int32_t number, const std::string& text) {
  return number >= 1 ? std::to_string(number) : CsvText(CsvNumberText(text));
}

}  // namespace

std::string CsvText(const std::string& value) {
  std::string out;
  out.reserve(value.size() + 1);
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') continue;
    if (c == '\r') {
      if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  // Spreadsheets run a cell that begins like a formula.
  if (!out.empty()) {
    const char first = out[0];
    if (first == '=' || first == '@' ||
        ((first == '+' || first == '-' || first == '\t') && !NumberOrPhoneForm(out.substr(1))))
      out.insert(out.begin(), '\'');
  }
  return out;
}

std::string CsvNumberText(const std::string& text) {
  static const std::u32string kCapitals = U"ŠŤŽÁČÉĚÍĎŇÓŘŮÚÝ";
  const std::string bytes = Utf8ToCp1250(text);
  size_t end = 0;
  while (end < bytes.size()) {
    const unsigned char b = static_cast<unsigned char>(bytes[end]);
    if (b >= 0x80 && kCapitals.find(Cp1250ToUnicode(b)) == std::u32string::npos) break;
    ++end;
  }
  return Cp1250ToUtf8(bytes.substr(0, end));
}

std::string ExportDoneText(const std::string& folder) { return "Export databáze dokončen - " + folder; }

TDatabaseExportResult ExportDatabase(TStoreSet& stores, const std::string& folderName, const TVatSettings& vat,
                                     const std::function<void(long long, long long)>& progress) {
  TDatabaseExportResult result;
  if (!stores.customers || !stores.cars || !stores.records) {
    result.error = "Databáze zákazníků není otevřena, export nelze provést.";
    return result;
  }
  std::string folder = folderName;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  TExportFile customersFile(folder, "export_zakaznici.csv");
  TExportFile vehiclesFile(folder, "export_vozidla.csv");
  TExportFile recordsFile(folder, "export_zaznamy.csv");
  auto fail = [&](const TExportFile& f) {
    result.error = f.Error();
    return result;
  };
  for (TExportFile* f : {&customersFile, &vehiclesFile, &recordsFile})
    if (!f->Open()) return fail(*f);

  const std::vector<TContactRecord> contacts = LoadContacts(*stores.customers);
  TCustomCarDb& cars = *stores.cars;
  const long long total = static_cast<long long>(contacts.size()) + cars.Count();
  long long done = 0;
  auto step = [&] {
    ++done;
    if (progress && (done % 64 == 0 || done == total)) progress(done, total);
  };

  std::unordered_map<int32_t, std::string> customerLines;
  int32_t highestCustomer = -1;
  for (const TContactRecord& c : contacts) {
    std::string line = CustomerLine(c);
    if (!customersFile.Line(line)) return fail(customersFile);
    highestCustomer = std::max(highestCustomer, c.ID);
    customerLines[c.ID] = std::move(line);
    ++result.customers;
    step();
  }
  auto ownerPart = [&](int32_t ownerID) -> std::string {
    if (ownerID < 0 || ownerID > highestCustomer) return "\"" + std::to_string(ownerID) + "\"";
    auto it = customerLines.find(ownerID);
    return it == customerLines.end() ? std::string() : it->second;
  };

  Tautomobil v;
  AZaznamy records;
  for (int slot = 0; slot < cars.Count(); ++slot) {
    const int32_t id = cars.IDAt(slot);
    if (id < 0 || !cars.LoadCar(id, v)) {
      step();
      continue;
    }
    const std::string owner = ownerPart(v.ownerID);
    const std::string tag = CsvText(v.tag);
    std::string line = std::to_string(v.ID) + "," + Quoted(tag);
    for (const std::string* f : {&v.manufacturer, &v.model, &v.subtype, &v.engine, &v.color}) line += Quoted(CsvText(*f));
    line += Quoted(std::to_string(v.year));
    for (const std::string* f : {&v.vin, &v.engineNumber, &v.comments}) line += Quoted(CsvText(*f));
    if (!vehiclesFile.Line(line + owner)) return fail(vehiclesFile);
    ++result.vehicles;

    records.clear();
    stores.records->LoadCarRecords(v.ID, records);
    for (const Tzaznam& r : records) {
      const TzaznamDb& d = r.db;
      std::string rl = std::to_string(v.ID) + "," + Quoted(tag) + Quoted(std::to_string(d.km)) + Quoted(DateText(d.date)) +
                       Quoted(std::to_string(d.kind)) + Quoted(FormatFixed(d.priceWrk, 2)) +
                       Quoted(FormatFixed(d.priceMat, 2)) + Quoted(DocumentNumber(d.invoiceNr, d.invoiceNrText)) +
                       Quoted(DocumentNumber(d.simpleInvoiceNr, d.simpleInvoiceNrText)) +
                       Quoted(DocumentNumber(d.contractNr, d.contractNrText)) +
                       Quoted(DocumentNumber(d.receiptNr, d.receiptNrText)) +
                       Quoted(CsvText(ActivitiesOneLine(d.kind, d.flags, r.description, vat))) +
                       Quoted(CsvText(r.material));
      if (!recordsFile.Line(rl + owner)) return fail(recordsFile);
      ++result.records;
    }
    step();
  }
  for (TExportFile* f : {&customersFile, &vehiclesFile, &recordsFile})
    if (!f->Finish()) return fail(*f);
  for (TExportFile* f : {&customersFile, &vehiclesFile, &recordsFile})
    if (!f->Publish()) return fail(*f);
  result.ok = true;
  return result;
}
