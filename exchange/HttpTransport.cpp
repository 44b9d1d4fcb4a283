#include "exchange/HttpTransport.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TSink {
  std::string body;
  bool tooLarge = false;
};

size_t Collect(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<TSink*>(user);
  const size_t n = size * count;
  if (sink->body.size() + n > kMaxAnswerBytes) {
    sink->tooLarge = true;
    return 0;  // ends the transfer
  }
  sink->body.append(data, n);
  return n;
}

struct TEasyFree {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TMultiFree {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct TListFree {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// Loopback addresses never go through a proxy named in the environment.
std::string NoProxyList() {
  const char* env = std::getenv("no_proxy");
  if (!env) env = std::getenv("NO_PROXY");
  std::string list = env ? env : "";
  if (!list.empty()) list += ",";
  return list + "localhost,127.0.0.1,::1";
}

}  // namespace

THttpResponse TCurlTransport::Perform(const THttpRequest& request, int timeoutMs, const std::function<void()>& pump) {
  GlobalInit();
  THttpResponse response;
  std::unique_ptr<CURL, TEasyFree> easy(curl_easy_init());
  std::unique_ptr<CURLM, TMultiFree> multi(curl_multi_init());
  if (!easy || !multi) {
    response.error = "libcurl could not be initialised";
    return response;
  }
  CURL* e = easy.get();
  TSink sink;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  std::unique_ptr<curl_slist, TListFree> headers;
  for (const std::string& h : request.headers) headers.reset(curl_slist_append(headers.release(), h.c_str()));
  // Nothing cached on the way: every answer is fresh.
  headers.reset(curl_slist_append(headers.release(), "Cache-Control: no-cache"));
  headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
  const std::string noProxy = NoProxyList();

  curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_NOPROXY, noProxy.c_str());
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorBuffer);
  if (request.post) {
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, request.body.data());
  } else {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  }

  curl_multi_add_handle(multi.get(), e);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int running = 1;
  CURLcode result = CURLE_OPERATION_TIMEDOUT;
  bool finished = false;
  while (!finished) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    int queued = 0;
    while (CURLMsg* m = curl_multi_info_read(multi.get(), &queued)) {
      if (m->msg == CURLMSG_DONE) {
        result = m->data.result;
        finished = true;
      }
    }
    if (finished || std::chrono::steady_clock::now() >= deadline) break;
    if (pump) pump();
    curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
  }
  curl_multi_remove_handle(multi.get(), e);

  if (!finished || result == CURLE_OPERATION_TIMEDOUT) {
    response.error = "no answer within " + std::to_string(timeoutMs) + " ms";
    return response;
  }
  if (sink.tooLarge) {
    response.error = "answer longer than " + std::to_string(kMaxAnswerBytes) + " bytes";
    return response;
  }
  if (result != CURLE_OK) {
    response.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(result);
    return response;
  }
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &response.status);
  response.body = std::move(sink.body);
  response.completed = true;
  return response;
}
