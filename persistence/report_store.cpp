#include "persistence/report_store.h"

#include "persistence/recovery.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "report/report_file.h"

namespace {

// Set when the report file on disk holds something the last load did not take
// in whole (refused, cut, too many checkpoints, unreadable): the next save
// keeps a copy of it before replacing it.
bool KeepCopyBeforeSave = false;

// What the report file held when the module last read or wrote it (absent
// included), while Remembered: a save finding anything else there (edited,
// or placed after the gauge looked) keeps a copy of it first.
bool Remembered = false;
platform::FileFingerprint LastSeen;

}  // namespace

bool LoadReport() {
    platform::File file;
    Remembered = true;
    LastSeen = platform::FileFingerprint();
    if (!file.OpenForReading(ReportFileName)) {
        // There, but not readable now (locked, no permission): protect it.
        if (platform::FileExists(ReportFileName)) KeepCopyBeforeSave = true;
        return false;
    }
    platform::TextFileReader in(file);
    struct Fingerprinted {  // takes in the bytes after what the load reads
        platform::TextFileReader& In;
        ~Fingerprinted() { LastSeen = In.ReadToEnd(); }
    } fingerprinted{in};
    char first[ReportTextLimit + 1];
    std::size_t length = 0;
    const bool any = in.ReadLine(first, ReportTextLimit, length);
    if (!IsReportFirstLine(first, length)) {
        if (any || in.Failed()) KeepCopyBeforeSave = true;
        return false;
    }
    ChkPointList.Clear();
    const bool whole = ReadReport(in);
    KeepCopyBeforeSave = !whole || in.Failed();
    return true;
}

void ResetReportFileGuard() { KeepCopyBeforeSave = Remembered = false; }

bool ReportFileNeedsCopy() { return KeepCopyBeforeSave; }

void SaveReport() {
    // A report file marked read-only is not replaced; nothing is written, and
    // the recovery file stays: it is then the flight's only copy.
    if (platform::IsReadOnlyFile(ReportFileName)) return;
    // The old file is read once more: not what the module last read or wrote
    // (edited, or placed after the gauge looked) means keep it too.
    const platform::FileFingerprint now = platform::FingerprintOf(ReportFileName);
    if (Remembered && !LastSeen.Same(now)) KeepCopyBeforeSave = true;
    if (KeepCopyBeforeSave && now.Present) {
        // Never replace a file we could not take whole without keeping it.
        const PathText copy = FirstFreeName("tolvanix-kept-", ".rec");
        if (copy.empty() || !platform::CopyNewFile(ReportFileName, copy.c_str())) return;
    }
    KeepCopyBeforeSave = false;
    LastSeen = now;  // kept or unchanged: a failed write below keeps it again
    Remembered = true;
    if (WriteReportFile(ReportFileName, &LastSeen)) {
        LastSeen.Present = true;
        RecoveryNoLongerNeeded();
    }
}
