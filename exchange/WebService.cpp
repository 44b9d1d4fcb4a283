#include "exchange/WebService.h"

#include "exchange/EmailLog.h"
#include "exchange/MailtoLink.h"
#include "exchange/MakerAddresses.h"
#include "shell/Config.h"
#include "shell/Desktop.h"
#include "shell/IniFile.h"
#include "storage/Codec.h"
#include "storage/DateText.h"
#include "storage/Errors.h"
#include "storage/NumberText.h"
#include "storage/Notifier.h"
#include "storage/UrlCoding.h"
#include "storage/Version.h"

namespace {

const char* const kNoServiceAddress = "Adresa webové služby není nastavena!";
const char* const kSendFailed = "Odeslání se nezdařilo";
const char* const kFormContent = "application/x-www-form-urlencoded";

// Shows nothing and cancels the editor: garvelctl and other runs without
// windows.
class TSilentUi : public IWebServiceUi {
 public:
  void ShowProgress(const std::string&) override {}
  void ProcessEvents() override {}
  void HideProgress() override {}
  bool EditEmail(std::string&, std::string&, std::string&) override { return false; }
};

bool Accepted(const std::string& answer) { return answer.compare(0, 2, "OK") == 0; }

std::string Logged(const std::string& caller, const std::string& address, const std::string& subject,
                   const std::string& body) {
  return caller + ": " + address + " " + subject + "\r\n" + body;
}

}  // namespace

std::string Base64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const uint32_t v = (static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                       static_cast<uint8_t>(bytes[i + 2]);
    for (int shift : {18, 12, 6, 0}) out.push_back(kAlphabet[(v >> shift) & 63]);
  }
  if (i + 1 == bytes.size()) {
    const uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
    out += {kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == bytes.size()) {
    const uint32_t v = (static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
    out += {kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], '='};
  }
  return out;
}

std::string EmailSignature() {
  return std::string(74, '-') + "\r\n" + CreatedByLine() + "\r\n" + CustomerEditionLine() + "\r\n";
}

std::string DownloadAddressOf(const std::string& answer) {
  const size_t lineEnd = answer.find_first_of("\r\n");
  if (lineEnd == std::string::npos) return "";
  size_t start = lineEnd + 1;
  if (answer[lineEnd] == '\r' && start < answer.size() && answer[start] == '\n') ++start;
  while (start < answer.size() && answer[start] == ' ') ++start;
  const size_t end = answer.find_first_of("\r\n", start);
  const std::string address = answer.substr(start, end == std::string::npos ? std::string::npos : end - start);
  size_t hostAt = 0;
  if (address.rfind("http://", 0) == 0) hostAt = 7;
  else if (address.rfind("https://", 0) == 0) hostAt = 8;
  else return "";
  if (address.size() <= hostAt || address[hostAt] == '/') return "";
  for (unsigned char c : address)
    if (c <= ' ' || c == 0x7F) return "";
  return address;
}

S_OnlineVersion ParseOnlineVersion(const std::string& iniText) {
  TIniFile ini;
  ini.Parse(iniText);
  S_OnlineVersion v;
  const std::string version = ini.Get("version", "version", "0.0");
  const size_t dot = version.find('.');
  if (dot != std::string::npos) {
    auto part = [](const std::string& text) {
      const long long n = ParseInteger(text, 0);
      return static_cast<uint16_t>(n >= 0 && n <= 65535 ? n : 0);
    };
    v.major = part(version.substr(0, dot));
    v.minor = part(version.substr(dot + 1));
  }
  v.date = TextDate(ini.Get("version", "date", "1.1.2000"));
  return v;
}

void TWebService::SetServiceUrl(const std::string& url) {
  baseUrl_ = url;
  if (!baseUrl_.empty() && baseUrl_.back() != '/') baseUrl_ += '/';
}

void TWebService::SetEmailMethod(int method) {
  GARVEL_ASSERT(method >= 0 && method <= 2, "Unknown e-mail method", "WebService");
  method_ = method;
}

void TWebService::SetCredentials(const std::string& login, const std::string& password) {
  // The service expects the Windows-1250 bytes the user typed.
  authorization_ = Base64(Utf8ToCp1250(login + ":" + password));
}

bool TWebService::Request(const std::string& activity, THttpRequest request, bool withCredentials,
                          std::string& answer, std::string& error) {
  answer.clear();
  if (busy_) {
    // A second request from a command clicked while the first one waits.
    error = "another request is waiting";
    return false;
  }
  if (withCredentials) request.headers.push_back("Authorization: Basic " + authorization_);
  TSilentUi silent;
  IWebServiceUi& ui = ui_ ? *ui_ : silent;
  TCurlTransport curl;
  IHttpTransport& transport = transport_ ? *transport_ : curl;
  busy_ = true;
  ui.ShowProgress(activity);
  THttpResponse response;
  try {
    response = transport.Perform(request, timeoutMs_, [&ui] { ui.ProcessEvents(); });
  } catch (...) {
    ui.HideProgress();
    busy_ = false;
    throw;
  }
  ui.HideProgress();
  busy_ = false;
  if (!response.completed) {
    error = response.error;
    return false;
  }
  if (response.status < 200 || response.status > 299) {
    error = "HTTP status " + std::to_string(response.status);
    return false;
  }
  answer = Cp1250ToUtf8(response.body);
  return true;
}

