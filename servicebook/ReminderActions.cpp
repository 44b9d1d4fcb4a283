#include "servicebook/ReminderActions.h"

#include <algorithm>
#include <memory>

#include "catalogues/ContactRecord.h"
#include "catalogues/Contacts.h"
#include "servicebook/MailPlaceholders.h"
#include "storage/CalendarLink.h"
#include "storage/CarDb.h"
#include "storage/DateText.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/RecDb.h"
#include "storage/TextUtils.h"

namespace {

// A plan that was handled leaves the reminders for good.
bool MarkHandled(Tzaznam& record) {
  if (record.db.kind != kKindPlan) return false;
  record.db.kind = kKindPlanNoWarn;
  return true;
}

TIgnoreResult IgnoreInWindow(const TReminderRow& row, const TReminderServices& services) {
  if (!services.changeOpenWindowRecord) return TIgnoreResult::Refused;
  const bool taken =
      services.changeOpenWindowRecord(row.vehicleID, row.recordID, [](Tzaznam& record) { MarkHandled(record); });
  return taken ? TIgnoreResult::Done : TIgnoreResult::Refused;
}

TIgnoreResult IgnoreInStore(TCustomRecDb& records, const TReminderRow& row) {
  // A record erased meanwhile (its ID is never issued again) is simply gone.
  if (records.GetIndexForID(row.recordID) < 0) return TIgnoreResult::Done;
  Tzaznam record;
  if (!records.LoadCarRecord(row.recordID, record)) return TIgnoreResult::Unreadable;
  if (record.db.carID != row.vehicleID) return TIgnoreResult::Done;
  if (!MarkHandled(record)) return TIgnoreResult::Done;  // changed meanwhile: nothing left to ignore
  if (!records.SaveCarRecord(record)) return TIgnoreResult::Failed;  // reported by the store
  std::unique_ptr<ICalendarLink> calendar = OpenCalendarLink();
  calendar->SendEvent(record);
  calendar->EndBatch();
  LogTrace(1, "Car ID#" + std::to_string(row.vehicleID) + ": reminder ignored, record ID#" +
                  std::to_string(row.recordID) + " set to PLAN_NOWARN");
  return TIgnoreResult::Done;
}

std::string CustomerLine(const TContactRecord& owner) {
  return CustomerDisplayName(owner) + " tel. " + owner.phones;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

}  // namespace

std::string ReminderMailText(const std::string& text, const Tzaznam& record, const Tautomobil& vehicle,
                             const TVatSettings& vat) {
  std::string body =
      ReplaceAll(text, "%TEXT", ActivitiesDescriptionText(record.db.kind, record.db.flags, record.description, vat));
  body = ReplaceAll(std::move(body), "%KM", record.db.km < 0 ? std::string("/nezáleží/") : std::to_string(record.db.km));
  body = ReplaceAll(std::move(body), "%DATUM", DateText(RecordDate(record.db)));
  body = ReplaceVehiclePlaceholders(std::move(body), vehicle);
  return ReplaceProgramUrl(std::move(body));
}

TIgnoreResult IgnoreReminder(TCustomRecDb& records, const TReminderRow& row, const TReminderServices& services) {
  // Orders and unpaid jobs stay as they are and come back at the next scan.
  if (row.kind != kKindPlan) return TIgnoreResult::Done;
  if (services.isVehicleWindowOpen && services.isVehicleWindowOpen(row.vehicleID)) return IgnoreInWindow(row, services);
  return IgnoreInStore(records, row);
}

TIgnoreReport IgnoreReminders(TCustomRecDb& records, const std::vector<TReminderRow>& rows,
                              const std::vector<size_t>& marked, const TReminderServices& services) {
  TIgnoreReport report;
  auto note = [](std::vector<std::string>& list, const std::string& vehicle) {
    if (std::find(list.begin(), list.end(), vehicle) == list.end()) list.push_back(vehicle);
  };
  for (size_t i : marked) {
    if (i >= rows.size()) continue;
    switch (IgnoreReminder(records, rows[i], services)) {
      case TIgnoreResult::Done: report.removed.push_back(i); break;
      case TIgnoreResult::Refused: note(report.refused, rows[i].vehicle); break;
      case TIgnoreResult::Unreadable: note(report.unreadable, rows[i].vehicle); break;
      case TIgnoreResult::Failed: break;
    }
  }
  return report;
}

void ReportIgnoreProblems(const TIgnoreReport& report) {
  if (!report.refused.empty())
    ShowMessage("Upozornění",
                "Záznamy těchto vozidel jsou otevřené v okně záznamů, upozornění nelze změnit. Zavřete okno "
                "vozidla a akci opakujte.\n\n" + Lines(report.refused),
                TMsgIcon::Warning);
  if (!report.unreadable.empty())
    ShowMessage("Chyba",
                "Záznamy těchto vozidel se nepodařilo přečíst, upozornění zůstávají v seznamu.\n\n" +
                    Lines(report.unreadable),
                TMsgIcon::Error);
}

TSendOutcome SendReminder(const TReminderStores& stores, const TReminderRow& row, const TReminderMailSettings& mail,
                          const TReminderServices& services) {
  TSendOutcome outcome;
  Tautomobil vehicle;
  InitVehicle(vehicle);
  TContactRecord owner;
  InitContact(owner);
  Tzaznam record;
  const bool vehicleRead = stores.cars.LoadCar(row.vehicleID, vehicle);
  const bool ownerRead = vehicleRead && LoadContact(stores.customers, vehicle.ownerID, owner);
  // Without a readable owner the line names the vehicle, so the user knows
  // whose address is missing.
  outcome.customerLine = ownerRead ? CustomerLine(owner) : row.customer + " (" + row.vehicle + ")";
  if (!ownerRead || !stores.records.LoadCarRecord(row.recordID, record) || record.db.carID != row.vehicleID ||
      TrimBlanks(owner.email).empty())
    return outcome;
  const std::string body = ReminderMailText(mail.text, record, vehicle, mail.vat);
  const bool sent = services.sendMail && services.sendMail(TrimBlanks(owner.email), mail.subject, body);
  outcome.status = sent ? TSendStatus::Sent : TSendStatus::Failed;
  if (sent) LogTrace(1, "Car ID#" + std::to_string(row.vehicleID) + ": reminder of record ID#" +
                            std::to_string(row.recordID) + " sent");
  return outcome;
}

TSendReport SendReminders(const TReminderStores& stores, const std::vector<TReminderRow>& rows,
                          const std::vector<size_t>& marked, const TReminderMailSettings& mail,
                          const TReminderServices& services) {
  TSendReport report;
  std::vector<size_t> sent;
  for (size_t i : marked) {
    if (i >= rows.size()) continue;
    TSendOutcome outcome = SendReminder(stores, rows[i], mail, services);
    switch (outcome.status) {
      case TSendStatus::Sent: sent.push_back(i); break;
      case TSendStatus::NoAddress: report.unknownAddress.push_back(outcome.customerLine); break;
      case TSendStatus::Failed: report.failed.push_back(outcome.customerLine); break;
    }
  }
  report.ignored = IgnoreReminders(stores.records, rows, sent, services);
  return report;
}

void ReportSendProblems(const TSendReport& report) {
  ReportIgnoreProblems(report.ignored);
  if (!report.unknownAddress.empty())
    ShowMessage("Neznám e-mailovou adresu těchto zákazníků", Lines(report.unknownAddress), TMsgIcon::Warning);
  if (!report.failed.empty())
    ShowMessage("Nepodařilo se odeslat e-mail těmto zákazníkům", Lines(report.failed), TMsgIcon::Error);
}

int AutoSendReminders(const TReminderStores& stores, int daysBack, int daysAhead, TDateTime today,
                      const TReminderMailSettings& mail, const TReminderServices& services) {
  TReminderScanSettings scan;
  scan.view = TReminderView::Planned;
  scan.daysBack = daysBack;
  scan.daysAhead = daysAhead;
  scan.today = today;
  scan.vat = mail.vat;
  const std::vector<TReminderRow> rows = ScanReminders(stores.cars, stores.records, stores.customers, scan);
  int sent = 0;
  for (size_t i = rows.size(); i-- > 0;) {
    if (SendReminder(stores, rows[i], mail, services).status != TSendStatus::Sent) continue;
    ++sent;
    IgnoreReminder(stores.records, rows[i], services);
  }
  return sent;
}
