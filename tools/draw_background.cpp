// Draws the instrument's background picture, 320 x 60 pixels, and writes it
// as an 8-bit palette Windows bitmap file. The build runs it on the build
// machine and embeds the result into the gauge file as bitmap resource 100.
//
// Usage: draw_background OUT.bmp
//
// The picture (x from the left, y from the top):
//   frame            dark blue edge, inside it a mottled grey and mauve band
//                    with light lines at y 5 and y 53..54
//   left panel       x 4..36,    y 6..52, dark grey, buttons up and down
//   display window   x 39..253,  y 7..52, one colour, under display lines 1, 2
//   right panel      x 256..315, y 6..52, dark grey, buttons upper right,
//                    plain, lower right, and the button with the dark inset
//                    under the one-character arrival mark
// The display lines and the arrival mark are drawn by the host over the
// display window and the inset in the same colours as these regions, so those
// colours are exact. No colour is pure black: the host may treat black in a
// picture as transparent. The output is the same on every run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int Width = 320;
constexpr int Height = 60;

struct Colour {
    int R, G, B;
    bool operator<(const Colour& o) const {
        if (R != o.R) return R < o.R;
        if (G != o.G) return G < o.G;
        return B < o.B;
    }
    bool operator==(const Colour& o) const { return R == o.R && G == o.G && B == o.B; }
};

// The colours that the host's text elements and the mouse areas rely on.
constexpr Colour FrameEdge{0, 0, 51};
constexpr Colour PanelGrey{51, 51, 51};
constexpr Colour ButtonFace{127, 127, 127};
constexpr Colour DisplayWindow{16, 0, 0};
constexpr Colour InsetGrey{51, 51, 51};

// Shading of the face around them.
constexpr Colour LightLine{212, 208, 218};
constexpr Colour LightLineLower{178, 174, 186};
constexpr Colour ButtonHighlight{196, 196, 196};
constexpr Colour ButtonShadow{74, 74, 74};
constexpr Colour ArrowDark{26, 26, 30};
constexpr Colour RecessShadow{30, 28, 34};
constexpr Colour RecessLight{92, 90, 98};
constexpr Colour ScrewRim{34, 34, 36};
constexpr Colour ScrewHead{104, 104, 108};
constexpr Colour ScrewLight{150, 150, 156};

struct Rect {
    int X0, Y0, X1, Y1;  // inclusive
};

constexpr Rect LeftPanel{4, 6, 36, 52};
constexpr Rect RightPanel{256, 6, 315, 52};
constexpr Rect Window{39, 7, 253, 52};
constexpr Rect UpButton{13, 13, 27, 26};
constexpr Rect DownButton{13, 33, 27, 46};
constexpr Rect UpperRightButton{266, 13, 281, 26};
constexpr Rect PlainButton{291, 13, 306, 26};
constexpr Rect LowerRightButton{266, 33, 281, 46};
constexpr Rect InsetButton{291, 33, 306, 46};
constexpr Rect Inset{293, 35, 304, 44};
constexpr Rect MarkBox{294, 36, 303, 45};  // the host's box for the arrival mark

class Canvas {
public:
    Canvas() : Pixels(Width * Height, FrameEdge) {}

    void Set(int x, int y, Colour c) {
        if (x >= 0 && x < Width && y >= 0 && y < Height) Pixels[y * Width + x] = c;
    }
    Colour Get(int x, int y) const { return Pixels[y * Width + x]; }
    void Fill(const Rect& r, Colour c) {
        for (int y = r.Y0; y <= r.Y1; ++y)
            for (int x = r.X0; x <= r.X1; ++x) Set(x, y, c);
    }

private:
    std::vector<Colour> Pixels;
};

