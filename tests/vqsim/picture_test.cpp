// The face pictures: the text drawn in its box and colours (the example
// flights draw the whole face; vqsim reads the background with host/bitmap_file).
#include <gtest/gtest.h>

#include "host/vqsim/face.h"
#include "host/vqsim/paths.h"
#include "host/vqsim/picture.h"

namespace {

using vqsim::RgbPicture;

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
    EXPECT_EQ(face.At(20, 10)[0], 16) << "the box's corner is background";
    EXPECT_GT(red, 40) << "the text is drawn";
}

}  // namespace
