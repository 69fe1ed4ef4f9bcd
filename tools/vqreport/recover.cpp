#include "tools/vqreport/recover.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <vector>

#include "persistence/reset.h"
#include "platform/text_file.h"
#include "report/report.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/load.h"
#include "tools/vqreport/status.h"

namespace vqreport {

namespace fs = std::filesystem;

namespace {

// The names the gauge uses beside the report file.
const char* const ReportName = "tolvanix.rec";
const char* const RecoveryName = "tolvanix-recovery.rec";
const char* const RecoveryPrefix = "tolvanix-recovery-";
const char* const KeptPrefix = "tolvanix-before-recover-";
const char* const Extension = ".rec";

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

// 0 for "tolvanix-recovery.rec", N for "tolvanix-recovery-N.rec", -1 for any
// other name. Either case: Windows does not tell names apart by it.
long RecoveryNumber(const std::string& name) {
    if (SameNoCase(name, RecoveryName)) return 0;
    const std::size_t prefix = std::char_traits<char>::length(RecoveryPrefix);
    const std::size_t extension = std::char_traits<char>::length(Extension);
    if (name.size() <= prefix + extension || name.size() > prefix + extension + 9) return -1;
    if (!SameNoCase(name.substr(0, prefix), RecoveryPrefix)) return -1;
    if (!SameNoCase(name.substr(name.size() - extension), Extension)) return -1;
    long n = 0;
    for (std::size_t i = prefix; i < name.size() - extension; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
        n = n * 10 + (name[i] - '0');
    }
    return n > 0 ? n : -1;
}

// The first "`prefix`N.rec" from N = 1 up that does not exist in `dir`.
std::string FirstFreeName(const std::string& dir, const char* prefix) {
    for (int n = 1; n < 10000; ++n) {
        const std::string name = prefix + std::to_string(n) + Extension;
        if (!platform::FileExists(InDirectory(dir, name).c_str())) return name;
    }
    return std::string();
}

// A field value for a one-line listing: control characters as '?', cut.
std::string Plain(const std::string& text, std::size_t limit = 24) {
    std::string out;
    for (char c : text) {
        if (out.size() == limit) return out + "...";
        const unsigned char u = static_cast<unsigned char>(c);
        out += u < 32 || u == 127 ? '?' : c;
    }
    return out;
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
        const std::string& where = !point.Ident.empty() ? point.Ident : !point.AltIdent.empty() ? point.AltIdent
                                                                                                 : point.Name;
        summary.Last = "checkpoint " + std::to_string(k + 1) + (where.empty() ? "" : " " + Plain(where)) + " (" +
                       Plain(point.ActualArrival) + ")";
    }
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

struct RecoveryFile {
    std::string Name;
    long Number = 0;  // 0 for tolvanix-recovery.rec
    fs::file_time_type Time;
    std::string TimeText;
};

// tolvanix-recovery.rec first (the one a restore takes unless told
// otherwise), then the set-aside ones, the newest first.
bool ListedBefore(const RecoveryFile& a, const RecoveryFile& b) {
    if ((a.Number == 0) != (b.Number == 0)) return a.Number == 0;
    if (a.Time != b.Time) return a.Time > b.Time;
    return a.Number > b.Number;
}

int List(const RecoverOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& dir = options.Directory;
    const std::string where = dir.empty() ? "the current directory" : dir;
    std::vector<RecoveryFile> files;
    std::error_code error;
    for (fs::directory_iterator entry(dir.empty() ? fs::path(".") : fs::path(dir), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const long number = RecoveryNumber(name);
        std::error_code typeError;
        if (number < 0 || !entry->is_regular_file(typeError)) continue;
        RecoveryFile file;
        file.Name = name;
        file.Number = number;
        file.TimeText = WrittenAt(entry->path(), file.Time);
        files.push_back(file);
    }
    if (error) {
        err << "vqreport: cannot list " << where << ": " << error.message() << "\n";
        return ExitFailure;
    }
    std::sort(files.begin(), files.end(), ListedBefore);

    const std::string reportPath = InDirectory(dir, ReportName);
    const bool reportThere = platform::FileExists(reportPath.c_str());
    const ReportSummary report = Summarize(reportPath);
    // What an interrupted save left beside the report: its next save keeps it aside.
    std::string leftovers;
    for (const char* ending : {".new", ".old"}) {
        const std::string name = ReportName + std::string(ending);
        const std::string path = InDirectory(dir, name);
        if (platform::KindOfName(path.c_str()) != platform::NameKind::PlainFile) continue;
        fs::file_time_type ignored;
        leftovers += "\n" + name + "  written " + WrittenAt(fs::path(path), ignored) +
                     "  (left by an interrupted save; it may hold a whole report: the gauge's next save keeps it"
                     " as tolvanix-kept-N.rec)\n";
    }
    if (files.empty()) {
        out << "No recovery file in " << where << ": nothing to restore.\n" << leftovers;
        return ExitClean;
    }

    out << "Recovery files in " << where << ":\n";
    const RecoveryFile* newestSetAside = nullptr;
    bool mainRestorable = false;
    for (const RecoveryFile& file : files) {
        out << "\n" << file.Name << "  written " << file.TimeText
            << (file.Number == 0 ? "  (the last flight ended without a save)" : "  (set aside by the gauge)") << "\n";
        const ReportSummary s = Summarize(InDirectory(dir, file.Name));
        if (!s.Unreadable.empty()) {
            out << "  cannot be read: " << s.Unreadable << "\n";
            continue;
        }
        if (!s.Accepted) {
            out << "  not a report the gauge reads (" << Refused(s) << "); it cannot be restored\n";
            continue;
        }
        if (file.Number == 0) {
            mainRestorable = true;
        } else if (!newestSetAside) {
            newestSetAside = &file;
        }
        out << "  flight " << Flight(s) << "\n";
        out << "  holds " << Times(s) << "; ";
        if (!reportThere) {
            out << "there is no " << ReportName << "\n";
        } else if (!report.Accepted) {
            out << ReportName << " is not a report the gauge reads\n";
        } else if (!SameFlight(s, report)) {
            out << ReportName << " holds another flight\n";
        } else {
            out << ReportName << " holds " << report.Times
                << (s.StartFuel != report.StartFuel ? ", and another start fuel" : "") << "\n";
        }
        if (!s.Whole) out << "  note: the gauge cannot take it whole (vqreport check " << file.Name << " tells why)\n";
    }

    out << "\n";
    if (!reportThere) {
        out << "There is no " << ReportName << ".\n";
    } else {
        fs::file_time_type ignored;
        out << ReportName << "  written " << WrittenAt(fs::path(reportPath), ignored) << "\n";
        if (!report.Unreadable.empty()) {
            out << "  cannot be read: " << report.Unreadable << "\n";
        } else if (!report.Accepted) {
            out << "  not a report the gauge reads (" << Refused(report) << ")\n";
        } else {
            out << "  flight " << Flight(report) << "\n  holds " << Times(report) << "\n";
        }
    }

    out << leftovers;
    const std::string inDir = dir.empty() ? std::string() : " " + Argument(dir);
    const std::string keeps =
        reportThere ? std::string(" (") + ReportName + " is kept as " + FirstFreeName(dir, KeptPrefix) + ")"
                    : std::string();
    if (mainRestorable) {
        out << "\nTo put " << RecoveryName << " in place of " << ReportName << keeps
            << ",\nwith the simulator closed:\n  vqreport recover --restore" << inDir << "\n";
    }
    if (newestSetAside) {
        out << "\n" << (mainRestorable ? "Or, to restore" : "To restore") << " a set-aside one, name it"
            << (mainRestorable ? "" : keeps + ",\nwith the simulator closed") << ":\n  vqreport recover --restore "
            << Argument(newestSetAside->Name) << inDir << "\n";
    }
    return ExitClean;
}

bool ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::string first, second;
    return ReadAll(a, first) && ReadAll(b, second) && first == second;
}

int Restore(const RecoverOptions& options, std::ostream& out, std::ostream& err, const RestoreSteps& steps) {
    std::string dir = options.Directory;
    std::string source;
    if (options.File.empty()) {
        source = InDirectory(dir, RecoveryName);
    } else if (fs::path(options.File).has_parent_path()) {
        source = options.File;
        if (dir.empty()) dir = fs::path(options.File).parent_path().string();
    } else {
        source = InDirectory(dir, options.File);
    }
    if (!dir.empty() && !NamesDirectory(dir)) {
        err << "vqreport: " << dir << " is not a directory; nothing changed\n";
        return ExitFailure;
    }
    const std::string report = InDirectory(dir, ReportName);
    const std::string nothingChanged = "; nothing changed\n";

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
    const ReportSummary restored = Summarize(source);
    if (!restored.Accepted) {
        err << "vqreport: " << source << " is not a report the gauge reads (" << Refused(restored)
            << "); it cannot take the place of " << ReportName << nothingChanged;
        return ExitFailure;
    }
    std::string sourceBytes;
    if (!ReadAll(source, sourceBytes)) {
        err << "vqreport: cannot read " << source << nothingChanged;
        return ExitFailure;
    }

    // Keep the report file as it is, under a name of its own.
    std::string kept;
    if (platform::FileExists(report.c_str())) {
        const std::string why = UnreadableReason(report);
        if (!why.empty()) {
            err << "vqreport: " << report << " cannot be kept: " << why << nothingChanged;
            return ExitFailure;
        }
        const std::string keptName = FirstFreeName(dir, KeptPrefix);
        if (keptName.empty()) {
            err << "vqreport: no free name " << KeptPrefix << "N" << Extension << " to keep " << report << " under"
                << nothingChanged;
            return ExitFailure;
        }
        kept = InDirectory(dir, keptName);
        if (!steps.Copy(report.c_str(), kept.c_str()) || !SameBytes(report, kept)) {
            platform::RemoveFile(kept.c_str());
            err << "vqreport: cannot copy " << report << " to " << kept << nothingChanged;
            return ExitFailure;
        }
    }

    // Then the recovery file takes its place in one step, and is gone from
    // where the gauge would see it as a flight that ended without a save.
    if (!steps.Replace(source.c_str(), report.c_str(), (report + ".old").c_str())) {
        if (!kept.empty()) platform::RemoveFile(kept.c_str());
        err << "vqreport: cannot move " << source << " to " << report << nothingChanged;
        return ExitFailure;
    }
    std::string now;
    const LoadResult load = LoadReportFile(report);
    ResetModuleState();
    if (!load.Accepted || !ReadAll(report, now) || now != sourceBytes) {
        // Put both back: the recovery file where it was, the report from its copy.
        bool undone = std::rename(report.c_str(), source.c_str()) == 0;
        if (undone && !kept.empty()) {
            undone = platform::CopyNewFile(kept.c_str(), report.c_str()) && SameBytes(kept, report);
            if (undone) platform::RemoveFile(kept.c_str());
        }
        if (undone) {
            err << "vqreport: " << report << " did not read back as " << source << " did; both put back as they were\n";
        } else {
            err << "vqreport: " << report << " did not read back as " << source << " did, and putting them back failed: "
                << (kept.empty() ? std::string() : "the report as it was is " + kept + ", ")
                << "the recovery file is " << (platform::FileExists(source.c_str()) ? source : report) << "\n";
        }
        return ExitFailure;
    }

    if (!kept.empty()) out << "kept " << report << " as " << kept << "\n";
    out << "restored " << source << " as " << report << ": flight " << Flight(restored) << "\n  holds "
        << Times(restored) << "\n";
    if (!load.Whole) {
        out << "note: the gauge cannot take " << report << " whole; vqreport check " << Argument(report)
            << " tells why\n";
    }
    out << "Start the simulator and switch the gauge on: it reads " << ReportName << ".\n";
    return ExitClean;
}

bool CopyStep(const char* from, const char* to) { return platform::CopyNewFile(from, to); }

bool ReplaceStep(const char* from, const char* to, const char* backup) {
    return platform::ReplaceFileSafely(from, to, backup);
}

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
