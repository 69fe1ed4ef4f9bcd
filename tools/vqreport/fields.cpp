#include "tools/vqreport/fields.h"

#include <algorithm>

namespace vqreport {

const FieldInfo HeaderFields[27] = {
    {"Field01", "header field 1", "carried unchanged"},
    {"Field02", "header field 2", "carried unchanged"},
    {"Field03", "header field 3", "carried unchanged"},
    {"Field04", "header field 4", "carried unchanged"},
    {"Field05", "header field 5", "carried unchanged"},
    {"Field06", "header field 6", "carried unchanged"},
    {"Field07", "header field 7", "carried unchanged"},
    {"DepartureTime", "departure time", "clock time, hh:mm, from which the flight time is measured"},
    {"Field09", "header field 9", "carried unchanged"},
    {"Field10", "header field 10", "carried unchanged"},
    {"Field11", "header field 11", "carried unchanged"},
    {"Field12", "header field 12", "carried unchanged"},
    {"Field13", "header field 13", "carried unchanged"},
    {"Field14", "header field 14", "carried unchanged"},
    {"Field15", "header field 15", "carried unchanged"},
    {"ArrivalTime", "arrival time", "clock time, hh:mm, at which the last checkpoint was reached"},
    {"Field17", "header field 17", "carried unchanged"},
    {"Field18", "header field 18", "carried unchanged"},
    {"Field19", "header field 19", "carried unchanged"},
    {"Field20", "header field 20", "carried unchanged"},
    {"Field21", "header field 21", "carried unchanged"},
    {"FuelUsed", "fuel used", "fuel used since the fuel on board was stored; the gauge writes it"},
    {"ExtraFuel1", "extra fuel 1", "whole number added into the total fuel"},
    {"ExtraFuel2", "extra fuel 2", "whole number added into the total fuel"},
    {"ExtraFuel3", "extra fuel 3", "whole number added into the total fuel"},
    {"TotalFuel", "total fuel", "fuel used plus the three extra fuels; the gauge writes it"},
    {"FuelPerHour", "fuel per hour", "fuel used per hour of flight; the gauge writes it"},
};

const PointFieldInfo PointFields[15] = {
    {"Name", "name", "name of the checkpoint; \"Approach\" marks the approach entry", 13},
    {"Field02", "field 2", "shown after the name on the alternate page", 6},
    {"Ident", "identifier", "identifier shown on the main page", IdentWidth},
    {"Field04", "field 4", "shown beside the identifier", 6},
    {"AltIdent", "alternate identifier", "shown when the identifier is empty", IdentWidth},
    {"Field06", "field 6", "shown beside the alternate identifier", 6},
    {"Field07", "field 7", "shown on the main page, line 2", 3},
    {"Field08", "field 8", "shown on the alternate page, line 2", 3},
    {"Field09", "field 9", "carried unchanged, never shown", 0},
    {"LegDistance", "leg distance", "length of the leg to this checkpoint, for the arrival estimates", 4},
    {"Field11", "field 11", "shown on the alternate page, line 2", 4},
    {"PlannedLegTime", "planned leg time", "planned duration of the leg, hh:mm", 5},
    {"ActualLegTime", "actual leg time", "time flown on the leg; the gauge writes it", 5},
    {"EstimatedArrival", "estimated arrival", "estimated clock time of arrival; the gauge writes it", 5},
    {"ActualArrival", "actual arrival", "clock time of arrival; the gauge writes it", 5},
};

std::int64_t PointTextLine(std::int64_t point, int field) { return 32 + 15 * point + field; }

std::int64_t StartFuelLine(std::int64_t count) { return 32 + 15 * std::max<std::int64_t>(count, 0); }

std::int64_t LatitudeLine(std::int64_t count, std::int64_t point) { return StartFuelLine(count) + 1 + 2 * point; }

std::int64_t LongitudeLine(std::int64_t count, std::int64_t point) { return LatitudeLine(count, point) + 1; }

std::int64_t ExpectedLines(std::int64_t count, std::int64_t capacity) {
    std::int64_t stored = std::min(std::max<std::int64_t>(count, 0), capacity);
    return StartFuelLine(count) + 2 * stored;
}

std::string FieldNameAtLine(std::int64_t line, std::int64_t count, std::int64_t capacity) {
    if (line == HeaderLine) return "header line";
    if (line < FirstListTextLine) return HeaderFields[line - FirstHeaderTextLine].Label;
    if (line < CountLine) return "list field " + std::to_string(line - FirstListTextLine + 1);
    if (line == CountLine) return "checkpoint count";
    const std::int64_t start = StartFuelLine(count);
    if (line < start) {
        const std::int64_t point = (line - 32) / 15;
        const int field = static_cast<int>((line - 32) % 15);
        return "checkpoint " + std::to_string(point + 1) + " " + PointFields[field].Label;
    }
    if (line == start) return "start fuel";
    if (line < ExpectedLines(count, capacity) + 1) {
        const std::int64_t point = (line - start - 1) / 2;
        return "checkpoint " + std::to_string(point + 1) + ((line - start - 1) % 2 ? " longitude" : " latitude");
    }
    return "after the report";
}

}  // namespace vqreport
