#include <gtest/gtest.h>

#include <chrono>

#include "exchange/MailtoLink.h"
#include "exchange/WebService.h"
#include "storage/Codec.h"
#include "storage/DateTime.h"
#include "storage/Errors.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/StandInWebService.h"
#include "tests/support/TestFileSystems.h"

namespace {

using TFailure = TStandInWebService::TFailure;

// The progress window and the editor, recorded.
class TRecordingUi : public IWebServiceUi {
 public:
  void ShowProgress(const std::string& activity) override { shown.push_back(activity); }
  void ProcessEvents() override { ++pumped; }
  void HideProgress() override { ++hidden; }
  bool EditEmail(std::string& address, std::string& subject, std::string& body) override {
    edited.push_back(address + "|" + subject + "|" + body);
    if (!accept) return false;
    body += " (upraveno)";
    return true;
  }
  std::vector<std::string> shown, edited;
  int pumped = 0, hidden = 0;
  bool accept = true;
};

class WebServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.Start());
    web.SetUi(&ui);
    web.SetServiceUrl(service.BaseUrl());
    web.SetCredentials("dilna", "tajné heslo");
    web.SetVersionUrl(service.BaseUrl() + "garv_version.php");
    web.SetEmailMethod(1);
  }
  std::string Log() { return Cp1250ToUtf8(ReadFileBytes(files.dir / "emailLog.txt")); }

  TTestFileSystems files;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TStandInWebService service;
  TRecordingUi ui;
  TWebService web;
};

}  // namespace

TEST(WebServiceSettings, AddressCredentialsAndMethod) {
  TWebService web;
  web.SetServiceUrl("https://example.cz/ws");
  EXPECT_EQ(web.ServiceUrl(), "https://example.cz/ws/");
  web.SetServiceUrl("https://example.cz/ws/");
  EXPECT_EQ(web.ServiceUrl(), "https://example.cz/ws/");
  web.SetServiceUrl("");
  EXPECT_EQ(web.ServiceUrl(), "");
  web.SetCredentials("", "");
  EXPECT_EQ(web.Authorization(), "Og==");  // a lone colon: the header is always sent
  web.SetCredentials("Aladdin", "open sesame");
  EXPECT_EQ(web.Authorization(), "QWxhZGRpbjpvcGVuIHNlc2FtZQ==");
  for (auto [in, out] : {std::pair{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}})
    EXPECT_EQ(Base64(in), out);
  EXPECT_THROW(web.SetEmailMethod(3), EAssertionFailed);
  web.SetEmailMethod(2);
  EXPECT_EQ(web.EmailMethod(), 2);
}

