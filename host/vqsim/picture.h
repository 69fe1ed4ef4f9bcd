// Pictures in the simulator: RGB pixels, the instrument's background read
// from a Windows bitmap (a file, or the module's bitmap resource), and PNG
// files written from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vqsim {

struct RgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  // R, G, B per pixel, top row first

    std::uint8_t* At(int x, int y) { return &Pixels[(static_cast<std::size_t>(y) * Width + x) * 3]; }
    const std::uint8_t* At(int x, int y) const { return &Pixels[(static_cast<std::size_t>(y) * Width + x) * 3]; }
};

// Reads an uncompressed Windows bitmap of 8 bits per pixel with a palette, as
// the gauge's background picture is: a whole bitmap file, or with `withFileHeader` false
// the bitmap as a module keeps it as a resource (no 14-byte file header).
// False with a message on anything else.
bool ReadBitmap(const std::vector<std::uint8_t>& bytes, bool withFileHeader, RgbPicture& picture, std::string& error);
bool LoadBitmapFile(const std::string& path, RgbPicture& picture, std::string& error);

// The module's bitmap resource `id` (Windows only; the module is the one that
// holds `addressInModule`). False with a message where there is none.
bool LoadModuleBitmap(const void* addressInModule, int id, RgbPicture& picture, std::string& error);

// A plain stand-in for the background, 320 x 60: the frame, the two button
// panels with their buttons and the display window in their places.
RgbPicture PlainBackground();

// Writes the picture as a PNG file; false with a message when it cannot.
bool WritePng(const RgbPicture& picture, const std::string& path, std::string& error);

}  // namespace vqsim
