#include "tools/vqreport/recover.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <vector>

#include "navlog/shown.h"
#include "persistence/reset.h"
#include "persistence/start.h"
#include "platform/text_file.h"
#include "progress/timing.h"
#include "report/file_names.h"
#include "report/report.h"
#include "report/report_file.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/status.h"

namespace vqreport {

namespace fs = std::filesystem;

namespace {

const char* const RecoveryPrefix = SetAsideRecoveryPrefix;
const char* const Extension = NumberedNameEnding;

#ifdef _WIN32
const char PathSeparator = '\\';
#else
const char PathSeparator = '/';
#endif

// `name` in `dir`; just `name` in the current directory. The paths stay
// narrow texts, as the module's own file names are.
std::string InDirectory(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    const char last = dir.back();
    if (last == '/' || last == '\\' || last == ':') return dir + name;
    return dir + PathSeparator + name;
}

bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// N for "<prefix>N.rec", -1 for any other name. Either case: Windows does
// not tell names apart by it.
long NumberIn(const std::string& name, const char* prefixText) {
    const std::size_t prefix = std::char_traits<char>::length(prefixText);
    const std::size_t extension = std::char_traits<char>::length(Extension);
    if (name.size() <= prefix + extension || name.size() > prefix + extension + 9) return -1;
    if (!SameNoCase(name.substr(0, prefix), prefixText)) return -1;
    if (!SameNoCase(name.substr(name.size() - extension), Extension)) return -1;
    long n = 0;
    for (std::size_t i = prefix; i < name.size() - extension; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
        n = n * 10 + (name[i] - '0');
    }
    return n > 0 ? n : -1;
}

// 0 for "tolvanix-recovery.rec", N for "tolvanix-recovery-N.rec", -1 for any other name.
long RecoveryNumber(const std::string& name) {
    return SameNoCase(name, RecoveryName) ? 0 : NumberIn(name, RecoveryPrefix);
}

// The name under which `name` is in `dir`, found without regard to case as
// Windows finds it, as it is written there (that very name first, where case
// tells names apart); `name` itself when none is.
std::string ActualName(const std::string& dir, const std::string& name) {
    std::string found;
    std::error_code error;
    for (fs::directory_iterator entry(dir.empty() ? fs::path(".") : fs::path(dir), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string there = entry->path().filename().string();
        if (there == name) return there;
        if (found.empty() && SameNoCase(there, name)) found = there;
    }
    return found.empty() ? name : found;
}

// The first "`prefix`N.rec" from N = 1 up that does not exist in `dir`.
std::string FirstFreeName(const std::string& dir, const char* prefix) {
    for (int n = 1; n < 10000; ++n) {
        const std::string name = prefix + std::to_string(n) + Extension;
        if (!platform::FileExists(InDirectory(dir, name).c_str())) return name;
    }
    return std::string();
}

// A field value for a one-line listing: escaped as the nav log shows it, cut.
std::string Plain(const std::string& text, std::size_t limit = 24) {
    return navlog::Cut(navlog::ShownText(text), limit);
}

// A command line argument, in quotes when it holds a blank.
std::string Argument(const std::string& text) {
    return text.find_first_of(" \t") == std::string::npos ? text : "\"" + text + "\"";
}

// The modification time of `path` in local time, "2024-06-11 14:05".
std::string WrittenAt(const fs::path& path, fs::file_time_type& time) {
    std::error_code error;
    time = fs::last_write_time(path, error);
    if (error) return "at an unknown time";
    // The file clock and the system clock have different epochs; both are
    // read now, which is exact enough for minutes.
    const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        time - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    const std::tm* local = std::localtime(&seconds);
    char buffer[32];
    if (!local || std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", local) == 0) return "at an unknown time";
    return buffer;
}

// What a report file holds, as far as the listing tells it.
struct ReportSummary {
    std::string Unreadable;  // why it cannot be read; empty when it can
    bool Empty = false;
    bool Accepted = false;   // the gauge takes it
    bool Whole = false;      // the gauge takes every line of it
    std::string Field01, Field03, Field04, DepartureTime;
    std::int32_t Checkpoints = 0;
    double StartFuel = 0.0;
    int Times = 0;           // checkpoints whose actual arrival is a time
    std::string Last;        // the last of them: "checkpoint 5 GOLLA (08:12)"
    bool Flown = false;      // an actual arrival beyond checkpoint 1's: a flown report
    int GoesOnAt = 1;        // where the gauge goes on when it takes this report up
};

ReportSummary Summarize(const std::string& path) {
    ReportSummary summary;
    const LoadResult load = LoadReportFile(path);
    if (!load.Opened) {
        summary.Unreadable = load.OpenError;
        return summary;
    }
    summary.Empty = load.Empty;
    summary.Accepted = load.Accepted;
    summary.Whole = load.Whole;
    if (!load.Accepted) return summary;
    summary.Field01 = ReportHeader.Field01;
    summary.Field03 = ReportHeader.Field03;
    summary.Field04 = ReportHeader.Field04;
    summary.DepartureTime = ReportHeader.DepartureTime;
    summary.Checkpoints = ChkPointList.Count;
    summary.StartFuel = ChkPointList.StartFuel;
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        const TChkPoint& point = ChkPointList.Item(k);
        double hours = 0.0;
        if (!ReadTimeOfDay(point.ActualArrival, hours)) continue;
        ++summary.Times;
        const std::string ident = navlog::ShownIdent(point);
        const std::string& where = !ident.empty() ? ident : point.Name;
        summary.Last = "checkpoint " + std::to_string(k + 1) + (where.empty() ? "" : " " + Plain(where)) + " (" +
                       Plain(point.ActualArrival) + ")";
        if (k > 0) summary.Flown = true;
    }
    summary.GoesOnAt = FirstUnflownCheckpoint() + 1;
    ResetModuleState();
    return summary;
}

bool SameFlight(const ReportSummary& a, const ReportSummary& b) {
    return a.Field01 == b.Field01 && a.Field03 == b.Field03 && a.Field04 == b.Field04 &&
           a.DepartureTime == b.DepartureTime;
}

// "VQ301 ENGM ENBR, departure 07:30, 12 checkpoints"
std::string Flight(const ReportSummary& s) {
    std::string text;
    for (const std::string* field : {&s.Field01, &s.Field03, &s.Field04}) {
        if (field->empty()) continue;
        if (!text.empty()) text += ' ';
        text += Plain(*field);
    }
    if (text.empty()) text = "(header fields 1, 3 and 4 empty)";
    text += s.DepartureTime.empty() ? ", no departure time" : ", departure " + Plain(s.DepartureTime);
    return text + ", " + std::to_string(s.Checkpoints) + (s.Checkpoints == 1 ? " checkpoint" : " checkpoints");
}

// "5 checkpoint times, the last at checkpoint 5 GOLLA (08:12)"
std::string Times(const ReportSummary& s) {
    if (s.Times == 0) return "no checkpoint time";
    return std::to_string(s.Times) + (s.Times == 1 ? " checkpoint time" : " checkpoint times") + ", the last at " +
           s.Last;
}

std::string Refused(const ReportSummary& s) {
    return s.Empty ? "the file is empty" : "its first line does not hold the header";
}

// Why a restore of `s` needs --force, or empty: the gauge refuses it, cannot
// take it whole (a recovery file cut short), or the report holds more
// checkpoint times than it.
std::string Holdback(const ReportSummary& s, const ReportSummary* report) {
    if (!s.Accepted) return "the gauge refuses it (" + Refused(s) + ")";
    if (!s.Whole) return "the gauge cannot take it whole (cut short, or lines it cannot read; vqreport check tells why)";
    if (report && report->Accepted && report->Times > s.Times) {
        return std::string(ReportName) + " holds more checkpoint times: " + Times(*report) + ", against " + Times(s) +
               " here";
    }
    return std::string();
}

bool SameBytes(const std::string& a, const std::string& b);

struct RecoveryFile {
    std::string Name;
    long Number = 0;    // 0 for tolvanix-recovery.rec
    bool Kept = false;  // a tolvanix-kept-N.rec that holds a flown report
    fs::file_time_type Time;
    std::string TimeText;
    ReportSummary Summary;  // what it holds
};

// tolvanix-recovery.rec first (the one a restore takes unless told
// otherwise), then the set-aside ones and the kept flown reports, the newest first.
bool ListedBefore(const RecoveryFile& a, const RecoveryFile& b) {
    const bool firstA = a.Number == 0 && !a.Kept, firstB = b.Number == 0 && !b.Kept;
    if (firstA != firstB) return firstA;
    if (a.Time != b.Time) return a.Time > b.Time;
    return a.Number > b.Number;
}

// Why the gauge does not take a recovery file up, in words.
std::string NotTakenUp(RecoveryReason why) {
    switch (why) {
    case RecoveryReason::NotWhole: return "it does not read whole (vqreport check tells why)";
    case RecoveryReason::NoReport: return std::string("there is no ") + ReportName + " the gauge reads beside it";
    case RecoveryReason::AnotherFlight:
        return std::string(ReportName) + " holds another flight (a field the gauge never writes reads otherwise)";
    case RecoveryReason::NothingMore:
        return std::string(ReportName) + " holds every time and fuel figure it holds";
    case RecoveryReason::ReportHoldsMore:
        return std::string(ReportName) + " holds a time or fuel figure it lacks, or another one";
    case RecoveryReason::ReportNewer: return std::string(ReportName) + " was written after it";
    case RecoveryReason::None: break;
    }
    return std::string();
}

// What the gauge does at its next start in `dir`, by its own rule
// (persistence/start.h); `takenUp` tells whether it takes a flight up.
std::string NextStart(const std::string& dir, const std::string& where, bool& takenUp) {
    static StartPlan plan;  // two report digests: kept off the stack
    const std::string recoveryName = ActualName(dir, RecoveryName);
    PlanStart(InDirectory(dir, ActualName(dir, ReportName)).c_str(), InDirectory(dir, recoveryName).c_str(), plan);
    takenUp = plan.Recovery == RecoveryVerdict::TakeUp;
    std::string text = "At its next start in " + where + " the gauge will\n";
    for (const PathText* from : {&plan.ReportFrom, &plan.RecoveryFrom}) {
        if (from->empty()) continue;
        const std::string name = fs::path(std::string(*from)).filename().string();
        text += "  move " + name + " back to " + name.substr(0, name.size() - 4) +
                " (missing: a save was broken off between its two moves; this is the newer whole report)\n";
    }
    const std::string aside = " aside as " + FirstFreeName(dir, RecoveryPrefix) + ", not taken up: ";
    switch (plan.Recovery) {
    case RecoveryVerdict::None:
        text += std::string("  read ") + ReportName + " (there is no recovery file)\n";
        break;
    case RecoveryVerdict::TakeUp: {
        const ReportSummary s = Summarize(InDirectory(dir, recoveryName));
        text += "  take up the flight in " + recoveryName + " (" + Times(s) + ") and go on at checkpoint " +
                std::to_string(s.GoesOnAt) + ": start the simulator and switch the gauge on\n";
        break;
    }
    case RecoveryVerdict::MayGo: text += "  remove " + recoveryName + ": " + NotTakenUp(plan.Why) + "\n"; break;
    case RecoveryVerdict::SetAside:
    case RecoveryVerdict::NotWhole: text += "  set " + recoveryName + aside + NotTakenUp(plan.Why) + "\n"; break;
    }
    return text + "\n";
}

int List(const RecoverOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& dir = options.Directory;
    const std::string where = dir.empty() ? "the current directory" : dir;
    std::vector<RecoveryFile> files;
    std::error_code error;
    for (fs::directory_iterator entry(dir.empty() ? fs::path(".") : fs::path(dir), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        RecoveryFile file;
        file.Number = RecoveryNumber(name);
        std::error_code typeError;
        if ((file.Number < 0 && NumberIn(name, KeptPrefix) <= 0) || !entry->is_regular_file(typeError)) continue;
        file.Summary = Summarize(entry->path().string());
        // A kept copy is listed when it holds a flown report.
        file.Kept = file.Number < 0;
        if (file.Kept && !file.Summary.Flown) continue;
        file.Name = name;
        file.TimeText = WrittenAt(entry->path(), file.Time);
        files.push_back(file);
    }
    if (error) {
        err << "vqreport: cannot list " << where << ": " << error.message() << "\n";
        return ExitFailure;
    }
    std::sort(files.begin(), files.end(), ListedBefore);

    bool takenUp = false;
    out << NextStart(dir, where, takenUp);
    const std::string reportName = ActualName(dir, ReportName);
    const std::string reportPath = InDirectory(dir, reportName);
    const bool reportThere = platform::FileExists(reportPath.c_str());
    // A restore puts a file in place of a regular report file or none.
    const bool restorable = platform::KindOfFile(reportPath.c_str()) != platform::NameKind::Other;
    const ReportSummary report = Summarize(reportPath);
    // What an interrupted save left beside the report: its next save keeps it aside.
    std::string leftovers;
    for (const char* ending : {TemporaryEnding, BackupEnding}) {
        const std::string name = ActualName(dir, ReportName + std::string(ending));
        const std::string path = InDirectory(dir, name);
        if (platform::KindOfName(path.c_str()) != platform::NameKind::PlainFile) continue;
        fs::file_time_type ignored;
        leftovers += "\n" + name + "  written " + WrittenAt(fs::path(path), ignored) +
                     "  (left by an interrupted save; it may hold a whole report: the gauge's next save keeps it"
                     " as " + KeptPrefix + "N" + Extension + ")\n";
    }
    if (files.empty()) {
        out << "No recovery file in " << where << ": nothing to restore.\n" << leftovers;
        return ExitClean;
    }

    out << "Recovery files in " << where << ":\n";
    const RecoveryFile* newestSetAside = nullptr;
    const RecoveryFile* forcible = nullptr;  // the first one a restore takes only with --force
    const RecoveryFile* mainRestorable = nullptr;
    for (const RecoveryFile& file : files) {
        out << "\n" << file.Name << "  written " << file.TimeText
            << (file.Kept             ? "  (kept by the gauge: a flown report)"
                : file.Number == 0    ? "  (the last flight ended without a save)"
                                      : "  (set aside by the gauge)")
            << "\n";
        const std::string path = InDirectory(dir, file.Name);
        const ReportSummary& s = file.Summary;
        if (!s.Unreadable.empty()) {
            out << "  cannot be read: " << s.Unreadable << "\n";
            continue;
        }
        const std::string holdback = Holdback(s, reportThere ? &report : nullptr);
        if (reportThere && SameBytes(path, reportPath)) {
            out << "  the same as " << reportName << " (restored already)\n";
            continue;
        }
        if (!holdback.empty() && !forcible) forcible = &file;
        if (!s.Accepted) {
            out << "  caution: " << holdback << "; not restored without --force\n";
            continue;
        }
        const bool main = file.Number == 0 && !file.Kept;
        if (holdback.empty() && main && !mainRestorable) mainRestorable = &file;
        if (holdback.empty() && !main && !newestSetAside) newestSetAside = &file;
        out << "  flight " << Flight(s) << "\n";
        out << "  holds " << Times(s) << "; ";
        if (!reportThere) {
            out << "there is no " << ReportName << "\n";
        } else if (!report.Accepted) {
            out << ReportName << " is not a report the gauge reads\n";
        } else if (!SameFlight(s, report)) {
            out << ReportName << " holds another flight\n";
        } else {
            out << reportName << " holds " << report.Times
                << (s.StartFuel != report.StartFuel ? ", and another start fuel" : "") << "\n";
        }
        if (!holdback.empty()) out << "  caution: " << holdback << "; not restored without --force\n";
    }

    out << "\n";
    if (!reportThere) {
        out << "There is no " << ReportName << ".\n";
    } else {
        fs::file_time_type ignored;
        out << reportName << "  written " << WrittenAt(fs::path(reportPath), ignored) << "\n";
        if (!report.Unreadable.empty()) {
            out << "  cannot be read: " << report.Unreadable << "\n";
        } else if (!report.Accepted) {
            out << "  not a report the gauge reads (" << Refused(report) << ")\n";
        } else {
            out << "  flight " << Flight(report) << "\n  holds " << Times(report) << "\n";
        }
    }

    out << leftovers;
    if (!restorable) {
        out << "\n" << reportName << " is not a regular file: no restore can put a report in its place; move it"
            << " away first.\n";
        return ExitClean;
    }
    if (takenUp) {
        out << "\nNothing to restore: the gauge takes the flight up by itself.\n";
        mainRestorable = nullptr;
    }
    const std::string inDir = dir.empty() ? std::string() : " " + Argument(dir);
    const std::string keeps =
        reportThere ? " (" + reportName + " is kept as " + FirstFreeName(dir, BeforeRecoverPrefix) + ")" : std::string();
    if (mainRestorable) {
        out << "\nTo put a copy of " << mainRestorable->Name << " in place of " << reportName << keeps
            << ",\nwith the simulator closed:\n  vqreport recover --restore"
            << (mainRestorable->Name == ActualName(dir, RecoveryName) ? "" : " " + Argument(mainRestorable->Name)) << inDir << "\n";
    }
    if (newestSetAside) {
        out << "\n" << (mainRestorable || takenUp ? "Or, to restore" : "To restore") << " a set-aside or kept one, name it"
            << (mainRestorable ? "" : keeps + ",\nwith the simulator closed") << ":\n  vqreport recover --restore "
            << Argument(newestSetAside->Name) << inDir << "\n";
    }
    if (!mainRestorable && !newestSetAside && forcible && !takenUp) {
        out << "\nNo restore is recommended. To restore one all the same" << keeps
            << ",\nwith the simulator closed:\n  vqreport recover --restore --force " << Argument(forcible->Name)
            << inDir << "\n";
    }
    return ExitClean;
}

// Reads a regular file of the folder whole: a pipe or a device there is not
// read, so that nothing waits on it.
bool ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    platform::File file;
    if (!file.OpenForReading(path.c_str())) return false;
    char buffer[4096];
    std::int32_t n;
    while ((n = file.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<std::size_t>(n));
    return n == 0;
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::string first, second;
    return ReadAll(a, first) && ReadAll(b, second) && first == second;
}

// Puts `from` in place of `to`; the file it replaced goes (the report as it
// was is kept as tolvanix-before-recover-N.rec already).
bool ReplaceStep(const char* from, const char* to, const char* backup) {
    const platform::Replaced replaced = platform::ReplaceKeepingOld(from, to, backup);
    if (replaced.Done && !replaced.OldAt.empty()) platform::RemoveFile(replaced.OldAt.c_str());
    return replaced.Done;
}

// Moves a plain file left under `report` + `ending` by an interrupted save to
// the first free tolvanix-kept-N.rec in `dir`, as the gauge's save does
// before it uses the name (unless it is `source`, the file being restored,
// which the copy beside the report leaves in place). False, with `message`,
// when it cannot be moved.
bool KeepLeftover(const std::string& dir, const std::string& report, const std::string& source, const char* ending,
                  std::ostream& out, std::string& message) {
    const std::string name = report + ending;
    if (platform::KindOfName(name.c_str()) != platform::NameKind::PlainFile) return true;
    std::error_code error;
    if (fs::equivalent(fs::path(name), fs::path(source), error)) return true;  // the file being restored
    const PathText kept = ::FirstFreeName(InDirectory(dir, KeptPrefix).c_str(), Extension);
    if (!kept.empty() && platform::RenameFile(name.c_str(), kept.c_str())) {
        out << "kept " << name << " (left by an interrupted save) as " << kept.c_str() << "\n";
        return true;
    }
    message = "cannot move " + name + " (left by an interrupted save) aside to " +
              (kept.empty() ? std::string("a free tolvanix-kept-N.rec") : std::string(kept.c_str())) + ": " +
              FailureReason(platform::LastSystemError());
    return false;
}

// Copies `from` to `to` with `steps` and reads the copy back: empty when it
// holds the same bytes, or why not.
std::string CopyChecked(const RestoreSteps& steps, const std::string& from, const std::string& to) {
    if (!steps.Copy(from.c_str(), to.c_str())) return FailureReason(platform::LastSystemError());
    return SameBytes(from, to) ? std::string() : "the copy does not read back as the file";
}

int Restore(const RecoverOptions& options, std::ostream& out, std::ostream& err, const RestoreSteps& steps) {
    std::string dir = options.Directory;
    std::string source;
    if (options.File.empty()) {
        source = InDirectory(dir, ActualName(dir, RecoveryName));
    } else if (fs::path(options.File).has_parent_path()) {
        // A file of another folder is copied into DIR too, and stays where it is.
        const std::string folder = fs::path(options.File).parent_path().string();
        source = InDirectory(folder, ActualName(folder, fs::path(options.File).filename().string()));
    } else {
        source = InDirectory(dir, ActualName(dir, options.File));
    }
    if (!dir.empty() && !NamesDirectory(dir)) {
        err << "vqreport: " << dir << " is not a directory; nothing changed\n";
        return ExitFailure;
    }
    const std::string report = InDirectory(dir, ActualName(dir, ReportName));
    const std::string nothingChanged = "; nothing changed\n";
    if (platform::KindOfFile(report.c_str()) == platform::NameKind::Other) {
        err << "vqreport: " << report << " is not a regular file (a folder, a pipe or a device): the gauge reads"
            << " nothing there, and nothing is put in its place" << nothingChanged;
        return ExitFailure;
    }

    const std::string unreadable = UnreadableReason(source);
    if (!unreadable.empty()) {
        err << "vqreport: cannot restore " << source << ": " << unreadable << nothingChanged;
        return ExitFailure;
    }
    std::error_code error;
    if (fs::equivalent(fs::path(source), fs::path(report), error)) {
        err << "vqreport: " << source << " is the report file itself" << nothingChanged;
        return ExitFailure;
    }
    const bool reportThere = platform::FileExists(report.c_str());
    const ReportSummary current = reportThere ? Summarize(report) : ReportSummary();
    const ReportSummary restored = Summarize(source);
    const std::string holdback = Holdback(restored, reportThere ? &current : nullptr);
    if (!holdback.empty() && !options.Force) {
        err << "vqreport: " << source << " is not restored: " << holdback << ". Give --force to restore it all the same"
            << nothingChanged;
        return ExitFailure;
    }
    std::string sourceBytes, reportBytes;
    if (!ReadAll(source, sourceBytes)) {
        err << "vqreport: cannot read " << source << nothingChanged;
        return ExitFailure;
    }
    if (reportThere && ReadAll(report, reportBytes) && reportBytes == sourceBytes) {
        out << report << " holds the same as " << source << " already; nothing changed\n";
        return ExitClean;
    }

    // Keep the report file as it is, under a name of its own.
    std::string kept;
    if (reportThere) {
        const std::string why = UnreadableReason(report);
        if (!why.empty()) {
            err << "vqreport: " << report << " cannot be kept: " << why << nothingChanged;
            return ExitFailure;
        }
        const std::string keptName = FirstFreeName(dir, BeforeRecoverPrefix);
        if (keptName.empty()) {
            err << "vqreport: no free name " << KeptPrefix << "N" << Extension << " to keep " << report << " under"
                << nothingChanged;
            return ExitFailure;
        }
        kept = InDirectory(dir, keptName);
        const std::string copyFailure = CopyChecked(steps, report, kept);
        if (!copyFailure.empty()) {
            platform::RemoveFile(kept.c_str());
            err << "vqreport: cannot copy " << report << " to " << kept << ": " << copyFailure << nothingChanged;
            return ExitFailure;
        }
    }

    // A copy of the file, made complete beside the report, then takes its
    // place in one step. The file itself stays: if the simulator still runs,
    // its save on exit must not find the only copy of the flight gone.
    std::string message;
    if (!KeepLeftover(dir, report, source, TemporaryEnding, out, message) ||
        !KeepLeftover(dir, report, source, BackupEnding, out, message)) {
        if (!kept.empty()) platform::RemoveFile(kept.c_str());
        err << "vqreport: " << message << "; " << report << " stays as it was\n";
        return ExitFailure;
    }
    const PathText temp = UnusedNameBeside(report.c_str(), TemporaryEnding);
    const PathText backup = UnusedNameBeside(report.c_str(), BackupEnding);
    std::string failure = temp.empty() || backup.empty() ? "no free name beside " + report
                                                         : CopyChecked(steps, source, temp.c_str());
    if (!failure.empty()) {
        failure = "cannot copy " + source + " beside " + report + ": " + failure;
    } else if (!steps.Replace(temp.c_str(), report.c_str(), backup.c_str())) {
        failure = "cannot move " + std::string(temp.c_str()) + " in place of " + report + ": " +
                  FailureReason(platform::LastSystemError());
    }
    if (!failure.empty()) {
        if (!temp.empty()) platform::RemoveFile(temp.c_str());
        if (!kept.empty()) platform::RemoveFile(kept.c_str());
        err << "vqreport: " << failure << nothingChanged;
        return ExitFailure;
    }
    std::string now;
    const LoadResult load = LoadReportFile(report);
    ResetModuleState();
    if (load.Accepted != restored.Accepted || !ReadAll(report, now) || now != sourceBytes) {
        // Put the report back from its copy (or remove the one made here).
        bool undone = false;
        if (kept.empty()) {
            undone = platform::RemoveFile(report.c_str());
        } else {
            const PathText back = UnusedNameBeside(report.c_str(), TemporaryEnding);
            undone = !back.empty() && platform::CopyNewFile(kept.c_str(), back.c_str()) &&
                     ReplaceStep(back.c_str(), report.c_str(), backup.c_str()) &&
                     SameBytes(kept, report);
            if (!back.empty()) platform::RemoveFile(back.c_str());
            if (undone) platform::RemoveFile(kept.c_str());
        }
        err << "vqreport: " << report << " did not read back as " << source << " did; "
            << (undone ? report + " is as it was\n"
                       : "putting it back failed: " +
                             (kept.empty() ? "remove " + report : "the report as it was is " + kept) + "\n");
        return ExitFailure;
    }

    if (!kept.empty()) out << "kept " << report << " as " << kept << "\n";
    out << "restored a copy of " << source << " as " << report << ": flight " << Flight(restored) << "\n  holds "
        << Times(restored) << "\n";
    if (!holdback.empty()) out << "note: " << holdback << "\n";
    out << "Start the simulator and switch the gauge on: it reads " << ReportName << ".\n" << source
        << " stays (a recovery file that adds nothing to " << ReportName
        << " is removed by the gauge at its next start; one that does is set aside as " << RecoveryPrefix << "N"
        << Extension << ").\n";
    return ExitClean;
}

bool CopyStep(const char* from, const char* to) { return platform::CopyNewFile(from, to); }



}  // namespace

RestoreSteps PlatformRestoreSteps() { return RestoreSteps{CopyStep, ReplaceStep}; }

bool NamesDirectory(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(fs::path(path), error);
}

int RunRecover(const RecoverOptions& options, std::ostream& out, std::ostream& err, const RestoreSteps& steps) {
    return options.Restore ? Restore(options, out, err, steps) : List(options, out, err);
}

}  // namespace vqreport