TEST(WebServiceAnswers, DownloadAddressAndVersion) {
  struct Case {
    const char* answer;
    const char* address;
  } cases[] = {
      {"OK\r\nhttp://ws.example/f/1.cgarv\r\n", "http://ws.example/f/1.cgarv"},
      {"OK\r\n  https://ws.example/f/1\r\nmore", "https://ws.example/f/1"},
      {"OK\nhttp://ws.example/f/1\n", "http://ws.example/f/1"},
      {"OK\r\nhttp://ws.example/f/1", "http://ws.example/f/1"},
      {"OK\r\n", ""},
      {"OK", ""},
      {"OK\r\nftp://ws.example/f/1\r\n", ""},
      {"OK\r\njavascript:alert(1)\r\n", ""},
      {"OK\r\nhttp://ws.example/a b\r\n", ""},
      {"OK\r\nhttp:///f\r\n", ""},
      {"OK\r\nhttp://ws.example/\x01x\r\n", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DownloadAddressOf(c.answer), c.address) << c.answer;

  S_OnlineVersion v = ParseOnlineVersion("[version]\r\nversion=3.70\r\ndate=1.2.2027\r\n");
  EXPECT_EQ(v.major, 3);
  EXPECT_EQ(v.minor, 70);
  EXPECT_EQ(v.date, EncodeDate(2027, 2, 1));
  v = ParseOnlineVersion("[version]\r\nversion=4\r\n");
  EXPECT_EQ(v.major, 0);
  EXPECT_EQ(v.minor, 0);
  EXPECT_EQ(v.date, EncodeDate(2000, 1, 1));
}

TEST(MailtoLink, EncodesAddressSubjectAndBodyAsUtf8) {
  EXPECT_EQ(MailtoLink("jan@example.cz", "Servis vozu", "Dobrý den,\r\nřádek\ndva"),
            "mailto:jan@example.cz?subject=Servis%20vozu&body=Dobr%C3%BD%20den%2C%0D%0A%C5%99%C3%A1dek%0D%0Adva");
  // "?" and "&" in the address can add neither headers nor recipients.
  EXPECT_EQ(MailtoLink("a@b.cz?cc=x@y.cz&bcc=z", "s", ""), "mailto:a@b.cz%3Fcc%3Dx@y.cz%26bcc%3Dz?subject=s&body=");
  EXPECT_EQ(MailtoLink("Novák, Jan <jan@example.cz>", "Objednávka & díly", "+"),
            "mailto:jan@example.cz?subject=Objedn%C3%A1vka%20%26%20d%C3%ADly&body=%2B");
}

TEST_F(WebServiceTest, SendEmailThroughTheService) {
  ASSERT_TRUE(web.SendEmail("Novák, Jan <jan@example.cz>", "Servis vozu", "Dobrý den,\r\nvůz je hotový."));
  auto mails = service.Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].to, "jan@example.cz");
  EXPECT_EQ(mails[0].subject, "Servis vozu");
  EXPECT_EQ(mails[0].body, "Dobrý den,\r\nvůz je hotový.\r\n" + EmailSignature());
  EXPECT_EQ(EmailSignature(), std::string(74, '-') +
                                  "\r\nVytvořeno programem \"Garvel\" - https://garvel.example ... softwarové vybavení "
                                  "autoservisů\r\nStáhněte si zákaznickou verzi programu z adresy "
                                  "https://garvel.example/zakaznicka-verze/\r\n");
  auto requests = service.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].path, "/send.php");
  EXPECT_EQ(requests[0].query, "to=jan@example.cz&subj=Servis+vozu&pass=1");
  EXPECT_EQ(requests[0].contentType, "application/x-www-form-urlencoded");
  EXPECT_TRUE(requests[0].authorization);
  EXPECT_EQ(requests[0].login, "dilna");
  EXPECT_EQ(ui.shown, std::vector<std::string>{"Odesílám e-mail..."});
  EXPECT_EQ(ui.hidden, 1);

  const std::string log = Log();
  EXPECT_EQ(log.rfind(std::string(53, '=') + "\r\nDate: ", 0), 0u) << log;
  EXPECT_NE(log.find("\r\nSendEmail: Novák, Jan <jan@example.cz> Servis vozu\r\nDobrý den,\r\nvůz je hotový.\r\n\r\n"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("tajné"), std::string::npos);
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(WebServiceTest, FailuresOfTheServiceAreFalseAndLogged) {
  struct Case {
    TFailure failure;
    const char* logged;
  } cases[] = {
      {TFailure::ErrorAnswer, "SendEmail: ERROR: navigation result NOK"},
      {TFailure::Status500Ok, "SendEmail: ERROR: GetNavigationResult failed (HTTP status 500)"},
      {TFailure::Dropped, "SendEmail: ERROR: GetNavigationResult failed"},
      {TFailure::Silent, "SendEmail: ERROR: GetNavigationResult failed (no answer within 700 ms)"},
  };
  web.SetTimeoutMs(700);
  for (const Case& c : cases) {
    service.Script({c.failure});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(web.SendEmail("jan@example.cz", "s", "b")) << c.logged;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << c.logged;
    EXPECT_NE(Log().find(c.logged), std::string::npos) << c.logged;
  }
  EXPECT_GT(ui.pumped, 0);  // the window kept handling events while it waited
  EXPECT_TRUE(notifier.shown.empty());  // SendEmail only answers false

  // A request while one waits is refused, not nested.
  bool nested = true;
  ui.pumped = 0;
  class TNestingUi : public TRecordingUi {
   public:
    TWebService* web = nullptr;
    bool* nested = nullptr;
    void ProcessEvents() override {
      if (web && nested && *nested) *nested = web->SendEmail("x@example.cz", "s", "b");
    }
  } nesting;
  nesting.web = &web;
  nesting.nested = &nested;
  web.SetUi(&nesting);
  service.Script({TFailure::Silent});
  web.SendEmail("jan@example.cz", "s", "b");
  EXPECT_FALSE(nested);
}

TEST_F(WebServiceTest, UploadAnswers) {
  const std::string xml = "<?xml version=\"1.0\"?>\n<Root/>\n";
  std::string address = web.UploadFile("SKODA_OCTAVIA_COMBI_19_TDI.cgarv", xml);
  EXPECT_EQ(address, service.BaseUrl() + "files/1/SKODA_OCTAVIA_COMBI_19_TDI.cgarv");
  ASSERT_EQ(service.Uploads().size(), 1u);
  EXPECT_EQ(service.Uploads()[0].first, "SKODA_OCTAVIA_COMBI_19_TDI.cgarv");
  EXPECT_EQ(service.Uploads()[0].second, xml);
  EXPECT_EQ(ui.shown.back(), "Odesílám soubor...");

  service.Script({TFailure::LfOnly});
  EXPECT_EQ(web.UploadFile("a.cgarv", xml), service.BaseUrl() + "files/2/a.cgarv");
  for (TFailure f : {TFailure::NoAddress, TFailure::BadAddress, TFailure::Status500Ok, TFailure::ErrorAnswer}) {
    service.Script({f});
    EXPECT_EQ(web.UploadFile("a.cgarv", xml), "");
  }
  EXPECT_NE(Log().find("UploadFile: ERROR: navigation result NOK"), std::string::npos);
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(WebServiceTest, WithoutAnAddressNothingIsSent) {
  web.SetServiceUrl("");
  EXPECT_FALSE(web.SendEmail("jan@example.cz", "s", "b"));
  EXPECT_EQ(web.UploadFile("a.cgarv", "x"), "");
  EXPECT_EQ(notifier.Texts(),
            (std::vector<std::string>{"Adresa webové služby není nastavena!", "Adresa webové služby není nastavena!"}));
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_TRUE(service.Requests().empty());
  EXPECT_NE(Log().find("SendEmail: ERROR: web service addr not set"), std::string::npos);
  EXPECT_NE(Log().find("UploadFile: ERROR: web service addr not set"), std::string::npos);
}

TEST_F(WebServiceTest, VersionQueryGoesWithoutCredentials) {
  service.SetVersion("3.70", "1.2.2027");
  S_OnlineVersion v;
  ASSERT_TRUE(web.QueryOnlineVersion(v));
  EXPECT_EQ(v.major, 3);
  EXPECT_EQ(v.minor, 70);
  EXPECT_EQ(v.date, EncodeDate(2027, 2, 1));
  auto requests = service.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].query, "currver=3.63+Beta");
  EXPECT_FALSE(requests[0].authorization);
  EXPECT_EQ(ui.shown.back(), "Zjišťuji aktuální verzi...");

  service.Script({TFailure::Dropped});
  EXPECT_FALSE(web.QueryOnlineVersion(v));
}

