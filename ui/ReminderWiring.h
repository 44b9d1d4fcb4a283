#pragma once
// The reminders' collaborators in the program: the records windows and the
// e-mail service.

#include "servicebook/ReminderServices.h"

// Vehicles open in their records windows (a change to a vehicle whose window
// is open goes into that window); messages go through the program's e-mail
// service by its method (a mail draft counts as sent once the desktop took
// it).
TReminderServices ProgramReminderServices();
// The same for the sending at start that nobody watches: only the web
// service sends, never a draft that would count as sent unseen, and nothing
// more after the service could not be reached.
TReminderServices UnattendedReminderServices();
