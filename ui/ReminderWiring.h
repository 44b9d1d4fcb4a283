#pragma once
// The reminders' collaborators in the program: the records windows and the
// mail-client path of sending e-mail.

#include "servicebook/ReminderServices.h"

// Vehicles open in their records windows (a change to a vehicle whose window
// is open goes into that window); messages are mail drafts handed to the
// desktop, counted as sent when it took them.
TReminderServices ProgramReminderServices();
