// Draws the player's toolbar strip and icon and writes them as the files the resource script
// includes: drawres DIR writes DIR/toolbar.bmp and DIR/main.ico; drawres --check DIR fails when
// the files in DIR differ from what would be written. Plain host C++, no libraries, so the
// pictures can be remade and reviewed like code.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value & 0xFFu));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFFu));
}

void Put32(Bytes& out, uint32_t value) {
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

struct Rgb {
    uint8_t r, g, b;
};

void PutInfoHeader(Bytes& out, int width, int height, unsigned bitCount, uint32_t imageSize,
                   uint32_t colorsUsed) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colorsUsed);
    Put32(out, 0);
}

void PutColorTable(Bytes& out, const std::vector<Rgb>& colors) {
    for (const Rgb& c : colors) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
}

// ---- Toolbar strip ----------------------------------------------------------------------

constexpr int STRIP_WIDTH = 173;
constexpr int STRIP_HEIGHT = 19;
constexpr int CELL = 20;
constexpr int GLYPHS = 8;

// Colour indices of the strip. The toolbar maps light gray, mid gray and white to the button
// face, shadow and highlight, so the glyphs get a raised edge in whatever colours the system has.
enum : uint8_t { BACKGROUND = 0, DARK_RED = 1, DARK_GREEN = 2, MID_GRAY = 3, WHITE = 4 };

std::vector<Rgb> StripColors() {
    std::vector<Rgb> colors(256, Rgb{0, 0, 0});
    colors[BACKGROUND] = {192, 192, 192};
    colors[DARK_RED] = {128, 0, 0};
    colors[DARK_GREEN] = {0, 64, 0};
    colors[MID_GRAY] = {128, 128, 128};
    colors[WHITE] = {255, 255, 255};
    return colors;
}

// One cell's glyph shape, top-down, before shading.
struct Cell {
    bool on[STRIP_HEIGHT][CELL] = {};

    bool At(int x, int y) const {
        return x >= 0 && x < CELL && y >= 0 && y < STRIP_HEIGHT && on[y][x];
    }
    void Fill(int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                on[y][x] = true;
            }
        }
    }
    // Triangles 11 rows high around row 9, 6 columns wide; `base` is the column of the flat side.
    void RightTriangle(int base) {
        for (int y = 4; y <= 14; ++y) {
            const int d = y > 9 ? y - 9 : 9 - y;
            Fill(base, y, base + 5 - d, y);
        }
    }
    void LeftTriangle(int base) {
        for (int y = 4; y <= 14; ++y) {
            const int d = y > 9 ? y - 9 : 9 - y;
            Fill(base - 5 + d, y, base, y);
        }
    }
};

Cell GlyphShape(int index) {
    Cell c;
    switch (index) {
    case 0: // play
        c.RightTriangle(7);
        break;
    case 1: // pause
        c.Fill(5, 4, 7, 14);
        c.Fill(11, 4, 13, 14);
        break;
    case 2: // stop: a square with its corners cut
        c.Fill(5, 4, 14, 13);
        c.on[4][5] = c.on[4][14] = c.on[13][5] = c.on[13][14] = false;
        break;
    case 3: // eject: a triangle over a bar
        for (int y = 4; y <= 9; ++y) {
            c.Fill(9 - (y - 4), y, 9 + (y - 4), y);
        }
        c.Fill(4, 11, 14, 13);
        break;
    case 4: // to start
        c.Fill(3, 4, 4, 14);
        c.LeftTriangle(10);
        c.LeftTriangle(16);
        break;
    case 5: // rewind
        c.LeftTriangle(9);
        c.LeftTriangle(15);
        break;
    case 6: // forward
        c.RightTriangle(4);
        c.RightTriangle(10);
        break;
    case 7: // to end
        c.RightTriangle(3);
        c.RightTriangle(9);
        c.Fill(15, 4, 16, 14);
        break;
    default:
        break;
    }
    return c;
}

