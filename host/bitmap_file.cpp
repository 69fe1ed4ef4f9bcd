#include "host/bitmap_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vqhost {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;  // the smallest header with these fields
constexpr std::uint32_t Uncompressed = 0;
constexpr std::int64_t LargestSide = 16384;

std::uint32_t Word32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::int32_t Signed32(const std::uint8_t* p) {
    std::uint32_t u = Word32(p);
    return u <= 0x7FFFFFFFu ? std::int32_t(u) : -std::int32_t(~u) - 1;
}

std::uint16_t Word16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

// Reads the info header, palette and pixels from `data` (`size` bytes). The
// pixels start at `pixelOffset` from `data`, or right after the palette when
// `pixelOffset` is 0.
bool ReadInfo(const std::uint8_t* data, std::size_t size, std::size_t pixelOffset, Picture& picture) {
    if (size < InfoHeaderSize) return false;
    const std::uint32_t headerSize = Word32(data);
    if (headerSize < InfoHeaderSize || headerSize > size) return false;
    const std::int64_t width = Signed32(data + 4);
    const std::int64_t height = Signed32(data + 8);
    if (width <= 0 || width > LargestSide || height == 0 || height > LargestSide ||
        height < -LargestSide)
        return false;
    if (Word16(data + 12) != 1 || Word16(data + 14) != 8) return false;  // planes, bits per pixel
    if (Word32(data + 16) != Uncompressed) return false;
    const bool bottomUp = height > 0;
    const std::size_t rows = std::size_t(bottomUp ? height : -height);
    const std::size_t stride = (std::size_t(width) + 3) / 4 * 4;  // rows padded to 4 bytes
    const std::size_t pixelBytes = stride * rows;
    const std::uint32_t declaredPixelBytes = Word32(data + 20);
    if (declaredPixelBytes != 0 && declaredPixelBytes != pixelBytes) return false;
    std::uint32_t colours = Word32(data + 32);
    if (colours == 0) colours = 256;
    if (colours > 256) return false;

    const std::size_t paletteEnd = std::size_t(headerSize) + std::size_t(colours) * 4;
    if (paletteEnd > size) return false;
    if (pixelOffset == 0) pixelOffset = paletteEnd;
    if (pixelOffset < paletteEnd || pixelOffset > size || size - pixelOffset < pixelBytes) return false;

    Picture read;
    read.Width = int(width);
    read.Height = int(rows);
    read.PaletteCount = int(colours);
    for (std::uint32_t k = 0; k < colours; ++k) {
        const std::uint8_t* entry = data + headerSize + 4 * k;  // blue, green, red, reserved
        read.Palette[k] = Rgb{entry[2], entry[1], entry[0]};
    }
    read.Pixels.resize(std::size_t(width) * rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t stored = bottomUp ? rows - 1 - row : row;
        const std::uint8_t* source = data + pixelOffset + stored * stride;
        for (std::size_t x = 0; x < std::size_t(width); ++x) {
            if (source[x] >= colours) return false;
            read.Pixels[row * std::size_t(width) + x] = source[x];
        }
    }
    picture = std::move(read);
    return true;
}

}  // namespace

bool ReadBitmapFile(const std::vector<std::uint8_t>& bytes, Picture& picture) {
    if (bytes.size() < FileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint32_t fileSize = Word32(bytes.data() + 2);
    const std::uint32_t pixelOffset = Word32(bytes.data() + 10);
    if (fileSize > bytes.size()) return false;  // cut short
    if (pixelOffset < FileHeaderSize + InfoHeaderSize) return false;
    return ReadInfo(bytes.data() + FileHeaderSize, bytes.size() - FileHeaderSize,
                    pixelOffset - FileHeaderSize, picture);
}

bool ReadBitmapInfo(const std::vector<std::uint8_t>& bytes, Picture& picture) {
    return ReadInfo(bytes.data(), bytes.size(), 0, picture);
}

bool LoadPicture(const std::string& path, Picture& picture) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    return ReadBitmapFile(bytes, picture);
}

Rgb PixelColour(const Picture& picture, int x, int y) {
    if (x < 0 || x >= picture.Width || y < 0 || y >= picture.Height)
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") is outside the picture");
    return picture.Palette[picture.Pixels[std::size_t(y) * std::size_t(picture.Width) + std::size_t(x)]];
}

}  // namespace vqhost