bool TWebService::PostToService(const char* caller, const std::string& activity, const std::string& url,
                                const std::string& body, std::string& answer, bool& transportFailed,
                                bool showBoxes) {
  transportFailed = true;
  if (baseUrl_.empty()) {
    AppendEmailLog(std::string(caller) + ": ERROR: web service addr not set");
    if (showBoxes) ShowError(kNoServiceAddress);
    return false;
  }
  THttpRequest request;
  request.url = baseUrl_ + url;
  request.post = true;
  request.body = body;
  if (!body.empty()) request.headers.push_back(std::string("Content-Type: ") + kFormContent);
  std::string error;
  if (!Request(activity, request, true, answer, error)) {
    AppendEmailLog(std::string(caller) + ": ERROR: GetNavigationResult failed (" + error + ")");
    return false;
  }
  transportFailed = false;
  if (!Accepted(answer)) {
    AppendEmailLog(std::string(caller) + ": ERROR: navigation result NOK");
    return false;
  }
  return true;
}

bool TWebService::SendThroughService(const std::string& address, const std::string& subject,
                                     const std::string& signedBody, bool& transportFailed, bool showBoxes) {
  std::string answer;
  return PostToService("SendEmail", "Odesílám e-mail...",
                       "send.php?to=" + URLEncode(MailAddressOf(address)) + "&subj=" + URLEncode(subject) + "&pass=1",
                       Utf8ToCp1250(signedBody), answer, transportFailed, showBoxes);
}

bool TWebService::SendMailUsingClient(const std::string& address, const std::string& subject,
                                      const std::string& body) {
  AppendEmailLog(Logged("SendMailUsingClient", address, subject, body));
  if (MailAddressOf(address).empty()) return false;
  const std::string link = MailtoLink(address, subject, body);
  AppendEmailLog(link);
  return GetDesktop().OpenUrl(link);
}

bool TWebService::SendEmail(const std::string& address, const std::string& subject, const std::string& body) {
  AppendEmailLog(Logged("SendEmail", address, subject, body));
  const std::string signedBody = body + "\r\n" + EmailSignature();
  if (method_ == 0) return SendMailUsingClient(address, subject, signedBody);
  bool transportFailed = false;
  return SendThroughService(address, subject, signedBody, transportFailed, true);
}

bool TWebService::SendEmailUnattended(const std::string& address, const std::string& subject,
                                      const std::string& body, bool& transportFailed) {
  transportFailed = true;
  if (method_ == 0) return false;  // nobody is there to send a draft
  AppendEmailLog(Logged("SendEmail", address, subject, body));
  return SendThroughService(address, subject, body + "\r\n" + EmailSignature(), transportFailed, false);
}

bool TWebService::ComposeEmail(const std::string& address, const std::string& subject, const std::string& body) {
  AppendEmailLog(Logged("ComposeEmail", address, subject, body));
  bool sent = false;
  if (method_ < 2) {
    sent = SendMailUsingClient(address, subject, body);
  } else {
    std::string a = address, s = subject, b = body;
    TSilentUi silent;
    if (!(ui_ ? *ui_ : silent).EditEmail(a, s, b)) return false;
    sent = SendEmail(a, s, b);
    // The mail program shows its own window; a message the service took
    // would otherwise leave without a word.
    if (sent) ShowMessage("Informace", "E-mail byl odeslán na adresu " + MailAddressOf(a) + ".", TMsgIcon::Information);
  }
  if (!sent) ShowError(kSendFailed);
  return sent;
}

std::string TWebService::UploadFile(const std::string& fileName, const std::string& content) {
  std::string answer;
  bool transportFailed = false;
  if (!PostToService("UploadFile", "Odesílám soubor...", "upload.php?suffix=" + URLEncode(fileName), content, answer,
                     transportFailed, true))
    return "";
  std::string address = DownloadAddressOf(answer);
  if (address.empty()) AppendEmailLog("UploadFile: ERROR: navigation result NOK");
  return address;
}

bool TWebService::QueryOnlineVersion(S_OnlineVersion& version) {
  THttpRequest request;
  const std::string page = versionUrl_.empty() ? VersionPageAddress() : versionUrl_;
  request.url = page + (page.find('?') == std::string::npos ? "?" : "&") + "currver=" + URLEncode(kGarvelVersion);
  // The maker's host, not the configured service: no credentials, so a
  // redirect may be followed.
  request.followRedirects = true;
  std::string answer, error;
  if (!Request("Zjišťuji aktuální verzi...", request, false, answer, error)) return false;
  version = ParseOnlineVersion(answer);
  return true;
}

TMailSender UnattendedMailSender(TWebService& web) {
  auto stopped = std::make_shared<bool>(false);
  return [&web, stopped](const std::string& to, const std::string& subject, const std::string& body) {
    if (*stopped) return false;
    bool transportFailed = false;
    const bool sent = web.SendEmailUnattended(to, subject, body, transportFailed);
    if (!sent && transportFailed) {
      *stopped = true;
      AppendEmailLog("SendEmail: ERROR: unattended sending stopped after a transport failure");
    }
    return sent;
  };
}

TWebService& WebService() {
  static TWebService service;
  return service;
}

void ConfigureWebService(const TConfig& config) {
  TWebService& s = WebService();
  s.SetServiceUrl(config.webserviceurl);
  // A damaged settings file must not stop the program: an unknown method
  // falls back to the mail program.
  const int method = config.webserviceemailmethod;
  s.SetEmailMethod(method >= 0 && method <= 2 ? method : 0);
  s.SetCredentials(config.webservicelogin, config.webservicepwd);
  s.SetVersionUrl(VersionPageAddress());
}
