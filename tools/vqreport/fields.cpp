#include "tools/vqreport/fields.h"

namespace vqreport {

namespace {
const char* const Carried = "carried unchanged";
const char* const Extra = "whole number added into the total fuel";
}  // namespace

const char* const HeaderMeanings[TReportHeader::TextCount] = {
    Carried, Carried, Carried, Carried, Carried, Carried, Carried,
    "clock time, hh:mm, from which the flight time is measured",
    Carried, Carried, Carried, Carried, Carried, Carried, Carried,
    "clock time, hh:mm, at which the last checkpoint was reached",
    Carried, Carried, Carried, Carried, Carried,
    "fuel used since the fuel on board was stored; the gauge writes it",
    Extra, Extra, Extra,
    "fuel used plus the three extra fuels; the gauge writes it",
    "fuel used per hour of flight; the gauge writes it",
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
