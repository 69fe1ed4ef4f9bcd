#include "host/vqsim/simulator.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/numbers.h"
#include "host/module_file.h"
#include "host/panel_host.h"
#include "host/vqsim/clock_time.h"
#include "host/vqsim/face.h"
#include "host/vqsim/flight_plan.h"
#include "host/vqsim/navlog.h"
#include "host/vqsim/paths.h"
#include "host/vqsim/picture.h"
#include "host/vqsim/route_map.h"
#include "platform/text_file.h"
#include "report/file_names.h"

namespace vqsim {

namespace {

constexpr long long TrackSampleSeconds = 30;
constexpr int BackgroundResource = 100;
constexpr std::size_t LineCapacity = 64;  // more than any line's characters and zero

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

// The log: each line to the output (display changes unless quiet) and to the
// log file in the output directory; and a progress line on a terminal, cleared
// before anything else is written.
class Log {
public:
    Log(std::FILE* out, std::FILE* err, bool quiet) : Out(out), Err(err), Quiet(quiet) {}
    ~Log() {
        if (File) std::fclose(File);
    }
    bool Open(const std::string& path, bool append, std::string& error) {
        File = std::fopen(path.c_str(), append ? "a" : "w");
        Path = path;
        if (!File) error = "cannot write the log " + path + ": " + std::strerror(errno);
        return File != nullptr;
    }
    // Closes the log file; false with a message when it was not written whole.
    bool Close(std::string& error) {
        if (!File) return true;
        const bool written = !std::ferror(File);
        const bool closed = std::fclose(File) == 0;
        File = nullptr;
        if (!written || !closed) error = "cannot write the log " + Path + ": " + std::strerror(errno);
        return written && closed;
    }
    void Display(const std::string& line) {
        if (!Quiet) Write(Out, line);
        Write(File, line);
    }
    void Line(const std::string& line) {
        Write(Out, line);
        Write(File, line);
    }
    void FileOnly(const std::string& text) {
        if (File) std::fputs(text.c_str(), File);
    }
    void Progress(const std::string& text) {
        std::fprintf(Err, "\r%s", text.c_str());
        std::fflush(Err);
        ProgressLength = text.size();
    }
    void EndProgress() {
        if (ProgressLength == 0) return;
        std::fprintf(Err, "\r%*s\r", static_cast<int>(ProgressLength), "");
        std::fflush(Err);
        ProgressLength = 0;
    }

private:
    void Write(std::FILE* stream, const std::string& line) {
        if (!stream) return;
        if (stream == Out) EndProgress();
        std::fputs(line.c_str(), stream);
        std::fputc('\n', stream);
        if (stream == Out && ProgressShown()) std::fflush(stream);
    }
    bool ProgressShown() const { return ProgressLength > 0; }
    std::FILE* Out;
    std::FILE* Err;
    std::FILE* File = nullptr;
    std::string Path;
    bool Quiet;
    std::size_t ProgressLength = 0;
};

// Face pictures: the font and background, and the names already used.
struct FacePictures {
    bool Enabled = false;
    TrueTypeFont Font;
    RgbPicture Background;
    int Scale = 3;
    std::vector<std::string> Written;
};

// The report file as it stands, to tell whether the gauge has written it since.
struct FileState {
    bool Present = false;
    WriteStamp Stamp;
    std::string Bytes;
    bool operator==(const FileState& other) const {
        return Present == other.Present && Stamp == other.Stamp && Bytes == other.Bytes;
    }
};

// The state of the report file, taken before a click or the kill: a write
// after it must get a later time, also where the file system's clock moves
// in steps of some milliseconds, so the simulator waits for that long.
FileState StateBeforeWrite(const char* path) {
    FileState state;
    std::string error;
    state.Stamp = WriteStampOf(path);
    state.Present = ReadWholeFile(path, state.Bytes, error);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return state;
}

void Warn(std::FILE* err, const std::string& message) { std::fprintf(err, "vqsim: warning: %s\n", message.c_str()); }

bool HeaderIsComplete(const ModuleLinkage& linkage, std::string& missing) {
    const GaugeHeader& g = *linkage.Gauge;
    if (!linkage.ModuleInit || !linkage.ModuleDeinit) missing = "module init or deinit routine";
    else if (!g.Install) missing = "install routine";
    else if (!g.Kill) missing = "kill routine";
    else if (!g.Update || !g.Draw || !g.Initialize || !g.Generate || !g.Query) missing = "update, draw, initialize, generate or query routine";
    return missing.empty();
}

class FlightRun {
public:
    FlightRun(const Options& options, FlightPlan& plan, host::PanelHost& host, Log& log, FacePictures& faces,
              std::FILE* err)
        : Config(options), Plan(plan), Aircraft(*plan.Aircraft), Host(host), Journal(log), Faces(faces), Err(err) {
        for (auto& line : Shown) line[0] = '\0';
        for (const PilotEvent& event : plan.Events) {
            if (event.Command != "face") LastClickSecond = event.Second;
        }
        BeforeLastClick = StateBeforeWrite(ReportName);
    }

