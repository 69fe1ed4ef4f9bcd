#include "tools/vqreport/flight_plan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <vector>

#include "cli/numbers.h"
#include "report/report.h"
#include "report/text.h"
#include "tools/vqreport/coordinates.h"
#include "tools/vqreport/printable.h"

namespace vqreport {

namespace {

// The characters of a name the display shows.
constexpr std::size_t NameWidth = 13;

// The most waypoints a plan may have: the checkpoints a report holds.
constexpr std::size_t PlanWaypointLimit = ChkPointCapacity;

// Waypoint numbers above this are taken for mistakes, not for gaps.
constexpr unsigned LargestWaypointNumber = 999999;

const char* const FormsRead =
    "vqreport new reads a route table (CSV, its first row naming the columns) or a flight plan in text form "
    "(its first line [flightplan])";

const char* const WaypointForms =
    "IDENT, TYPE, LAT, LON, ALT, or REGION, IDENT, , IDENT, TYPE, LAT, LON, ALT,";

struct TextLine {
    std::int64_t Number;  // from 1
    std::string Text;     // trimmed
};

std::vector<TextLine> TrimmedLines(const std::string& text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back({static_cast<std::int64_t>(lines.size()) + 1, TrimText(text.substr(start, end - start))});
        start = end + 1;
    }
    return lines;
}

std::string Lowercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> TrimmedFields(const std::string& value) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        fields.push_back(TrimText(value.substr(start, comma == std::string::npos ? comma : comma - start)));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

struct Waypoint {
    unsigned Number;
    std::int64_t Line;
    std::string Value;  // what follows "waypoint.N="
};

class PlanReader {
public:
    PlanReader(const std::string& name, std::ostream& err) : Name(name), Err(err) {}

    // Reads the plan whose "[flightplan]" line is lines[first].
    bool Read(const std::vector<TextLine>& lines, std::size_t first, CsvTable& table);

private:
    const std::string& Name;
    std::ostream& Err;
    bool Failed = false;

    void Fail(std::int64_t line, const std::string& message) {
        Err << Name << ':' << line << ": error: " << message << "\n";
        Failed = true;
    }
    void CheckNumbering(const std::vector<Waypoint>& waypoints);
    CsvRow Checkpoint(const Waypoint& waypoint, const std::string& name);
};

bool PlanReader::Read(const std::vector<TextLine>& lines, std::size_t first, CsvTable& table) {
    std::vector<Waypoint> waypoints;
    std::string departure, destination;
    bool inPlan = false;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string& text = lines[i].Text;
        if (text.empty() || text[0] == ';' || text[0] == '#') continue;
        if (text[0] == '[') {
            inPlan = Lowercase(text) == "[flightplan]";
            continue;
        }
        if (!inPlan) continue;  // another program's section
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos) {
            Fail(lines[i].Number, Quoted(text) + " is not KEY=VALUE, as each line of a flight plan is");
            continue;
        }
        const std::string key = Lowercase(TrimText(text.substr(0, equals)));
        const std::string value = TrimText(text.substr(equals + 1));
        if (key == "departure_name") {
            departure = value;
        } else if (key == "destination_name") {
            destination = value;
        } else if (key.compare(0, 9, "waypoint.") == 0) {
            unsigned n = 0;
            const char* const begin = key.data() + 9;
            const char* const end = key.data() + key.size();
            const std::from_chars_result read = std::from_chars(begin, end, n);
            if (begin == end || read.ec != std::errc() || read.ptr != end || n > LargestWaypointNumber) {
                Fail(lines[i].Number, Quoted(key) + " is no waypoint: they are waypoint.0, waypoint.1, ... (up to "
                                                    "waypoint.99)");
            } else {
                waypoints.push_back({n, lines[i].Number, value});
            }
        }
    }
    if (waypoints.empty() && !Failed) {
        Fail(lines[first].Number, "the flight plan has no waypoints (waypoint.0=...); it needs at least its "
                                  "departure and destination");
    }
    std::stable_sort(waypoints.begin(), waypoints.end(),
                     [](const Waypoint& a, const Waypoint& b) { return a.Number < b.Number; });
    CheckNumbering(waypoints);
    if (Failed) return false;

    table = CsvTable();
    table.Rows.push_back({lines[first].Number, {"name", "type", "identifier", "latitude", "longitude", "level"}});
    for (std::size_t k = 0; k < waypoints.size(); ++k) {
        const std::string& given = k == 0 ? departure : k + 1 == waypoints.size() ? destination : std::string();
        table.Rows.push_back(Checkpoint(waypoints[k], given));
    }
    return !Failed;
}

