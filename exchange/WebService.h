#pragma once
// The web service of the program's maker and the e-mail of the program.
//
// Messages go out either through the desktop's mail program (a mailto
// link) or through the service's "send.php"; the e-mail method decides
// which, and whether the user edits a message first:
//   0 "Vždy použít klienta"             every message by the mail program
//   1 "Použít klienta pro editovatelné" editable ones by the mail program,
//                                       the rest by the service
//   2 "Vždy použít webservice"          everything by the service, editable
//                                       ones after the editor window
// Exchange files are uploaded with "upload.php", which answers with their
// download address; "garv_version.php" on the maker's host tells the
// current version.
//
// Every request carries "Authorization: Basic" with the configured login
// and password, except the version query, which goes to the maker's host
// and not to the configured service. An answer counts only with HTTP 2xx
// and a body beginning "OK". The wait shows a progress window and keeps the
// user interface alive; it gives up after 10 s.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "exchange/HttpTransport.h"
#include "storage/DateTime.h"

struct TConfig;

struct S_OnlineVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  TDateTime date = 0;
};

// What the user sees while a request waits: the progress window
// ("Odesílám e-mail...", "Odesílám soubor...", "Zjišťuji aktuální verzi...").
class IWebServiceUi {
 public:
  virtual ~IWebServiceUi() = default;
  virtual void ShowProgress(const std::string& activity) = 0;
  // Lets the user interface handle what is waiting.
  virtual void ProcessEvents() = 0;
  virtual void HideProgress() = 0;
  // The editor window with address, subject and body; false for Cancel.
  virtual bool EditEmail(std::string& address, std::string& subject, std::string& body) = 0;
};

class TWebService {
 public:
  static constexpr int kTimeoutMs = 10000;

  // A base address gets a trailing "/"; an empty one stays empty.
  void SetServiceUrl(const std::string& url);
  // 0..2; a larger value is a programming error ("Unknown e-mail method").
  void SetEmailMethod(int method);
  // The authorization value: Base64 of login + ":" + password.
  void SetCredentials(const std::string& login, const std::string& password);
  void SetVersionUrl(const std::string& url) { versionUrl_ = url; }

  // Not owned; null restores libcurl and a user interface that shows
  // nothing and cancels the editor.
  void SetTransport(IHttpTransport* transport) { transport_ = transport; }
  void SetUi(IWebServiceUi* ui) { ui_ = ui; }
  void SetTimeoutMs(int ms) { timeoutMs_ = ms; }

  const std::string& ServiceUrl() const { return baseUrl_; }
  const std::string& Authorization() const { return authorization_; }
  int EmailMethod() const { return method_; }
  bool Busy() const { return busy_; }

  // A message the user may edit (a contact's e-mail link and the like).
  // Methods 0 and 1 prepare it in the mail program, method 2 opens the
  // editor and sends it; a failure shows "Odeslání se nezdařilo".
  bool ComposeEmail(const std::string& address, const std::string& subject, const std::string& body);
  // A message sent as it is (reminders, part orders, sent records), with
  // the signature appended. Method 0 prepares it in the mail program.
  bool SendEmail(const std::string& address, const std::string& subject, const std::string& body);
  // Only through the service, whatever the method, for sending that nobody
  // watches (reminders at start): never a draft, never a message box.
  // `transportFailed` tells a missing address, a timeout or a refused
  // connection apart from an answer that was not "OK".
  bool SendEmailUnattended(const std::string& address, const std::string& subject, const std::string& body,
                           bool& transportFailed);
  // Opens the mailto link through the desktop; false for an empty address
  // or when no program took it.
  bool SendMailUsingClient(const std::string& address, const std::string& subject, const std::string& body);
  // The download address of the uploaded file, or empty.
  std::string UploadFile(const std::string& fileName, const std::string& content);
  // The maker's current version; false without an answer.
  bool QueryOnlineVersion(S_OnlineVersion& version);

 private:
  bool Request(const std::string& activity, THttpRequest request, bool withCredentials, std::string& answer,
               std::string& error);
  bool PostToService(const char* caller, const std::string& activity, const std::string& url,
                     const std::string& body, std::string& answer, bool& transportFailed, bool showBoxes);
  bool SendThroughService(const std::string& address, const std::string& subject, const std::string& signedBody,
                          bool& transportFailed, bool showBoxes);

  std::string baseUrl_;
  std::string authorization_ = "Og==";  // Base64 of ":"
  int method_ = 0;
  std::string versionUrl_;
  int timeoutMs_ = kTimeoutMs;
  bool busy_ = false;
  IHttpTransport* transport_ = nullptr;
  IWebServiceUi* ui_ = nullptr;
};

// A sender for mail that nobody watches (reminders at start): through the
// service only, and after the first failure of the transport (no service
// address, no answer in time, no connection, or e-mail method 0) it sends
// nothing more, so that an unreachable service costs one wait, not one per
// message. Copies share that state.
using TMailSender = std::function<bool(const std::string& to, const std::string& subject, const std::string& body)>;
TMailSender UnattendedMailSender(TWebService& web);

// The process-wide client.
TWebService& WebService();
// Address, login, password and e-mail method from the settings; at start
// and after the settings window.
void ConfigureWebService(const TConfig& config);

// The signature appended by SendEmail: a line of 74 "-", the maker's line
// and the customer-edition line, each ended by CR LF.
std::string EmailSignature();

// Standard Base64 (RFC 4648, "=" padding, no line breaks).
std::string Base64(const std::string& bytes);

// The download address in an upload answer: after "OK" and its line end
// (CR LF or LF) and any blanks, up to the next line end. Empty unless it is
// one absolute http or https address without blanks or control characters.
std::string DownloadAddressOf(const std::string& answer);

// The version and date in the INI text of the version page.
S_OnlineVersion ParseOnlineVersion(const std::string& iniText);
