#pragma once
// TConfig: every setting of the program, loaded at start from "garvconf.ini"
// (a virtual path), "install_type.ini" and the machine-wide registry value,
// and written back when the settings window is confirmed.

#include <array>
#include <string>
#include <utility>
#include <vector>

struct TConfig {
  // [addresses]
  std::string usersubj;
  std::string custmailtext;  // multi-line
  std::string ordersubj;
  std::string orderaddr;
  std::string ordertext;  // multi-line
  std::string mapsurl;
  std::string phonebookurl;
  std::string webserviceurl;
  std::string webservicelogin;
  std::string webservicepwd;
  int webserviceemailmethod = 0;  // 0 client, 1 client for editable, 2 web service

  // [background] pictures (real paths; relative ones are looked up like data
  // files) and colours (red + 256 green + 65536 blue)
  std::string bgmain, bgcontacts, bgrec, bgprint, bgsignature;
  int bgcolor = 0;
  int iconscolor = 0;

  // [records]
  bool usegraphmode = true;
  std::string addvehinfo;  // multi-line
  double taxrate = 0;
  bool taxpaid = true;
  bool invoicerounding = true;
  double hourrate = 0;
  std::string currency;
  double roundto = 1;
  std::string invoicename, proforminvoicename, simpleinvoicename;
  bool instantsave = false;

  // [updates]
  bool autoupdate = true;
  int updateperiod = 14;
  int lastupdate = 0;

  // [paths]
  std::string timer, calend;

  // [serviceinfo]
  std::string name, street, city, postalCode, phones, email, icq, skype, www, ico, dic;
  std::array<std::string, 4> bankName, accountNr, iban;
  std::string motto;
  bool autoopen = true;
  int odaysretro = 30, odaysadvance = 14;
  bool autosend = false;
  int sdaysretro = 30, sdaysadvance = 30;
  int kmcalcmonths = 24;
  bool unpaidautoopen = true;

  // [backup]
  bool autobackup = true;
  int backupinterval = 14;
  int lastbackup = 0;
  std::string dstFolder;

  // [autoform], [attachments], [custom], [frequentactions]
  bool simplerecords = false;
  std::string attachpath;
  int columnMask = 0x8FFFFF;
  std::vector<std::pair<std::string, std::string>> frequentactions;

  // Not stored in garvconf.ini.
  std::string userName;            // in new records' globalId
  std::string sendRecordsSubject;  // e-mail offering a vehicle's records
  std::string sendRecordsBody;
  std::string converterPath;
  std::string converterArgs;
  int filterIndex = 0;             // of the vehicle list, 0 at every start
  int edition = 1;                 // install_type.ini: 1 workshop, 0 customer
  bool autoSendDisallowed = false;  // machine-wide (registry)
  std::string calendarInstallFolder;  // registry: where the maker's programs are
  std::string timerInstallFolder;

  bool operator==(const TConfig&) const = default;
};

// The process-wide settings.
TConfig& Config();

// Every field to its default.
void LoadDefaults(TConfig& config);
// garvconf.ini, install_type.ini and the registry value over the defaults.
void LoadConfig(TConfig& config);
// Writes every key but lastupdate, lastbackup, dstFolder, attachpath,
// columnMask and frequentactions, and the registry value. False when the
// file cannot be written.
bool SaveConfig(const TConfig& config);
// Publishes what the data model and the texts read from the settings
// (rounding of amounts, the currency).
void ApplyConfig(const TConfig& config);

// Single keys for other windows; each call opens, uses and closes the file.
std::string ReadIniText(const std::string& section, const std::string& key, const std::string& fallback);
bool WriteIniText(const std::string& section, const std::string& key, const std::string& value);
int ReadCustomInteger(const std::string& key, int fallback);
// The key=value lines of a whole section, in file order.
std::vector<std::pair<std::string, std::string>> ReadIniSection(const std::string& section);
bool WriteCustomInteger(const std::string& key, int value);

bool IsCustomerEdition();

// Numbers typed in the settings window: "," or ".", an empty field 0.
double SettingsNumber(const std::string& text);
// The rounding step as the window stores it: never below 0.0001.
double RoundingStepFromText(const std::string& text);
// A whole number typed in the settings window: rounded, within int.
int SettingsInteger(const std::string& text);

// Numbers in the INI file: written with the decimal comma, read with "," or ".".
std::string IniNumber(double value);
double ParseIniNumber(const std::string& text, double fallback);
// Whole numbers and flags in the INI file: an empty value gives `fallback`;
// otherwise the sign and digits at the front ("14 dní" gives 14), 0 when
// there are none; a number too large for int gives `fallback`.
int ParseIniInteger(const std::string& text, int fallback);
