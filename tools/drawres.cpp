// Draws the player's toolbar strip and icon and writes them as the files the resource script
// includes: drawres DIR writes DIR/toolbar.bmp and DIR/main.ico; drawres --check DIR fails when
// the files in DIR differ from what would be written. Plain host C++, no libraries, so the
// pictures can be remade and reviewed like code.
#include "shell/ToolbarGlyphs.h"

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

// The toolbar maps light gray, mid gray and white to the button face, shadow and highlight, so
// the glyphs get a raised edge in whatever colours the system has.
std::vector<Rgb> StripColors() {
    std::vector<Rgb> colors(256, Rgb{0, 0, 0});
    colors[GLYPH_FACE] = {192, 192, 192};
    colors[GLYPH_RED] = {128, 0, 0};
    colors[GLYPH_GREEN] = {0, 64, 0};
    colors[GLYPH_SHADOW] = {128, 128, 128};
    colors[GLYPH_GLINT] = {255, 255, 255};
    return colors;
}

Bytes ToolbarBitmap() {
    std::vector<uint8_t> pixels(STRIP_WIDTH * STRIP_HEIGHT, GLYPH_FACE); // top-down
    for (int i = 0; i < GLYPH_COUNT; ++i) {
        for (int y = 0; y < STRIP_HEIGHT; ++y) {
            for (int x = 0; x < CELL; ++x) {
                pixels[static_cast<size_t>(y * STRIP_WIDTH + i * CELL + x)] =
                    GlyphPixel(i, x, y, CELL);
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
