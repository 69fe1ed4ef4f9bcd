#include "display/lines.h"

#include "display/elements.h"
#include "interface/fpu.h"
#include "interface/state.h"
#include "progress/time_text.h"
#include "progress/timing.h"
#include "report/report.h"

namespace {

// The length of `text`, at most `maxChars`.
std::size_t BoundedLength(const char* text, std::size_t maxChars) {
    std::size_t n = 0;
    while (n < maxChars && text[n] != '\0') ++n;
    return n;
}

// A line under construction in a fixed buffer; nothing is ever written past
// `Limit` characters and the terminating zero.
class LineText {
public:
    explicit LineText(std::size_t limit) : Limit(limit) {}

    void Append(const char* text, std::size_t length) {
        for (std::size_t i = 0; i < length && Length < Limit; ++i) Text[Length++] = text[i];
    }
    void Append(const char* text) { Append(text, BoundedLength(text, Limit)); }
    void Blanks(std::size_t count) {
        for (std::size_t i = 0; i < count && Length < Limit; ++i) Text[Length++] = ' ';
    }
    // A text in a column: cut to `maxChars`, padded with blanks to `width`,
    // on the left (right-aligned) unless `leftAligned`.
    void Column(const char* text, std::size_t maxChars, std::size_t width, bool leftAligned) {
        std::size_t length = BoundedLength(text, maxChars);
        if (!leftAligned && length < width) Blanks(width - length);
        Append(text, length);
        if (leftAligned && length < width) Blanks(width - length);
    }
    // "%02d".
    void TwoDigits(std::int32_t value) {
        char digits[12];
        std::size_t n = 0;
        std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) {
            Append("-");
        } else if (n < 2) {
            Append("0");
        }
        while (n > 0) Append(&digits[--n], 1);
    }
    void CopyTo(char* out) const {
        __builtin_memcpy(out, Text, Length);
        out[Length] = '\0';
    }

private:
    char Text[32] = {};
    std::size_t Length = 0;
    std::size_t Limit;
};

// Copies a line into the host's buffer, if the host has given one.
void Deliver(const TextElement& element, const char* text) {
    if (element.Buffer) {
        std::size_t length = BoundedLength(text, element.CharacterCount);
        __builtin_memcpy(element.Buffer, text, length);
        element.Buffer[length] = '\0';
    }
}

bool HasNoPosition(const TChkPoint& point) { return point.Latitude == 0.0 && point.Longitude == 0.0; }

// The current checkpoint, or null when the index names none of the report.
TChkPoint* CurrentPoint() {
    if (CurrentChkPoint < 0 || CurrentChkPoint >= ChkPointList.Count) return nullptr;
    return &ChkPointList.Item(CurrentChkPoint);
}

void Line1Numbers(LineText& line) {
    line.TwoDigits(CurrentChkPoint + 1);
    line.Append("/");
    line.TwoDigits(ChkPointList.Count);
}

}  // namespace

void ComposeLine1(char* out) {
    LineText line(Line1Length);
    const TChkPoint* point = CurrentPoint();
    if (Active == 0) {
        line.Blanks(20);
    } else if (GreetingTicks < GreetingBuilds) {
        ++GreetingTicks;
        line.Append("  GOOD FLIGHT WITH  ");
    } else if (ChkPointList.Count <= 0) {
        line.Append("--/--               ");
    } else if (!point) {
        // Past the last checkpoint, until the pilot steps back into the list.
        line.Append("--/");
        line.TwoDigits(ChkPointList.Count);
        line.Append(" END OF ROUTE");
        line.Blanks(20);
    } else if (AltPage != 0) {
        line.Column(point->Name.c_str(), 13, 13, true);
        line.Append(" ");
        line.Column(point->Field02.c_str(), 6, 6, true);
    } else if (point->Name == "Approach") {
        Line1Numbers(line);
        line.Append(" Approach      ");
    } else {
        const bool useIdent = !point->Ident.empty();
        const ReportText& ident = useIdent ? point->Ident : point->AltIdent;
        const ReportText& beside = useIdent ? point->Field04 : point->Field06;
        Line1Numbers(line);
        line.Append(" ");
        if (HasNoPosition(*point)) {
            // Brackets tell the pilot this checkpoint will not be detected.
            std::size_t length = BoundedLength(ident.c_str(), 5);
            line.Append("(");
            line.Append(ident.c_str(), length);
            line.Append(")");
            line.Blanks(7 - (length + 2));
        } else {
            line.Column(ident.c_str(), 7, 7, true);
        }
        line.Append(" ");
        line.Column(beside.c_str(), 6, 6, true);
    }
    line.CopyTo(out);
}

