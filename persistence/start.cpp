#include "persistence/start.h"

#include "report/file_names.h"
#include "report/report_file.h"

namespace {

// `path` with `ending`, or empty when too long.
PathText Beside(const char* path, const char* ending) {
    PathText name = path;
    name.Append(ending);
    return name.size() == PathText(path).size() + PathText(ending).size() ? name : PathText();
}

// The file a load finds under `path`: the file itself, or, when nothing is
// under the name, the first whole report under its temporary or backup name
// (`from` tells which). Its digest and time go to `digest` and `time`; for
// the file itself only when `weigh` (the load reads it anyway).
void FileOrRolledForward(const char* path, bool weigh, PathText& from, ReportDigest& digest,
                         platform::FileTime& time) {
    from.clear();
    if (platform::KindOfName(path) == platform::NameKind::Free) {
        const char* const endings[] = {TemporaryEnding, BackupEnding};
        for (const char* ending : endings) {
            const PathText candidate = Beside(path, ending);
            if (candidate.empty() || platform::KindOfName(candidate.c_str()) != platform::NameKind::PlainFile) continue;
            DigestOfFile(candidate.c_str(), digest);
            if (digest.Report && digest.Whole) {
                from = candidate;
                time = platform::WriteTimeOf(candidate.c_str());
                return;
            }
        }
        digest = ReportDigest();
        time = 0;
        return;
    }
    digest = ReportDigest();
    time = 0;
    if (!weigh) return;
    DigestOfFile(path, digest);
    time = platform::WriteTimeOf(path);
}

bool HoldsAnyFigure(const ReportDigest& digest) {
    for (std::uint64_t figure : digest.Figures) {
        if (figure != 0) return true;
    }
    return false;
}

}  // namespace

void PlanStart(const char* reportPath, const char* recoveryPath, StartPlan& plan) {
    FileOrRolledForward(recoveryPath, true, plan.RecoveryFrom, plan.RecoveryFile, plan.RecoveryTime);
    const bool recoveryThere =
        !plan.RecoveryFrom.empty() || platform::KindOfName(recoveryPath) != platform::NameKind::Free;
    // The report file is weighed only against a recovery file.
    FileOrRolledForward(reportPath, recoveryThere, plan.ReportFrom, plan.Report, plan.ReportTime);
    const ReportDigest& recovery = plan.RecoveryFile;
    const ReportDigest& report = plan.Report;
    plan.Why = RecoveryReason::None;
    if (!recoveryThere) {
        plan.Recovery = RecoveryVerdict::None;
        return;
    }
    if (!recovery.Report || !recovery.Whole) {
        plan.Recovery = RecoveryVerdict::NotWhole;
        plan.Why = RecoveryReason::NotWhole;
        return;
    }
    if (!report.Report) {
        plan.Why = RecoveryReason::NoReport;
    } else if (!SameFlight(report, recovery)) {
        plan.Why = RecoveryReason::AnotherFlight;
    } else if (HoldsAll(report, recovery)) {
        plan.Why = RecoveryReason::NothingMore;
    } else if (!HoldsAll(recovery, report)) {
        plan.Why = RecoveryReason::ReportHoldsMore;
    } else if (plan.ReportTime > plan.RecoveryTime) {
        plan.Why = RecoveryReason::ReportNewer;
    }
    if (plan.Why == RecoveryReason::None) {
        plan.Recovery = RecoveryVerdict::TakeUp;
    } else {
        const bool more = plan.Why != RecoveryReason::NothingMore && HoldsAnyFigure(recovery);
        plan.Recovery = more ? RecoveryVerdict::SetAside : RecoveryVerdict::MayGo;
    }
}
