// The pilot: clicks on the instrument at given times, either the default
// sequence a pilot flies the report with, or a script of the user's.
//
// A script has one click per line, "TIME COMMAND", with '#' starting a
// comment. TIME is a clock time (07:45 or 07:45:30, the first time the clock
// shows it) or a time after the start of the simulation (+0:15, +1:02:30).
// COMMAND names a button (next, prev, switch, store-fuel, fuel-summary, mark,
// page), "click X Y" for a click at a point of the instrument, or "face" for
// a picture of the face.
#pragma once

#include <string>
#include <vector>

#include "host/vqsim/flight_model.h"
#include "host/vqsim/report_copy.h"
#include "interface/mouse_area.h"

namespace vqsim {

struct PilotEvent {
    long long Second = 0;  // after the start of the simulation
    std::string Command;   // a button name, "click" or "face"
    int X = 0, Y = 0;      // the point clicked, in the instrument's pixels
    std::string Note;      // what the pilot means by it
    int Line = 0;          // script line, 0 for the default pilot
};

// The point a pilot clicks for a button name; false for an unknown name.
bool ButtonPoint(const std::string& name, int& x, int& y);
// The button names, for messages.
const char* ButtonNames();

// Reads a script. Times are resolved against the clock `startOfDay` of the
// start of the simulation. Events come back in time order (lines with the same
// time in file order). False with "NAME line N: ..." on a line it cannot read.
bool ParseScript(const std::string& text, const std::string& name, int startOfDay, std::vector<PilotEvent>& events,
                 std::string& error);
// The events as a script (clock times, notes as comments).
std::string FormatScript(const std::vector<PilotEvent>& events, int startOfDay);

// How the default pilot starts.
struct PilotStart {
    int FirstCheckpoint = 0;   // steps to this checkpoint after switching on (taking a flight up again)
    bool StoreFuel = true;     // stores the fuel on board before departure
};

constexpr double SwitchOnBeforeDepartureSeconds = 120.0;

// The default pilot: switch on and store the fuel at the gate, mark each
// checkpoint without a position by hand when the aircraft passes where it
// lies and step on to the next, and after the aircraft has stopped at the end
// close the fuel account and switch off. `warnings` gets clicks that cannot be
// timed well (checkpoints too close together).
std::vector<PilotEvent> DefaultPilot(const Flight& flight, const std::vector<TChkPoint>& checkpoints,
                                     const PilotStart& start, std::vector<std::string>& warnings);

// Index of the command area of the mouse list that a click at (x, y) lands
// in: the first area with a callback and event flags that holds the point.
// -1 when the click lands in none.
int AreaAt(const MouseArea* list, int x, int y);

}  // namespace vqsim