void ComposeLine2(char* out) {
    LineText line(Line2Length);
    const TChkPoint* point = CurrentPoint();
    if (Active == 0) {
        line.Blanks(18);
    } else if (GreetingTicks < GreetingBuilds) {
        line.Append("    VESTRALONICA    ");
    } else if (ChkPointList.Count <= 0 || !point) {
        line.Append("         --:-- --:--");
    } else {
        const char* third;
        const char* fourth;
        if (AltPage != 0) {
            third = point->EstimatedArrival.empty() ? "--:--" : point->EstimatedArrival.c_str();
            fourth = (point->ActualArrival.empty() || point->ActualArrival == "??") ? "--:--"
                                                                                   : point->ActualArrival.c_str();
            line.Column(point->Field08.c_str(), 3, 3, false);
            line.Append(" ");
            line.Column(point->Field11.c_str(), 4, 4, false);
        } else {
            third = point->PlannedLegTime.empty() ? "--:--" : point->PlannedLegTime.c_str();
            fourth = point->ActualLegTime.empty() ? "--:--" : point->ActualLegTime.c_str();
            line.Column(point->Field07.c_str(), 3, 3, false);
            line.Append(" ");
            line.Column(point->LegDistance.c_str(), 4, 4, false);
        }
        line.Append(" ");
        line.Column(third, 5, 5, false);
        line.Append(" ");
        line.Column(fourth, 5, 5, false);
    }
    line.CopyTo(out);
}

void ComposeLine3(char* out) {
    if (Active == 0) {
        __builtin_memcpy(out, " ", 2);
        return;
    }
    TChkPoint* point = CurrentPoint();
    if (!point || HasNoPosition(*point)) return;

    const double latitude = LatitudeDegreesFromHost(Line3Element.Source[1].Value);
    const double longitude = LongitudeDegreesFromHost(Line3Element.Source[2].Value);
    const double distance = PlanarDistance(point->Latitude, point->Longitude, latitude, longitude);

    if (distance < ArrivalDistanceDegrees) {
        if (AtChkPoint == 0) {
            AtChkPoint = 1;
            __builtin_memcpy(out, "#", 2);
            // The first checkpoint has no leg before it: no times.
            if (CurrentChkPoint > 0) StampCurrentCheckpoint();
        }
    } else if (AtChkPoint == 1) {
        AtChkPoint = 0;
        __builtin_memcpy(out, " ", 2);
        ++CurrentChkPoint;
    }
}

double VQ_STDCALL BuildLine1(double value) {
    HostFloatingPointScope scope;
    char text[Line1Length + 1];
    ComposeLine1(text);
    Deliver(Line1Element, text);
    return value;
}

double VQ_STDCALL BuildLine2(double value) {
    HostFloatingPointScope scope;
    char text[Line2Length + 1];
    ComposeLine2(text);
    Deliver(Line2Element, text);
    return value;
}

double VQ_STDCALL BuildLine3(double value) {
    HostFloatingPointScope scope;
    // Empty while the mark does not change. The mark is set before the times
    // are taken, so a timing run that stops on a bad text still shows it.
    char text[Line3Length + 1] = "";
    ComposeLine3(text);
    if (text[0] != '\0') Deliver(Line3Element, text);
    return value;
}
