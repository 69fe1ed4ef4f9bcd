#include "display/elements.h"

#include "display/lines.h"
#include "interface/variables.h"

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

namespace {

// A text element of the face; everything not given here is as for all three.
constexpr TextElement TextRecord(std::int32_t x, std::int32_t y, std::uint32_t boxWidth, std::uint32_t boxHeight,
                                 std::uint32_t firstToken, std::uint32_t secondToken, std::uint32_t thirdToken,
                                 TextCallback callback, std::uint32_t textColour, std::uint32_t backgroundColour,
                                 std::uint32_t characters) {
    return TextElement{
        .Header = TextHeader(x, y),
        .Source = {Source(firstToken), Source(secondToken), Source(thirdToken)},
        .HostOwned144 = {},
        .Callback = callback,
        .Buffer = nullptr,
        .Zero188 = 0,
        .BoxWidth = boxWidth,
        .BoxHeight = boxHeight,
        .Zero200 = {},
        .TextColour = textColour,
        .BackgroundColour = backgroundColour,
        .ThirdColour = Grey92,
        .HostOwned220 = {},
        .FontFace = "Courier New",
        .FontWeight = NormalWeight,
        .CharacterSet = DefaultCharset,
        .DrawFlags = CentredSingleLine,
        .CharacterCount = characters,
        .Zero296 = {},
    };
}

}  // namespace

TextElement Line1Element = TextRecord(50, 9, 200, 24, 1, 0, 0, BuildLine1, Red, WindowColour, Line1Length);
TextElement Line2Element = TextRecord(50, 28, 200, 24, 1, 0, 0, BuildLine2, Red, WindowColour, Line2Length);
// Line 3 carries the aircraft's position in its second and third source variables.
TextElement Line3Element =
    TextRecord(303, 36, 10, 10, 5, LatitudeToken, LongitudeToken, BuildLine3, Green, InsetColour, Line3Length);
