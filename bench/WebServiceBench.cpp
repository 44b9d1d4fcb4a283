// Sending a record to its owner against the loopback stand-in of the web
// service: the upload of a one-record exchange file, then the mail with its
// download address.
#include <benchmark/benchmark.h>

#include "exchange/WebService.h"
#include "tests/support/StandInWebService.h"

namespace {

void BM_UploadAndSendToStandIn(benchmark::State& state) {
  TStandInWebService service;
  if (!service.Start()) {
    state.SkipWithError("the stand-in cannot listen");
    return;
  }
  TWebService web;
  web.SetServiceUrl(service.BaseUrl());
  web.SetCredentials("dilna", "heslo");
  web.SetEmailMethod(1);
  // About the size of a file with owner, vehicle and one record.
  const std::string document = "<?xml version=\"1.0\"?>\n<Root>" + std::string(2000, 'x') + "</Root>\n";
  for (auto _ : state) {
    const std::string address = web.UploadFile("SKODA_OCTAVIA_COMBI_19_TDI.cgarv", document);
    if (address.empty() || !web.SendEmail("jan@example.cz", "Servisní záznam vozidla", "Dobrý den,\r\n" + address))
      state.SkipWithError("not sent");
  }
}
BENCHMARK(BM_UploadAndSendToStandIn)->Unit(benchmark::kMillisecond);

}  // namespace
