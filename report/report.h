// The flight report in memory: the header of 27 texts and the list of up to
// 100 checkpoints, with the two global objects that every part of the gauge
// reads and assigns directly.
#pragma once

#include <cstdint>

#include "platform/fixed_text.h"

// The report's header: texts about the flight as a whole, in file order.
struct TReportHeader {
    ReportText Field01, Field02, Field03, Field04, Field05, Field06, Field07;
    ReportText DepartureTime;  // hh:mm, from which the flight time is measured
    ReportText Field09, Field10, Field11, Field12, Field13, Field14, Field15;
    ReportText ArrivalTime;    // hh:mm at which the last checkpoint was reached
    ReportText Field17, Field18, Field19, Field20, Field21;
    ReportText FuelUsed;       // decimal whole number
    ReportText ExtraFuel1, ExtraFuel2, ExtraFuel3;  // whole numbers added into TotalFuel
    ReportText TotalFuel;      // decimal whole number
    ReportText FuelPerHour;    // number with two decimals

    static constexpr int TextCount = 27;
    // The 27 texts in member (and file) order.
    static ReportText TReportHeader::* const Texts[TextCount];
};

// One checkpoint of the route: 15 texts, then its position in degrees.
// Latitude and Longitude both exactly 0.0 mean "no position".
struct TChkPoint {
    ReportText Name;              // "Approach" marks the approach entry
    ReportText Field02;           // shown after the name on the alternate page
    ReportText Ident;             // identifier, may be empty
    ReportText Field04;           // shown beside Ident
    ReportText AltIdent;          // shown when Ident is empty
    ReportText Field06;           // shown beside AltIdent
    ReportText Field07;           // main page, line 2
    ReportText Field08;           // alternate page, line 2
    ReportText Field09;           // carried, never shown
    ReportText LegDistance;       // decimal number, length of the leg to here
    ReportText Field11;           // alternate page, line 2
    ReportText PlannedLegTime;    // hh:mm or empty
    ReportText ActualLegTime;     // hh:mm or empty
    ReportText EstimatedArrival;  // hh:mm or empty
    ReportText ActualArrival;     // hh:mm, empty or "??"
    double Latitude = 0.0;         // degrees, north positive
    double Longitude = 0.0;        // degrees, east positive

    static constexpr int TextCount = 15;
    // The 15 texts in member (and file) order.
    static ReportText TChkPoint::* const Texts[TextCount];
};

constexpr std::int32_t ChkPointCapacity = 100;

// The checkpoints of the route with the list-level fields. The slots are part
// of the list itself (no allocation); Clear and Add reuse them.
class TChkPointList {
public:
    ReportText Field1;
    ReportText Field2;
    double StartFuel = 0.0;   // fuel on board when the pilot stored it
    static constexpr std::int32_t Capacity = ChkPointCapacity;  // slots in Items
    std::int32_t Count = 0;   // slots in use, in route order
    ReportText Field3;       // not stored in the report file

    // Count := 0, Field3 emptied; every slot keeps its contents.
    void Clear();
    // Copies the 15 texts of `source` into slot Count, gives it the position
    // 0.0, 0.0 and counts it. A full list ignores the call.
    void Add(const TChkPoint& source);
    // The slot itself. An index outside the slots gives a spare, empty slot
    // without position, so that no caller can reach outside the list.
    TChkPoint& Item(std::int32_t index);

private:
    TChkPoint Items[ChkPointCapacity];
    TChkPoint Spare;
};

// Built before any code of the module runs: both are constant-initialized
// to zeros (empty texts, no checkpoints), so they take no room in the gauge
// file and need no start-up code.
extern TReportHeader ReportHeader;
extern TChkPointList ChkPointList;
