// garvelctl due: the reminder rows of the reminders window, from the same
// scan, one row per line, the window's columns tab-separated. The days and
// prices follow the folder's garvconf.ini when it has one.
#include <cstdio>

#include "app/garvelctl/Args.h"
#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "servicebook/Reminders.h"
#include "shell/Config.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

const char* const kUsage = "Použití: garvelctl due SLOŽKA [--back N --ahead N | --unpaid] [--today D.M.RRRR]\n";

// A cell on one line: tabs and line breaks would split the row.
std::string Cell(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return out;
}

bool DaysOption(const TArgs& args, const char* name, int& days) {
  if (!args.Has(name)) return true;
  const std::string text = args.Value(name);
  const long long n = ParseInteger(text, -1);
  if (!IsInteger(text) || n < 0 || n > kUnpaidViewDays) {
    std::fprintf(stderr, "garvelctl due: %s očekává počet dní 0 až %d\n", name, kUnpaidViewDays);
    return false;
  }
  days = static_cast<int>(n);
  return true;
}

}  // namespace

int CmdDue(int argc, char** argv) {
  TArgs args(argc, argv, {"--back", "--ahead", "--today"});
  if (args.positional.size() != 1 || (args.Has("--unpaid") && (args.Has("--back") || args.Has("--ahead")))) {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  TDataFolderSession session(args.positional[0]);
  const TConfig& settings = Config();

  TReminderScanSettings scan;
  scan.view = args.Has("--unpaid") ? TReminderView::Unpaid : TReminderView::Planned;
  scan.daysBack = scan.view == TReminderView::Unpaid ? kUnpaidViewDays : settings.odaysretro;
  scan.daysAhead = scan.view == TReminderView::Unpaid ? kUnpaidViewDays : settings.odaysadvance;
  if (!DaysOption(args, "--back", scan.daysBack) || !DaysOption(args, "--ahead", scan.daysAhead)) return 2;
  scan.today = Today();
  if (args.Has("--today") && !ParseDateTime(args.Value("--today"), scan.today)) {
    std::fprintf(stderr, "garvelctl due: neplatné datum \"%s\"\n", args.Value("--today").c_str());
    return 2;
  }
  scan.vat.taxPaid = settings.taxpaid;
  scan.vat.rate = settings.taxrate;

  TDatabaseFolder& db = session.db;
  if (!db.Open()) return 1;
  const std::vector<TReminderRow> rows =
      ScanReminders(*db.stores.cars, *db.stores.records, db.stores.customers.get(), scan);

  std::string line;
  for (int c = 0; c < kReminderColumnCount; ++c)
    line += std::string(c ? "\t" : "") + ReminderColumns()[static_cast<size_t>(c)].caption;
  std::printf("%s\n", line.c_str());
  for (const TReminderRow& row : rows) {
    line.clear();
    for (int c = 0; c < kReminderColumnCount; ++c) line += (c ? "\t" : "") + Cell(ReminderCell(row, c));
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

namespace {
const TCtlRegistration kRegisterDue(
    "due", "vypíše upozornění na plánovaný servis nebo nezaplacené zakázky jako okno upozornění",
    "SLOŽKA [--back DNY] [--ahead DNY] [--unpaid] [--today D.M.RRRR]", CmdDue,
    "Bez voleb platí dny zpět a dopředu z nastavení složky; --unpaid vypíše nezaplacené provedené\n"
    "servisy bez ohledu na datum a nejde s --back a --ahead; --today určí dnešní den.");
}  // namespace
