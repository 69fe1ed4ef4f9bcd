// What the gauge does with the files in its folder when it loads the report
// (install, switching on): the rule, in one place, for the gauge and for
// vqreport recover, which tells a pilot what the gauge will do at its next
// start. Working it out changes nothing; the gauge then acts on it.
#pragma once

#include "platform/fixed_text.h"
#include "platform/text_file.h"
#include "report/report_digest.h"

// What becomes of the recovery file.
enum class RecoveryVerdict {
    None,      // there is none
    TakeUp,    // it is loaded instead of the report file, as a change not yet saved
    SetAside,  // it holds what the report file lacks: moved to tolvanix-recovery-N.rec
    MayGo,     // it holds nothing the report file lacks: removed
    NotWhole,  // it does not read whole: never taken up, never removed (set aside)
};

// Why a recovery file is not taken up (or None when it is, or there is none).
enum class RecoveryReason {
    None,
    NotWhole,         // cut, refused, unreadable
    NoReport,         // no report file the gauge accepts beside it
    AnotherFlight,    // a field the gauge never writes reads otherwise
    NothingMore,      // the report file holds every figure it holds
    ReportHoldsMore,  // the report file holds a figure it lacks (or another value)
    ReportNewer,      // the report file was written after it
};

struct StartPlan {
    // A whole report under the temporary or backup name of a replace broken
    // off between its moves, where the report file (or the recovery file) is
    // missing: it is moved back under the name. Empty when none.
    PathText ReportFrom;
    PathText RecoveryFrom;
    RecoveryVerdict Recovery = RecoveryVerdict::None;
    RecoveryReason Why = RecoveryReason::None;
    ReportDigest Report;          // the report file as the load will find it (read only
                                  // when there is a recovery file, or to roll it forward)
    ReportDigest RecoveryFile;    // the recovery file likewise
    platform::FileTime ReportTime = 0, RecoveryTime = 0;
};

// Works out the plan for the report file `reportPath` and the recovery file
// `recoveryPath` beside it. The rule:
//  - a missing file is rolled forward from `path`.new, else `path`.old, the
//    first that reads whole (the newer comes first: a replace moves the old
//    file to .old before the new one, already complete, leaves .new);
//  - the recovery file is taken up when it reads whole, is of the same flight
//    as the report file, holds every figure the report file holds and more,
//    and the report file was not written after it (equal times, as FAT's
//    2-second times give a save and a stamp close together, count as not
//    after);
//  - otherwise a recovery file that holds a figure the report file lacks (or
//    does not read whole) is set aside, and one that holds nothing more may go.
// The digests are read from the files as they stream past.
void PlanStart(const char* reportPath, const char* recoveryPath, StartPlan& plan);
