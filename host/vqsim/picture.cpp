#include "host/vqsim/picture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

#include "host/bitmap_file.h"
#include "host/vqsim/raster.h"

namespace vqsim {

namespace {

void Fill(RgbPicture& picture, int x0, int y0, int x1, int y1, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = r;
            p[1] = g;
            p[2] = b;
        }
    }
}

}  // namespace

bool ReadBitmap(const std::vector<std::uint8_t>& bytes, bool withFileHeader, RgbPicture& picture, std::string& error) {
    vqhost::Picture indexed;
    const bool read = withFileHeader ? vqhost::ReadBitmapFile(bytes, indexed) : vqhost::ReadBitmapInfo(bytes, indexed);
    if (!read) {
        error = "not an uncompressed 8-bit palette bitmap, or a damaged one";
        return false;
    }
    RgbPicture colours;
    colours.Width = indexed.Width;
    colours.Height = indexed.Height;
    colours.Pixels.resize(static_cast<std::size_t>(indexed.Width) * indexed.Height * 3);
    for (int y = 0; y < indexed.Height; ++y) {
        for (int x = 0; x < indexed.Width; ++x) {
            const vqhost::Rgb& colour = indexed.Palette[indexed.Pixels[static_cast<std::size_t>(y) * indexed.Width + x]];
            std::uint8_t* p = colours.At(x, y);
            p[0] = colour.R;
            p[1] = colour.G;
            p[2] = colour.B;
        }
    }
    picture = std::move(colours);
    return true;
}

bool LoadBitmapFile(const std::string& path, RgbPicture& picture, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!ReadBitmap(bytes, true, picture, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool LoadModuleBitmap(const void* addressInModule, int id, RgbPicture& picture, std::string& error) {
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(addressInModule), &module)) {
        error = "cannot find the module's handle";
        return false;
    }
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* bitmap */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        error = "the module has no bitmap resource " + std::to_string(id);
        return false;
    }
    const auto* begin = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> bytes(begin, begin + SizeofResource(module, found));
    if (!ReadBitmap(bytes, false, picture, error)) {
        error = "bitmap resource " + std::to_string(id) + ": " + error;
        return false;
    }
    return true;
#else
    (void)addressInModule;
    (void)picture;
    error = "bitmap resource " + std::to_string(id) + ": a shared object has no resources";
    return false;
#endif
}

RgbPicture PlainBackground() {
    RgbPicture picture;
    picture.Width = 320;
    picture.Height = 60;
    picture.Pixels.resize(320 * 60 * 3);
    Fill(picture, 0, 0, 319, 59, 0, 0, 51);
    Fill(picture, 3, 3, 316, 56, 110, 100, 120);
    Fill(picture, 4, 6, 36, 52, 51, 51, 51);
    Fill(picture, 256, 6, 315, 52, 51, 51, 51);
    Fill(picture, 39, 7, 253, 52, 16, 0, 0);
    const int buttons[6][2] = {{13, 13}, {13, 33}, {266, 13}, {291, 13}, {266, 33}, {291, 33}};
    for (const auto& b : buttons) Fill(picture, b[0], b[1], b[0] + 14, b[1] + 13, 127, 127, 127);
    Fill(picture, 293, 35, 304, 44, 51, 51, 51);
    return picture;
}

bool WritePng(const RgbPicture& picture, const std::string& path, std::string& error) {
    std::vector<std::uint8_t> png;
    if (!EncodePng(picture.Width, picture.Height, picture.Pixels.data(), png)) {
        error = "cannot encode " + path;
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace vqsim
