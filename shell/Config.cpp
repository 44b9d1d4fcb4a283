#include "shell/Config.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "shell/IniFile.h"
#include "shell/Registry.h"
#include "storage/FileSystemSetup.h"
#include "storage/NumberText.h"
#include "storage/PriceRounding.h"

namespace {

const char* const kIniName = "garvconf.ini";
const char* const kRegistryKey = "Garvel";

const char* const kDefaultReminder =
    "Dobrý den,\r\n\r\ndovoluji si Vás upozornit na blížící se termín plánovaného servisu Vašeho vozu.\r\n\r\n"
    "Vůz: %ZNACKA, %SPZ\r\n\r\nPlánovaný servis:\r\ndne %DATUM\r\nstav km %KM\r\nrozsah: \r\n%TEXT\r\n\r\n"
    "Proveďte, prosím, objednávku.\r\n\r\nTěším se na Vaši návštěvu,\r\njá";

const char* const kSendRecordsBody =
    "Dobrý den,\r\n\r\nzasílám Vám servisní záznam(y) Vašeho vozu.\r\n\r\nVůz: %ZNACKA, %SPZ\r\n\r\n"
    "Záznam(y) si můžete stáhnout z následující adresy a uložit do programu servisní knížky Garvel:\r\n%URL\r\n\r\n"
    "Pokud program nemáte nainstalován, můžete tak učinit prostřednictvím následujícího odkazu:\r\n%PROGRAM_URL\r\n\r\n"
    "S pozdravem,\r\njá";

std::string IniPath() { return GetVirtualFS().GetRealPath(kIniName); }

TIniFile LoadIni(const std::string& virtualName) {
  TIniFile ini;
  if (FileSystemsReady()) ini.Load(GetVirtualFS().GetRealPath(virtualName));
  return ini;
}

// Typed access with defaults: a missing or unreadable value keeps the field.
struct TReader {
  const TIniFile& ini;
  void Text(const char* s, const char* k, std::string& v) { v = ini.Get(s, k, v); }
  void Lines(const char* s, const char* k, std::string& v) {
    if (ini.Has(s, k)) v = IniUnescapeLines(ini.Get(s, k, ""));
  }
  void Flag(const char* s, const char* k, bool& v) {
    if (ini.Has(s, k)) v = ParseIniInteger(ini.Get(s, k, ""), v ? 1 : 0) != 0;
  }
  void Int(const char* s, const char* k, int& v) {
    if (ini.Has(s, k)) v = ParseIniInteger(ini.Get(s, k, ""), v);
  }
  void Number(const char* s, const char* k, double& v) {
    if (ini.Has(s, k)) v = ParseIniNumber(ini.Get(s, k, ""), v);
  }
};

struct TWriter {
  TIniFile& ini;
  void Text(const char* s, const char* k, const std::string& v) { ini.Set(s, k, v); }
  void Lines(const char* s, const char* k, const std::string& v) { ini.Set(s, k, IniEscapeLines(v)); }
  void Flag(const char* s, const char* k, bool v) { ini.Set(s, k, v ? "1" : "0"); }
  void Int(const char* s, const char* k, int v) { ini.Set(s, k, std::to_string(v)); }
  void Number(const char* s, const char* k, double v) { ini.Set(s, k, IniNumber(v)); }
};

// One list of the keys for reading and writing, so the two never drift.
template <typename Io, typename C>
void EveryKey(Io& io, C& c) {
  io.Text("addresses", "usersubj", c.usersubj);
  io.Lines("addresses", "custmailtext", c.custmailtext);
  io.Text("addresses", "ordersubj", c.ordersubj);
  io.Text("addresses", "orderaddr", c.orderaddr);
  io.Lines("addresses", "ordertext", c.ordertext);
  io.Text("addresses", "mapsurl", c.mapsurl);
  io.Text("addresses", "phonebookurl", c.phonebookurl);
  io.Text("addresses", "webserviceurl", c.webserviceurl);
  io.Text("addresses", "webservicelogin", c.webservicelogin);
  io.Text("addresses", "webservicepwd", c.webservicepwd);
  io.Int("addresses", "webserviceemailmethod", c.webserviceemailmethod);
  io.Text("background", "bgmain", c.bgmain);
  io.Text("background", "bgcontacts", c.bgcontacts);
  io.Text("background", "bgrec", c.bgrec);
  io.Text("background", "bgprint", c.bgprint);
  io.Text("background", "bgsignature", c.bgsignature);
  io.Int("background", "bgcolor", c.bgcolor);
  io.Int("background", "iconscolor", c.iconscolor);
  io.Flag("records", "usegraphmode", c.usegraphmode);
  io.Lines("records", "addvehinfo", c.addvehinfo);
  io.Number("records", "taxrate", c.taxrate);
  io.Flag("records", "taxpaid", c.taxpaid);
  io.Flag("records", "invoicerounding", c.invoicerounding);
  io.Number("records", "hourrate", c.hourrate);
  io.Text("records", "currency", c.currency);
  io.Number("records", "roundto", c.roundto);
  io.Text("records", "invoicename", c.invoicename);
  io.Text("records", "proforminvoicename", c.proforminvoicename);
  io.Text("records", "simpleinvoicename", c.simpleinvoicename);
  io.Flag("records", "instantsave", c.instantsave);
  io.Flag("updates", "autoupdate", c.autoupdate);
  io.Int("updates", "updateperiod", c.updateperiod);
  io.Text("paths", "timer", c.timer);
  io.Text("paths", "calend", c.calend);
  io.Text("serviceinfo", "name", c.name);
  io.Text("serviceinfo", "street", c.street);
  io.Text("serviceinfo", "city", c.city);
  io.Text("serviceinfo", "postalCode", c.postalCode);
  io.Text("serviceinfo", "phones", c.phones);
  io.Text("serviceinfo", "email", c.email);
  io.Text("serviceinfo", "icq", c.icq);
  io.Text("serviceinfo", "skype", c.skype);
  io.Text("serviceinfo", "www", c.www);
  io.Text("serviceinfo", "ico", c.ico);
  io.Text("serviceinfo", "dic", c.dic);
  static const char* const kDigits[4] = {"", "1", "2", "3"};
  for (int i = 0; i < 4; ++i) {
    io.Text("serviceinfo", (std::string("bankName") + kDigits[i]).c_str(), c.bankName[i]);
    io.Text("serviceinfo", (std::string("accountNr") + kDigits[i]).c_str(), c.accountNr[i]);
    io.Text("serviceinfo", (std::string("iban") + kDigits[i]).c_str(), c.iban[i]);
  }
  io.Text("serviceinfo", "motto", c.motto);
  io.Flag("serviceinfo", "autoopen", c.autoopen);
  io.Int("serviceinfo", "odaysretro", c.odaysretro);
  io.Int("serviceinfo", "odaysadvance", c.odaysadvance);
  io.Flag("serviceinfo", "autosend", c.autosend);
  io.Int("serviceinfo", "sdaysretro", c.sdaysretro);
  io.Int("serviceinfo", "sdaysadvance", c.sdaysadvance);
  io.Int("serviceinfo", "kmcalcmonths", c.kmcalcmonths);
  io.Flag("serviceinfo", "unpaidautoopen", c.unpaidautoopen);
  io.Flag("backup", "autobackup", c.autobackup);
  io.Int("backup", "backupinterval", c.backupinterval);
  io.Flag("autoform", "simplerecords", c.simplerecords);
}

}  // namespace