// A fixed integer hash of a position: the "random" texture of the band,
// identical on every run and every machine.
std::uint32_t Hash(int x, int y, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^ salt * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Smooth blotches: values on a coarse grid, blended between grid points.
double Blotch(int x, int y, int cell, std::uint32_t salt) {
    int gx = x / cell, gy = y / cell;
    double fx = double(x % cell) / cell, fy = double(y % cell) / cell;
    auto at = [&](int i, int j) { return (Hash(gx + i, gy + j, salt) & 0xFFFF) / 65535.0; };
    double top = at(0, 0) * (1 - fx) + at(1, 0) * fx;
    double bottom = at(0, 1) * (1 - fx) + at(1, 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

// The mottled band: a few grey and mauve tones in blotches with a fine grain.
Colour BandColour(int x, int y) {
    constexpr Colour Grey{112, 112, 118};
    constexpr Colour Mauve{128, 100, 124};
    double mix = Blotch(x, y, 5, 1) * 0.75 + Blotch(x, y, 2, 2) * 0.25;
    int tone = int(mix * 4.999);  // 0..4, grey to mauve
    int grain = int(Hash(x, y, 3) % 3) - 1;  // darker, even, lighter
    double t = tone / 4.0;
    auto channel = [&](int a, int b) { return int(a + (b - a) * t + 0.5) + grain * 8; };
    return Colour{channel(Grey.R, Mauve.R), channel(Grey.G, Mauve.G), channel(Grey.B, Mauve.B)};
}

void DrawFrame(Canvas& c) {
    // Dark blue edge two pixels wide, three at the corners, the band inside it.
    for (int y = 2; y < Height - 2; ++y)
        for (int x = 2; x < Width - 2; ++x) c.Set(x, y, BandColour(x, y));
    for (int cx : {2, Width - 3})
        for (int cy : {2, Height - 3}) c.Set(cx, cy, FrameEdge);
    for (int x = 2; x < Width - 2; ++x) {
        c.Set(x, 5, LightLine);
        c.Set(x, 53, LightLine);
        c.Set(x, 54, LightLineLower);
    }
}

// The display window sits in a recess between the panels: shadow above and
// to the left, a lighter edge to the right; the light line below it closes it.
void DrawWindow(Canvas& c) {
    c.Fill(Rect{37, 6, 255, 6}, RecessShadow);
    c.Fill(Rect{37, 6, 38, 52}, RecessShadow);
    c.Fill(Rect{254, 7, 255, 52}, RecessLight);
    c.Set(254, 6, RecessShadow);
    c.Fill(Window, DisplayWindow);
}

// A small round screw head with a slot, 4 x 4 pixels from (x, y).
void DrawScrew(Canvas& c, int x, int y) {
    static const char* const Rows[] = {
        ".rr.",
        "rlhr",
        "rhsr",
        ".rr.",
    };
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            switch (Rows[j][i]) {
                case 'r': c.Set(x + i, y + j, ScrewRim); break;
                case 'l': c.Set(x + i, y + j, ScrewLight); break;
                case 'h': c.Set(x + i, y + j, ScrewHead); break;
                case 's': c.Set(x + i, y + j, ScrewRim); break;
                default: break;
            }
        }
}

void DrawPanel(Canvas& c, const Rect& panel) {
    c.Fill(panel, PanelGrey);
    DrawScrew(c, panel.X0 + 2, panel.Y0 + 2);
    DrawScrew(c, panel.X1 - 5, panel.Y0 + 2);
    DrawScrew(c, panel.X0 + 2, panel.Y1 - 5);
    DrawScrew(c, panel.X1 - 5, panel.Y1 - 5);
}

// A raised button: light top and left edge, shadow bottom and right, the face
// in between.
void DrawButton(Canvas& c, const Rect& b) {
    c.Fill(b, ButtonFace);
    c.Fill(Rect{b.X0, b.Y0, b.X1 - 1, b.Y0}, ButtonHighlight);
    c.Fill(Rect{b.X0, b.Y0, b.X0, b.Y1 - 1}, ButtonHighlight);
    c.Fill(Rect{b.X0 + 1, b.Y1, b.X1, b.Y1}, ButtonShadow);
    c.Fill(Rect{b.X1, b.Y0 + 1, b.X1, b.Y1}, ButtonShadow);
}

// Arrow shapes, '#' dark. Drawn centred on the face inside the bevel.
const std::vector<std::string> UpArrow = {
    "....#....",
    "...###...",
    "..#####..",
    ".#######.",
    "#########",
    "...###...",
    "...###...",
    "...###...",
};

const std::vector<std::string> UpperRightArrow = {
    "...######",
    "....#####",
    ".....####",
    ".....####",
    "....##.##",
    "...##...#",
    "..##.....",
    ".##......",
    "##.......",
};

std::vector<std::string> FlippedVertically(std::vector<std::string> shape) {
    return std::vector<std::string>(shape.rbegin(), shape.rend());
}

void DrawShape(Canvas& c, const Rect& b, const std::vector<std::string>& shape) {
    int h = int(shape.size()), w = int(shape[0].size());
    // Centre on the whole button; a spare pixel goes to the lower right, where
    // the shadow is, so the arrow looks centred on the raised face.
    int x0 = b.X0 + (b.X1 - b.X0 + 1 - w + 1) / 2;
    int y0 = b.Y0 + (b.Y1 - b.Y0 + 1 - h + 1) / 2;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (shape[j][i] == '#') c.Set(x0 + i, y0 + j, ArrowDark);
}

// The inset holds the arrival mark. The mark's box reaches one row below the
// inset square, so that row is dark too, across the square's width: the mark's
// background then matches the picture everywhere, and the inset reads as one
// recess resting on the button's lower edge.
void DrawInset(Canvas& c) {
    c.Fill(Inset, InsetGrey);
    c.Fill(Rect{Inset.X0, MarkBox.Y0, Inset.X1, MarkBox.Y1}, InsetGrey);
}

Canvas Draw() {
    Canvas c;
    DrawFrame(c);
    DrawPanel(c, LeftPanel);
    DrawPanel(c, RightPanel);
    DrawWindow(c);
    for (const Rect& b : {UpButton, DownButton, UpperRightButton, PlainButton, LowerRightButton,
                          InsetButton})
        DrawButton(c, b);
    DrawShape(c, UpButton, UpArrow);
    DrawShape(c, DownButton, FlippedVertically(UpArrow));
    DrawShape(c, UpperRightButton, UpperRightArrow);
    DrawShape(c, LowerRightButton, FlippedVertically(UpperRightArrow));
    DrawInset(c);
    return c;
}

void PutWord(std::vector<unsigned char>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// Builds the file: BITMAPFILEHEADER, BITMAPINFOHEADER, 256 palette entries,
// rows bottom-up. The palette lists the colours in the order they first
// appear from the top left; unused entries are black.
bool Encode(const Canvas& c, std::vector<unsigned char>& out, std::string& error) {
    std::map<Colour, int> index;
    std::vector<Colour> palette;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            Colour colour = c.Get(x, y);
            if (colour.R < 0 || colour.R > 255 || colour.G < 0 || colour.G > 255 || colour.B < 0 ||
                colour.B > 255) {
                error = "colour out of range at " + std::to_string(x) + "," + std::to_string(y);
                return false;
            }
            if (index.emplace(colour, int(palette.size())).second) palette.push_back(colour);
        }
    if (palette.size() > 256) {
        error = "the picture has " + std::to_string(palette.size()) + " colours, more than 256";
        return false;
    }
    palette.resize(256, Colour{0, 0, 0});

    constexpr std::uint32_t FileHeaderSize = 14, InfoHeaderSize = 40, PaletteSize = 256 * 4;
    constexpr std::uint32_t PixelOffset = FileHeaderSize + InfoHeaderSize + PaletteSize;
    constexpr std::uint32_t RowSize = Width;  // a multiple of 4: no row padding
    constexpr std::uint32_t PixelBytes = RowSize * Height;
    out.clear();
    out.push_back('B');
    out.push_back('M');
    PutWord(out, PixelOffset + PixelBytes, 4);  // file size
    PutWord(out, 0, 4);                         // reserved
    PutWord(out, PixelOffset, 4);
    PutWord(out, InfoHeaderSize, 4);
    PutWord(out, Width, 4);
    PutWord(out, Height, 4);  // positive: bottom-up rows
    PutWord(out, 1, 2);       // planes
    PutWord(out, 8, 2);       // bits per pixel
    PutWord(out, 0, 4);       // uncompressed
    PutWord(out, PixelBytes, 4);
    PutWord(out, 2835, 4);  // 72 dots per inch, in pixels per metre
    PutWord(out, 2835, 4);
    PutWord(out, 256, 4);  // colours in the palette
    PutWord(out, 0, 4);    // all of them important
    for (const Colour& p : palette) {
        out.push_back(static_cast<unsigned char>(p.B));
        out.push_back(static_cast<unsigned char>(p.G));
        out.push_back(static_cast<unsigned char>(p.R));
        out.push_back(0);
    }
    for (int y = Height - 1; y >= 0; --y)
        for (int x = 0; x < Width; ++x) out.push_back(static_cast<unsigned char>(index[c.Get(x, y)]));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_background OUT.bmp\n");
        return 2;
    }
    const std::string path = argv[1];
    std::vector<unsigned char> bytes;
    std::string error;
    if (!Encode(Draw(), bytes, error)) {
        std::fprintf(stderr, "draw_background: %s\n", error.c_str());
        return 1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "draw_background: cannot write %s: check that its folder exists and is writable\n",
                     path.c_str());
        std::remove(path.c_str());
        return 1;
    }
    return 0;
}
