#include "host/vqsim/face.h"

#include <algorithm>
#include <cmath>

namespace vqsim {

namespace {

constexpr std::uint32_t CentreFlag = 0x01;
constexpr std::uint32_t VerticalCentreFlag = 0x04;

void Colour(std::uint32_t word, std::uint8_t rgb[3]) {
    rgb[0] = word & 0xFF;
    rgb[1] = (word >> 8) & 0xFF;
    rgb[2] = (word >> 16) & 0xFF;
}

RgbPicture ScaledUp(const RgbPicture& picture, int scale) {
    RgbPicture scaled;
    scaled.Width = picture.Width * scale;
    scaled.Height = picture.Height * scale;
    scaled.Pixels.resize(static_cast<std::size_t>(scaled.Width) * scaled.Height * 3);
    for (int y = 0; y < scaled.Height; ++y) {
        for (int x = 0; x < scaled.Width; ++x) {
            std::copy_n(picture.At(x / scale, y / scale), 3, scaled.At(x, y));
        }
    }
    return scaled;
}

struct Box {
    int X0, Y0, X1, Y1;  // X1, Y1 past the end; already within the canvas
};

Box ScaledBox(const FaceText& text, int scale, const RgbPicture& canvas) {
    Box box{text.X * scale, text.Y * scale, (text.X + text.Width) * scale, (text.Y + text.Height) * scale};
    box.X0 = std::clamp(box.X0, 0, canvas.Width);
    box.X1 = std::clamp(box.X1, 0, canvas.Width);
    box.Y0 = std::clamp(box.Y0, 0, canvas.Height);
    box.Y1 = std::clamp(box.Y1, 0, canvas.Height);
    return box;
}

void DrawText(RgbPicture& canvas, const FaceText& text, const TrueTypeFont& font, int scale) {
    if (text.Text.empty() || text.Width <= 0 || text.Height <= 0) return;
    const Box box = ScaledBox(text, scale, canvas);
    const double em = FontEmPixels(font, text.Width, text.Height, text.CharacterCount) * scale;
    double width = 0.0;
    for (unsigned char c : text.Text) width += font.Advance(c, em);
    const double boxWidth = double(text.Width) * scale, boxHeight = double(text.Height) * scale;
    const double lineHeight = (font.AscentPerEm() + font.DescentPerEm()) * em;
    double penX = text.X * scale + ((text.DrawFlags & CentreFlag) ? (boxWidth - width) / 2.0 : 0.0);
    const double top = text.Y * scale + ((text.DrawFlags & VerticalCentreFlag) ? (boxHeight - lineHeight) / 2.0 : 0.0);
    const int baseline = static_cast<int>(std::lround(top + font.AscentPerEm() * em));
    std::uint8_t ink[3];
    Colour(text.TextColour, ink);

    std::vector<std::uint8_t> coverage;
    for (unsigned char c : text.Text) {
        // The 8-bit characters of the display, as the Latin-1 part of Unicode.
        const double whole = std::floor(penX);
        int w = 0, h = 0, left = 0, up = 0;
        font.Rasterise(c, em, penX - whole, coverage, w, h, left, up);
        for (int gy = 0; gy < h; ++gy) {
            const int y = baseline + up + gy;
            if (y < box.Y0 || y >= box.Y1) continue;
            for (int gx = 0; gx < w; ++gx) {
                const int x = static_cast<int>(whole) + left + gx;
                if (x < box.X0 || x >= box.X1) continue;
                const int alpha = coverage[static_cast<std::size_t>(gy) * w + gx];
                if (alpha == 0) continue;
                std::uint8_t* p = canvas.At(x, y);
                for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>((ink[i] * alpha + p[i] * (255 - alpha) + 127) / 255);
            }
        }
        penX += font.Advance(c, em);
    }
}

}  // namespace

double FontEmPixels(const TrueTypeFont& font, int boxWidth, int boxHeight, int characterCount) {
    const double byWidth = boxWidth / (std::max(characterCount, 1) * font.AdvancePerEm());
    const double byHeight = boxHeight / (font.AscentPerEm() + font.DescentPerEm());
    return std::max(1.0, std::min(byWidth, byHeight));
}

RgbPicture DrawFace(const RgbPicture& background, const std::vector<FaceText>& texts, const TrueTypeFont& font,
                    int scale) {
    RgbPicture canvas = ScaledUp(background, scale);
    for (const FaceText& text : texts) {
        const Box box = ScaledBox(text, scale, canvas);
        std::uint8_t fill[3];
        Colour(text.BackgroundColour, fill);
        for (int y = box.Y0; y < box.Y1; ++y) {
            for (int x = box.X0; x < box.X1; ++x) std::copy_n(fill, 3, canvas.At(x, y));
        }
    }
    for (const FaceText& text : texts) DrawText(canvas, text, font, scale);
    return canvas;
}

}  // namespace vqsim
