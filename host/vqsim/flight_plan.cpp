#include "host/vqsim/flight_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host/vqsim/clock_time.h"
#include "host/vqsim/paths.h"
#include "interface/units.h"

namespace vqsim {

namespace {

// Events after the aircraft has stopped by more than this are taken for a
// clock time the user meant for the day before.
constexpr long long LatestEventAfterStop = 6 * 3600;

int LastStampedCheckpoint(const ReportCopy& report) {
    for (int k = static_cast<int>(report.Checkpoints.size()) - 1; k >= 1; --k) {
        int ofDay = 0;
        if (ParseClockTime(report.Checkpoints[k].ActualArrival, ofDay)) return k;
    }
    return 0;
}

std::string Named(const ReportCopy& report, int k) {
    return std::to_string(k + 1) + " (" + std::string(report.Checkpoints[k].Name) + ")";
}

}  // namespace

bool MakeFlightPlan(const Options& options, FlightPlan& plan, std::string& error, std::vector<std::string>& warnings) {
    if (!ReadInputFile(options.Report, plan.ReportBytes, error)) {
        error = "cannot read the report: " + error;
        return false;
    }
    // A report given through a pipe is read by the gauge's reader from a copy.
    std::string readFrom = options.Report;
    std::error_code code;
    if (!std::filesystem::is_regular_file(options.Report, code)) {
        readFrom = (std::filesystem::temp_directory_path(code) / ("vqsim-report-" + std::to_string(std::rand()) + ".rec")).string();
        if (!WriteNewFile(readFrom, plan.ReportBytes, false, error)) return false;
    }
    const bool read = ReadReportCopy(readFrom, options.Report, plan.Report, error, &warnings);
    if (readFrom != options.Report) std::filesystem::remove(readFrom, code);
    if (!read) return false;
    const ReportCopy& report = plan.Report;
    if (!RoutePath::Build(report.Checkpoints, plan.Path, error, warnings)) {
        error = options.Report + ": " + error;
        return false;
    }

    int departure = -1;
    if (options.HasDeparture) {
        departure = options.DepartureOfDay;
    } else if (!ParseClockTime(report.Header.DepartureTime, departure)) {
        departure = -1;
    }
    plan.DepartureOfDay = departure;

    const int stamped = LastStampedCheckpoint(report);
    const int count = static_cast<int>(report.Checkpoints.size());
    if (stamped >= 1 && !options.FromStart) {
        if (stamped == count - 1) {
            error = options.Report + ": the flight is already flown to its last checkpoint (arrival " +
                    std::string(report.Checkpoints[stamped].ActualArrival) + "); give --from-start to fly it again";
            return false;
        }
        int arrival = 0;
        ParseClockTime(report.Checkpoints[stamped].ActualArrival, arrival);
        plan.TakenUp = true;
        plan.FirstCheckpoint = stamped + 1;
        plan.StartOfDay = arrival;
        double airborne = 0.0;
        if (departure >= 0) {
            airborne = (arrival - departure + SecondsPerDay) % SecondsPerDay;
        } else {
            warnings.push_back("the report has no departure time: the fuel burned before checkpoint " +
                               Named(report, stamped) + " is not counted");
        }
        plan.Aircraft = std::make_unique<Flight>(plan.Path, options.Flight, plan.Path.PassDistanceNm(stamped), 0.0, airborne);
    } else {
        if (departure < 0) {
            error = options.Report + " line " + std::to_string(HeaderFieldLine(HfDepartureTime)) +
                    ": the departure time '" + std::string(report.Header.DepartureTime) +
                    "' is not a time; give --departure HH:MM";
            return false;
        }
        int first = 0;
        if (!ParseClockTime(report.Checkpoints[0].ActualArrival, first)) {
            warnings.push_back("checkpoint " + Named(report, 0) +
                               " has no actual time of arrival: the gauge times each leg from the checkpoint before, "
                               "so it will take no times on this flight");
        } else if (int reported = 0, known = ParseClockTime(report.Header.DepartureTime, reported);
                   options.HasDeparture && (departure / 60 != first / 60 || (known && departure / 60 != reported / 60))) {
            warnings.push_back("--departure " + HoursMinutesText(departure) + " is not the report's departure or checkpoint " +
                               Named(report, 0) + "'s actual arrival " + HoursMinutesText(first) +
                               ": the gauge times the first leg from " + HoursMinutesText(first) +
                               " and the fuel per hour from the report's departure " +
                               (known ? HoursMinutesText(reported) : "(none: no fuel per hour)"));
        }
        const int lead = static_cast<int>(SwitchOnBeforeDepartureSeconds);
        plan.StartOfDay = (departure - lead + SecondsPerDay) % SecondsPerDay;
        plan.Aircraft = std::make_unique<Flight>(plan.Path, options.Flight, 0.0, SwitchOnBeforeDepartureSeconds, 0.0);
    }
    const Flight& flight = *plan.Aircraft;

    // One frame's way must stay well inside the gauge's arrival circle.
    double maxLatitude = 0.0;
    for (const GeoPoint& p : plan.Path.Vertices()) maxLatitude = std::max(maxLatitude, std::fabs(p.LatitudeDegrees));
    const double degreesPerFrame = options.Flight.GroundSpeedKnots / 3600.0 / FramesPerSecond / 60.0 /
                                   std::max(0.01, std::cos(maxLatitude * 3.14159265358979323846 / 180.0));
    if (degreesPerFrame > ArrivalDistanceDegrees) {
        char distance[16];
        std::snprintf(distance, sizeof distance, "%g", ArrivalDistanceDegrees);
        warnings.push_back("at this ground speed the aircraft moves more than " + std::string(distance) +
                           " degrees in a frame: the gauge may miss arrivals");
    }

    if (options.ScriptFile.empty()) {
        PilotStart start;
        start.FirstCheckpoint = plan.FirstCheckpoint;
        start.StoreFuel = !(plan.TakenUp && report.StartFuel != 0.0);
        plan.Events = DefaultPilot(flight, report.Checkpoints, start, warnings);
    } else {
        std::string text;
        if (!ReadInputFile(options.ScriptFile, text, error)) {
            error = "cannot read the script: " + error;
            return false;
        }
        if (!ParseScript(text, options.ScriptFile, plan.StartOfDay, plan.Events, error)) return false;
    }
    for (const GivenTime& given : options.FaceAt) {
        PilotEvent face;
        face.Second = ElapsedAt(given, plan.StartOfDay);
        face.Command = "face";
        face.Note = "picture requested";
        plan.Events.push_back(face);
    }
    std::stable_sort(plan.Events.begin(), plan.Events.end(),
                     [](const PilotEvent& a, const PilotEvent& b) { return a.Second < b.Second; });

    const long long stop = static_cast<long long>(std::ceil(flight.StopSeconds()));
    long long end = stop;
    for (const PilotEvent& event : plan.Events) {
        if (event.Second > stop + LatestEventAfterStop) {
            error = (event.Line > 0 ? options.ScriptFile + " line " + std::to_string(event.Line) + ": "
                                    : std::string("--face-at: ")) +
                    ClockText(plan.StartOfDay + event.Second) + " comes " + HoursMinutesText(event.Second - stop) +
                    " after the aircraft stops at " + ClockText(plan.StartOfDay + stop) +
                    " (a clock time before the start means the next day)";
            return false;
        }
        end = std::max(end, event.Second);
    }
    plan.EndSecond = end + 1;
    if (options.HasCrash) {
        plan.CrashSecond = ElapsedAt(options.CrashAt, plan.StartOfDay);
        if (plan.CrashSecond >= plan.EndSecond) {
            const GivenTime& at = options.CrashAt;
            const std::string start = ClockText(plan.StartOfDay), end = ClockText(plan.StartOfDay + plan.EndSecond);
            if (at.AfterStart) {
                warnings.push_back("--crash-at +" + HoursMinutesText(at.Seconds) + " after the start at " + start +
                                   " comes after the flight ends at " + end + ", " +
                                   HoursMinutesText(plan.EndSecond) + " after the start: no crash");
            } else if (at.Seconds < plan.StartOfDay && plan.StartOfDay + plan.EndSecond < SecondsPerDay) {
                warnings.push_back("--crash-at " + ClockText(at.Seconds) + " comes before the start at " + start +
                                   " (and the next day, after the flight ends at " + end + "): no crash");
            } else {
                warnings.push_back("--crash-at " + ClockText(at.Seconds) + " comes after the flight ends at " + end +
                                   ": no crash");
            }
            plan.CrashSecond = -1;
        }
    }
    return true;
}

}  // namespace vqsim
