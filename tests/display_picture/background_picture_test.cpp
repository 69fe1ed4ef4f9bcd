// The background picture as the build draws it: its bitmap headers, and each
// region of the instrument's face in place, with the exact colours under the
// host's text boxes. The build copies the picture into the tests' folder,
// where ctest runs this program.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "host/bitmap_file.h"

namespace {

using vqhost::Picture;
using vqhost::PixelColour;
using vqhost::Rgb;

const char* const PictureFile = "background.bmp";

const Rgb FrameEdge{0, 0, 51};
const Rgb PanelGrey{51, 51, 51};
const Rgb ButtonFace{127, 127, 127};
const Rgb DisplayRed{16, 0, 0};

struct Rect {
    int X0, Y0, X1, Y1;  // inclusive
};

const Rect LeftPanel{4, 6, 36, 52};
const Rect RightPanel{256, 6, 315, 52};
const Rect Window{39, 7, 253, 52};
const Rect UpButton{13, 13, 27, 26};
const Rect DownButton{13, 33, 27, 46};
const Rect UpperRightButton{266, 13, 281, 26};
const Rect PlainButton{291, 13, 306, 26};
const Rect LowerRightButton{266, 33, 281, 46};
const Rect InsetButton{291, 33, 306, 46};
const Rect Inset{293, 35, 304, 44};
const Rect MarkBox{294, 36, 303, 45};     // line 3's one-character box
const Rect LineBoxes{41, 9, 240, 51};     // lines 1 and 2 together

std::string Show(const Rgb& c) {
    return "(" + std::to_string(c.R) + "," + std::to_string(c.G) + "," + std::to_string(c.B) + ")";
}

bool IsDark(const Rgb& c) { return c.R < 60 && c.G < 60 && c.B < 60; }

std::vector<std::uint8_t> FileBytes() {
    std::ifstream in(PictureFile, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t Word(const std::vector<std::uint8_t>& b, std::size_t at, int size = 4) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
    return v;
}

class BackgroundPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(vqhost::LoadPicture(PictureFile, P))
            << PictureFile << " missing or unreadable; run from the tests folder of the build";
        ASSERT_EQ(P.Width, 320);
        ASSERT_EQ(P.Height, 60);
    }
    Rgb At(int x, int y) const { return PixelColour(P, x, y); }

    // Every pixel of `r` has colour `c`; reports the first few that do not.
    void ExpectFilled(const Rect& r, const Rgb& c, const char* what) const {
        int wrong = 0;
        for (int y = r.Y0; y <= r.Y1; ++y)
            for (int x = r.X0; x <= r.X1; ++x)
                if (At(x, y) != c && ++wrong <= 5)
                    ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << Show(At(x, y))
                                  << ", not " << Show(c);
        EXPECT_EQ(wrong, 0) << what;
    }

    // Dark pixels of an arrow in each quarter of a button: upper left, upper
    // right, lower left, lower right.
    std::vector<int> DarkQuarters(const Rect& b) const {
        std::vector<int> count(4, 0);
        int midX2 = b.X0 + b.X1, midY2 = b.Y0 + b.Y1;  // twice the centre
        for (int y = b.Y0; y <= b.Y1; ++y)
            for (int x = b.X0; x <= b.X1; ++x) {
                if (!IsDark(At(x, y)) || 2 * x == midX2 || 2 * y == midY2) continue;
                count[(2 * y > midY2 ? 2 : 0) + (2 * x > midX2 ? 1 : 0)]++;
            }
        return count;
    }

    // The x of the dark pixels in the first row of button `b` that has any,
    // from the top (step +1) or from the bottom (step -1).
    std::vector<int> DarkRowFrom(const Rect& b, int step) const {
        for (int y = step > 0 ? b.Y0 : b.Y1; y >= b.Y0 && y <= b.Y1; y += step) {
            std::vector<int> xs;
            for (int x = b.X0; x <= b.X1; ++x)
                if (IsDark(At(x, y))) xs.push_back(x);
            if (!xs.empty()) return xs;
        }
        return {};
    }

    Picture P;
};

