#include "exchange/SendRecords.h"

#include "exchange/ExchangeExport.h"
#include "exchange/IdentityHash.h"
#include "exchange/WebService.h"
#include "servicebook/MailPlaceholders.h"
#include "shell/Config.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

std::string SendRecordsMailText(const std::string& text, const std::string& downloadAddress,
                                const Tautomobil& vehicle) {
  return ReplaceProgramUrl(ReplaceVehiclePlaceholders(ReplaceAll(text, "%URL", downloadAddress), vehicle));
}

TSendRecordResult SendRecordToOwner(const TServiceBookView& view, bool withOwner, bool withVehicle,
                                    TWebService& web, const TConfig& config) {
  const size_t count = view.records ? view.records->size() : 0;
  if (!view.vehicle || !view.owner || view.owner->email.empty() || view.selected < 0 ||
      static_cast<size_t>(view.selected) >= count)
    return TSendRecordResult::NothingToSend;
  const Tautomobil& vehicle = *view.vehicle;
  TExchangeExport what;
  what.vehicle = &vehicle;
  what.owner = view.owner;
  what.withOwner = withOwner;
  what.withVehicle = withVehicle;
  what.records = {{static_cast<size_t>(view.selected), &(*view.records)[static_cast<size_t>(view.selected)]}};
  const std::string address = web.UploadFile(ExchangeFileName(vehicle), BuildExchangeDocument(what));
  if (address.empty()) {
    ShowError("Nahrávání souboru na server selhalo.");
    return TSendRecordResult::UploadFailed;
  }
  const std::string body = SendRecordsMailText(config.sendRecordsBody, address, vehicle);
  if (!web.SendEmail(view.owner->email, config.sendRecordsSubject, body)) {
    // The file is on the server, but the owner will not hear of it.
    ShowError("Odeslání se nezdařilo");
    return TSendRecordResult::MailFailed;
  }
  // The mail program shows its own window; a message sent by the service
  // would otherwise go without a word.
  if (web.EmailMethod() != 0)
    ShowMessage("Informace", "Záznam byl odeslán na adresu " + view.owner->email + ".", TMsgIcon::Information);
  return TSendRecordResult::Sent;
}
