#include "host/vqsim/raster.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

// Compiled into this file only, with internal linkage.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

namespace vqsim {

namespace {
void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

bool EncodePng(int width, int height, const std::uint8_t* rgb, std::vector<std::uint8_t>& png) {
    png.clear();
    // No row filter: the faces are flat colours, which compress well as they
    // are, and trying every filter on every row costs seven times the time.
    stbi_write_force_png_filter = 0;
    stbi_write_png_compression_level = 4;
    return stbi_write_png_to_func(AppendBytes, &png, width, height, 3, rgb, width * 3) != 0 && !png.empty();
}

struct TrueTypeFont::Impl {
    std::vector<unsigned char> Bytes;
    stbtt_fontinfo Info{};
    int UnitsPerEm = 2048;
    int Ascent = 0, Descent = 0;
};

TrueTypeFont::TrueTypeFont() : Data(std::make_unique<Impl>()) {}
TrueTypeFont::~TrueTypeFont() = default;

bool TrueTypeFont::Load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the font " + path + ": " + std::strerror(errno);
        return false;
    }
    auto impl = std::make_unique<Impl>();
    impl->Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const std::vector<unsigned char>& bytes = impl->Bytes;
    // The rasteriser trusts the table directory: every table it names must lie
    // inside the file (a cut file names tables past its end).
    const int offset = bytes.size() < 16 ? -1 : stbtt_GetFontOffsetForIndex(bytes.data(), 0);
    const auto word = [&bytes](std::uint64_t at, int size) {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i) value = value << 8 | bytes[at + i];
        return value;
    };
    const std::uint64_t tables = offset < 0 || offset + 12u > bytes.size() ? 0 : word(offset + 4u, 2);
    if (tables == 0 || offset + 12 + 16 * tables > bytes.size()) {
        error = path + " is not a TrueType font (or is cut before its table directory ends)";
        return false;
    }
    for (std::uint64_t t = 0; t < tables; ++t) {
        const std::uint64_t entry = offset + 12 + 16 * t;
        if (word(entry + 8, 4) + word(entry + 12, 4) > bytes.size()) {
            error = path + " is cut or damaged: its table '" + std::string(bytes.begin() + entry, bytes.begin() + entry + 4) +
                    "' ends at byte " + std::to_string(word(entry + 8, 4) + word(entry + 12, 4)) + ", past the end of the file (" +
                    std::to_string(bytes.size()) + " bytes)";
            return false;
        }
    }
    if (!stbtt_InitFont(&impl->Info, impl->Bytes.data(), offset)) {
        error = path + " is not a TrueType font";
        return false;
    }
    // Units per em: the scale that maps one em to one pixel, inverted.
    const float perUnit = stbtt_ScaleForMappingEmToPixels(&impl->Info, 1.0f);
    impl->UnitsPerEm = perUnit > 0.0f ? static_cast<int>(1.0f / perUnit + 0.5f) : 2048;
    int lineGap = 0;
    stbtt_GetFontVMetrics(&impl->Info, &impl->Ascent, &impl->Descent, &lineGap);
    std::swap(Data, impl);
    // A probe: the display's digits must come out as ink.
    std::vector<std::uint8_t> coverage;
    int width = 0, height = 0, left = 0, top = 0;
    if (AdvancePerEm() > 0.0 && AscentPerEm() + DescentPerEm() > 0.0) Rasterise('0', 32.0, 0.0, coverage, width, height, left, top);
    if (std::count(coverage.begin(), coverage.end(), 0) == static_cast<std::ptrdiff_t>(coverage.size())) {
        std::swap(Data, impl);
        error = path + " draws no '0' (a blank glyph, or no size): it cannot draw the display";
        return false;
    }
    return true;
}

double TrueTypeFont::AdvancePerEm() const {
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&Data->Info, '0', &advance, &bearing);
    return double(advance) / Data->UnitsPerEm;
}
double TrueTypeFont::AscentPerEm() const { return double(Data->Ascent) / Data->UnitsPerEm; }
double TrueTypeFont::DescentPerEm() const { return -double(Data->Descent) / Data->UnitsPerEm; }

double TrueTypeFont::Advance(unsigned codepoint, double emPixels) const {
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&Data->Info, static_cast<int>(codepoint), &advance, &bearing);
    return advance * emPixels / Data->UnitsPerEm;
}

void TrueTypeFont::Rasterise(unsigned codepoint, double emPixels, double shiftX, std::vector<std::uint8_t>& coverage,
                             int& width, int& height, int& left, int& top) const {
    const float scale = stbtt_ScaleForMappingEmToPixels(&Data->Info, static_cast<float>(emPixels));
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&Data->Info, static_cast<int>(codepoint), scale, scale,
                                        static_cast<float>(shiftX), 0.0f, &x0, &y0, &x1, &y1);
    width = x1 - x0;
    height = y1 - y0;
    left = x0;
    top = y0;
    if (width <= 0 || height <= 0) {
        width = height = 0;
        return;
    }
    coverage.assign(static_cast<std::size_t>(width) * height, 0);
    stbtt_MakeCodepointBitmapSubpixel(&Data->Info, coverage.data(), width, height, width, scale, scale,
                                      static_cast<float>(shiftX), 0.0f, static_cast<int>(codepoint));
}

}  // namespace vqsim
