// When the gauge reads and writes its report file, and what it keeps: the
// flight between saves in the recovery file, taken up again after a crash; a
// report file the gauge could not take whole, or one it did not expect, kept
// aside before a save replaces it; a newer report file left alone by a save
// that has nothing new to write.
#pragma once

enum class LoadOutcome {
    NotLoaded,  // no report file it accepts: the report in memory is as it was
    Loaded,     // the report file's report is in memory
    TakenUp,    // the recovery file's report is in memory: a flight taken up
};

// Loads the report (install, switching on) by the rule of persistence/start.h:
// a report file missing after a broken-off replace is rolled forward; the
// report file replaces the report in memory if it can be opened and its first
// line is accepted; a recovery file of the same flight that holds more is
// taken up instead, as a change not yet saved (the caller then goes on after
// its last arrival). What the load could not take whole, and a report file
// that is not what the last load or save left, is kept before the next save
// replaces it.
LoadOutcome LoadReport();

// Writes the whole report over the report file: the new file is complete and
// on the disk before it replaces the old one, which stays as it was if that
// fails, and whatever it replaced is compared with what the module last read
// or wrote there, and kept aside when it differs. Nothing is written over a
// report file marked read-only or one that is not a regular file; and a
// report in memory with nothing new since the last load or save leaves a
// report file that changed on disk alone. A save that wrote everything the
// recovery file holds removes it.
void SaveReport();

// The report in memory has changed (a checkpoint stamped, the fuel stored,
// the fuel figures): when it now holds something the report file lacks, it
// is a change not yet saved, and the recovery file is written. The one file
// work of a display frame.
void ReportGained();

// Forgets what the last load left to protect (tests start from a clean state).
void ResetReportFileGuard();
// True while the next save will first keep a copy of the report file.
bool ReportFileNeedsCopy();
