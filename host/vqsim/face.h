// The instrument's face as the panel system draws it: the background picture,
// and over it each text element's text in its box, in the element's colours,
// with a fixed-pitch font sized to the box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/vqsim/picture.h"
#include "host/vqsim/raster.h"

namespace vqsim {

// One text element as the host reads it.
struct FaceText {
    int X = 0, Y = 0, Width = 0, Height = 0;  // the box, in the background picture's pixels
    std::uint32_t TextColour = 0;             // Windows colour words: red in the low byte
    std::uint32_t BackgroundColour = 0;
    std::uint32_t DrawFlags = 0;              // 0x01 centred, 0x04 centred vertically
    int CharacterCount = 1;
    std::string Text;
};

// The font size for a box: the largest at which `characterCount` characters
// fit its width and one line fits its height.
double FontEmPixels(const TrueTypeFont& font, int boxWidth, int boxHeight, int characterCount);

// Draws the face `scale` times the picture's size: every box filled with its
// background colour first (the boxes of lines 1 and 2 overlap), then every
// text, cut at its box.
RgbPicture DrawFace(const RgbPicture& background, const std::vector<FaceText>& texts, const TrueTypeFont& font,
                    int scale);

}  // namespace vqsim