// Numbered from 0, each number once, no more than a report holds.
void PlanReader::CheckNumbering(const std::vector<Waypoint>& waypoints) {
    unsigned expected = 0;
    std::vector<std::int64_t> lines;  // of each number's first waypoint
    for (std::size_t k = 0; k < waypoints.size(); ++k) {
        const Waypoint& w = waypoints[k];
        const std::string what = "waypoint." + std::to_string(w.Number);
        if (k > 0 && w.Number == waypoints[k - 1].Number) {
            Fail(w.Line, what + " is given twice (also on line " + std::to_string(waypoints[k - 1].Line) +
                             "); each waypoint number once");
            continue;
        }
        lines.push_back(w.Line);
        if (w.Number > expected) {
            const std::string missing = "waypoint." + std::to_string(expected) +
                                        (w.Number - expected > 1 ? " to waypoint." + std::to_string(w.Number - 1) +
                                                                       " are missing"
                                                                 : " is missing");
            Fail(w.Line, missing + " before " + what + "; number the waypoints 0, 1, 2, ... without gaps");
        }
        expected = w.Number + 1;
    }
    if (lines.size() > PlanWaypointLimit) {
        Fail(lines[PlanWaypointLimit], "the flight plan has " + std::to_string(lines.size()) +
                                           " waypoints; a report holds " + std::to_string(PlanWaypointLimit) +
                                           " checkpoints: split the flight into two reports");
    }
}

// The checkpoint of one waypoint. Its position stays in the plan's words, for
// the route's reader; it is read here too, to name a mistake by its waypoint.
CsvRow PlanReader::Checkpoint(const Waypoint& waypoint, const std::string& givenName) {
    const std::string what = "waypoint." + std::to_string(waypoint.Number);
    std::vector<std::string> fields = TrimmedFields(waypoint.Value);
    if (fields.size() > 1 && fields.back().empty()) fields.pop_back();  // the comma that ends the line
    if (fields.size() != 5 && fields.size() != 8) {
        Fail(waypoint.Line, what + " has " + std::to_string(fields.size()) + " fields; write " + WaypointForms);
        return {};
    }
    const std::size_t type = fields.size() == 5 ? 1 : 4;
    const std::string ident = fields[type - 1].empty() && type == 4 ? fields[1] : fields[type - 1];
    if (ident.empty()) Fail(waypoint.Line, what + " has no identifier; write " + WaypointForms);

    static const struct {
        char Letter;
        const char* Type;
    } types[] = {{'A', "APT"}, {'V', "VOR"}, {'N', "NDB"}, {'I', "FIX"}, {'U', "USR"}};
    const std::string& letter = fields[type];
    const char* typeText = nullptr;
    for (const auto& t : types) {
        if (letter.size() == 1 && std::toupper(static_cast<unsigned char>(letter[0])) == t.Letter) typeText = t.Type;
    }
    if (!typeText) {
        Fail(waypoint.Line, what + " type " + Quoted(letter) +
                                " is not A (airport), V (VOR), N (NDB), I (intersection) or U (user)");
    }
    const std::string& latitude = fields[type + 1];
    const std::string& longitude = fields[type + 2];
    double degrees = 0.0;
    if (!ReadCoordinate(latitude, Axis::Latitude, false, degrees) || !(std::fabs(degrees) <= 90.0)) {
        Fail(waypoint.Line, what + " latitude " + Quoted(latitude) + " is not a latitude (-90 to 90 degrees); write " +
                                CoordinateForms(Axis::Latitude));
    }
    if (!ReadCoordinate(longitude, Axis::Longitude, false, degrees) || !(std::fabs(degrees) <= 180.0)) {
        Fail(waypoint.Line, what + " longitude " + Quoted(longitude) +
                                " is not a longitude (-180 to 180 degrees); write " + CoordinateForms(Axis::Longitude));
    }
    const std::string& altitude = fields[type + 3];
    double feet = 0.0;
    if (!altitude.empty() && !cli::ReadNumber(altitude, feet, -99999.0, 999999.0)) {
        Fail(waypoint.Line, what + " altitude " + Quoted(altitude) + " is not a height in feet (+025000.00)");
    }
    const long long level = std::llround(feet / 100.0);

    std::string name = TrimText((givenName.empty() ? ident : givenName).substr(0, NameWidth));
    return {waypoint.Line,
            {name, typeText ? typeText : "", ident, latitude, longitude, level == 0 ? "" : std::to_string(level)}};
}

}  // namespace

bool ReadRouteFile(const std::string& bytes, const std::string& name, CsvTable& table, std::ostream& err) {
    std::string text, problem;
    const bool decoded = ToCp1252Text(bytes, text, problem);
    if (!decoded) text = bytes;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    const std::vector<TextLine> lines = TrimmedLines(text);
    std::size_t first = 0;
    while (first < lines.size() && lines[first].Text.empty()) ++first;
    const std::string opening = first < lines.size() ? lines[first].Text : "";

    if (!opening.empty() && opening[0] == '<') {
        err << name << ':' << lines[first].Number << ": error: an XML file, which is not read; " << FormsRead
            << ": save the plan in its text form, or write its waypoints into a route table\n";
        return false;
    }
    const bool plan = Lowercase(opening) == "[flightplan]";
    if (plan && !decoded) {
        err << name << ": " << problem << "\n";
        return false;
    }
    if (plan) return PlanReader(name, err).Read(lines, first, table);
    if (!ParseCsv(bytes, table, problem)) {
        err << name << ": " << problem << "\n";
        return false;
    }
    return true;
}

}  // namespace vqreport
