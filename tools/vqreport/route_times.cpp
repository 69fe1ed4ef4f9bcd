#include "tools/vqreport/route_times.h"

#include <cmath>

#include "report/report.h"
#include "report/report_format.h"
#include "tools/vqreport/conversions.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

// A planned leg time is a time of day to the gauge: under 24 hours.
constexpr long long MinutesPerDay = 24 * 60;

template <typename Text>
void Normalise(Text& text) {
    double hours = 0.0;
    if (!text.empty() && ReadTimeOfDay(text, hours)) text = FormatHours(hours);
}

}  // namespace

void NormaliseTimes() {
    Normalise(ReportHeader.DepartureTime);
    Normalise(ReportHeader.ArrivalTime);
    for (std::int32_t k = 0; k < ChkPointList.Count; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        for (int f : {PfPlannedLegTime, PfActualLegTime, PfEstimatedArrival, PfActualArrival}) {
            Normalise(point.*TChkPoint::Texts[f]);
        }
    }
}

std::vector<CheckpointProblem> PlanLegTimes(char decimalSeparator) {
    std::vector<CheckpointProblem> problems;
    for (std::int32_t k = 1; k < ChkPointList.Count; ++k) {
        TChkPoint& point = ChkPointList.Item(k);
        if (!point.PlannedLegTime.empty()) continue;
        const std::string label = "checkpoint " + std::to_string(k + 1);
        double distance = 0.0, speed = 0.0;
        if (!ReadLegDistance(point.LegDistance, decimalSeparator, distance)) continue;  // told already
        if (point.Field11.empty()) {
            problems.push_back({k, label + " has no ground speed to plan its leg time from (--plan-times): give "
                                           "the ground speed in knots or the planned leg time"});
        } else if (!ReadLegDistance(point.Field11, decimalSeparator, speed) || !(speed > 0.0)) {
            problems.push_back({k, label + " ground speed " + Quoted(point.Field11) +
                                       " is not a speed in knots above 0 with decimal separator '" +
                                       decimalSeparator + "' (--plan-times needs it)"});
        } else {
            const long long minutes = std::llround(distance / speed * 60.0);
            if (minutes >= MinutesPerDay) {
                problems.push_back({k, label + ": " + FormatDecimals(distance, 1) + " NM at " +
                                           FormatDecimals(speed, 1) +
                                           " knots takes a day or more; a planned leg time is under 24:00"});
            } else {
                point.PlannedLegTime = FormatHours(static_cast<double>(minutes) / 60.0);
            }
        }
    }
    return problems;
}

}  // namespace vqreport
