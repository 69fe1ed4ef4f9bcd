// When the gauge reads and writes its report file, and what it keeps: a
// report file the gauge could not take whole is copied aside before a save
// replaces it, and a normal save makes the recovery file unnecessary.
#pragma once

// Replaces the report in memory with the file's, if the file can be opened
// and its first line is accepted, and returns true; the caller then starts
// at the first checkpoint. Otherwise nothing changes and it returns false. A
// file that is refused, or not taken whole, is copied aside before the next
// save overwrites it; so is one that is not what the last load or save left
// (compared by length and hashes of its bytes; absent then, present now).
bool LoadReport();

// Writes the whole report over the report file: the new file is complete
// before it replaces the old one, which stays as it was if that fails.
void SaveReport();

// Forgets what the last load left to protect (tests start from a clean state).
void ResetReportFileGuard();
// True while the next save will first keep a copy of the report file.
bool ReportFileNeedsCopy();
