#include "persistence/recovery.h"

#include "platform/text_file.h"
#include "report/report_file.h"

#ifdef _WIN32
const char* const RecoveryFileName = ".\\tolvanix-recovery.rec";
#else
const char* const RecoveryFileName = "tolvanix-recovery.rec";
#endif

namespace {
// True once the recovery file in place is this module's own.
bool WrittenByThisModule = false;
}  // namespace

void WriteRecoveryFile() {
    if (!WrittenByThisModule && platform::FileExists(RecoveryFileName)) {
        // Left by an earlier flight that ended without a save: keep it.
        const PathText aside = FirstFreeName("tolvanix-recovery-", ".rec");
        if (aside.empty() || !platform::RenameFile(RecoveryFileName, aside.c_str())) return;
    }
    WrittenByThisModule = true;
    WriteReportFile(RecoveryFileName);
}

void RecoveryNoLongerNeeded() {
    if (WrittenByThisModule) platform::RemoveFile(RecoveryFileName);
}

void ResetRecoveryState() { WrittenByThisModule = false; }
