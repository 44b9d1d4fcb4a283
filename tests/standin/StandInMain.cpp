// garvel-standin: the loopback stand-in of the maker's web service, for
// trying the program's sending by hand. Prints its address, then one line
// per request and every mail and upload it receives; uploads are also kept
// in the folder given with --keep, numbered. With --silent it never answers. Ends on Ctrl+C.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "storage/File.h"
#include "tests/support/StandInWebService.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  unsigned port = 0;
  std::string keep;
  bool silent = false;  // never answers: shows the client's time limit
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--port") && i + 1 < argc) port = static_cast<unsigned>(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--keep") && i + 1 < argc) keep = argv[++i];
    else if (!std::strcmp(argv[i], "--silent")) silent = true;
    else if (!std::strcmp(argv[i], "--version") && i + 2 < argc) {
      i += 2;  // applied below
    } else {
      std::fprintf(stderr, "Použití: garvel-standin [--port N] [--keep SLOŽKA] [--version 3.70 1.2.2027] [--silent]\n");
      return 2;
    }
  }
  TStandInWebService service;
  for (int i = 1; i + 2 < argc; ++i)
    if (!std::strcmp(argv[i], "--version")) service.SetVersion(argv[i + 1], argv[i + 2]);
  if (silent) service.Script(std::vector<TStandInWebService::TFailure>(100000, TStandInWebService::TFailure::Silent));
  if (!service.Start(static_cast<uint16_t>(port))) {
    std::fprintf(stderr, "Nelze naslouchat na 127.0.0.1:%u\n", port);
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", service.BaseUrl().c_str());
  std::fflush(stdout);
  size_t requests = 0, mails = 0, uploads = 0;
  while (!g_stop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto r = service.Requests();
    for (; requests < r.size(); ++requests)
      std::printf("%s %s?%s login=\"%s\" %zu B\n", r[requests].method.c_str(), r[requests].path.c_str(),
                  r[requests].query.c_str(), r[requests].login.c_str(), r[requests].body.size());
    auto m = service.Mails();
    for (; mails < m.size(); ++mails)
      std::printf("--- mail to %s: %s\n%s\n---\n", m[mails].to.c_str(), m[mails].subject.c_str(), m[mails].body.c_str());
    auto u = service.Uploads();
    for (; uploads < u.size(); ++uploads) {
      std::printf("--- upload %s (%zu B)\n", u[uploads].first.c_str(), u[uploads].second.size());
      // Kept under a number: a received name never becomes a path.
      if (!keep.empty()) WriteWholeFile(keep + "/upload-" + std::to_string(uploads + 1) + ".cgarv", u[uploads].second);
    }
    std::fflush(stdout);
  }
  return 0;
}