TEST_F(WebServiceTest, EachMethodChoosesClientServiceOrEditor) {
  // Method 0: everything through the mail program.
  web.SetEmailMethod(0);
  EXPECT_TRUE(web.SendEmail("jan@example.cz", "Servis vozu", "Dobrý den"));
  ASSERT_EQ(desktop.urls.size(), 1u);
  EXPECT_EQ(desktop.urls[0].rfind("mailto:jan@example.cz?subject=Servis%20vozu&body=Dobr%C3%BD%20den%0D%0A-----", 0),
            0u)
      << desktop.urls[0];
  EXPECT_NE(Log().find("SendMailUsingClient: jan@example.cz Servis vozu"), std::string::npos);
  EXPECT_NE(Log().find("\r\nmailto:jan@example.cz?subject="), std::string::npos);
  bool transportFailed = false;
  EXPECT_FALSE(web.SendEmailUnattended("jan@example.cz", "s", "b", transportFailed));  // never a draft
  EXPECT_TRUE(transportFailed);
  EXPECT_EQ(desktop.urls.size(), 1u);
  EXPECT_FALSE(web.SendMailUsingClient("", "s", "b"));
  desktop.accept = false;
  EXPECT_FALSE(web.ComposeEmail("jan@example.cz", "s", "b"));
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Odeslání se nezdařilo"});
  desktop.accept = true;

  // Method 1: editable messages through the mail program, the rest by the service.
  web.SetEmailMethod(1);
  desktop.urls.clear();
  EXPECT_TRUE(web.ComposeEmail("jan@example.cz", "Dotaz", ""));
  EXPECT_EQ(desktop.urls, std::vector<std::string>{"mailto:jan@example.cz?subject=Dotaz&body="});
  EXPECT_TRUE(web.SendEmail("jan@example.cz", "Servis", "b"));
  EXPECT_EQ(service.Mails().size(), 1u);
  EXPECT_TRUE(web.SendEmailUnattended("jan@example.cz", "Servis", "b", transportFailed));
  EXPECT_FALSE(transportFailed);

  // Method 2: the editor first, then the service; Cancel sends nothing.
  web.SetEmailMethod(2);
  notifier.shown.clear();
  EXPECT_TRUE(web.ComposeEmail("jan@example.cz", "Dotaz", "text"));
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"E-mail byl odeslán na adresu jan@example.cz."});
  EXPECT_EQ(ui.edited, std::vector<std::string>{"jan@example.cz|Dotaz|text"});
  ASSERT_EQ(service.Mails().size(), 3u);
  EXPECT_EQ(service.Mails()[2].body.rfind("text (upraveno)\r\n---", 0), 0u);
  ui.accept = false;
  notifier.shown.clear();
  EXPECT_FALSE(web.ComposeEmail("jan@example.cz", "Dotaz", "text"));
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(service.Mails().size(), 3u);
  EXPECT_EQ(desktop.urls.size(), 1u);
}

TEST_F(WebServiceTest, UnattendedSendingStopsAtTheFirstTransportFailure) {
  web.SetTimeoutMs(500);
  TMailSender send = UnattendedMailSender(web);
  service.Script({TFailure::ErrorAnswer, TFailure::Silent});
  EXPECT_FALSE(send("a@example.cz", "s", "b"));  // refused by the service: the next one is tried
  EXPECT_FALSE(send("b@example.cz", "s", "b"));  // no answer: nothing more is tried
  const auto start = std::chrono::steady_clock::now();
  TMailSender copy = send;
  EXPECT_FALSE(copy("c@example.cz", "s", "b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  EXPECT_EQ(service.Requests().size(), 2u);
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_TRUE(desktop.urls.empty());

  web.SetEmailMethod(0);  // never a draft at an unattended start
  TMailSender client = UnattendedMailSender(web);
  EXPECT_FALSE(client("a@example.cz", "s", "b"));
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_EQ(service.Requests().size(), 2u);
}
