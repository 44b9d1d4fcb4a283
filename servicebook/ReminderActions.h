#pragma once
// What the reminders do with their rows: ignoring a reminder (a plan becomes
// a plan without warning), mailing the customer, and the automatic sending
// at start-up.

#include <string>
#include <vector>

#include "servicebook/ReminderServices.h"
#include "servicebook/Reminders.h"

class TCustomCarDb;
class TCustomRecDb;
class TCustomDb;
struct Tautomobil;

struct TReminderStores {
  TCustomCarDb& cars;
  TCustomRecDb& records;
  TCustomDb* customers;  // may be null
};

struct TReminderMailSettings {
  std::string subject;  // usersubj
  std::string text;     // custmailtext
  TVatSettings vat;
};

// The body of a reminder: "%TEXT" the record's work as the description pane
// shows it, "%KM" the km reading (or "/nezáleží/"), "%DATUM" the due date,
// then the vehicle placeholders and "%PROGRAM_URL"; every occurrence.
std::string ReminderMailText(const std::string& text, const Tzaznam& record, const Tautomobil& vehicle,
                             const TVatSettings& vat);

enum class TIgnoreResult {
  Done,        // the row goes away (a plan was stored as a plan without warning)
  Refused,     // the vehicle's records window is open and could not take it
  Unreadable,  // the record could not be read: nothing written
  Failed,      // the record could not be stored (the store reported it)
};

// Ignores one row. A PLAN becomes PLAN_NOWARN, in the vehicle's open records
// window when there is one, else in the store (the calendar hears of it); an
// ORDER or unpaid DONE row is only taken off the list. A record that is no
// longer the vehicle's counts as done; one that cannot be read cleanly is
// never written back.
TIgnoreResult IgnoreReminder(TCustomRecDb& records, const TReminderRow& row, const TReminderServices& services);

struct TIgnoreReport {
  std::vector<size_t> removed;          // rows to take off the list
  std::vector<std::string> refused;     // vehicles whose records window is open
  std::vector<std::string> unreadable;  // vehicles whose record could not be read
};

// "Ignorovat" on the marked rows. Nothing is shown meanwhile, so the caller
// can keep a wait cursor up and report afterwards.
TIgnoreReport IgnoreReminders(TCustomRecDb& records, const std::vector<TReminderRow>& rows,
                              const std::vector<size_t>& marked, const TReminderServices& services);
// One message per kind of problem, each vehicle named once.
void ReportIgnoreProblems(const TIgnoreReport& report);

enum class TSendStatus {
  Sent,
  NoAddress,  // owner, vehicle or record unreadable, or no e-mail address
  Failed,     // the e-mail service did not send it
};

struct TSendOutcome {
  TSendStatus status = TSendStatus::NoAddress;
  std::string customerLine;  // owner's name + " tel. " + phones
};

// Reads the vehicle, its owner and the record by the row's IDs and mails the
// owner the reminder.
TSendOutcome SendReminder(const TReminderStores& stores, const TReminderRow& row, const TReminderMailSettings& mail,
                          const TReminderServices& services);

struct TSendReport {
  TIgnoreReport ignored;                    // the rows sent, ignored
  std::vector<std::string> unknownAddress;  // customer lines
  std::vector<std::string> failed;
};

// "Poslat e-mail" on the marked rows: each sent row is ignored; the rows
// that could not be sent are collected by reason.
TSendReport SendReminders(const TReminderStores& stores, const std::vector<TReminderRow>& rows,
                          const std::vector<size_t>& marked, const TReminderMailSettings& mail,
                          const TReminderServices& services);
// One message per kind of problem: customers without an address, messages
// the e-mail service did not deliver, and sent rows that could not be ignored.
void ReportSendProblems(const TSendReport& report);

// Start-up: scans the planned view and, from the last row to the first,
// mails each reminder and ignores the rows sent. Failures are silent.
// Returns how many were sent.
int AutoSendReminders(const TReminderStores& stores, int daysBack, int daysAhead, TDateTime today,
                      const TReminderMailSettings& mail, const TReminderServices& services);
