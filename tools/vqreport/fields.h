// What vqreport says about the fields of a report file: a dispatcher's name
// for each and what the gauge does with it, with the width of the display
// column where the gauge shows a checkpoint text. Where each field stands,
// its names and its kind are the module's table (report/report_format.h).
#pragma once

#include <cstdint>
#include <string>

#include "report/report_format.h"

namespace vqreport {

// What the gauge does with each header text, in TReportHeader::Texts order.
extern const char* const HeaderMeanings[TReportHeader::TextCount];

struct PointFieldInfo {
    const char* Meaning;  // one line on what the gauge does with it
    int DisplayWidth;     // characters of its display column; 0 when never shown
};

// In TChkPoint::Texts order (PointField).
extern const PointFieldInfo PointFields[TChkPoint::TextCount];

// Width of the identifier column: 7, or 5 for an identifier the display puts in
// brackets because the checkpoint has no position.
constexpr int IdentWidth = 7;
constexpr int BracketedIdentWidth = 5;

// A dispatcher's name for a field: what it holds ("departure time", "leg
// distance", "level"), as the report format table gives it.
std::string FieldLabel(const ReportField& field);

// The name of the field on `line` of a file whose count line says `count`,
// in a dispatcher's words ("checkpoint 3 leg distance").
std::string FieldNameAtLine(std::int64_t line, std::int32_t count);

}  // namespace vqreport
