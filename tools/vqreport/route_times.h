// The times of a report that vqreport new builds: written the way the gauge
// writes them, and planned leg times worked out where the route leaves them
// empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vqreport {

// Rewrites each time the gauge reads (the departure and arrival times, and
// every checkpoint's planned and actual leg time and estimated and actual
// arrival) as the gauge writes one, "hh:mm": "7:30" becomes "07:30", "7:30:45"
// "07:30" (the gauge drops the seconds), "2:05 PM" "14:05". A text that is no
// time ("??", empty) stays as it is.
void NormaliseTimes();

struct CheckpointProblem {
    std::int32_t Checkpoint;  // from 0
    std::string Message;
};

// Fills each empty planned leg time from the second checkpoint on: the leg
// distance (nautical miles) over the ground speed (knots) of the checkpoint at
// the leg's end, to the nearest minute. Both are read as the gauge reads leg
// distances, with `decimalSeparator`; the leg distances are in place already.
// Returns the checkpoints whose time it cannot work out, and why.
std::vector<CheckpointProblem> PlanLegTimes(char decimalSeparator);

}  // namespace vqreport