    // Flies from the start to the end (or the crash); true unless it crashed.
    bool Fly(RunOutcome& outcome);

    std::vector<GeoPoint> Track;
    std::vector<ArrivalMark> Arrivals;
    std::map<int, std::string> LegTimesShown;  // checkpoint number: the flown leg time line 2 last showed
    FileState BeforeLastClick;                  // the report file before the last click that reached the gauge
    long long LastClickOfDay = -1;
    long long LastClickSecond = 0;              // of the script's last click
    std::vector<std::string> Unwritten;         // files of the run that could not be written, with why
    long long StartFrame = 0;                   // the first frame flown (after a restart, the crash's)
    double FuelGiven = 0.0;                     // the fuel on board the host last told the gauge
    double StoredFuel = -1.0;                   // the fuel on board at the pilot's store-fuel click
    double SummaryFuel = -1.0;                  // and at the fuel summary

private:
    long long OfDay(long long frame) const { return Plan.StartOfDay + frame / FramesPerSecond; }
    void Execute(const PilotEvent& event, long long frame, const GeoPoint& here);
    void AfterFrame(long long frame, const GeoPoint& here);
    void TakeFace(long long frame);
    void FlushLog(long long frame);
    // The checkpoint nearest to a point, counted from 1 (0 when none has a position).
    int NearestCheckpoint(const GeoPoint& point) const;
    void Progress(long long frame, long long lastFrame, bool done);

    const Options& Config;
    FlightPlan& Plan;
    const Flight& Aircraft;
    host::PanelHost& Host;
    Log& Journal;
    FacePictures& Faces;
    std::FILE* Err;

