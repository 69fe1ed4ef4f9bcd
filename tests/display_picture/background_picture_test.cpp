// The background picture as the build draws it, against the face's records:
// its buttons lie under the mouse areas and its window under the text boxes.
// The build copies the picture into the tests' folder, where ctest runs this.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "display/elements.h"
#include "gauge/mouse.h"
#include "host/bitmap_file.h"

namespace {

using vqhost::PixelColour;
using vqhost::Rgb;

const Rgb ButtonFace{127, 127, 127};

// A Windows colour word of the records: red in the low byte.
Rgb Colour(std::uint32_t word) { return Rgb{std::uint8_t(word), std::uint8_t(word >> 8), std::uint8_t(word >> 16)}; }

struct Box {
    int X0, Y0, X1, Y1;  // inclusive
    bool Holds(int x, int y) const { return x >= X0 && x <= X1 && y >= Y0 && y <= Y1; }
};

class BackgroundPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(vqhost::LoadPicture("background.bmp", P)) << "run from the tests folder of the build";
        ASSERT_EQ(P.Width, 320);
        ASSERT_EQ(P.Height, 60);
    }
    Rgb At(int x, int y) const { return PixelColour(P, x, y); }

    // The buttons: the bounding boxes of the patches of button-face grey.
    std::vector<Box> Buttons() const {
        std::vector<Box> buttons;
        std::set<std::pair<int, int>> seen;
        for (int y = 0; y < P.Height; ++y) {
            for (int x = 0; x < P.Width; ++x) {
                if (At(x, y) != ButtonFace || !seen.insert({x, y}).second) continue;
                Box box{x, y, x, y};
                for (std::vector<std::pair<int, int>> open{{x, y}}; !open.empty();) {
                    const auto [px, py] = open.back();
                    open.pop_back();
                    box = {std::min(box.X0, px), std::min(box.Y0, py), std::max(box.X1, px), std::max(box.Y1, py)};
                    for (int nx = px - 1; nx <= px + 1; ++nx) {
                        for (int ny = py - 1; ny <= py + 1; ++ny) {
                            if (nx >= 0 && ny >= 0 && nx < P.Width && ny < P.Height && At(nx, ny) == ButtonFace &&
                                seen.insert({nx, ny}).second) {
                                open.push_back({nx, ny});
                            }
                        }
                    }
                }
                buttons.push_back(box);
            }
        }
        return buttons;
    }

    vqhost::Picture P;
    // Element and mouse positions are in the gauge's pixels; the picture lies at the background's.
    const int Left = BackgroundElement.Header.X, Top = BackgroundElement.Header.Y;
};

TEST_F(BackgroundPicture, EachCommandAreaLiesOnItsOwnButtonOrOnTheWindow) {
    const std::vector<Box> buttons = Buttons();
    EXPECT_EQ(buttons.size(), 6u);
    const Rgb window = Colour(Line1Element.BackgroundColour);
    std::multiset<int> pressed;
    for (const MouseArea& area : MouseAreaList) {
        if (area.Kind != 2 || !area.Callback) continue;
        const int x = area.X - Left + area.Width / 2, y = area.Y - Top + area.Height / 2;
        int on = -1;
        for (int b = 0; b < static_cast<int>(buttons.size()); ++b) on = buttons[b].Holds(x, y) ? b : on;
        if (on < 0) {
            EXPECT_EQ(At(x, y), window) << "an area on neither a button nor the window, centred at " << x << "," << y;
        }
        pressed.insert(on);
    }
    for (int b = 0; b < static_cast<int>(buttons.size()); ++b) EXPECT_EQ(pressed.count(b), 1u) << "button " << b;
    EXPECT_EQ(pressed.count(-1), 1u) << "one area, the page's, lies on the window";
}

TEST_F(BackgroundPicture, EachTextBoxLiesOnItsBackgroundColour) {
    for (const TextElement* line : {&Line1Element, &Line2Element, &Line3Element}) {
        const int x0 = line->Header.X - Left, y0 = line->Header.Y - Top;
        int wrong = 0;
        for (int y = y0; y < y0 + static_cast<int>(line->BoxHeight); ++y) {
            for (int x = x0; x < x0 + static_cast<int>(line->BoxWidth); ++x) {
                wrong += x < 0 || y < 0 || x >= P.Width || y >= P.Height || At(x, y) != Colour(line->BackgroundColour);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels of the box at " << line->Header.X << "," << line->Header.Y;
    }
}

TEST_F(BackgroundPicture, HasNoPureBlackThatTheHostCouldTakeForTransparent) {
    for (int y = 0; y < P.Height; ++y)
        for (int x = 0; x < P.Width; ++x)
            if (At(x, y) == Rgb{0, 0, 0}) FAIL() << "black at " << x << "," << y;
}

}  // namespace