TConfig& Config() {
  static TConfig config = [] {
    TConfig c;
    LoadDefaults(c);
    return c;
  }();
  return config;
}

std::string IniNumber(double value) {
  // Fixed notation: an exponent ("1e-05") would not read back.
  if (!std::isfinite(value)) value = 0;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.10f", value);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  for (char& ch : s)
    if (ch == '.') ch = ',';
  return s;
}

double ParseIniNumber(const std::string& text, double fallback) {
  // A malformed number gives the part that can be read, or 0.
  return text.empty() ? fallback : ParseNumber(text, 0);
}

int ParseIniInteger(const std::string& text, int fallback) {
  if (text.empty()) return fallback;
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    // Too long for the field (a crash's damage, not a setting): the default.
    if (value > static_cast<long long>(INT_MAX) + 1) return fallback;
  }
  if (negative) value = -value;
  return value < INT_MIN || value > INT_MAX ? fallback : static_cast<int>(value);
}

void LoadDefaults(TConfig& c) {
  c = TConfig{};
  c.usersubj = "Servis";
  c.custmailtext = kDefaultReminder;
  c.ordersubj = "Objednávka";
  c.orderaddr.clear();
  c.ordertext = "S pozdravem\r\njá";
  c.mapsurl = "https://mapy.cz/?query=%ADRESA";
  c.phonebookurl =
      "https://telefonni-seznam.example/index.php?fce=0&Surname=%PRIJMENI&Firstname=%JMENO&Street=%ULICE&City=%MESTO&Region=0";
  c.webserviceurl = "https://garvel.example/webservice/";
  c.webserviceemailmethod = 0;
  c.bgmain = "images\\vehicles.jpg";
  c.bgcontacts = "images\\contacts.jpg";
  c.bgrec = "images\\records.jpg";
  c.bgcolor = 1803748;   // 0x1B85E4
  c.iconscolor = 8384;   // 0x0020C0
  c.usegraphmode = true;
  c.taxrate = 21;
  c.taxpaid = true;
  c.invoicerounding = true;
  c.hourrate = 200;
  c.currency = "kč";
  c.roundto = 1;
  c.invoicename = "Faktura – daňový doklad č.";
  c.proforminvoicename = "Proforma faktura č.";
  c.simpleinvoicename = "Zjednodušený daňový doklad č.";
  c.instantsave = false;
  c.autoupdate = true;
  c.updateperiod = 14;
  c.lastupdate = 0;
  c.name = "<Název Vaší firmy>";
  c.street = "<Adresa>";
  c.city = "<Město>";
  c.postalCode = "<PSČ>";
  c.phones = "<tel.>";
  c.email = "<e-mail>";
  c.icq = "<ICQ>";
  c.skype = "<SKYPE>";
  c.www = "<WWW>";
  c.ico = "<IČO>";
  c.dic = "CZ";
  c.autoopen = true;
  c.odaysretro = 30;
  c.odaysadvance = 14;
  c.autosend = false;
  c.sdaysretro = 30;
  c.sdaysadvance = 30;
  c.kmcalcmonths = 24;
  c.unpaidautoopen = true;
  c.autobackup = true;
  c.backupinterval = 14;
  c.lastbackup = 0;
  c.simplerecords = false;
  c.attachpath = "attach\\";
  c.columnMask = 0x8FFFFF;
  c.userName = "<username>";
  c.sendRecordsSubject = "Servisní záznam vozidla";
  c.sendRecordsBody = kSendRecordsBody;
  c.converterPath = "utility\\wkhtmltopdf\\wkhtmltopdf.exe";
  c.converterArgs = "-s A4 --disable-smart-shrinking --zoom %SCALE% %SRC% %DST%";
  c.filterIndex = 0;
  c.edition = 1;
  c.autoSendDisallowed = false;
  // The programs' places as the maker's installer records them.
  c.calendarInstallFolder = FileSystemsReady() ? ReadRegistryText("Agendix", "InstallPath", "") : "";
  c.timerInstallFolder = FileSystemsReady() ? ReadRegistryText("Tikomer", "InstallPath", "") : "";
  // Without a recorded installation folder only the program's name is left.
  c.calend = c.calendarInstallFolder.empty() ? "agendix" : c.calendarInstallFolder + "/agendix";
  c.timer = c.timerInstallFolder.empty() ? "tikomer" : c.timerInstallFolder + "/tikomer";
}