TEST(BackgroundPictureFile, IsA320By60Uncompressed8BitPaletteBitmap) {
    std::vector<std::uint8_t> b = FileBytes();
    ASSERT_GE(b.size(), 54u) << PictureFile << " missing; run from the tests folder of the build";
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Word(b, 2), b.size());       // file size
    const std::uint32_t offset = Word(b, 10);
    EXPECT_EQ(Word(b, 14), 40u);           // info header size
    EXPECT_EQ(Word(b, 18), 320u);          // width
    EXPECT_EQ(Word(b, 22), 60u);           // height, positive: rows bottom-up
    EXPECT_EQ(Word(b, 26, 2), 1u);         // planes
    EXPECT_EQ(Word(b, 28, 2), 8u);         // bits per pixel
    EXPECT_EQ(Word(b, 30), 0u);            // no compression
    EXPECT_EQ(Word(b, 34), 19200u);        // pixel bytes
    EXPECT_EQ(Word(b, 46), 256u);          // palette entries
    EXPECT_EQ(offset, 14u + 40u + 256u * 4u);
    EXPECT_EQ(b.size() - offset, 19200u);
}

TEST_F(BackgroundPicture, FrameHasDarkBlueEdgeAndMottledBandWithLightLines) {
    for (int x : {0, 1, 160, 318, 319})
        for (int y : {0, 1, 58, 59}) EXPECT_EQ(At(x, y), FrameEdge) << x << "," << y;
    for (int y : {0, 1, 30, 58, 59})
        for (int x : {0, 1, 318, 319}) EXPECT_EQ(At(x, y), FrameEdge) << x << "," << y;

    for (int x = 3; x <= 316; ++x)
        for (int y : {5, 53, 54}) {
            Rgb c = At(x, y);
            EXPECT_TRUE(c.R >= 150 && c.G >= 150 && c.B >= 150) << "light line " << x << "," << y << Show(c);
        }

    // The band around the panels: grey and mauve mid-tones, never greenish,
    // and not one flat colour.
    std::set<std::uint32_t> tones;
    auto band = [&](int x, int y) {
        Rgb c = At(x, y);
        EXPECT_TRUE(c.R >= 80 && c.R <= 160 && c.B >= 80 && c.B <= 160 && c.G <= c.R && c.G <= c.B)
            << "band " << x << "," << y << Show(c);
        tones.insert(std::uint32_t(c.R) << 16 | c.G << 8 | c.B);
    };
    for (int x = 3; x <= 316; ++x)  // the corners are part of the edge
        for (int y : {2, 3, 4, 55, 56, 57}) band(x, y);
    for (int y = 6; y <= 52; ++y)
        for (int x : {2, 3, 316, 317}) band(x, y);
    EXPECT_GE(tones.size(), 4u);
}

TEST_F(BackgroundPicture, PanelsAreDarkGreyInPlace) {
    for (const Rect& p : {LeftPanel, RightPanel}) {
        int midY = (p.Y0 + p.Y1) / 2, midX = (p.X0 + p.X1) / 2;
        for (int x : {p.X0, p.X1}) EXPECT_EQ(At(x, midY), PanelGrey) << x << "," << midY;
        for (int y : {p.Y0, p.Y1}) EXPECT_EQ(At(midX, y), PanelGrey) << midX << "," << y;
        EXPECT_EQ(At(midX, midY), PanelGrey);
        EXPECT_NE(At(p.X0 - 1, midY), PanelGrey);
        EXPECT_NE(At(p.X1 + 1, midY), PanelGrey);
        EXPECT_NE(At(midX, p.Y0 - 1), PanelGrey);
        EXPECT_NE(At(midX, p.Y1 + 1), PanelGrey);
    }
    // Between the buttons and the panels' edges.
    for (int x : {8, 32, 261, 286, 311}) EXPECT_EQ(At(x, 30), PanelGrey) << x;
}

