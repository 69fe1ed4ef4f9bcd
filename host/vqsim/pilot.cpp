#include "host/vqsim/pilot.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "cli/numbers.h"
#include "host/vqsim/clock_time.h"

namespace vqsim {

namespace {

struct Button {
    const char* Name;
    int X, Y;  // the middle of the button, in the instrument's pixels
};

// The buttons and the display window as the face shows them.
const Button Buttons[] = {
    {"next", 32, 19},         {"prev", 32, 39},         {"switch", 309, 19}, {"store-fuel", 284, 19},
    {"fuel-summary", 284, 39}, {"mark", 309, 39},        {"page", 148, 33},
};

constexpr int MaxMouseRecords = 64;
constexpr double LeaveMarginNm = 0.5;  // beyond the gauge's ArrivalDistanceDegrees (0.36 nm)
constexpr long long ClickSpacingSeconds = 2;

bool ReadInt(const std::string& text, int& value) { return cli::ReadNumber(text, value, -100000, 100000); }

std::string Describe(const TChkPoint& c, int k) {
    const std::string ident = ShownIdent(c);
    return std::to_string(k + 1) + " " + std::string(c.Name) + (ident.empty() ? "" : " (" + ident + ")");
}

}  // namespace

bool ButtonPoint(const std::string& name, int& x, int& y) {
    for (const Button& button : Buttons) {
        if (name == button.Name) {
            x = button.X;
            y = button.Y;
            return true;
        }
    }
    return false;
}

const char* ButtonNames() { return "next, prev, switch, store-fuel, fuel-summary, mark, page, click X Y, face"; }

bool ParseScript(const std::string& text, const std::string& name, int startOfDay, std::vector<PilotEvent>& events,
                 std::string& error) {
    std::vector<PilotEvent> read;
    // A UTF-8 byte-order mark, as Windows editors write one, is no part of the first line.
    std::istringstream lines(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::string note;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) {
            note = line.substr(hash + 1);
            line.erase(hash);
            note.erase(0, std::min(note.find_first_not_of(" \t"), note.size()));
        }
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) parts.push_back(word);
        if (parts.empty()) continue;
        const std::string where = name + " line " + std::to_string(number) + ": ";
        GivenTime time;
        if (!ParseGivenTime(parts[0], time)) {
            error = where + "'" + parts[0] + "' is not a time (07:45, 07:45:30, +0:15 or +1:02:30)";
            return false;
        }
        if (parts.size() < 2) {
            error = where + "a command should follow the time (" + ButtonNames() + ")";
            return false;
        }
        PilotEvent event;
        event.Second = ElapsedAt(time, startOfDay);
        event.Command = parts[1];
        event.Note = note;
        event.Line = number;
        std::size_t expected = 2;
        if (event.Command == "click") {
            expected = 4;
            if (parts.size() < 4 || !ReadInt(parts[2], event.X) || !ReadInt(parts[3], event.Y)) {
                error = where + "click needs the point as two whole numbers: click X Y";
                return false;
            }
        } else if (event.Command != "face" && !ButtonPoint(event.Command, event.X, event.Y)) {
            error = where + "unknown command '" + event.Command + "' (commands: " + ButtonNames() + ")";
            return false;
        }
        if (parts.size() > expected) {
            error = where + "unexpected '" + parts[expected] + "' after the command";
            return false;
        }
        read.push_back(event);
    }
    std::stable_sort(read.begin(), read.end(),
                     [](const PilotEvent& a, const PilotEvent& b) { return a.Second < b.Second; });
    events = std::move(read);
    return true;
}

std::string FormatScript(const std::vector<PilotEvent>& events, int startOfDay) {
    std::string text = "# vqsim pilot script: TIME COMMAND, one click per line\n";
    for (const PilotEvent& event : events) {
        std::string line = ClockText(startOfDay + event.Second) + "  " + event.Command;
        if (event.Command == "click") line += " " + std::to_string(event.X) + " " + std::to_string(event.Y);
        if (!event.Note.empty()) {
            line.resize(std::max<std::size_t>(line.size(), 26), ' ');
            line += "# " + event.Note;
        }
        text += line + "\n";
    }
    return text;
}

std::vector<PilotEvent> DefaultPilot(const Flight& flight, const std::vector<TChkPoint>& checkpoints,
                                     const PilotStart& start, std::vector<std::string>& warnings) {
    std::vector<PilotEvent> events;
    long long last = 0;
    auto add = [&](long long second, const std::string& command, const std::string& note) {
        PilotEvent event;
        event.Second = std::max(second, events.empty() ? second : last);
        event.Command = command;
        ButtonPoint(command, event.X, event.Y);
        event.Note = note;
        events.push_back(event);
        last = event.Second;
        return event.Second;
    };
    const RoutePath& path = flight.Path();
    const int count = path.CheckpointCount();

    add(0, "switch", "switch on");
    for (int k = 0; k < start.FirstCheckpoint && k < count; ++k) {
        add(0, "next", "step on to the first checkpoint not yet flown");
    }
    if (start.StoreFuel) add(10, "store-fuel", "store the fuel on board");

    // Checkpoints without a position: mark by hand when the aircraft is
    // abeam, a little later step on to the next.
    for (int k = start.FirstCheckpoint; k < count; ++k) {
        if (path.HasPosition(k)) continue;
        double earliest = 0.0;
        for (int p = k - 1; p >= 0; --p) {
            if (path.HasPosition(p)) {
                earliest = flight.ElapsedAtAlong(path.PassDistanceNm(p) + LeaveMarginNm) + 1.0;
                break;
            }
        }
        // One the aircraft has passed before it moves is stepped past at the gate.
        const double passed = path.PassDistanceNm(k) <= flight.AlongAt(0.0) ? 0.0 : flight.ElapsedAtAlong(path.PassDistanceNm(k));
        const double at = std::max({passed, earliest, 5.0});
        long long second = static_cast<long long>(std::ceil(at));
        std::string name = Describe(checkpoints[k], k);
        if (k > 0) {
            second = add(second, "mark", "mark " + name + " (no position) by hand") + ClickSpacingSeconds;
        }
        const long long stepped = add(second, "next", "step past " + name);
        for (int n = k + 1; n < count; ++n) {
            if (!path.HasPosition(n)) continue;
            if (stepped >= flight.ElapsedAtAlong(path.PassDistanceNm(n) - LeaveMarginNm)) {
                warnings.push_back("the pilot steps past checkpoint " + name + " only when the aircraft is already at " +
                                   Describe(checkpoints[n], n) + ": the gauge may miss that arrival");
            }
            break;
        }
        last = stepped + ClickSpacingSeconds;
    }

    const long long stop = static_cast<long long>(std::ceil(flight.StopSeconds()));
    add(stop + 60, "fuel-summary", "close the fuel account at the gate");
    add(stop + 90, "switch", "switch off");
    return events;
}

int AreaAt(const MouseArea* list, int x, int y) {
    if (!list) return -1;
    for (int i = 0; i < MaxMouseRecords && list[i].Kind != 0; ++i) {
        const MouseArea& area = list[i];
        if (area.Kind != 2 || !area.Callback || area.EventFlags == 0) continue;
        if (x >= area.X && x < area.X + area.Width && y >= area.Y && y < area.Y + area.Height) return i;
    }
    return -1;
}

}  // namespace vqsim
