// The face pictures: the background read from a Windows bitmap, the font
// sized to the text boxes, and the text drawn in its box and colours.
#include <gtest/gtest.h>

#include "host/vqsim/face.h"
#include "host/vqsim/paths.h"
#include "host/vqsim/picture.h"

namespace {

using vqsim::RgbPicture;

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A 3 x 2 bitmap of 8 bits per pixel with a four-colour palette; rows are
// padded to 4 bytes and stored bottom row first unless the height is negative.
std::vector<std::uint8_t> Bitmap8(bool topDown, bool fileHeader) {
    const std::size_t head = fileHeader ? 14 : 0;
    std::vector<std::uint8_t> bytes(head + 40 + 16 + 8, 0);
    if (fileHeader) {
        bytes[0] = 'B';
        bytes[1] = 'M';
        PutWord(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
        PutWord(bytes, 10, static_cast<std::uint32_t>(head + 40 + 16));
    }
    PutWord(bytes, head, 40);
    PutWord(bytes, head + 4, 3);
    PutWord(bytes, head + 8, topDown ? static_cast<std::uint32_t>(-2) : 2u);
    bytes[head + 12] = 1;
    bytes[head + 14] = 8;
    PutWord(bytes, head + 32, 4);
    const std::uint8_t palette[4][4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};  // B, G, R
    for (int i = 0; i < 4; ++i) std::copy_n(palette[i], 4, &bytes[head + 40 + 4 * i]);
    const std::size_t pixels = head + 40 + 16;
    // Top row: 1 2 3 (blue, green, red); bottom row: 0 0 1.
    const std::uint8_t top[3] = {1, 2, 3}, bottom[3] = {0, 0, 1};
    std::copy_n(topDown ? top : bottom, 3, &bytes[pixels]);
    std::copy_n(topDown ? bottom : top, 3, &bytes[pixels + 4]);
    return bytes;
}

void ExpectColour(const RgbPicture& picture, int x, int y, int r, int g, int b) {
    const std::uint8_t* p = picture.At(x, y);
    EXPECT_EQ(p[0], r) << x << "," << y;
    EXPECT_EQ(p[1], g) << x << "," << y;
    EXPECT_EQ(p[2], b) << x << "," << y;
}

TEST(VqsimBitmap, ReadsPalettePicturesTopRowFirstWhicheverWayTheyAreStored) {
    for (bool topDown : {false, true}) {
        for (bool fileHeader : {true, false}) {
            RgbPicture picture;
            std::string error;
            ASSERT_TRUE(vqsim::ReadBitmap(Bitmap8(topDown, fileHeader), fileHeader, picture, error)) << error;
            ASSERT_EQ(picture.Width, 3);
            ASSERT_EQ(picture.Height, 2);
            ExpectColour(picture, 0, 0, 0, 0, 255);
            ExpectColour(picture, 1, 0, 0, 255, 0);
            ExpectColour(picture, 2, 0, 255, 0, 0);
            ExpectColour(picture, 2, 1, 0, 0, 255);
        }
    }
}

TEST(VqsimBitmap, RefusesWhatItCannotReadWhole) {
    RgbPicture picture;
    std::string error;
    std::vector<std::uint8_t> cut = Bitmap8(false, true);
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(vqsim::ReadBitmap(cut, true, picture, error));
    std::vector<std::uint8_t> pastPalette = Bitmap8(false, true);
    pastPalette.back() = 7;
    pastPalette[pastPalette.size() - 8] = 9;
    EXPECT_FALSE(vqsim::ReadBitmap(pastPalette, true, picture, error));
    std::vector<std::uint8_t> compressed = Bitmap8(false, true);
    compressed[14 + 16] = 1;
    EXPECT_FALSE(vqsim::ReadBitmap(compressed, true, picture, error));
    EXPECT_FALSE(vqsim::ReadBitmap({'B', 'M'}, true, picture, error));
    EXPECT_EQ(picture.Width, 0) << "left as it was";
    EXPECT_FALSE(vqsim::LoadBitmapFile("no-such-picture.bmp", picture, error));
    EXPECT_NE(error.find("no-such-picture.bmp"), std::string::npos);
}

class VqsimFace : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        for (const std::string& path : vqsim::DefaultFontPaths()) {
            if (Font.Load(path, error)) return;
        }
        GTEST_SKIP() << "no display font on this machine: " << error;
    }
    vqsim::TrueTypeFont Font;
};

TEST_F(VqsimFace, SizesTheFontToTheBoxAsAFixedPitchFaceFillsIt) {
    EXPECT_NEAR(Font.AdvancePerEm(), 0.6, 0.01) << "a fixed-pitch face with the metrics of the display's";
    const double line = vqsim::FontEmPixels(Font, 200, 24, 20);
    EXPECT_NEAR(20 * line * Font.AdvancePerEm(), 200.0, 1e-6) << "twenty characters fill the box";
    const double mark = vqsim::FontEmPixels(Font, 10, 10, 1);
    EXPECT_NEAR(mark * (Font.AscentPerEm() + Font.DescentPerEm()), 10.0, 1e-6) << "the mark fits its box's height";
}

TEST_F(VqsimFace, DrawsEachTextInItsBoxAndColoursAndNothingOutside) {
    RgbPicture background;
    background.Width = 60;
    background.Height = 20;
    background.Pixels.assign(60 * 20 * 3, 200);
    vqsim::FaceText text;
    text.X = 10;
    text.Y = 5;
    text.Width = 20;
    text.Height = 10;
    text.TextColour = 0x0000FF;        // red
    text.BackgroundColour = 0x000010;  // (16, 0, 0)
    text.DrawFlags = 0x25;
    text.CharacterCount = 2;
    text.Text = "WWWWWWWW";  // longer than the box: cut at its edge
    const RgbPicture face = vqsim::DrawFace(background, {text}, Font, 2);
    ASSERT_EQ(face.Width, 120);
    ASSERT_EQ(face.Height, 40);
    int red = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const std::uint8_t* p = face.At(x, y);
            const bool inBox = x >= 20 && x < 60 && y >= 10 && y < 30;
            if (!inBox) {
                ASSERT_EQ(p[0], 200) << x << "," << y;
                ASSERT_EQ(p[2], 200) << x << "," << y;
            } else {
                EXPECT_EQ(p[2], 0) << "only red and the box's colour mix in the box";
                if (p[0] > 128) ++red;
            }
        }
    }
    ExpectColour(face, 20, 10, 16, 0, 0);  // the box's corner is background
    EXPECT_GT(red, 40) << "the text is drawn";
}

}  // namespace
