// The element tree as the host walks it.
#include <cstring>

#include "display/elements.h"
#include "display/lines.h"
#include "gauge/gauge.h"
#include "tests/test_support.h"

namespace {

TEST(ElementTree, FourElementsUnderTheHeaderSlot) {
    ASSERT_EQ(*GaugeHeaderRecord.ElementList, &BackgroundElement);
    EXPECT_EQ(BackgroundElement.Header.Children, LineElementList);
    EXPECT_EQ(LineElementList[0], &Line1Element);
    EXPECT_EQ(LineElementList[1], &Line2Element);
    EXPECT_EQ(LineElementList[2], &Line3Element);
    EXPECT_EQ(LineElementList[3], nullptr);
    for (const ElementHeader* header :
         {&BackgroundElement.Header, &Line1Element.Header, &Line2Element.Header, &Line3Element.Header}) {
        EXPECT_EQ(header->Gauge, &GaugeHeaderRecord);
        EXPECT_EQ(header->Failures, &ElementFailureList);
    }
    const unsigned char failures[16] = {1, 3};
    EXPECT_EQ(std::memcmp(ElementFailureList.Bytes, failures, 16), 0);
}

TEST(ElementTree, BackgroundRecord) {
    const ElementHeader& h = BackgroundElement.Header;
    EXPECT_EQ(h.Kind, 0u);
    EXPECT_EQ(h.Resource, 100);
    EXPECT_EQ(h.X, 9);
    EXPECT_EQ(h.Y, 0);
    EXPECT_EQ(h.Flags, 1u);
}

TEST(ElementTree, TextRecords) {
    struct Expected {
        const TextElement* element;
        int x, y;
        unsigned width, height;
        std::uint32_t tokens[3];
        TextCallback callback;
        std::uint32_t text, background, count;
    } expected[] = {
        {&Line1Element, 50, 9, 200, 24, {1, 0, 0}, BuildLine1, 0x0000FF, 0x000010, 20},
        {&Line2Element, 50, 28, 200, 24, {1, 0, 0}, BuildLine2, 0x0000FF, 0x000010, 20},
        {&Line3Element, 303, 36, 10, 10, {5, 71, 72}, BuildLine3, 0x00FF00, 0x333333, 1},
    };
    for (const Expected& e : expected) {
        const TextElement& t = *e.element;
        EXPECT_EQ(t.Header.Kind, 2u);
        EXPECT_EQ(t.Header.Resource, -1);
        EXPECT_EQ(t.Header.X, e.x);
        EXPECT_EQ(t.Header.Y, e.y);
        EXPECT_EQ(t.Header.Children, nullptr);
        EXPECT_EQ(t.Header.Flags, 6u);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(t.Source[i].Token, e.tokens[i]);
        EXPECT_EQ(t.Callback, e.callback);
        EXPECT_EQ(t.BoxWidth, e.width);
        EXPECT_EQ(t.BoxHeight, e.height);
        EXPECT_EQ(t.TextColour, e.text);
        EXPECT_EQ(t.BackgroundColour, e.background);
        EXPECT_EQ(t.ThirdColour, 0x5C5C5Cu);
        char face[32] = "Courier New";
        EXPECT_EQ(std::memcmp(t.FontFace, face, 32), 0) << "zero-padded to 32 bytes";
        EXPECT_EQ(t.FontWeight, 400u);
        EXPECT_EQ(t.CharacterSet, 1u);
        EXPECT_EQ(t.DrawFlags, 0x25u);
        EXPECT_EQ(t.CharacterCount, e.count);
    }
}

}  // namespace
