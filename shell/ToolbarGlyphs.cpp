#include "shell/ToolbarGlyphs.h"

namespace {

// The grid the shapes are given on. Cells up to a few thousand pixels keep every product below
// in 32 bits.
const int32_t GRID = 20;
const int32_t MAX_CELL = 4096;

// A pixel's centre in grid units is ((2x + 1) * GRID) / (2 * cell): the tests below compare
// numerators over that common denominator, in integers.
struct Centre {
    int32_t u;     // (2x + 1) * GRID
    int32_t v;     // (2y + 1) * GRID
    int32_t scale; // 2 * cell: one grid unit
};

// A grid length in pixels, rounded to the nearest: a rectangle's edge and its size are rounded
// each on its own, so that bars of the same width stay of the same width at every scale.
int32_t Pixels(int32_t units, int32_t scale) {
    return (units * scale + GRID) / (2 * GRID);
}

// A rectangle of the grid, columns left to right and rows top to bottom inclusive, in pixels:
// x0..x1 and y0..y1, inclusive.
struct PixelRect {
    int32_t x0, y0, x1, y1;
};

PixelRect PixelsOf(const Centre& c, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int32_t x0 = Pixels(left, c.scale);
    const int32_t y0 = Pixels(top, c.scale);
    return {x0, y0, x0 + Pixels(right + 1 - left, c.scale) - 1,
            y0 + Pixels(bottom + 1 - top, c.scale) - 1};
}

// The pixel's own column and row, from its centre.
int32_t Column(const Centre& c) {
    return (c.u / GRID - 1) / 2;
}

int32_t Row(const Centre& c) {
    return (c.v / GRID - 1) / 2;
}

bool InRect(const Centre& c, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const PixelRect r = PixelsOf(c, left, top, right, bottom);
    return Column(c) >= r.x0 && Column(c) <= r.x1 && Row(c) >= r.y0 && Row(c) <= r.y1;
}

// The stop square less a grid unit at each of its corners, its own corners whatever the rounding.
bool InCutSquare(const Centre& c, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!InRect(c, left, top, right, bottom)) {
        return false;
    }
    const PixelRect r = PixelsOf(c, left, top, right, bottom);
    const int32_t cut = Pixels(1, c.scale);
    const bool atSide = Column(c) < r.x0 + cut || Column(c) > r.x1 - cut;
    const bool atEnd = Row(c) < r.y0 + cut || Row(c) > r.y1 - cut;
    return !(atSide && atEnd);
}

int32_t Abs(int32_t value) {
    return value < 0 ? -value : value;
}

// Triangles 11 units high over rows 4 to 14, 6 wide, pointing right from the flat side at
// column base or left to it.
bool InRightTriangle(const Centre& c, int32_t base) {
    const int32_t across = c.u - base * c.scale;
    return across >= 0 && across * 11 + 12 * Abs(c.v - 19 * c.scale / 2) < 66 * c.scale;
}

bool InLeftTriangle(const Centre& c, int32_t base) {
    const int32_t across = (base + 1) * c.scale - c.u;
    return across > 0 && across * 11 + 12 * Abs(c.v - 19 * c.scale / 2) < 66 * c.scale;
}

// The eject triangle: its tip at the top of row 4, column 9's middle, 11 wide at the foot of
// row 9.
bool InUpTriangle(const Centre& c) {
    const int32_t down = c.v - 4 * c.scale;
    return down >= 0 && c.v < 10 * c.scale && 12 * Abs(c.u - 19 * c.scale / 2) < 11 * down;
}

bool InGlyph(int32_t glyph, int32_t x, int32_t y, int32_t cell) {
    if (x < 0 || y < 0 || x >= cell || y >= cell || cell > MAX_CELL) {
        return false;
    }
    const Centre c = {(2 * x + 1) * GRID, (2 * y + 1) * GRID, 2 * cell};
    switch (glyph) {
    case 0: // play
        return InRightTriangle(c, 7);
    case 1: // pause
        return InRect(c, 5, 4, 7, 14) || InRect(c, 11, 4, 13, 14);
    case 2: // stop: a square with its corners cut
        return InCutSquare(c, 5, 4, 14, 13);
    case 3: // eject: a triangle over a bar
        return InUpTriangle(c) || InRect(c, 4, 11, 14, 13);
    case 4: // to start
        return InRect(c, 3, 4, 4, 14) || InLeftTriangle(c, 10) || InLeftTriangle(c, 16);
    case 5: // rewind
        return InLeftTriangle(c, 9) || InLeftTriangle(c, 15);
    case 6: // forward
        return InRightTriangle(c, 4) || InRightTriangle(c, 10);
    case 7: // to end
        return InRightTriangle(c, 3) || InRightTriangle(c, 9) || InRect(c, 15, 4, 16, 14);
    default:
        return false;
    }
}

} // namespace

GlyphColour GlyphPixel(int32_t glyph, int32_t x, int32_t y, int32_t cell) {
    const auto on = [glyph, cell](int32_t px, int32_t py) { return InGlyph(glyph, px, py, cell); };
    if (on(x, y)) {
        // Not along slanted edges: a corner has both its neighbours off.
        if (!on(x - 1, y) && !on(x, y - 1) && !on(x + 1, y - 1)) {
            return GLYPH_GLINT;
        }
        if (!on(x + 1, y) && !on(x, y + 1) && !on(x - 1, y + 1)) {
            return GLYPH_GREEN;
        }
        return GLYPH_RED;
    }
    return on(x - 1, y - 1) ? GLYPH_SHADOW : GLYPH_FACE;
}
