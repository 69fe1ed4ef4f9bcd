// The flight's fuel account: the fuel on board at the start, and the fuel
// used, total fuel and fuel per hour at the end.
#pragma once

#include <cstddef>
#include <cstdint>

// StartFuel := the sum of the host's three fuel quantities (304, 305, 303).
void RecordStartFuel();

// FuelUsed, TotalFuel and FuelPerHour from StartFuel, the fuel on board now,
// the header's extra fuel and the flight time, kept in the recovery file at
// once; then saves the report. A departure or arrival time that is not a time
// stops after TotalFuel (no save: the next save writes them). A zero flight
// time keeps FuelPerHour as it was.
void ComputeFuelFigures();

// A whole-number field as the fuel account reads it: blanks, optional sign,
// then decimal digits or hexadecimal digits after "$", "x" or "0x", nothing
// after; anything else, or a value outside 32 bits, gives 0.
std::int32_t WholeNumberOrZero(const char* text, std::size_t length);
template <typename Text>
std::int32_t WholeNumberOrZero(const Text& text) {
    return WholeNumberOrZero(text.data(), text.size());
}
