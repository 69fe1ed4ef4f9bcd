// A time of day in text, read the one way the gauge and its tools read it:
// an hour, optionally a minute and a second after a separator, blanks around
// each part, and a marker of the morning or the afternoon before or after it
// that makes it a 12-hour time.
#pragma once

#include <cstddef>

namespace platform {

// A marker and the half of the day it names: 0 the morning, 1 the afternoon.
struct DayHalfMarker {
    const char* Text;
    std::size_t Length;
    int Half;
};

// Reads text[0, length): hour 0-23 (1-12 with a marker), minute and second
// 0-59, parts after `separator`; a marker matches in either case, and where
// markers overlap the longest match wins, the first of `markers` on a tie
// (an empty marker never matches). Sets `hour` (0-23) and `minute` (the
// second is dropped) and returns true; false, both unchanged, for anything else.
bool ReadTimeOfDay(const char* text, std::size_t length, char separator, const DayHalfMarker* markers, int count,
                   int& hour, int& minute);

}  // namespace platform
