// The report file as plain text lines, for the simulator's own use: the flight
// plan it flies and the nav-log it prints afterwards. (The module has its own
// reader; this one only needs to know where each field stands.) One field per
// line: the header line, 27 header texts, two list texts, the count, 15 texts
// per checkpoint, the start fuel, then latitude and longitude per checkpoint.
#pragma once

#include <string>
#include <vector>

namespace vqsim {

struct RouteCheckpoint {
    std::string Name, Field02, Ident, Field04, AltIdent, Field06, Field07, Field08, Field09;
    std::string LegDistance, Field11, PlannedLegTime, ActualLegTime, EstimatedArrival, ActualArrival;
    double Latitude = 0.0;   // degrees, north positive
    double Longitude = 0.0;  // degrees, east positive
    int CoordinateLine = 0;  // line of the latitude in the file, for messages

    bool HasPosition() const { return Latitude != 0.0 || Longitude != 0.0; }
    // The identifier the display shows: Ident, or AltIdent when Ident is empty.
    const std::string& ShownIdent() const { return Ident.empty() ? AltIdent : Ident; }
};

constexpr int HeaderTextCount = 27;
constexpr int CheckpointCapacity = 100;

struct ReportText {
    std::string Header[HeaderTextCount];  // header texts 1 to 27, index 0 first
    std::string ListField1, ListField2;
    int DeclaredCount = 0;  // the count line; the module keeps at most 100
    std::vector<RouteCheckpoint> Checkpoints;
    double StartFuel = 0.0;

    const std::string& DepartureTime() const { return Header[7]; }
    const std::string& ArrivalTime() const { return Header[15]; }
    const std::string& FuelUsed() const { return Header[21]; }
    const std::string& ExtraFuel(int n) const { return Header[21 + n]; }  // n = 1, 2, 3
    const std::string& TotalFuel() const { return Header[25]; }
    const std::string& FuelPerHour() const { return Header[26]; }
};

constexpr int DepartureTimeLine = 9;  // the file line of the departure time

// Reads a report from its bytes. On a file that is not a report, or that ends
// before its last field, returns false with a message naming `name`, the line
// and what is wrong. `warnings` receives what the module will treat in its own
// way (more than 100 checkpoints).
bool ParseReportText(const std::string& bytes, const std::string& name, ReportText& report, std::string& error,
                     std::vector<std::string>* warnings = nullptr);
bool ReadReportText(const std::string& path, ReportText& report, std::string& error,
                    std::vector<std::string>* warnings = nullptr);

}  // namespace vqsim
