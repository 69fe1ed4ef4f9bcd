// The element records of an instrument's face, as the host reads them: an
// image element at the top, its zero-terminated list of text elements and the
// failure list they share.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/records.h"

struct FailureList {
    std::uint8_t Bytes[16];  // the host's; handed over unread
};

#pragma pack(push, 4)

// Words 0 to 14, common to image and text elements.
struct ElementHeader {
    std::uint32_t Kind;        // 0 image, 2 text
    std::int32_t Resource;     // picture resource number, -1 for none
    std::int32_t X;            // position in the gauge's pixels
    std::int32_t Y;
    std::uint32_t Zero16[4];
    const GaugeHeader* Gauge;
    std::uint32_t Zero36;
    void* const* Children;     // zero-terminated list of child elements
    const FailureList* Failures;
    std::uint32_t Flags;       // 1 image, 6 text
    std::uint32_t Zero52[2];
};

// The background picture element, top of the tree.
struct ImageElement {
    ElementHeader Header;
    void* HostRecord;          // written by the host when the tree is installed
    std::uint32_t HostOwned64[4];
};

using TextCallback = double(VQ_STDCALL*)(double);

// A text element: the host draws the text that the callback leaves in Buffer.
struct TextElement {
    ElementHeader Header;
    HostVariable Source[3];    // source variables; token 0 names none
    std::uint32_t HostOwned144[9];
    TextCallback Callback;
    char* Buffer;              // the host's buffer: CharacterCount characters and a zero
    std::uint32_t Zero188;
    std::uint32_t BoxWidth;
    std::uint32_t BoxHeight;
    std::uint32_t Zero200[2];
    std::uint32_t TextColour;        // Windows colour words: red in the low byte
    std::uint32_t BackgroundColour;
    std::uint32_t ThirdColour;
    std::uint32_t HostOwned220[7];
    char FontFace[32];
    std::uint32_t FontWeight;
    std::uint32_t CharacterSet;
    std::uint32_t DrawFlags;
    std::uint32_t CharacterCount;
    std::uint32_t Zero296[3];
};

#pragma pack(pop)

static_assert(sizeof(FailureList) == 16);
static_assert(sizeof(ElementHeader) == 60);
static_assert(offsetof(ElementHeader, Resource) == 4);
static_assert(offsetof(ElementHeader, X) == 8);
static_assert(offsetof(ElementHeader, Y) == 12);
static_assert(offsetof(ElementHeader, Gauge) == 32);
static_assert(offsetof(ElementHeader, Children) == 40);
static_assert(offsetof(ElementHeader, Failures) == 44);
static_assert(offsetof(ElementHeader, Flags) == 48);
static_assert(sizeof(ImageElement) == 80);
static_assert(offsetof(ImageElement, HostRecord) == 60);
static_assert(sizeof(TextElement) == 308);
static_assert(offsetof(TextElement, Source) == 60);
static_assert(offsetof(TextElement, Source[1]) == 88);
static_assert(offsetof(TextElement, Source[2]) == 116);
static_assert(offsetof(TextElement, HostOwned144) == 144);
static_assert(offsetof(TextElement, Callback) == 180);
static_assert(offsetof(TextElement, Buffer) == 184);
static_assert(offsetof(TextElement, BoxWidth) == 192);
static_assert(offsetof(TextElement, BoxHeight) == 196);
static_assert(offsetof(TextElement, TextColour) == 208);
static_assert(offsetof(TextElement, BackgroundColour) == 212);
static_assert(offsetof(TextElement, ThirdColour) == 216);
static_assert(offsetof(TextElement, FontFace) == 248);
static_assert(offsetof(TextElement, FontWeight) == 280);
static_assert(offsetof(TextElement, CharacterSet) == 284);
static_assert(offsetof(TextElement, DrawFlags) == 288);
static_assert(offsetof(TextElement, CharacterCount) == 292);