// Shading: a white glint on the upper-left corners, dark green on the lower-right corners (not
// along slanted edges) and a mid-gray drop shadow one pixel down and right.
uint8_t GlyphPixel(const Cell& c, int x, int y) {
    if (c.At(x, y)) {
        if (!c.At(x - 1, y) && !c.At(x, y - 1) && !c.At(x + 1, y - 1)) {
            return WHITE;
        }
        if (!c.At(x + 1, y) && !c.At(x, y + 1) && !c.At(x - 1, y + 1)) {
            return DARK_GREEN;
        }
        return DARK_RED;
    }
    if (c.At(x - 1, y - 1)) {
        return MID_GRAY;
    }
    return BACKGROUND;
}

Bytes ToolbarBitmap() {
    std::vector<uint8_t> pixels(STRIP_WIDTH * STRIP_HEIGHT, BACKGROUND); // top-down
    for (int i = 0; i < GLYPHS; ++i) {
        const Cell c = GlyphShape(i);
        for (int y = 0; y < STRIP_HEIGHT; ++y) {
            for (int x = 0; x < CELL; ++x) {
                pixels[static_cast<size_t>(y * STRIP_WIDTH + i * CELL + x)] = GlyphPixel(c, x, y);
            }
        }
    }
    const int stride = (STRIP_WIDTH + 3) / 4 * 4;
    const uint32_t imageSize = static_cast<uint32_t>(stride * STRIP_HEIGHT);
    const uint32_t bitsOffset = 14 + 40 + 256 * 4;

    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, bitsOffset + imageSize);
    Put32(out, 0);
    Put32(out, bitsOffset);
    PutInfoHeader(out, STRIP_WIDTH, STRIP_HEIGHT, 8, imageSize, 256);
    PutColorTable(out, StripColors());
    for (int y = STRIP_HEIGHT - 1; y >= 0; --y) { // bottom-up rows
        for (int x = 0; x < stride; ++x) {
            out.push_back(x < STRIP_WIDTH ? pixels[static_cast<size_t>(y * STRIP_WIDTH + x)] : 0);
        }
    }
    return out;
}

// ---- Icon -------------------------------------------------------------------------------

constexpr int ICON_SIZE = 32;

// The standard 16-colour palette in its usual order.
enum : uint8_t {
    BLACK = 0,
    MAROON = 1,
    GREEN = 2,
    OLIVE = 3,
    NAVY = 4,
    PURPLE = 5,
    TEAL = 6,
    SILVER = 7,
    GRAY = 8,
    RED = 9,
    LIME = 10,
    YELLOW = 11,
    BLUE = 12,
    FUCHSIA = 13,
    AQUA = 14,
    BRIGHT_WHITE = 15,
    TRANSPARENT = 255
};

std::vector<Rgb> StandardColors() {
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

struct Canvas {
    uint8_t px[ICON_SIZE][ICON_SIZE];

    Canvas() { std::memset(px, TRANSPARENT, sizeof px); }

    void Set(int x, int y, uint8_t color) {
        if (x >= 0 && x < ICON_SIZE && y >= 0 && y < ICON_SIZE) {
            px[y][x] = color;
        }
    }
    void Rect(int left, int top, int right, int bottom, uint8_t color) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                Set(x, y, color);
            }
        }
    }
    // Pixels whose centre lies within radius of (cx, cy).
    void Disc(double cx, double cy, double radius, uint8_t color) {
        for (int y = 0; y < ICON_SIZE; ++y) {
            for (int x = 0; x < ICON_SIZE; ++x) {
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) {
                    Set(x, y, color);
                }
            }
        }
    }
    void Line(int x0, int y0, int x1, int y1, uint8_t color) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
            Set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
                static_cast<int>(std::lround(y0 + (y1 - y0) * t)), color);
        }
    }
    // A film reel: a silver disc with a black rim, four dark windows and a black hub.
    void Reel(double cx, double cy, double radius) {
        Disc(cx, cy, radius, BLACK);
        Disc(cx, cy, radius - 1.0, SILVER);
        const double pi = 3.14159265358979;
        for (int k = 0; k < 4; ++k) {
            const double angle = pi / 4 + k * pi / 2;
            Disc(cx + std::cos(angle) * radius * 0.5, cy + std::sin(angle) * radius * 0.5,
                 radius * 0.24, GRAY);
        }
        Disc(cx, cy, 1.6, BLACK);
    }
};

