#include "persistence/report_store.h"

#include "persistence/recovery.h"
#include "persistence/start.h"
#include "platform/text_file.h"
#include "report/file_names.h"
#include "report/report.h"
#include "report/report_digest.h"
#include "report/report_file.h"

namespace {

// Set when the report file on disk holds something the last load did not take
// in whole (refused, cut, too many checkpoints, unreadable): the next save
// keeps it aside when it replaces it.
bool KeepCopyBeforeSave = false;

// What the report file held when the module last read or wrote it (absent
// included): a save finding anything else there (edited, or placed after the
// gauge looked) keeps it aside.
platform::FileFingerprint LastSeen;

// The report in memory holds something the report file does not: a gain since
// the last load or save, or a flight taken up.
bool Unsaved = false;

// The report file as last read or written, and the report in memory.
ReportDigest ReportFile;
ReportDigest Memory;

StartPlan Plan;  // 5 KB: kept off the stack

// Reads the report file into memory when its first line is accepted; notes
// what the file held.
bool ReadTheReportFile() {
    platform::File file;
    LastSeen = platform::FileFingerprint();
    if (!file.OpenForReading(ReportFileName)) {
        // There, but not readable now (locked, no permission, not a regular
        // file): protect it.
        LastSeen.Present = platform::FileExists(ReportFileName);
        if (LastSeen.Present) {
            LastSeen.Known = false;
            KeepCopyBeforeSave = true;
        }
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

}  // namespace

LoadOutcome LoadReport() {
    PlanStart(ReportFileName, RecoveryFileName, Plan);
    // A replace broken off between its moves: the whole file goes back under its name.
    if (!Plan.ReportFrom.empty()) platform::RenameFile(Plan.ReportFrom.c_str(), ReportFileName);
    if (!Plan.RecoveryFrom.empty()) platform::RenameFile(Plan.RecoveryFrom.c_str(), RecoveryFileName);

    LoadOutcome outcome = LoadOutcome::NotLoaded;
    ReportFile = ReportDigest();
    if (ReadTheReportFile()) {
        outcome = LoadOutcome::Loaded;
        Unsaved = false;
        DigestOfMemory(Memory);
        ReportFile = Memory;
        ReportFile.Whole = !KeepCopyBeforeSave;
    } else {
        DigestOfMemory(Memory);  // the report in memory, as it was
    }
    // What is under the recovery file's name after the load, when it is kept there.
    const ReportDigest* recovery = nullptr;
    switch (Plan.Recovery) {
    case RecoveryVerdict::TakeUp:
        if (ReadReportFile(RecoveryFileName).Whole) {
            outcome = LoadOutcome::TakenUp;
            Unsaved = true;
            recovery = &Plan.RecoveryFile;
            Memory = Plan.RecoveryFile;
            break;
        }
        // Changed since it was judged: not taken up after all.
        if (outcome == LoadOutcome::Loaded) ReadTheReportFile();
        DigestOfMemory(Memory);
        SetRecoveryFileAside();
        break;
    case RecoveryVerdict::SetAside:
        // Still the flight in memory (a switch-on that found no report to
        // take): it stays, the flight's own.
        if (HeldByEither(Plan.RecoveryFile, ReportFile, Memory)) {
            recovery = &Plan.RecoveryFile;
        } else {
            SetRecoveryFileAside();
        }
        break;
    case RecoveryVerdict::NotWhole: SetRecoveryFileAside(); break;
    case RecoveryVerdict::MayGo: platform::RemoveFile(RecoveryFileName); break;
    case RecoveryVerdict::None: break;
    }
    RecoveryAfterLoad(recovery != nullptr, recovery ? *recovery : Memory);
    return outcome;
}

void ResetReportFileGuard() {
    KeepCopyBeforeSave = Unsaved = false;
    LastSeen = platform::FileFingerprint();
    ReportFile = Memory = ReportDigest();
}

bool ReportFileNeedsCopy() { return KeepCopyBeforeSave; }

void SaveReport() {
    // Not a regular file (a folder, a pipe, a device): nothing is written over it.
    if (platform::KindOfFile(ReportFileName) == platform::NameKind::Other) return;
    // A report file marked read-only is not replaced; nothing is written, and
    // the recovery file stays: it is then the flight's only copy.
    if (platform::IsReadOnlyFile(ReportFileName)) return;
    // Nothing new to write: a report file placed or edited since the module
    // last looked stays as it is, and so does the report in memory.
    if (!Unsaved && !LastSeen.Same(platform::FingerprintOf(ReportFileName))) return;
    // Whatever the save replaces is compared with what the module last read
    // or wrote there, and kept aside unless it is just that (or when the load
    // could not take it whole).
    platform::FileFingerprint expected = LastSeen;
    if (KeepCopyBeforeSave) expected.Known = false;
    platform::FileFingerprint written;
    if (!WriteReportFile(ReportFileName, &written, &expected)) return;
    written.Present = true;
    LastSeen = written;
    KeepCopyBeforeSave = false;
    Unsaved = false;
    DigestOfMemory(Memory);
    ReportFile = Memory;
    RecoveryAfterSave(ReportFile);
}

void ReportGained() {
    DigestOfMemory(Memory);
    if (HoldsAll(ReportFile, Memory)) return;  // nothing the report file lacks
    Unsaved = true;
    WriteRecoveryFile(ReportFile, Memory);
}
