#include "progress/timing.h"

#include "interface/state.h"
#include "interface/variables.h"
#include "persistence/report_store.h"
#include "progress/time_text.h"
#include "report/report.h"

namespace {

// The simulator's clock as an "hh:mm" text, rounded to the minute: past 30
// seconds the minute goes up (exactly 30 stays).
ShortText ClockText() {
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

    const ShortText clock = ClockText();
    double now = 0.0, before = 0.0;
    if (!TimeTextToHours(clock, now)) return;
    // A previous checkpoint without an arrival (missed, or stepped past)
    // costs this leg's time and the next estimate only: the arrival here is
    // still taken, so the legs after it are timed again.
    const bool timed = TimeTextToHours(previous.ActualArrival, before);
    if (timed) {
        double legHours = now - before;
        if (legHours < 0.0) legHours += 24.0;  // the leg passed midnight
        current.ActualLegTime = HoursToTimeText(legHours);
    }
    current.ActualArrival = clock;

    if (index < ChkPointList.Count - 1) {
        if (!timed) return;
        TChkPoint& next = ChkPointList.Item(index + 1);
        // Read back from the texts, so the leg time enters rounded to the minute.
        double arrival = 0.0, flown = 0.0, nextDistance = 0.0, currentDistance = 0.0;
        if (!TimeTextToHours(current.ActualArrival, arrival)) return;
        if (!TimeTextToHours(current.ActualLegTime, flown)) return;
        if (!TextToFloat(next.LegDistance, nextDistance)) return;
        if (!TextToFloat(current.LegDistance, currentDistance)) return;
        if (currentDistance == 0.0) return;  // no speed to scale by: no estimate
        const double estimate = arrival + (nextDistance * flown) / currentDistance;
        if (!__builtin_isfinite(estimate)) return;
        next.EstimatedArrival = HoursToClockText(estimate);
    } else {
        ReportHeader.ArrivalTime = current.ActualArrival;
    }
}

void StampCurrentCheckpoint() {
    if (CurrentChkPoint < 1 || CurrentChkPoint >= ChkPointList.Count) return;
    UpdateCheckpointTimes();
    // Whether or not the timing ran to its end: what it wrote is kept.
    ReportGained();
}

std::int32_t FirstUnflownCheckpoint() {
    for (std::int32_t k = ChkPointList.Count; k > 0; --k) {
        double hours = 0.0;
        if (TimeTextToHours(ChkPointList.Item(k - 1).ActualArrival, hours)) return k;
    }
    return 0;
}
