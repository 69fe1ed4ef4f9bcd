// Stamps the current checkpoint with the simulator's clock and works out the
// times that follow from it.
#pragma once

#include <cstdint>

// For the checkpoint CurrentChkPoint (which must be at least 1 and below
// Count, else nothing changes): reads the clock rounded to the minute, writes
// its ActualLegTime and ActualArrival, then either the next checkpoint's
// EstimatedArrival (the next leg flown at the speed of the one just flown) or,
// at the last checkpoint, the header's ArrivalTime. When the previous
// checkpoint's ActualArrival is not a time, the ActualLegTime and the next
// EstimatedArrival stay as they are, but the ActualArrival (and at the last
// checkpoint the ArrivalTime) is still written. Any other text that is not a
// time or a number stops the run at that step; what was written before stays.
// A zero or non-finite leg ratio writes no estimate.
void UpdateCheckpointTimes();

// UpdateCheckpointTimes, then what it wrote is kept in the recovery file
// (ReportGained), whether or not the timing ran to its end. The arrival
// detection and the mark button stamp checkpoints this way.
void StampCurrentCheckpoint();

// Where a flight taken up goes on: the checkpoint after the last whose actual
// arrival is a time ("??" is not one), 0 when none is; Count when the last
// checkpoint has its arrival.
std::int32_t FirstUnflownCheckpoint();
