#include "persistence/recovery.h"

#include "platform/text_file.h"
#include "report/file_names.h"
#include "report/report_file.h"

namespace {

// What is under the recovery file's name, as the last load, save or write left it.
enum class Known {
    Nothing,   // no file (or none the module has seen)
    Content,   // a file holding what Digest tells
    Unknown,   // a file the module could not read whole, or could not move aside
};
Known Recovery = Known::Nothing;
ReportDigest Digest;

}  // namespace

bool SetRecoveryFileAside() {
    const platform::NameKind kind = platform::KindOfName(RecoveryFileName);
    if (kind == platform::NameKind::Free) return true;
    return kind == platform::NameKind::PlainFile &&
           MoveToNumberedName(RecoveryFileName, RecoveryFileName, SetAsideRecoveryPrefix);
}

void RecoveryAfterLoad(bool present, const ReportDigest& recovery) {
    Recovery = present ? Known::Content : Known::Nothing;
    Digest = recovery;
    // A file the load could not move aside (a folder under the name, say).
    if (!present && platform::KindOfName(RecoveryFileName) != platform::NameKind::Free) Recovery = Known::Unknown;
}

void WriteRecoveryFile(const ReportDigest& reportFile, const ReportDigest& memory) {
    const bool keep = Recovery == Known::Unknown ||
                      (Recovery == Known::Content && !HeldByEither(Digest, reportFile, memory));
    if (keep && !SetRecoveryFileAside()) return;
    // A file the module believes gone but that is there all the same is kept
    // aside unread; one it knows holds nothing more is removed.
    platform::FileFingerprint unknown;
    unknown.Known = false;
    const bool replaceKnown = Recovery == Known::Content && !keep;
    if (!WriteReportFile(RecoveryFileName, nullptr, replaceKnown ? nullptr : &unknown)) return;
    Recovery = Known::Content;
    Digest = memory;
}

void RecoveryAfterSave(const ReportDigest& written) {
    if (platform::KindOfName(RecoveryFileName) == platform::NameKind::Free) {
        Recovery = Known::Nothing;
        return;
    }
    static ReportDigest there;  // 2.5 KB: kept off the stack
    DigestOfFile(RecoveryFileName, there);
    const bool removed = there.Report && there.Whole && HoldsAll(written, there) &&
                         platform::RemoveFile(RecoveryFileName);
    if (removed || SetRecoveryFileAside()) {
        Recovery = Known::Nothing;
    } else {
        Recovery = Known::Unknown;
    }
}

void ResetRecoveryState() {
    Recovery = Known::Nothing;
    Digest = ReportDigest();
}
