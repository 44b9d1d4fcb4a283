#pragma once
// The two logs of the program.
//
//  - The error log "errlog.txt" keeps errors (and the opening of every store)
//    across runs. Entry: an empty line; date and time separated by two blanks;
//    the message.
//  - The trace log "garv_trace" + stamp + ".log" is new for every run and
//    holds the start-up configuration and one line per data-changing action.
//    Entry: date, a blank, time, ": ", the text.
//
// Both are virtual paths on the virtual file system, Windows-1250 with CR LF
// line ends; every write opens and closes the file, so a crash loses nothing
// already written.

#include <string>
#include <vector>

// Shows the message in a "Chyba" box first when `showBox`, then appends the
// entry to errlog.txt. Returns false if the log could not be written; the
// first such failure of a run is also shown to the user (callers go on).
bool LogError(const std::string& message, bool showBox);

// Appends a line of level 1 or 2 to this run's trace log; higher levels are
// dropped. Reports nothing on failure.
void LogTrace(int level, const std::string& text);

// Names this run's trace log ("garv_trace" + stamp + ".log") and creates it
// empty. Called once at start, after the file systems are set up; a new run
// is warned again about an unwritable error log.
void StartTraceLog(const std::string& stamp);
// A run that ends without having written a line (a second start that only
// handed its files over) removes its trace log again; later lines are dropped.
void DiscardEmptyTraceLog();
// The virtual path of this run's trace log; empty before StartTraceLog.
std::string TraceLogName();

// The first lines of a run's trace: 65 "=", then per mount Mount "<folder>",
// Default path "<path>", per redirect Redirect "<from>" -> "<to>".
std::vector<std::string> StartupTraceLines();
// Writes those lines to the trace log.
void TraceStartup();