    char Shown[3][LineCapacity];
    bool MarkShown = false;
    long long FaceFrame = -1;       // take a picture after this frame's builds
    std::string FaceName;           // its name, empty: from the checkpoint number
    GeoPoint FaceNear;              // where the arrival was seen, to name the picture by
    bool LogPending = false;        // the display changed since the last log line
    bool FuelOut = false;
    bool ShowProgress = false;
    std::chrono::steady_clock::time_point LastProgress;
};

bool FlightRun::Fly(RunOutcome& outcome) {
    const long long lastFrame = Plan.EndSecond * FramesPerSecond;
    const long long crashFrame = Plan.CrashSecond < 0 ? -1 : Plan.CrashSecond * FramesPerSecond;
    const std::vector<PilotEvent>& events = Plan.Events;
    std::size_t nextEvent = 0;
    ShowProgress = IsTerminal(Err) && Plan.EndSecond > 3600;
    const auto start = std::chrono::steady_clock::now();
    LastProgress = start;
    bool crashed = false;
    long long frame = StartFrame;
    for (; frame <= lastFrame; ++frame) {
        if (frame == crashFrame) {
            FlushLog(frame - 1);
            Journal.Line(ClockText(OfDay(frame)) +
                         "  the host crashes: no more calls to the module (no kill, no module deinit)");
            crashed = true;
            break;
        }
        const double elapsed = double(frame) / FramesPerSecond;
        const GeoPoint here = Aircraft.PositionAt(elapsed);
        if (frame % FramesPerSecond == 0) {
            // The simulator's clock shows whole seconds.
            const long long second = frame / FramesPerSecond;
            const long long ofDay = (Plan.StartOfDay + second) % SecondsPerDay;
            Host.SetClock(static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60), double(ofDay % 60));
            double tanks[3];
            Aircraft.FuelAt(elapsed, tanks);
            Host.SetFuel(tanks[0], tanks[1], tanks[2]);
            FuelGiven = tanks[0] + tanks[1] + tanks[2];
            if (!FuelOut && tanks[0] + tanks[1] + tanks[2] <= 0.0 && Aircraft.Settings().BurnPerHour > 0.0) {
                FuelOut = true;
                Journal.Line(ClockText(ofDay) + "  the tanks are empty (the aircraft flies on: vqsim has no engines)");
            }
            if (second % TrackSampleSeconds == 0) Track.push_back(here);
            if (ShowProgress && second % 64 == 0) Progress(frame, lastFrame, false);
        }
        Host.SetAircraftPosition(here.LatitudeDegrees, here.LongitudeDegrees);
        while (nextEvent < events.size() && events[nextEvent].Second * FramesPerSecond <= frame) {
            Execute(events[nextEvent++], frame, here);
        }
        Host.Update();
        Host.Frame();
        Host.Draw();
        AfterFrame(frame, here);
    }
    const auto stop = std::chrono::steady_clock::now();
    FlushLog(frame - 1);
    if (ShowProgress) Progress(frame, lastFrame, true);
    Track.push_back(Aircraft.PositionAt(double(frame) / FramesPerSecond));
    outcome.Crashed = crashed;
    outcome.Frames = frame - StartFrame;
    outcome.SimulatedSeconds = double(frame - StartFrame) / FramesPerSecond;
    outcome.WallSeconds = std::chrono::duration<double>(stop - start).count();
    outcome.Pictures = Faces.Written;
    return !crashed;
}

void FlightRun::Execute(const PilotEvent& event, long long frame, const GeoPoint& here) {
    const std::string when = ClockText(OfDay(frame)) + "  ";
    const std::string note = event.Note.empty() ? "" : "  (" + event.Note + ")";
    if (event.Command == "face") {
        FlushLog(frame - 1);
        FaceFrame = frame;
        FaceName = "face-" + ClockText(OfDay(frame)).erase(5, 1).erase(2, 1) + ".png";
        return;
    }
    const int area = Host.MouseAreasLive() ? AreaAt(Host.MouseList(), event.X, event.Y) : -1;
    const std::string what = event.Command == "click" ? "click" : "click " + event.Command;
    if (area < 0) {
        Journal.Line(when + what + " at (" + std::to_string(event.X) + "," + std::to_string(event.Y) +
                     ") lands on no mouse area of the gauge" + note);
        return;
    }
    FlushLog(frame - 1);
    Journal.Line(when + what + note);
    // The last clicks only: the wait is not needed before the others.
    if (event.Second >= LastClickSecond) BeforeLastClick = StateBeforeWrite(ReportName);
    LastClickOfDay = OfDay(frame);
    const MouseArea& record = Host.MouseList()[area];
    record.Callback(0, record.EventFlags);
    if (event.Command == "store-fuel") StoredFuel = FuelGiven;
    if (event.Command == "fuel-summary") SummaryFuel = FuelGiven;
    if (event.Command == "mark") {
        Arrivals.push_back(ArrivalMark{here, ClockText(OfDay(frame)) + " by hand", true});
        FaceFrame = frame;
        FaceName.clear();
        FaceNear = here;
    }
}

void FlightRun::AfterFrame(long long frame, const GeoPoint& here) {
    bool changed = false;
    for (int i = 0; i < 3; ++i) {
        const char* text = Host.Line(i + 1)->Buffer;
        if (std::strncmp(text, Shown[i], LineCapacity - 1) != 0) {
            changed = true;
            std::strncpy(Shown[i], text, LineCapacity - 1);
            Shown[i][LineCapacity - 1] = '\0';
        }
    }
    if (changed) {
        LogPending = true;
        // "05/09 FINSE" over "250   21 00:03 00:02": checkpoint 5 was flown in 00:02.
        const std::size_t digits = std::strspn(Shown[0], "0123456789");
        const std::string line2 = Shown[1];
        if (digits > 0 && Shown[0][digits] == '/' && line2.size() >= 5 && line2.find(':', line2.size() - 5) != std::string::npos &&
            line2.compare(line2.size() - 5, 5, "--:--") != 0) {
            LegTimesShown[std::atoi(Shown[0])] = line2.substr(line2.find_first_not_of(' ', line2.size() - 5));
        }
        const bool mark = std::strcmp(Shown[2], "#") == 0;
        if (mark && !MarkShown) {
            // The times are taken; lines 1 and 2 show them from the next frame.
            Arrivals.push_back(ArrivalMark{here, ClockText(OfDay(frame)), false});
            Track.push_back(here);
            FaceFrame = frame + 1;
            FaceName.clear();
            FaceNear = here;
        }
        MarkShown = mark;
    }
    if (FaceFrame >= 0 && frame >= FaceFrame) TakeFace(frame);
    // One log line per second at most: the display as it stands at the end
    // of a second in which it changed.
    if (LogPending && frame % FramesPerSecond == FramesPerSecond - 1) FlushLog(frame);
}

void FlightRun::FlushLog(long long frame) {
    if (!LogPending) return;
    LogPending = false;
    Journal.Display(DisplayLogLine(OfDay(frame), Shown[0], Shown[1], Shown[2]));
}

void FlightRun::TakeFace(long long frame) {
    FaceFrame = -1;
    if (!Faces.Enabled) return;
    std::string name = FaceName;
    if (name.empty()) {
        // Named by the checkpoint number that line 1 shows ("03/09 ...").
        const char* line1 = Shown[0];
        std::size_t digits = 0;
        while (line1[digits] >= '0' && line1[digits] <= '9') ++digits;
        if (digits > 0 && line1[digits] == '/') {
            name = "face-" + std::string(line1, digits);
        } else {
            // Line 1 shows no number (the greeting): the checkpoint the aircraft is at.
            const int k = NearestCheckpoint(FaceNear);
            name = (k < 10 ? "face-0" : "face-") + std::to_string(k);
        }
        std::string unique = name + ".png";
        for (int n = 2; std::find(Faces.Written.begin(), Faces.Written.end(), unique) != Faces.Written.end(); ++n) {
            unique = name + "-" + std::to_string(n) + ".png";
        }
        name = unique;
    }
    const ImageElement* top = Host.Top();
    std::vector<FaceText> texts;
    for (int i = 1; i <= 3; ++i) {
        const TextElement& element = *Host.Line(i);
        FaceText text;
        text.X = element.Header.X - top->Header.X;
        text.Y = element.Header.Y - top->Header.Y;
        text.Width = static_cast<int>(element.BoxWidth);
        text.Height = static_cast<int>(element.BoxHeight);
        text.TextColour = element.TextColour;
        text.BackgroundColour = element.BackgroundColour;
        text.DrawFlags = element.DrawFlags;
        text.CharacterCount = static_cast<int>(element.CharacterCount);
        text.Text = Shown[i - 1];
        texts.push_back(text);
    }
    std::string error;
    if (!WritePng(DrawFace(Faces.Background, texts, Faces.Font, Faces.Scale), name, error)) {
        Warn(Err, error);
        Unwritten.push_back(error);
        return;
    }
    Faces.Written.push_back(name);
    Journal.FileOnly(ClockText(OfDay(frame)) + "  picture " + name + "\n");
}

int FlightRun::NearestCheckpoint(const GeoPoint& point) const {
    int nearest = 0;
    double best = 0.0;
    const auto& checkpoints = Plan.Report.Checkpoints;
    for (std::size_t k = 0; k < checkpoints.size(); ++k) {
        if (!HasPosition(checkpoints[k])) continue;
        const double d = std::hypot(checkpoints[k].Latitude - point.LatitudeDegrees, checkpoints[k].Longitude - point.LongitudeDegrees);
        if (nearest == 0 || d < best) {
            nearest = static_cast<int>(k) + 1;
            best = d;
        }
    }
    return nearest;
}

void FlightRun::Progress(long long frame, long long lastFrame, bool done) {
    if (done) {
        Journal.EndProgress();
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - LastProgress < std::chrono::seconds(1)) return;
    LastProgress = now;
    std::fflush(stdout);
    std::string percent = std::to_string(100 * frame / std::max(1LL, lastFrame)) + "%";
    percent.insert(0, percent.size() < 4 ? 4 - percent.size() : 0, ' ');
    Journal.Progress("vqsim: " + ClockText(OfDay(frame)) + ", " + percent + " of the flight");
}

// Loads the font and the background. False with a message for a font or a
// background the user gave that cannot be used; the defaults only warn.
bool SetUpPictures(const Options& options, const host::ModuleFile& module, const std::string& modulePath,
                   FacePictures& faces, std::string& error, std::FILE* err) {
    if (!options.Pictures) return true;
    std::vector<std::string> fonts = options.Font.empty() ? DefaultFontPaths() : std::vector<std::string>{options.Font};
    std::string fontErrors;
    bool loaded = false;
    for (const std::string& path : fonts) {
        if (faces.Font.Load(path, error)) {
            loaded = true;
            break;
        }
        fontErrors += (fontErrors.empty() ? "" : "; ") + error;
    }
    if (!loaded && !options.Font.empty()) {
        error = "--font: " + fontErrors;
        return false;
    }
    if (!loaded) {
        Warn(err, "no pictures of the face: " + fontErrors + " (install fonts-liberation or give --font FILE)");
        return true;
    }
    faces.Scale = options.Scale;
    if (!options.Background.empty()) {
        if (!LoadBitmapFile(options.Background, faces.Background, error)) {
            error = "--background: " + error;
            return false;
        }
    } else if (!LoadModuleBitmap(module.Linkage, BackgroundResource, faces.Background, error)) {
        // A shared object keeps its picture beside it.
        std::string besideError;
        if (!LoadBitmapFile(PictureBesideModule(modulePath), faces.Background, besideError) &&
            !LoadBitmapFile(BesideModule(modulePath, "background.bmp"), faces.Background, besideError)) {
            Warn(err, "the face is drawn on a plain background: " + besideError);
            faces.Background = PlainBackground();
        }
    }
    faces.Enabled = true;
    return true;
}

// Where the run's files are, as the user named the output directory.
std::string OutPath(const Options& options, const std::string& name) { return Joined(options.OutDir, name); }

// What of the flight the simulator saw `report` lacks, in words, empty when
// nothing: every flown leg time the display showed, the fuel on board when
// the pilot stored it, and the fuel used at the fuel summary, by the
// simulator's own fuel model.
std::string Missing(const FlightRun& run, const ReportCopy* report) {
    std::string missing, times;
    const int count = report ? static_cast<int>(report->Checkpoints.size()) : 0;
    for (const auto& [number, shown] : run.LegTimesShown) {
        if (number <= count && std::string(report->Checkpoints[number - 1].ActualLegTime) == shown) continue;
        times += (times.empty() ? " " : ", ") + std::to_string(number) +
                 (number <= count ? " (" + ShownIdent(report->Checkpoints[number - 1]) + ")" : std::string()) + " " + shown;
    }
    if (!times.empty()) missing = "the flown leg times the display showed:" + times;
    const auto add = [&missing](const std::string& what) { missing += (missing.empty() ? "" : "; ") + what; };
    const double stored = run.StoredFuel;
    if (stored >= 0.0 && !(report && std::fabs(report->StartFuel - stored) <= 1e-6 * std::max(1.0, stored))) {
        add("the start fuel " + cli::FixedText(stored, 6));
    }
    if (stored >= 0.0 && run.SummaryFuel >= 0.0) {
        const std::string used = std::to_string(static_cast<long long>(stored - run.SummaryFuel));
        if (!report || std::string(report->Header.FuelUsed) != used) add("the fuel used " + used);
    }
    return missing;
}

// What the report on disk lacks of the flight after the kill, empty when
// nothing: the gauge must have written it after the last click, holding the
// whole flight.
std::string LostBySave(const FlightRun& run, const ReportCopy& report, bool haveReport) {
    std::string lost;
    FileState now;
    std::string error;
    now.Stamp = WriteStampOf(ReportName);
    now.Present = ReadWholeFile(ReportName, now.Bytes, error);
    if (now == run.BeforeLastClick) {
        lost = "was not written after the last click" +
               (run.LastClickOfDay >= 0 ? " (" + ClockText(run.LastClickOfDay) + ")" : std::string()) +
               (platform::IsReadOnlyFile(ReportName) ? " (it is read-only, and the gauge does not replace a read-only report)"
                                                     : "");
    }
    const std::string missing = Missing(run, haveReport ? &report : nullptr);
    if (!missing.empty()) lost += (lost.empty() ? "lacks " : "; it lacks ") + missing;
    return lost;
}

// Tells of each copy the gauge kept during the run (an earlier run's were
// moved aside or stopped it) and why, as far as the simulator can tell.
void TellKeptCopies(const Options& options, const FlightPlan& plan, Log& log) {
    std::vector<std::string> names;
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator(".", code)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(KeptPrefix, 0) == 0 && IsKeptFile(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string bytes, error;
        ReadWholeFile(name, bytes, error);
        log.Line("The gauge kept a copy, " + OutPath(options, name) + ": " +
                 (bytes != plan.ReportBytes ? "a file it had not written, found under the report's name or a temporary "
                                              "name (the report changed on disk during the flight, or a save was broken off)"
                  : !plan.Report.Whole      ? "the report as given, which the gauge does not take as written (vqreport check "
                                              "tells why)"
                                            : "the report as given, which the gauge could not read whole when switched on") +
                 ".");
    }
}

// The map, the nav-log and what the gauge left. False when the run did not
// give the user what it should: the gauge's save missing, or a file unwritten.
bool Finish(const Options& options, const FlightPlan& plan, FlightRun& run, const RunOutcome& outcome, Log& log,
            std::FILE* err) {
    std::string error;
    std::vector<std::string>& unwritten = run.Unwritten;
    bool mapWritten = options.Pictures;
    // The map.
    if (options.Pictures) {
        const auto& cps = plan.Report.Checkpoints;
        const std::string title = std::string(cps.front().Name) + " to " + std::string(cps.back().Name) +
                                  (outcome.Crashed ? " (broken off)" : "");
        if (!WriteWholeFile("route.svg", RouteMapSvg(cps, plan.Path, run.Track, run.Arrivals, title), error)) {
            mapWritten = false;
            Warn(err, error);
            unwritten.push_back(error);
        }
    }
    log.Line("");
    const std::string report = OutPath(options, ReportName), recoveryFile = OutPath(options, RecoveryName);
    ReportCopy flown, recovery;
    std::string ignored;
    const bool haveReport = ReadReportCopy(ReportName, ReportName, flown, error);
    const bool haveRecovery = ReadReportCopy(RecoveryName, RecoveryName, recovery, ignored);
    const std::string inRecovery = haveRecovery ? Missing(run, &recovery) : std::string();
    std::string lost;  // what the run failed to find kept, in words
    if (outcome.Crashed) {
        std::string now;
        ReadWholeFile(ReportName, now, ignored);
        log.Line("The flight was broken off. " + report +
                 (now == plan.ReportBytes ? " is still the report as given (the gauge saved nothing)."
                                          : " is as the gauge last saved it."));
        const std::string inReport = Missing(run, haveReport ? &flown : nullptr);
        if (haveRecovery && inRecovery.empty()) {
            log.Line("The gauge's recovery file " + recoveryFile + " holds the flight: the gauge takes it up at its"
                     " next start (vqsim --restart" + (options.OutDir == "out" ? "" : " --out " + options.OutDir) +
                     " flies on).");
        } else if (haveRecovery) {
            lost = "its recovery file " + recoveryFile + " lacks " + inRecovery;
        } else if (!inReport.empty()) {
            lost = "the gauge left no recovery file after a stamp, and " + report + " lacks " + inReport;
        } else {
            log.Line("The gauge left no recovery file: " + report + " holds the flight as far as it went.");
        }
    } else {
        if (!haveReport) Warn(err, "the gauge's report: " + error);
        lost = LostBySave(run, flown, haveReport);
        if (!lost.empty()) {
            lost = report + " " + lost + "; " +
                   (haveRecovery && inRecovery.empty() ? "its recovery file " + recoveryFile + " holds the flight"
                    : haveRecovery ? "its recovery file " + recoveryFile + " lacks " + inRecovery
                                   : std::string("no recovery file holds it"));
        } else if (platform::FileExists(RecoveryName)) {
            lost = "the save left the recovery file " + recoveryFile + ", which a save that wrote all it holds removes";
        }
    }
    TellKeptCopies(options, plan, log);
    const bool fromRecovery = outcome.Crashed && haveRecovery;
    if (haveReport || fromRecovery) {
        const std::string table = NavLogTable(fromRecovery ? recovery : flown);
        log.Line(std::string(fromRecovery       ? "The gauge's recovery file "
                             : outcome.Crashed  ? "The report on disk "
                             : lost.empty()     ? "The report as the gauge wrote it, "
                                                : "The report on disk, which the gauge did NOT save, ") +
                 (fromRecovery ? recoveryFile : report) + ":");
        log.Line("");
        log.Line(table);
        if (!outcome.Crashed && lost.empty() && !WriteWholeFile("navlog.txt", table, error)) {
            Warn(err, error);
            unwritten.push_back(error);
        }
    }
    log.Line("Simulated " + HoursMinutesText(static_cast<long long>(outcome.SimulatedSeconds)) + " (" +
             std::to_string(outcome.Frames) + " frames) in " + cli::FixedText(outcome.WallSeconds, 2) + " s: " +
             cli::FixedText(outcome.WallSeconds > 0 ? outcome.SimulatedSeconds / outcome.WallSeconds : 0.0, 0) +
             " times real time.");
    if (!outcome.Crashed && lost.empty()) {
        log.Line("Report: " + report + "   nav-log: " + OutPath(options, "navlog.txt"));
    }
    if (!outcome.Pictures.empty()) {
        log.Line("Face pictures: " + OutPath(options, outcome.Pictures.front()) +
                 (outcome.Pictures.size() > 1 ? " ... " + outcome.Pictures.back() : std::string()) + " (" +
                 std::to_string(outcome.Pictures.size()) + ")");
    }
    if (mapWritten) log.Line("Map: " + OutPath(options, "route.svg"));
    log.Line("Log: " + OutPath(options, LogFileName));
    if (!lost.empty()) {
        const std::string message =
            (outcome.Crashed ? "the crash lost what the gauge had: " : "the gauge did not save the flight: ") + lost;
        log.FileOnly("vqsim: " + message + "\n");
        std::fprintf(err, "vqsim: %s\n", message.c_str());
    }
    for (const std::string& failure : unwritten) log.FileOnly("vqsim: not written: " + failure + "\n");
    return lost.empty() && unwritten.empty();
}

std::string CrashRecordText(const CrashRecord& record) {
    char fuel[40];
    std::snprintf(fuel, sizeof fuel, "%.17g", record.StoredFuel);
    std::string text = "# vqsim: a run stopped by --crash-at; vqsim --restart flies on from here\nfolder " +
                       record.Folder + "\nsecond " + std::to_string(record.Second) + "\nstored-fuel " + fuel + "\n";
    for (const auto& [number, shown] : record.Shown) text += "shown " + std::to_string(number) + " " + shown + "\n";
    for (const std::string& argument : record.Arguments) text += "argument " + argument + "\n";
    return text;
}

bool ReadCrashRecord(const std::string& text, CrashRecord& record, std::string& error) {
    std::size_t start = 0;
    bool second = false;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t blank = line.find(' ');
        const std::string key = line.substr(0, blank), value = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (key == "folder") {
            record.Folder = value;
        } else if (key == "second") {
            second = cli::ReadNumber(value, record.Second, 0LL, 7LL * SecondsPerDay);
        } else if (key == "stored-fuel") {
            cli::ReadNumber(value, record.StoredFuel);
        } else if (key == "shown") {
            record.Shown[std::atoi(value.c_str())] = value.substr(value.find(' ') + 1);
        } else if (key == "argument") {
            record.Arguments.push_back(value);
        }
    }
    if (!second || record.Folder.empty() || record.Arguments.empty()) error = "it is not a crashed run's record";
    return error.empty();
}

}  // namespace

