// The one walk over the lines of a report file, for the reader that fills the
// report globals and for the digest that only looks (report_digest.h): every
// field is read from its own line of the layout, and both see the same
// fields in the same way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/text_file.h"
#include "report/report_file.h"
#include "report/report_format.h"
#include "report/text.h"

// Reads lines 2 to the end of a report file and hands each field to `sink`:
//   sink.Text(at, text, length)   a text, trimmed; also the texts of
//                                 checkpoints beyond the capacity, which the
//                                 reader drops (at.Checkpoint >= Capacity)
//   sink.Count(count)             the count line as read
//   sink.Number(at, value)        the start fuel or a coordinate
// A field whose line the file lacks comes as an empty text, 0.0 or no count.
// Returns true when the file was taken whole: every line the count implies
// was there, none was cut, no checkpoint beyond the capacity was dropped,
// every number line held just a number, and nothing but blank lines followed
// the last coordinate. `lines`, if given, learns which line each field was
// taken from.
template <typename Sink>
bool WalkReportFields(platform::TextFileReader& in, Sink& sink, ReportLines* lines) {
    char line[ReportNumberLimit + 1];
    std::size_t length = 0;
    bool missing = false;  // a line the file should have had was not there
    bool clean = true;     // every number line held just a number
    bool dropped = false;  // checkpoints beyond the capacity were read and dropped
    ReportLines taken;
    taken.Last = 1;
    // The checkpoints whose lines are read: the count, cut where the file
    // ends, so that the walk ends there whatever the count says.
    std::int32_t count = 0;

    for (std::int64_t n = 2;; ++n) {
        LineField at = FieldAtLine(n, count);
        if (!at.Field) break;
        const bool text = at.Field->Kind == FieldKind::Text;
        const bool got = in.ReadLine(line, text ? ReportTextLimit : ReportNumberLimit, length);
        if (got) {
            taken.Last = n;
        } else {
            missing = true;
            if (at.Field->Part == ReportPart::Checkpoint && at.Field->Index == 0) {
                // The file ends before this checkpoint: the start fuel was due here.
                count = at.Checkpoint;
                at = FieldAtLine(n, count);
            }
        }
        const ReportField& field = *at.Field;
        if (field.Kind == FieldKind::Text) {
            std::size_t first = 0, characters = 0;
            TrimmedPart(line, length, first, characters);
            sink.Text(at, line + first, characters);
            if (field.Part == ReportPart::Checkpoint && field.Index == TChkPoint::TextCount - 1) {
                // Only the first Capacity checkpoints are kept.
                if (at.Checkpoint >= ChkPointCapacity) dropped = true;
                if (missing) count = at.Checkpoint + 1;
            }
        } else if (field.Kind == FieldKind::Count) {
            bool countClean = true;
            if (got) {
                count = taken.Count = ParseReportCount(line, length, &countClean);
                sink.Count(count);
            }
            // A negative count is read as no checkpoints, which is not what the file says.
            if (!countClean || count < 0) clean = false;
        } else {
            bool numberClean = true;
            sink.Number(at, !got ? 0.0 : ParseReportNumber(line, length, &numberClean));
            if (!numberClean) clean = false;
        }
    }
    if (lines) *lines = taken;
    const bool trailing = !missing && in.HasMoreContent();
    return !missing && !dropped && clean && !trailing && !in.WasCut();
}
