#include "tests/support/StandInWebService.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "storage/Codec.h"
#include "storage/UrlCoding.h"

namespace {

constexpr size_t kMaxHeader = 64 * 1024;
constexpr size_t kMaxBody = 80u << 20;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string DecodeBase64(const std::string& text) {
  std::string out;
  uint32_t buffer = 0;
  int bits = 0;
  for (char c : text) {
    const char* p = std::strchr("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", c);
    if (!p || !c) break;
    buffer = (buffer << 6) | static_cast<uint32_t>(p - "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((buffer >> bits) & 0xFF));
    }
  }
  return out;
}

// The value of `key` in an undecoded query, URL-decoded.
std::string QueryValue(const std::string& query, const std::string& key) {
  size_t at = 0;
  while (at <= query.size()) {
    size_t end = query.find('&', at);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(at, end - at);
    if (pair.compare(0, key.size() + 1, key + "=") == 0) return URLDecode(pair.substr(key.size() + 1));
    at = end + 1;
  }
  return "";
}

bool SendAll(int socket, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

std::string Answer(int status, const std::string& body) {
  const char* reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Internal Server Error";
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/plain\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

TStandInWebService::TStandInWebService() = default;

TStandInWebService::~TStandInWebService() { Stop(); }

bool TStandInWebService::Start(uint16_t port) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (listener_ < 0) return false;
  int on = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  socklen_t length = sizeof address;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = ntohs(address.sin_port);
  stopping_ = false;
  thread_ = std::thread([this] { Serve(); });
  return true;
}

void TStandInWebService::Stop() {
  if (listener_ < 0) return;
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  std::vector<TWorker> workers;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    workers.swap(workers_);
  }
  for (TWorker& w : workers) w.thread.join();
  ::close(listener_);
  listener_ = -1;
}

std::string TStandInWebService::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

void TStandInWebService::Script(std::vector<TFailure> failures) {
  std::lock_guard<std::mutex> lock(mutex_);
  failures_.insert(failures_.end(), failures.begin(), failures.end());
}

void TStandInWebService::SetVersion(const std::string& version, const std::string& date) {
  std::lock_guard<std::mutex> lock(mutex_);
  version_ = version;
  date_ = date;
}

std::vector<TStandInWebService::TRecorded> TStandInWebService::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<TStandInWebService::TMail> TStandInWebService::Mails() {
  std::lock_guard<std::mutex> lock(mutex_);
  return mails_;
}

std::vector<std::pair<std::string, std::string>> TStandInWebService::Uploads() {
  std::lock_guard<std::mutex> lock(mutex_);
  return uploads_;
}

TStandInWebService::TFailure TStandInWebService::NextFailure() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (failures_.empty()) return TFailure::None;
  TFailure f = failures_.front();
  failures_.erase(failures_.begin());
  return f;
}

void TStandInWebService::Serve() {
  while (!stopping_) {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    int socket = ::accept(listener_, nullptr, nullptr);
    if (socket < 0) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < workers_.size();) {
      if (*workers_[i].done) {
        workers_[i].thread.join();
        workers_[i] = std::move(workers_.back());
        workers_.pop_back();
      } else {
        ++i;
      }
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({std::thread([this, socket, done] {
                          Handle(socket);
                          ::close(socket);
                          *done = true;
                        }),
                        done});
  }
}

void TStandInWebService::Handle(int socket) {
  // Reads the head, then the body its Content-Length announces.
  std::string data;
  char buffer[65536];
  size_t headEnd = std::string::npos;
  auto readMore = [&]() {
    pollfd p{socket, POLLIN, 0};
    while (!stopping_) {
      if (::poll(&p, 1, 100) > 0) {
        ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        data.append(buffer, static_cast<size_t>(n));
        return true;
      }
    }
    return false;
  };
  while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
    if (data.size() > kMaxHeader || !readMore()) return;
  }
  TRecorded r;
  const std::string head = data.substr(0, headEnd);
  const size_t firstLine = head.find("\r\n");
  const std::string requestLine = head.substr(0, firstLine);
  const size_t sp1 = requestLine.find(' ');
  const size_t sp2 = requestLine.find(' ', sp1 + 1);
  if (sp1 == std::string::npos || sp2 == std::string::npos) return;
  r.method = requestLine.substr(0, sp1);
  std::string target = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
  const size_t q = target.find('?');
  r.path = target.substr(0, q);
  if (q != std::string::npos) r.query = target.substr(q + 1);
  size_t contentLength = 0;
  for (size_t at = firstLine; at != std::string::npos && at < head.size();) {
    size_t end = head.find("\r\n", at + 2);
    const std::string line = head.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
    at = end;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string name = Lower(line.substr(0, colon));
    std::string value = line.substr(colon + 1);
    while (!value.empty() && value[0] == ' ') value.erase(0, 1);
    if (name == "content-length") contentLength = std::strtoul(value.c_str(), nullptr, 10);
    if (name == "content-type") r.contentType = value;
    if (name == "authorization") {
      r.authorization = true;
      if (value.rfind("Basic ", 0) == 0) {
        const std::string pair = DecodeBase64(value.substr(6));
        r.login = pair.substr(0, pair.find(':'));
      }
    }
  }
  if (contentLength > kMaxBody) return;
  while (data.size() < headEnd + 4 + contentLength)
    if (!readMore()) return;
  r.body = data.substr(headEnd + 4, contentLength);

  const TFailure failure = NextFailure();
  std::string answer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(r);
    if (failure == TFailure::None || failure == TFailure::LfOnly || failure == TFailure::NoAddress ||
        failure == TFailure::BadAddress) {
      if (r.path == "/send.php" && r.method == "POST") {
        mails_.push_back({QueryValue(r.query, "to"), QueryValue(r.query, "subj"), Cp1250ToUtf8(r.body)});
        answer = Answer(200, "OK");
      } else if (r.path == "/upload.php" && r.method == "POST") {
        const std::string name = QueryValue(r.query, "suffix");
        uploads_.emplace_back(name, r.body);
        const std::string address = BaseUrl() + "files/" + std::to_string(uploads_.size()) + "/" + URLEncode(name);
        if (failure == TFailure::LfOnly) answer = Answer(200, "OK\n" + address + "\n");
        else if (failure == TFailure::NoAddress) answer = Answer(200, "OK\r\n");
        else if (failure == TFailure::BadAddress) answer = Answer(200, "OK\r\njavascript:alert(1)\r\n");
        else answer = Answer(200, "OK\r\n" + address + "\r\n");
      } else if (r.path.rfind("/files/", 0) == 0 && r.method == "GET") {
        const size_t n = std::strtoul(r.path.c_str() + 7, nullptr, 10);
        answer = n >= 1 && n <= uploads_.size() ? Answer(200, uploads_[n - 1].second) : Answer(404, "");
      } else if (r.path == "/garv_version.php" && r.method == "GET") {
        answer = Answer(200, "[version]\r\nversion=" + version_ + "\r\ndate=" + date_ + "\r\n");
      } else {
        answer = Answer(404, "Not found");
      }
    } else if (failure == TFailure::ErrorAnswer) {
      answer = Answer(200, "ERROR");
    } else if (failure == TFailure::Status500Ok) {
      answer = Answer(500, "OK\r\n" + BaseUrl() + "files/0/x\r\n");
    }
  }
  if (failure == TFailure::Silent) {
    // Holds the connection until the client gives up or the service stops.
    while (readMore()) {
    }
    return;
  }
  if (failure == TFailure::Dropped) return;
  SendAll(socket, answer);
}
