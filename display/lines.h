// The three display lines and the arrival detection that runs with the third.
//
// The host calls each callback whenever it brings the line's text element up
// to date, which is every frame: they format from the report in memory into
// the host's buffer with no file access and no heap allocation (only the
// arrival step, once per checkpoint, takes the times and writes the recovery
// file).
#pragma once

#include <cstdint>

#include "interface/abi.h"
#include "interface/units.h"

constexpr std::uint32_t Line1Length = 20;
constexpr std::uint32_t Line2Length = 20;
constexpr std::uint32_t Line3Length = 1;

constexpr std::int32_t GreetingBuilds = 30;


// The text callbacks: each returns its argument.
double VQ_STDCALL BuildLine1(double value);
double VQ_STDCALL BuildLine2(double value);
double VQ_STDCALL BuildLine3(double value);

// The lines as they would be written now, for callers that have no host
// buffer (each writes at most its line length plus a zero into `out`).
// ComposeLine1 counts the greeting and ComposeLine3 runs the arrival detection
// exactly as the callbacks do; ComposeLine3 leaves `out` as it was (the
// callback passes it empty) when the mark does not change.
void ComposeLine1(char* out);
void ComposeLine2(char* out);
void ComposeLine3(char* out);

