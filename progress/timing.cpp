#include "progress/timing.h"

#include <cmath>

#include "gauge/state.h"
#include "gauge/variables.h"
#include "progress/time_text.h"
#include "report/recovery.h"
#include "report/report.h"

namespace {

// The simulator's clock as an "hh:mm" text, rounded to the minute: past 30
// seconds the minute goes up (exactly 30 stays).
std::string ClockText() {
    const double hourValue = ReadHostVariable(ClockHourVariable);
    const double minuteValue = ReadHostVariable(ClockMinuteVariable);
    const double secondValue = ReadHostVariable(ClockSecondVariable);
    std::int32_t hour = TruncateToInt32(hourValue);
    std::int32_t minute = TruncateToInt32(minuteValue);
    if (secondValue > 30.0 && minute < 2147483647) ++minute;
    if (minute > 59) {
        minute = 0;
        hour = static_cast<std::int32_t>((static_cast<std::int64_t>(hour) + 1) % 24);
    }
    return TwoDigitTime(hour, minute);
}

}  // namespace

void UpdateCheckpointTimes() {
    const std::int32_t index = CurrentChkPoint;
    if (index < 1 || index >= ChkPointList.Count) return;
    TChkPoint& previous = ChkPointList.Item(index - 1);
    TChkPoint& current = ChkPointList.Item(index);

    const std::string clock = ClockText();
    double legHours = TimeTextToHours(clock) - TimeTextToHours(previous.ActualArrival);
    if (legHours < 0.0) legHours += 24.0;  // the leg passed midnight
    current.ActualLegTime = HoursToTimeText(legHours);
    current.ActualArrival = clock;

    if (index < ChkPointList.Count - 1) {
        TChkPoint& next = ChkPointList.Item(index + 1);
        // Read back from the texts, so the leg time enters rounded to the minute.
        const double arrival = TimeTextToHours(current.ActualArrival);
        const double flown = TimeTextToHours(current.ActualLegTime);
        const double nextDistance = TextToFloat(next.LegDistance);
        const double currentDistance = TextToFloat(current.LegDistance);
        if (currentDistance == 0.0) return;  // no speed to scale by: no estimate
        const double estimate = arrival + (nextDistance * flown) / currentDistance;
        if (!std::isfinite(estimate)) return;
        next.EstimatedArrival = HoursToClockText(estimate);
    } else {
        ReportHeader.ArrivalTime = current.ActualArrival;
    }
}

void StampCurrentCheckpoint() {
    if (CurrentChkPoint < 1 || CurrentChkPoint >= ChkPointList.Count) return;
    try {
        UpdateCheckpointTimes();
    } catch (...) {
        WriteRecoveryFile();
        throw;
    }
    WriteRecoveryFile();
}
