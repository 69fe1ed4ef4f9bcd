// What each field of a report file is called and what it means, for the
// messages and listings of vqreport: one table for the header's 27 texts and
// one for the 15 texts of a checkpoint, in file order, with the width of the
// display column where the gauge shows the field.
#pragma once

#include <cstdint>
#include <string>

namespace vqreport {

struct FieldInfo {
    const char* Member;   // the member's name in the report ("DepartureTime", "Field03")
    const char* Label;    // what a dispatcher calls it ("departure time", "header field 3")
    const char* Meaning;  // one line on what the gauge does with it
};

extern const FieldInfo HeaderFields[27];

struct PointFieldInfo {
    const char* Member;
    const char* Label;
    const char* Meaning;
    int DisplayWidth;  // characters of its display column; 0 when never shown
};

extern const PointFieldInfo PointFields[15];

// Index of each checkpoint text in PointFields (and in TChkPoint::Texts).
enum PointField {
    PfName, PfField02, PfIdent, PfField04, PfAltIdent, PfField06, PfField07, PfField08,
    PfField09, PfLegDistance, PfField11, PfPlannedLegTime, PfActualLegTime,
    PfEstimatedArrival, PfActualArrival
};

// Index of the named header texts in HeaderFields (and in TReportHeader::Texts).
enum HeaderField {
    HfDepartureTime = 7, HfArrivalTime = 15, HfFuelUsed = 21, HfExtraFuel1 = 22,
    HfExtraFuel2 = 23, HfExtraFuel3 = 24, HfTotalFuel = 25, HfFuelPerHour = 26
};

// Line numbers of the report file (counted from 1). `count` is the checkpoint
// count as the file's count line gives it (negative counts as 0).
constexpr std::int64_t HeaderLine = 1;
constexpr std::int64_t FirstHeaderTextLine = 2;    // 27 header texts
constexpr std::int64_t FirstListTextLine = 29;     // list fields 1 and 2
constexpr std::int64_t CountLine = 31;
std::int64_t PointTextLine(std::int64_t point, int field);
std::int64_t StartFuelLine(std::int64_t count);
std::int64_t LatitudeLine(std::int64_t count, std::int64_t point);
std::int64_t LongitudeLine(std::int64_t count, std::int64_t point);
// Lines the gauge reads for `count` checkpoints, at most `capacity` of them stored.
std::int64_t ExpectedLines(std::int64_t count, std::int64_t capacity);

// Width of the identifier column: 7, or 5 for an identifier the display puts in
// brackets because the checkpoint has no position.
constexpr int IdentWidth = 7;
constexpr int BracketedIdentWidth = 5;

// The name of the field on `line` of a file whose count line says `count`,
// in a dispatcher's words ("checkpoint 3 leg distance"); `capacity` is the
// number of checkpoints the gauge keeps (their coordinates follow StartFuel).
std::string FieldNameAtLine(std::int64_t line, std::int64_t count, std::int64_t capacity);

}  // namespace vqreport
