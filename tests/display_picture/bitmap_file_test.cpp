// Reading 8-bit palette bitmaps: row order and padding, the resource layout
// without a file header, and refusal of anything malformed.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/bitmap_file.h"

namespace {

using vqhost::Picture;
using vqhost::PixelColour;
using vqhost::ReadBitmapFile;
using vqhost::ReadBitmapInfo;
using vqhost::Rgb;

void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

// A 3 x 2 bitmap file with a 4-colour palette: rows of 3 pixels padded to 4
// bytes, stored bottom-up (or top-down with a negative height). Pixel (x, y)
// has palette index (x + y) % 4; entry k is (10k+1, 10k+2, 10k+3).
std::vector<std::uint8_t> SmallBitmap(bool topDown = false) {
    const std::size_t offset = 14 + 40 + 4 * 4;
    std::vector<std::uint8_t> b(offset + 2 * 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, std::uint32_t(b.size()));
    Put(b, 10, std::uint32_t(offset));
    Put(b, 14, 40);
    Put(b, 18, 3);
    Put(b, 22, topDown ? std::uint32_t(-2) : 2u);
    Put(b, 26, 1, 2);
    Put(b, 28, 8, 2);
    Put(b, 34, 8);
    Put(b, 46, 4);
    for (int k = 0; k < 4; ++k) {
        b[54 + 4 * k] = std::uint8_t(10 * k + 3);  // blue, green, red
        b[55 + 4 * k] = std::uint8_t(10 * k + 2);
        b[56 + 4 * k] = std::uint8_t(10 * k + 1);
    }
    for (int y = 0; y < 2; ++y) {
        int stored = topDown ? y : 1 - y;
        for (int x = 0; x < 3; ++x) b[offset + 4 * stored + x] = std::uint8_t((x + y) % 4);
        b[offset + 4 * stored + 3] = 0xEE;  // padding, never read as a pixel
    }
    return b;
}

Rgb Entry(int k) { return Rgb{std::uint8_t(10 * k + 1), std::uint8_t(10 * k + 2), std::uint8_t(10 * k + 3)}; }

void ExpectSmallPicture(const Picture& p) {
    ASSERT_EQ(p.Width, 3);
    ASSERT_EQ(p.Height, 2);
    EXPECT_EQ(p.PaletteCount, 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelColour(p, x, y), Entry((x + y) % 4)) << x << "," << y;
}

TEST(BitmapFile, ReadsRowsTopRowFirstWithoutPaddingWithOrWithoutTheFileHeader) {
    Picture bottomUp, topDown, resource;
    ASSERT_TRUE(ReadBitmapFile(SmallBitmap(), bottomUp));
    ExpectSmallPicture(bottomUp);
    ASSERT_TRUE(ReadBitmapFile(SmallBitmap(true), topDown));
    ExpectSmallPicture(topDown);
    const std::vector<std::uint8_t> file = SmallBitmap();
    ASSERT_TRUE(ReadBitmapInfo(std::vector<std::uint8_t>(file.begin() + 14, file.end()), resource));
    ExpectSmallPicture(resource);
}

TEST(BitmapFile, RefusesMalformedBitmapsAndKeepsThePicture) {
    struct Case {
        const char* What;
        void (*Spoil)(std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        {"empty", [](std::vector<std::uint8_t>& b) { b.clear(); }},
        {"not BM", [](std::vector<std::uint8_t>& b) { b[1] = 'A'; }},
        {"cut short", [](std::vector<std::uint8_t>& b) { b.pop_back(); }},
        {"zero width", [](std::vector<std::uint8_t>& b) { Put(b, 18, 0); }},
        {"huge width", [](std::vector<std::uint8_t>& b) { Put(b, 18, 0x7FFFFFFF); }},
        {"4 bits per pixel", [](std::vector<std::uint8_t>& b) { Put(b, 28, 4, 2); }},
        {"run-length compressed", [](std::vector<std::uint8_t>& b) { Put(b, 30, 1); }},
        {"more than 256 colours", [](std::vector<std::uint8_t>& b) { Put(b, 46, 257); }},
        {"pixels past the end", [](std::vector<std::uint8_t>& b) { Put(b, 10, 14 + 40 + 16 + 4); }},
        {"pixel past the palette", [](std::vector<std::uint8_t>& b) { Put(b, 46, 2); }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = SmallBitmap();
        c.Spoil(bytes);
        Picture picture;
        picture.Width = 7;
        EXPECT_FALSE(ReadBitmapFile(bytes, picture)) << c.What;
        EXPECT_EQ(picture.Width, 7) << c.What;
    }
}

}  // namespace