Canvas Projector() {
    Canvas c;
    // Reels on top, the rear one larger; the film runs from them down into the body.
    c.Reel(9.0, 8.5, 7.5);
    c.Reel(23.0, 9.5, 6.5);
    c.Line(4, 12, 8, 17, BLACK);
    c.Line(28, 12, 24, 17, BLACK);
    // Body with a lit top edge and a ventilation slot.
    c.Rect(3, 16, 25, 27, BLACK);
    c.Rect(4, 17, 24, 26, GRAY);
    c.Rect(4, 17, 24, 17, SILVER);
    c.Rect(7, 20, 15, 20, BLACK);
    c.Rect(7, 22, 15, 22, BLACK);
    c.Rect(19, 20, 21, 22, RED); // lamp window
    // Lens barrel and glass at the front.
    c.Rect(26, 18, 29, 25, BLACK);
    c.Rect(26, 19, 28, 24, SILVER);
    c.Rect(30, 19, 31, 24, BLACK);
    c.Rect(30, 20, 30, 23, AQUA);
    // Feet.
    c.Rect(5, 28, 7, 30, BLACK);
    c.Rect(21, 28, 23, 30, BLACK);
    return c;
}

Bytes MainIcon() {
    const Canvas c = Projector();
    const uint32_t xorSize = ICON_SIZE * ICON_SIZE / 2;
    const uint32_t andSize = ICON_SIZE * 4; // 32 one-bit pixels: 4 bytes, already 4-aligned
    const uint32_t imageBytes = 40 + 16 * 4 + xorSize + andSize;

    Bytes out;
    Put16(out, 0); // reserved
    Put16(out, 1); // icon
    Put16(out, 1); // one image
    out.push_back(ICON_SIZE);
    out.push_back(ICON_SIZE);
    out.push_back(16); // colours
    out.push_back(0);
    Put16(out, 1); // planes
    Put16(out, 4); // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 6 + 16);

    // The image's height counts the colour rows and the mask rows.
    PutInfoHeader(out, ICON_SIZE, ICON_SIZE * 2, 4, xorSize + andSize, 0);
    PutColorTable(out, StandardColors());
    for (int y = ICON_SIZE - 1; y >= 0; --y) {
        for (int x = 0; x < ICON_SIZE; x += 2) {
            const auto index = [&](int at) { return c.px[y][at] == TRANSPARENT ? 0 : c.px[y][at]; };
            out.push_back(static_cast<uint8_t>(index(x) << 4 | index(x + 1)));
        }
    }
    for (int y = ICON_SIZE - 1; y >= 0; --y) {
        for (int byte = 0; byte < ICON_SIZE / 8; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (c.px[y][byte * 8 + bit] == TRANSPARENT) {
                    bits |= 0x80u >> bit;
                }
            }
            out.push_back(static_cast<uint8_t>(bits));
        }
    }
    return out;
}

// ---- Files ------------------------------------------------------------------------------

bool ReadFile(const std::string& path, Bytes& content) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    content.clear();
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.insert(content.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return true;
}

bool WriteFile(const std::string& path, const Bytes& content) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: drawres [--check] DIR\n");
        return 2;
    }
    const std::string dir = argv[argc - 1];
    const struct {
        const char* name;
        Bytes content;
    } files[] = {{"toolbar.bmp", ToolbarBitmap()}, {"main.ico", MainIcon()}};

    int status = 0;
    for (const auto& f : files) {
        const std::string path = dir + "/" + f.name;
        if (check) {
            Bytes existing;
            if (!ReadFile(path, existing) || existing != f.content) {
                std::fprintf(stderr, "%s differs from what drawres makes\n", path.c_str());
                status = 1;
            }
        } else if (!WriteFile(path, f.content)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
