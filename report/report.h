// The flight report in memory: the header of 27 texts and the list of up to
// 100 checkpoints, with the two global objects that every part of the gauge
// reads and assigns directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The report's header: texts about the flight as a whole, in file order.
struct TReportHeader {
    std::string Field01, Field02, Field03, Field04, Field05, Field06, Field07;
    std::string DepartureTime;  // hh:mm, from which the flight time is measured
    std::string Field09, Field10, Field11, Field12, Field13, Field14, Field15;
    std::string ArrivalTime;    // hh:mm at which the last checkpoint was reached
    std::string Field17, Field18, Field19, Field20, Field21;
    std::string FuelUsed;       // decimal whole number
    std::string ExtraFuel1, ExtraFuel2, ExtraFuel3;  // whole numbers added into TotalFuel
    std::string TotalFuel;      // decimal whole number
    std::string FuelPerHour;    // number with two decimals

    static constexpr int TextCount = 27;
    // The 27 texts in member (and file) order.
    static std::string TReportHeader::* const Texts[TextCount];
};

// One checkpoint of the route: 15 texts, then its position in degrees.
// Latitude and Longitude both exactly 0.0 mean "no position".
struct TChkPoint {
    std::string Name;              // "Approach" marks the approach entry
    std::string Field02;           // shown after the name on the alternate page
    std::string Ident;             // identifier, may be empty
    std::string Field04;           // shown beside Ident
    std::string AltIdent;          // shown when Ident is empty
    std::string Field06;           // shown beside AltIdent
    std::string Field07;           // main page, line 2
    std::string Field08;           // alternate page, line 2
    std::string Field09;           // carried, never shown
    std::string LegDistance;       // decimal number, length of the leg to here
    std::string Field11;           // alternate page, line 2
    std::string PlannedLegTime;    // hh:mm or empty
    std::string ActualLegTime;     // hh:mm or empty
    std::string EstimatedArrival;  // hh:mm or empty
    std::string ActualArrival;     // hh:mm, empty or "??"
    double Latitude = 0.0;         // degrees, north positive
    double Longitude = 0.0;        // degrees, east positive

    static constexpr int TextCount = 15;
    // The 15 texts in member (and file) order.
    static std::string TChkPoint::* const Texts[TextCount];
};

// The checkpoints of the route with the list-level fields. All slots are
// allocated once, at construction; Clear and Add reuse them.
class TChkPointList {
public:
    std::string Field1;
    std::string Field2;
    double StartFuel = 0.0;   // fuel on board when the pilot stored it
    std::int32_t Capacity;    // slots in Items, fixed at construction
    std::int32_t Count = 0;   // slots in use, in route order
    std::string Field3;       // not stored in the report file

    explicit TChkPointList(std::int32_t capacity);

    // Count := 0, Field3 emptied; every slot keeps its contents.
    void Clear();
    // Copies the 15 texts of `source` into slot Count, gives it the position
    // 0.0, 0.0 and counts it. A full list ignores the call.
    void Add(const TChkPoint& source);
    // The slot itself. An index outside the slots gives a spare, empty slot
    // without position, so that no caller can reach outside the list.
    TChkPoint& Item(std::int32_t index);

private:
    std::vector<TChkPoint> Items;
    TChkPoint Spare;
};

constexpr std::int32_t ChkPointCapacity = 100;

extern TReportHeader ReportHeader;
extern TChkPointList ChkPointList;