TEST_F(BackgroundPicture, ButtonsAreGreyFacesExactlyInPlace) {
    for (const Rect& b : {UpButton, DownButton, UpperRightButton, PlainButton, LowerRightButton, InsetButton}) {
        SCOPED_TRACE("button at " + std::to_string(b.X0) + "," + std::to_string(b.Y0));
        // The face just inside each corner; the panel just outside.
        EXPECT_EQ(At(b.X0 + 1, b.Y0 + 1), ButtonFace);
        EXPECT_EQ(At(b.X1 - 1, b.Y0 + 1), ButtonFace);
        EXPECT_EQ(At(b.X0 + 1, b.Y1 - 1), ButtonFace);
        EXPECT_EQ(At(b.X1 - 1, b.Y1 - 1), ButtonFace);
        for (int x : {b.X0, b.X1})
            for (int y : {b.Y0, b.Y1}) EXPECT_NE(At(x, y), PanelGrey) << x << "," << y;
        for (int x : {b.X0 - 1, b.X1 + 1})
            for (int y : {b.Y0 - 1, b.Y1 + 1}) EXPECT_EQ(At(x, y), PanelGrey) << x << "," << y;
    }
    ExpectFilled(Rect{PlainButton.X0 + 1, PlainButton.Y0 + 1, PlainButton.X1 - 1, PlainButton.Y1 - 1},
                 ButtonFace, "plain button");
}

TEST_F(BackgroundPicture, ArrowsPointTheirWay) {
    // The tip is a single pixel in the middle of the first dark row from the
    // side the arrow points to.
    EXPECT_EQ(DarkRowFrom(UpButton, +1), std::vector<int>{20});
    EXPECT_EQ(DarkRowFrom(DownButton, -1), std::vector<int>{20});
    auto upperRight = DarkQuarters(UpperRightButton);
    EXPECT_GT(upperRight[1], upperRight[0] + upperRight[2] + upperRight[3]);
    auto lowerRight = DarkQuarters(LowerRightButton);
    EXPECT_GT(lowerRight[3], lowerRight[0] + lowerRight[1] + lowerRight[2]);
    for (const Rect& b : {UpButton, DownButton, UpperRightButton, LowerRightButton}) {
        // Arrows stay on the face, off the button's edges.
        for (int x = b.X0; x <= b.X1; ++x) EXPECT_FALSE(IsDark(At(x, b.Y0)) || IsDark(At(x, b.Y1)));
        for (int y = b.Y0; y <= b.Y1; ++y) EXPECT_FALSE(IsDark(At(b.X0, y)) || IsDark(At(b.X1, y)));
    }
}

TEST_F(BackgroundPicture, InsetAndArrivalMarkBoxAreInsetGrey) {
    ExpectFilled(Inset, PanelGrey, "inset");
    ExpectFilled(MarkBox, PanelGrey, "arrival mark box");
    // The inset's button face shows around it.
    EXPECT_EQ(At(Inset.X0 - 1, 40), ButtonFace);
    EXPECT_EQ(At(Inset.X1 + 1, 40), ButtonFace);
    EXPECT_EQ(At(298, Inset.Y0 - 1), ButtonFace);
}

TEST_F(BackgroundPicture, DisplayWindowIsOneColourUnderTheLineBoxes) {
    ExpectFilled(Window, DisplayRed, "display window");
    ExpectFilled(LineBoxes, DisplayRed, "boxes of lines 1 and 2");
    for (int y = Window.Y0; y <= Window.Y1; ++y) {
        EXPECT_NE(At(Window.X0 - 1, y), DisplayRed);
        EXPECT_NE(At(Window.X1 + 1, y), DisplayRed);
    }
    for (int x = Window.X0; x <= Window.X1; ++x) {
        EXPECT_NE(At(x, Window.Y0 - 1), DisplayRed);
        EXPECT_NE(At(x, Window.Y1 + 1), DisplayRed);
    }
}

TEST_F(BackgroundPicture, HasNoPureBlackThatTheHostCouldTakeForTransparent) {
    for (int y = 0; y < P.Height; ++y)
        for (int x = 0; x < P.Width; ++x)
            if (At(x, y) == Rgb{0, 0, 0}) FAIL() << "black at " << x << "," << y;
}

}  // namespace
