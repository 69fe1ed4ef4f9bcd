// PNG encoding and TrueType rasterising, from the stb single-file libraries;
// the only place that includes them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vqsim {

// Encodes RGB pixels (top row first) as a PNG file's bytes.
bool EncodePng(int width, int height, const std::uint8_t* rgb, std::vector<std::uint8_t>& png);

// A TrueType font loaded from a file, rasterising one character at a time.
class TrueTypeFont {
public:
    TrueTypeFont();
    ~TrueTypeFont();
    TrueTypeFont(const TrueTypeFont&) = delete;
    TrueTypeFont& operator=(const TrueTypeFont&) = delete;

    // False with a message when the file cannot be read or is not a font.
    bool Load(const std::string& path, std::string& error);

    // Em-relative metrics: the advance width of '0', the ascent above and the
    // descent below the baseline (positive), as fractions of the em.
    double AdvancePerEm() const;
    double AscentPerEm() const;
    double DescentPerEm() const;

    // The coverage of one character at `emPixels`, its left edge shifted by
    // `shiftX` pixels (0 to 1): `width` x `height` bytes, the top left corner
    // at (`left`, `top`) from the pen on the baseline.
    void Rasterise(unsigned codepoint, double emPixels, double shiftX, std::vector<std::uint8_t>& coverage, int& width,
                   int& height, int& left, int& top) const;
    // Advance of a character, in pixels at `emPixels`.
    double Advance(unsigned codepoint, double emPixels) const;

private:
    struct Impl;
    std::unique_ptr<Impl> Data;
};

}  // namespace vqsim
