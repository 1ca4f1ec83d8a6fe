// The toolbar's eight glyphs as shapes, drawn at any cell size: the strip of the resources is
// drawn from them at 20 pixels, and the player draws them at its DPI's size. No platform headers
// here: this file is built natively too.
#pragma once

#include <cstdint>

// Colour indices of a glyph's pixels. The button face, its shadow and its highlight take the
// system's colours; the glyph's own two are fixed.
enum GlyphColour : uint8_t {
    GLYPH_FACE = 0,
    GLYPH_RED = 1,
    GLYPH_GREEN = 2,
    GLYPH_SHADOW = 3,
    GLYPH_GLINT = 4
};

// Play, pause, stop, eject, to start, rewind, forward, to end.
const int32_t GLYPH_COUNT = 8;

// The colour of pixel (x, y) of a glyph in a square cell of the given size. The shapes are laid
// out on a grid of 20 and each pixel takes what its centre falls on, so every size is as sharp
// as the 20-pixel one; the shading (a glint on the upper-left corners, green on the lower-right
// ones and a drop shadow) is one pixel wide at every size. Outside the cell, for an unknown
// glyph or a cell over 4096 pixels, the face.
GlyphColour GlyphPixel(int32_t glyph, int32_t x, int32_t y, int32_t cell);
