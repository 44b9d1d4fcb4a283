#pragma once
// A stand-in for the maker's web service on the loopback interface, for
// tests and demonstrations. It answers
//   POST send.php?to=..&subj=..&pass=1   "OK", the message recorded;
//   POST upload.php?suffix=NAME          "OK" CR LF download address CR LF;
//   GET  files/<n>/<NAME>                the uploaded bytes;
//   GET  garv_version.php?currver=..     an INI text with the version;
// records every request (the login, never the password), and fails on
// request as scripted.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TStandInWebService {
 public:
  enum class TFailure {
    None,
    ErrorAnswer,     // HTTP 200 with "ERROR"
    Status500Ok,     // HTTP 500 whose body says "OK"
    LfOnly,          // upload answer with LF line ends
    NoAddress,       // upload answer "OK" without an address
    BadAddress,      // upload answer whose address is not http(s)
    Silent,          // no answer until the connection is dropped by the client
    Dropped,         // the connection closed without an answer
  };

  struct TRecorded {
    std::string method;
    std::string path;   // without the query
    std::string query;  // undecoded
    std::string contentType;
    bool authorization = false;
    std::string login;  // from the Basic authorization; the password is not kept
    std::string body;
  };

  struct TMail {
    std::string to, subject, body;  // decoded; the body as sent (Windows-1250 bytes)
  };

  TStandInWebService();
  ~TStandInWebService();

  // Listens on 127.0.0.1 at a free port (or the one given); false on failure.
  bool Start(uint16_t port = 0);
  void Stop();
  uint16_t Port() const { return port_; }
  // "http://127.0.0.1:<port>/"
  std::string BaseUrl() const;

  // Failures for the next requests, one each, in order.
  void Script(std::vector<TFailure> failures);
  void SetVersion(const std::string& version, const std::string& date);

  std::vector<TRecorded> Requests();
  std::vector<TMail> Mails();
  // Name and bytes of every upload.
  std::vector<std::pair<std::string, std::string>> Uploads();

 private:
  void Serve();
  void Handle(int socket);
  TFailure NextFailure();

  int listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  std::mutex mutex_;
  // One thread a connection; finished ones are joined as new ones come, so
  // that a stand-in left running for a long demonstration does not pile
  // them up.
  struct TWorker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<TWorker> workers_;
  std::vector<TFailure> failures_;
  std::vector<TRecorded> requests_;
  std::vector<TMail> mails_;
  std::vector<std::pair<std::string, std::string>> uploads_;
  std::string version_ = "3.70";
  std::string date_ = "1.2.2027";
};
