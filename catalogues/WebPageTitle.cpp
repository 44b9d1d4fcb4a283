#include "catalogues/WebPageTitle.h"

#include <curl/curl.h>

#include "catalogues/AttachmentNames.h"
#include "storage/Codec.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"

namespace {

constexpr size_t kMaxBytes = 10240;
constexpr long kTimeLimitMs = 3000;

struct TPage {
  std::string bytes;
  std::string title;
};

size_t Receive(char* data, size_t size, size_t count, void* state) {
  auto* page = static_cast<TPage*>(state);
  const size_t n = size * count;
  page->bytes.append(data, std::min(n, kMaxBytes - page->bytes.size()));
  page->title = TitleInPage(page->bytes);
  // Stop as soon as the title is there or the buffer is full.
  if (!page->title.empty() || page->bytes.size() >= kMaxBytes) return 0;
  return n;
}

}  // namespace

std::string TitleInPage(const std::string& bytes) {
  const std::string upper = UpperAscii(bytes);
  const size_t open = upper.find("<TITLE>");
  if (open == std::string::npos) return "";
  const size_t close = upper.find("</TITLE>", open + 7);
  if (close == std::string::npos) return "";
  std::string raw = bytes.substr(open + 7, close - open - 7);
  if (!IsUtf8Text(raw)) raw = Cp1250ToUtf8(raw);
  std::string title;
  for (char c : raw)
    if (c != '\r' && c != '\n' && c != '\t') title += c;
  title.erase(0, title.find_first_not_of(' ') == std::string::npos ? title.size() : title.find_first_not_of(' '));
  return title;
}

std::string FetchPageTitle(const std::string& address) {
  const size_t at = address.find("http://");
  if (at == std::string::npos) return "";
  const std::string rest = address.substr(at + 7);
  size_t end = rest.find('/');
  if (end == std::string::npos) end = rest.find('?');
  const std::string host = rest.substr(0, end);
  std::string path = end == std::string::npos ? "" : rest.substr(end);
  if (path.empty()) path = "/";
  if (host.empty()) return "";

  CURL* curl = curl_easy_init();
  if (!curl) return "";
  TPage page;
  const std::string url = "http://" + host + path;
  curl_slist* headers = nullptr;
  for (const char* h : {"User-Agent: Opera/9.02 (Windows NT 5.1; U; en)", "Accept: text/html;q=0.9",
                        "Accept-Language: cs,en;q=0.9",
                        "Accept-Charset: cp1250, us-ascii;q=0.9, iso-8859-1;q=0.5, utf-8;q=0.2, *;q=0.1",
                        "Connection: close"})
    headers = curl_slist_append(headers, h);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kTimeLimitMs);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Receive);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &page);
  curl_easy_perform(curl);  // a stopped transfer is how it ends when the title came
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return page.title;
}

std::string ProposedWebLinkTitle(const std::string& address) {
  std::string title = FetchPageTitle(address);
  if (title.empty()) title = TitleFromAddress(address);
  return FileTitle(title);
}
