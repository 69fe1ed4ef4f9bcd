#include "display/elements.h"

#include "display/lines.h"
#include "gauge/gauge.h"

namespace {

constexpr std::uint32_t Red = 0x0000FF;         // (255, 0, 0)
constexpr std::uint32_t Green = 0x00FF00;       // (0, 255, 0)
constexpr std::uint32_t WindowColour = 0x000010; // (16, 0, 0), the display window
constexpr std::uint32_t InsetColour = 0x333333; // (51, 51, 51), the inset of the mark button
constexpr std::uint32_t Grey92 = 0x5C5C5C;
constexpr std::uint32_t NormalWeight = 400;
constexpr std::uint32_t DefaultCharset = 1;
constexpr std::uint32_t CentredSingleLine = 0x01 | 0x04 | 0x20;

constexpr ElementHeader TextHeader(std::int32_t x, std::int32_t y) {
    return ElementHeader{.Kind = 2, .Resource = -1, .X = x, .Y = y, .Zero16 = {}, .Gauge = &GaugeHeaderRecord,
                         .Zero36 = 0, .Children = nullptr, .Failures = &ElementFailureList, .Flags = 6,
                         .Zero52 = {}};
}

constexpr HostVariable Source(std::uint32_t token) {
    return HostVariable{.Token = token, .HostOwned4 = 0, .HostOwned8 = 0, .Value = 0.0, .HostOwned20 = 0,
                        .HostOwned24 = 0};
}

}  // namespace

FailureList ElementFailureList = {{0x01, 0x03, 0x00, 0x00}};

void* LineElementList[4] = {&Line1Element, &Line2Element, &Line3Element, nullptr};

ImageElement BackgroundElement = {
    .Header = {.Kind = 0, .Resource = 100, .X = 9, .Y = 0, .Zero16 = {}, .Gauge = &GaugeHeaderRecord, .Zero36 = 0,
               .Children = LineElementList, .Failures = &ElementFailureList, .Flags = 1, .Zero52 = {}},
    .HostRecord = nullptr,
    .HostOwned64 = {},
};

TextElement Line1Element = {
    .Header = TextHeader(50, 9),
    .Source = {Source(1), Source(0), Source(0)},
    .HostOwned144 = {},
    .Callback = BuildLine1,
    .Buffer = nullptr,
    .Zero188 = 0,
    .BoxWidth = 200,
    .BoxHeight = 24,
    .Zero200 = {},
    .TextColour = Red,
    .BackgroundColour = WindowColour,
    .ThirdColour = Grey92,
    .HostOwned220 = {},
    .FontFace = "Courier New",
    .FontWeight = NormalWeight,
    .CharacterSet = DefaultCharset,
    .DrawFlags = CentredSingleLine,
    .CharacterCount = Line1Length,
    .Zero296 = {},
};

TextElement Line2Element = {
    .Header = TextHeader(50, 28),
    .Source = {Source(1), Source(0), Source(0)},
    .HostOwned144 = {},
    .Callback = BuildLine2,
    .Buffer = nullptr,
    .Zero188 = 0,
    .BoxWidth = 200,
    .BoxHeight = 24,
    .Zero200 = {},
    .TextColour = Red,
    .BackgroundColour = WindowColour,
    .ThirdColour = Grey92,
    .HostOwned220 = {},
    .FontFace = "Courier New",
    .FontWeight = NormalWeight,
    .CharacterSet = DefaultCharset,
    .DrawFlags = CentredSingleLine,
    .CharacterCount = Line2Length,
    .Zero296 = {},
};

TextElement Line3Element = {
    .Header = TextHeader(303, 36),
    .Source = {Source(5), Source(LatitudeToken), Source(LongitudeToken)},
    .HostOwned144 = {},
    .Callback = BuildLine3,
    .Buffer = nullptr,
    .Zero188 = 0,
    .BoxWidth = 10,
    .BoxHeight = 10,
    .Zero200 = {},
    .TextColour = Green,
    .BackgroundColour = InsetColour,
    .ThirdColour = Grey92,
    .HostOwned220 = {},
    .FontFace = "Courier New",
    .FontWeight = NormalWeight,
    .CharacterSet = DefaultCharset,
    .DrawFlags = CentredSingleLine,
    .CharacterCount = Line3Length,
    .Zero296 = {},
};