void LoadConfig(TConfig& c) {
  TIniFile ini = LoadIni(kIniName);
  TReader r{ini};
  EveryKey(r, c);
  r.Int("updates", "lastupdate", c.lastupdate);
  r.Int("backup", "lastbackup", c.lastbackup);
  r.Text("backup", "dstFolder", c.dstFolder);
  r.Text("attachments", "attachpath", c.attachpath);
  r.Int("custom", "columnMask", c.columnMask);
  c.columnMask |= 2;  // the second column is always shown
  c.frequentactions = ini.Section("frequentactions");
  TIniFile type = LoadIni("install_type.ini");
  c.edition = ParseIniInteger(type.Get("InstallType", "Type", ""), 1);
  if (FileSystemsReady()) c.autoSendDisallowed = ReadRegistryInteger(kRegistryKey, "autoSendDisallowed", 0) != 0;
  ApplyConfig(c);
}

bool SaveConfig(const TConfig& c) {
  if (!FileSystemsReady()) return false;
  WriteRegistryInteger(kRegistryKey, "autoSendDisallowed", c.autoSendDisallowed ? 1 : 0);
  // Every key we do not write stays as it is.
  return UpdateIniFile(IniPath(), [&c](TIniFile& ini) {
    TWriter w{ini};
    EveryKey(w, c);
  });
}

void ApplyConfig(const TConfig& c) {
  SetPriceRounding(TPriceRounding{c.invoicerounding, c.roundto});
  SetCurrencyText(c.currency);
}

std::string ReadIniText(const std::string& section, const std::string& key, const std::string& fallback) {
  return LoadIni(kIniName).Get(section, key, fallback);
}

std::vector<std::pair<std::string, std::string>> ReadIniSection(const std::string& section) {
  return LoadIni(kIniName).Section(section);
}

bool WriteIniText(const std::string& section, const std::string& key, const std::string& value) {
  if (!FileSystemsReady()) return false;
  return UpdateIniFile(IniPath(), [&](TIniFile& ini) { ini.Set(section, key, value); });
}

int ReadCustomInteger(const std::string& key, int fallback) {
  return ParseIniInteger(ReadIniText("custom", key, ""), fallback);
}

bool WriteCustomInteger(const std::string& key, int value) { return WriteIniText("custom", key, std::to_string(value)); }

bool IsCustomerEdition() { return Config().edition == 0; }

double SettingsNumber(const std::string& text) { return ParseNumber(text, 0); }

double RoundingStepFromText(const std::string& text) { return std::max(0.0001, SettingsNumber(text)); }

int SettingsInteger(const std::string& text) {
  double v = std::round(SettingsNumber(text));
  if (!(v > INT_MIN)) return INT_MIN;
  if (!(v < INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}