int RunSimulator(const Options& given, std::FILE* out, std::FILE* err, RunOutcome* outcomeOut,
                 const CrashRecord* resume) {
    RunOutcome ignored;
    RunOutcome& outcome = outcomeOut ? *outcomeOut : ignored;
    Options options = given;
    options.Report = Absolute(options.Report);
    if (!options.ScriptFile.empty()) options.ScriptFile = Absolute(options.ScriptFile);
    if (!options.Font.empty()) options.Font = Absolute(options.Font);
    if (!options.Background.empty()) options.Background = Absolute(options.Background);
    const std::string modulePath = options.Module.empty() ? DefaultModulePath() : Absolute(options.Module);
    const std::string outDir = Absolute(options.OutDir);

    auto fail = [err](const std::string& message) {
        std::fprintf(err, "vqsim: %s\n", message.c_str());
        return ExitFailed;
    };
    FlightPlan plan;
    std::string error;
    std::vector<std::string> warnings;
    const bool planned = MakeFlightPlan(options, plan, error, warnings);
    for (const std::string& warning : warnings) Warn(err, warning);
    if (!planned) return fail(error);
    if (options.PrintScript) {
        std::fputs(FormatScript(plan.Events, plan.StartOfDay).c_str(), out);
        return ExitOk;
    }

    host::ModuleFile module;
    if (!module.Load(modulePath, error)) {
        return fail(error + (options.Module.empty() ? " (build it with cmake --build --preset, or give --module FILE)" : ""));
    }
    std::string missing;
    if (!HeaderIsComplete(*module.Linkage, missing)) {
        return fail(modulePath + " is not a gauge module: its gauge header has no " + missing);
    }

    if (IsInDirectory(options.Report, outDir)) {
        return fail("the report " + given.Report + " lies in the output directory " + options.OutDir +
                    ", where the gauge rewrites its files; give another --out");
    }
    FacePictures faces;
    if (!SetUpPictures(options, module, modulePath, faces, error, err)) return fail(error);
    std::vector<std::string> moved;
    std::error_code code;
    const std::string startedIn = std::filesystem::current_path(code).string();
    if (resume) {
        // The gauge's files stay as the crash left them; the clicks go on after it.
        const long long second = resume->Second;
        int switches = 0;
        for (const PilotEvent& event : plan.Events) switches += event.Second < second && event.Command == "switch";
        plan.Events.erase(std::remove_if(plan.Events.begin(), plan.Events.end(),
                                         [second](const PilotEvent& event) { return event.Second < second; }),
                          plan.Events.end());
        if (switches % 2 == 1) {
            PilotEvent on;
            on.Second = second;
            on.Command = "switch";
            ButtonPoint(on.Command, on.X, on.Y);
            on.Note = "on again after the restart";
            plan.Events.insert(plan.Events.begin(), on);
        }
    } else {
        if (!PrepareOutputDirectory(outDir, options.Clean, moved, error)) return fail(error);
        // Flown as given: the gauge replaces no read-only report.
        const bool readOnly = platform::IsReadOnlyFile(options.Report.c_str());
        if (!WriteNewFile(Joined(outDir, ReportName), plan.ReportBytes, readOnly, error)) return fail(error);
        if (readOnly) Warn(err, "the report is read-only, and so is its copy: the gauge will save nothing");
    }
    CurrentDirectory here;
    if (!here.Enter(outDir, error)) return fail(error);
    Log log(out, err, options.Quiet);
    if (!log.Open(LogFileName, resume != nullptr, error)) return fail(error);
    if (resume) {
        log.Line("");
        log.Line("vqsim: --restart: the host loads the gauge again at " +
                 ClockText(plan.StartOfDay + resume->Second) + ", where the crash stopped it");
    }

    if (!moved.empty()) {
        std::string names;
        for (std::size_t i = 1; i < moved.size(); ++i) names += " " + moved[i];
        log.Line("vqsim: --clean: moved the earlier run's" + names + " into " + OutPath(options, moved[0]));
    }
    log.Line("vqsim: flying " + given.Report + " (" + std::to_string(plan.Report.Checkpoints.size()) + " checkpoints" +
             (plan.TakenUp ? ", taken up after checkpoint " + std::to_string(plan.FirstCheckpoint) : "") + ") with " +
             modulePath);
    log.Line("Clock " + ClockText(plan.StartOfDay) + ", ground speed " + std::to_string(static_cast<int>(options.Flight.GroundSpeedKnots)) +
             " kt, the aircraft stops at " + ClockText(plan.StartOfDay + static_cast<long long>(std::ceil(plan.Aircraft->StopSeconds()))) +
             "; working in " + options.OutDir);
    log.Line("");
    log.Line("time      line 1                 line 2                 mark");
    int status = ExitOk;

    {
        host::PanelHost host(module.Linkage, module.Imports);
        host.ModuleInit();
        host.Install(0);
        if (!host.Top() || !host.Line(1) || !host.Line(2) || !host.Line(3) || !host.Line(1)->Buffer ||
            !host.Line(2)->Buffer || !host.Line(3)->Buffer) {
            host.Kill();
            host.ModuleDeinit();
            return fail(modulePath + " handed over no element tree with three text elements at install");
        }
        if (!host.MouseAreasLive()) Warn(err, "the gauge installed no mouse areas: the pilot's clicks go nowhere");
        host.Initialize();
        host.Generate(0);

        FlightRun run(options, plan, host, log, faces, err);
        if (resume) {
            run.StartFrame = resume->Second * FramesPerSecond;
            run.StoredFuel = resume->StoredFuel;
            run.LegTimesShown = resume->Shown;
        }
        if (run.Fly(outcome)) {
            log.Line(ClockText(plan.StartOfDay + plan.EndSecond) + "  kill: the host removes the gauge");
            host.Kill();
            host.ModuleDeinit();
            if (resume) std::filesystem::remove(CrashFileName, code);
        } else {
            CrashRecord record;
            record.Folder = resume ? resume->Folder : startedIn;
            record.Second = run.StartFrame / FramesPerSecond + static_cast<long long>(outcome.SimulatedSeconds);
            record.StoredFuel = run.StoredFuel;
            record.Shown = run.LegTimesShown;
            record.Arguments = options.Arguments;
            if (!WriteWholeFile(CrashFileName, CrashRecordText(record), error)) run.Unwritten.push_back(error);
        }
        if (!Finish(options, plan, run, outcome, log, err)) status = ExitFailed;
    }
    if (!log.Close(error)) {
        std::fprintf(err, "vqsim: %s\n", error.c_str());
        status = ExitFailed;
    }
    return status;
}

