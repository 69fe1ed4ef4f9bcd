// Reading 8-bit palette Windows bitmaps, such as the gauge's background
// picture, for the host simulator and the tests: the whole file as written by
// the build, or the bitmap as it is kept in a module's resources (the same
// without the 14-byte file header).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vqhost {

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const Rgb& o) const { return R == o.R && G == o.G && B == o.B; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

struct Picture {
    int Width = 0;
    int Height = 0;
    std::array<Rgb, 256> Palette{};  // entries past the bitmap's colour count are black
    int PaletteCount = 0;            // colours the bitmap declares
    std::vector<std::uint8_t> Pixels;  // palette indices, top row first, Width per row
};

// Reads a bitmap file: file header, then as ReadBitmapInfo. Returns false,
// leaving `picture` as it was, on anything that is not an uncompressed
// 8-bit palette bitmap whose headers and sizes agree, and on a pixel that
// names a palette entry past the bitmap's colour count.
bool ReadBitmapFile(const std::vector<std::uint8_t>& bytes, Picture& picture);

// Reads a bitmap without the file header: the info header, the palette and
// the pixels, one after the other (the layout of a bitmap resource).
bool ReadBitmapInfo(const std::vector<std::uint8_t>& bytes, Picture& picture);

// Reads the file at `path` with ReadBitmapFile; false also if it cannot be read.
bool LoadPicture(const std::string& path, Picture& picture);

// The colour of pixel (x, y), x from the left, y from the top.
// Throws std::out_of_range for a point outside the picture.
Rgb PixelColour(const Picture& picture, int x, int y);

}  // namespace vqhost
