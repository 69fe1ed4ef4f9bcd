// What a report holds, in short: which flight it is, and each time and fuel
// figure the gauge writes into it. Two reports are compared by their
// digests, so that the report file, the recovery file and the report in
// memory can be weighed against each other without a second report in
// memory: a file's digest is taken as the file streams past.
//
// Everything is compared as the reader reads it: texts trimmed, numbers as
// the gauge writes them back (six decimals), so that a dispatcher's file with
// LF line ends and "60.1939" is the same flight as the gauge's CR LF and
// "60.193900".
#pragma once

#include <cstdint>

#include "report/report.h"

// The figures: for each checkpoint its ActualLegTime, EstimatedArrival and
// ActualArrival, then the header's ArrivalTime, FuelUsed, TotalFuel and
// FuelPerHour, then the start fuel.
constexpr int FiguresPerCheckpoint = 3;
constexpr int HeaderFigure0 = FiguresPerCheckpoint * ChkPointCapacity;
constexpr int StartFuelFigure = HeaderFigure0 + 4;
constexpr int FigureCount = StartFuelFigure + 1;

struct ReportDigest {
    bool Report = false;      // a report file the gauge accepts (memory: always)
    bool Whole = false;       // taken whole
    std::uint64_t Flight = 0; // every field the gauge never writes, and the count
    // Per figure a hash of its text, 0 when it holds nothing: empty, "??",
    // or a start fuel of 0.
    std::uint64_t Figures[FigureCount] = {};
};

// The digest of the report in memory.
void DigestOfMemory(ReportDigest& digest);

// The digest of the report file `path`, read once through a small buffer and
// kept nowhere else. A file that cannot be opened, or is refused, has
// Report false.
void DigestOfFile(const char* path, ReportDigest& digest);

// Both are reports of the same flight: every field the gauge never writes
// reads the same.
bool SameFlight(const ReportDigest& a, const ReportDigest& b);

// Every figure `part` holds, `whole` holds too (of the same flight; a report
// that holds no figure is held by any).
bool HoldsAll(const ReportDigest& whole, const ReportDigest& part);

// Every figure `part` holds, `first` or `second` holds too.
bool HeldByEither(const ReportDigest& part, const ReportDigest& first, const ReportDigest& second);
