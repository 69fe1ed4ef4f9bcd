#include "tools/vqreport/fields.h"

namespace vqreport {

namespace {
const char* const Carried = "carried unchanged";
const char* const Extra = "whole number, added to total";
}  // namespace

// At most 28 characters, to stand beside the value on a line of vqreport show.
const char* const HeaderMeanings[TReportHeader::TextCount] = {
    Carried, Carried, Carried, Carried, Carried, Carried, Carried,
    "hh:mm; flight time from it",
    Carried, Carried, Carried, Carried, Carried, Carried, Carried,
    "hh:mm at the last checkpoint",
    Carried, Carried, Carried, Carried, Carried,
    "since stored, by the gauge",
    Extra, Extra, Extra,
    "fuel used + extra fuels",
    "fuel used per flight hour",
};

const PointFieldInfo PointFields[TChkPoint::TextCount] = {
    {"name of the checkpoint; \"Approach\" marks the approach entry", 13},
    {"shown after the name on the alternate page", 6},
    {"identifier shown on the main page", IdentWidth},
    {"shown beside the identifier", 6},
    {"shown when the identifier is empty", IdentWidth},
    {"shown beside the alternate identifier", 6},
    {"shown on the main page, line 2", 3},
    {"shown on the alternate page, line 2", 3},
    {"carried unchanged, never shown", 0},
    {"length of the leg to this checkpoint, for the arrival estimates", 4},
    {"shown on the alternate page, line 2", 4},
    {"planned duration of the leg, hh:mm", 5},
    {"time flown on the leg; the gauge writes it", 5},
    {"estimated clock time of arrival; the gauge writes it", 5},
    {"clock time of arrival; the gauge writes it", 5},
};

std::string FieldLabel(const ReportField& field) { return field.Holds; }

std::string FieldNameAtLine(std::int64_t line, std::int32_t count) {
    const LineField at = FieldAtLine(line, count);
    if (!at.Field) return "after the report";
    if (at.Checkpoint < 0) return FieldLabel(*at.Field);
    return "checkpoint " + std::to_string(at.Checkpoint + 1) + " " + FieldLabel(*at.Field);
}

}  // namespace vqreport
