#include "ui/ReminderWiring.h"

#include "exchange/WebService.h"
#include "ui/AutoForm.h"
#include "ui/CarWindows.h"

TReminderServices ProgramReminderServices() {
  TReminderServices services;
  services.sendMail = [](const std::string& to, const std::string& subject, const std::string& body) {
    return WebService().SendEmail(to, subject, body);
  };
  services.openVehicle = [](int32_t id) { OpenCarWindow(id); };
  services.isVehicleWindowOpen = [](int32_t id) { return IsCarWindowOpen(id); };
  services.changeOpenWindowRecord = [](int32_t vehicleID, int32_t recordID,
                                       const std::function<void(Tzaznam&)>& change) {
    TAutoForm* window = CarWindowOf(vehicleID);
    return window && window->ChangeRecord(recordID, change);
  };
  return services;
}

TReminderServices UnattendedReminderServices() {
  TReminderServices services = ProgramReminderServices();
  // An unreachable service costs one wait, not one for every reminder.
  services.sendMail = UnattendedMailSender(WebService());
  return services;
}
