#include "exchange/EmailLog.h"

#include "storage/DateText.h"
#include "storage/DateTime.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"

bool AppendEmailLog(const std::string& message) {
  if (!FileSystemsReady()) return false;
  const TDateTime now = Now();
  const TTimeParts t = DecodeTime(now);
  char time[32];
  std::snprintf(time, sizeof time, "%d:%02d:%02d", t.hour, t.minute, t.second);
  TTextFile file;
  GetVirtualFS().AssignTextFile(file, "emailLog.txt");
  if (!file.Append()) return false;
  bool ok = file.WriteLine(std::string(53, '=')) && file.WriteLine("Date: " + DateText(now) + " Time: " + time) &&
            file.WriteLine(message) && file.WriteLine("");
  file.Close();
  return ok;
}