int VqsimMain(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, RunOutcome* outcome) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        std::fprintf(err, "vqsim: %s\n(vqsim --help shows the options)\n", error.c_str());
        return ExitUsage;
    }
    if (options.Help) {
        std::fputs(UsageText().c_str(), out);
        return ExitOk;
    }
    if (options.Version) {
        std::fputs("vqsim " VQ_VERSION "\n", out);
        return ExitOk;
    }
    if (!options.Restart) return RunSimulator(options, out, err, outcome);
    // The crashed run's report and options, its files relative to where it was started.
    CrashRecord record;
    std::string text;
    const std::string recordPath = Joined(options.OutDir, CrashFileName);
    Options saved;
    if (!ReadWholeFile(recordPath, text, error) || !ReadCrashRecord(text, record, error) ||
        !ParseOptions(record.Arguments, saved, error)) {
        std::fprintf(err, "vqsim: --restart: no run stopped by --crash-at in %s (%s: %s)\n", options.OutDir.c_str(),
                     recordPath.c_str(), error.c_str());
        return ExitFailed;
    }
    for (std::string* path : {&saved.Report, &saved.Module, &saved.ScriptFile, &saved.Font, &saved.Background}) {
        if (!path->empty() && std::filesystem::path(*path).is_relative()) {
            *path = (std::filesystem::path(record.Folder) / *path).string();
        }
    }
    saved.OutDir = options.OutDir;
    saved.HasCrash = options.HasCrash;
    saved.CrashAt = options.CrashAt;
    saved.Clean = false;
    saved.Quiet = saved.Quiet || options.Quiet;
    return RunSimulator(saved, out, err, outcome, &record);
}

}  // namespace vqsim
