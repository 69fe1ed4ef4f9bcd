#include "host/vqsim/picture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

#include "host/vqsim/raster.h"

namespace vqsim {

namespace {

std::uint32_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}
std::uint16_t Half(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

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
    const std::size_t info = withFileHeader ? 14 : 0;
    if (bytes.size() < info + 40 || (withFileHeader && (bytes[0] != 'B' || bytes[1] != 'M'))) {
        error = "not a Windows bitmap";
        return false;
    }
    const std::uint32_t headerSize = Word(bytes, info);
    const std::int32_t width = static_cast<std::int32_t>(Word(bytes, info + 4));
    const std::int32_t rawHeight = static_cast<std::int32_t>(Word(bytes, info + 8));
    const int bits = Half(bytes, info + 14);
    const std::uint32_t compression = Word(bytes, info + 16);
    std::uint32_t colours = Word(bytes, info + 32);
    if (headerSize < 40 || headerSize > 1024 || compression != 0 || (bits != 8 && bits != 24)) {
        error = "only uncompressed bitmaps of 8 or 24 bits per pixel are read";
        return false;
    }
    if (width <= 0 || width > 10000 || rawHeight == 0 || rawHeight < -10000 || rawHeight > 10000) {
        error = "the bitmap's size is out of range";
        return false;
    }
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (bits == 8 && colours == 0) colours = 256;
    if (bits == 8 && colours > 256) {
        error = "the bitmap's palette is larger than 256 colours";
        return false;
    }
    const std::size_t palette = info + headerSize;
    const std::size_t paletteBytes = bits == 8 ? colours * 4 : 0;
    std::size_t pixels = palette + paletteBytes;
    if (withFileHeader) {
        const std::uint32_t offset = Word(bytes, 10);
        if (offset >= pixels && offset < bytes.size()) pixels = offset;
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits / 8) + 3) / 4 * 4;
    if (pixels + stride * height > bytes.size()) {
        error = "the bitmap file is shorter than its pixels";
        return false;
    }
    RgbPicture read;
    read.Width = width;
    read.Height = height;
    read.Pixels.resize(static_cast<std::size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;  // bottom-up unless the height is negative
        const std::uint8_t* source = &bytes[pixels + stride * row];
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = read.At(x, y);
            if (bits == 24) {
                p[0] = source[x * 3 + 2];
                p[1] = source[x * 3 + 1];
                p[2] = source[x * 3];
            } else {
                const std::uint8_t index = source[x];
                if (index >= colours) {
                    error = "a pixel names a colour past the bitmap's palette";
                    return false;
                }
                p[0] = bytes[palette + index * 4 + 2];
                p[1] = bytes[palette + index * 4 + 1];
                p[2] = bytes[palette + index * 4];
            }
        }
    }
    picture = std::move(read);
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
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace vqsim
