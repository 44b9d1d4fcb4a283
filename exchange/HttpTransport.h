#pragma once
// The HTTP client of the web service, behind an interface so that the rules
// of the service are tested apart from the network.
//
// The libcurl transport never follows a redirect unless asked (requests with
// credentials are not), speaks only http and https, verifies TLS, caps an
// answer at kMaxAnswerBytes and keeps the user interface alive while it
// waits.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

inline constexpr size_t kMaxAnswerBytes = 1u << 20;

struct THttpRequest {
  std::string url;
  bool post = false;                 // POST with `body`, else GET
  std::string body;                  // bytes
  std::vector<std::string> headers;  // "Name: value"
  bool followRedirects = false;
};

struct THttpResponse {
  bool completed = false;  // an answer arrived, whole and in time
  long status = 0;         // HTTP status
  std::string body;        // bytes
  std::string error;       // what went wrong, for the logs
};

class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;
  // Sends the request and waits for its answer at most `timeoutMs`,
  // calling `pump` at least every 100 ms meanwhile.
  virtual THttpResponse Perform(const THttpRequest& request, int timeoutMs, const std::function<void()>& pump) = 0;
};

class TCurlTransport : public IHttpTransport {
 public:
  THttpResponse Perform(const THttpRequest& request, int timeoutMs, const std::function<void()>& pump) override;
};
