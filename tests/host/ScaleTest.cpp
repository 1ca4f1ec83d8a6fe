// The layout's pixel values at the display's scale, and the glyphs drawn at any cell size.
#include "shell/FrameGeometry.h"
#include "shell/ScrollGeometry.h"
#include "shell/ToolbarGlyphs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Each layout value at the four DPIs a user meets most (100, 125, 150 and 200 %), written out.
struct DpiCase {
    int32_t dpi;
    int32_t frameWidth, frameHeight; // the floor
    int32_t frameX, frameY;
    int32_t trackLeft, trackTop, trackHeight, trackGap;
    int32_t room;      // around the movie
    int32_t partWidth; // the narrowest state and time parts
    int32_t cell;      // toolbar buttons and images
    int32_t separator;
};

const DpiCase DPI_CASES[] = {
    {96, 400, 320, 120, 50, 208, 2, 22, 10, 8, 80, 20, 6},
    {120, 500, 400, 150, 63, 260, 3, 28, 13, 10, 100, 25, 8},
    {144, 600, 480, 180, 75, 312, 3, 33, 15, 12, 120, 30, 9},
    {192, 800, 640, 240, 100, 416, 4, 44, 20, 16, 160, 40, 12},
};

TEST(ScaleTest, EveryLayoutValueScalesWithTheDpi) {
    for (const DpiCase& c : DPI_CASES) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(c.frameWidth, Scaled(MIN_FRAME_WIDTH, c.dpi));
        EXPECT_EQ(c.frameHeight, Scaled(MIN_FRAME_HEIGHT, c.dpi));
        EXPECT_EQ(c.frameX, Scaled(FRAME_X, c.dpi));
        EXPECT_EQ(c.frameY, Scaled(FRAME_Y, c.dpi));
        EXPECT_EQ(c.trackLeft, Scaled(TRACKBAR_LEFT, c.dpi));
        EXPECT_EQ(c.trackTop, Scaled(TRACKBAR_TOP, c.dpi));
        EXPECT_EQ(c.trackHeight, Scaled(TRACKBAR_HEIGHT, c.dpi));
        EXPECT_EQ(c.cell, Scaled(TOOLBAR_CELL, c.dpi));
        EXPECT_EQ(c.separator, Scaled(TOOLBAR_SEPARATOR, c.dpi));
        EXPECT_EQ(c.room, Scaled(MOVIE_ROOM, c.dpi));
        // The trackbar from a 1000-pixel toolbar, made and resized.
        EXPECT_EQ(1000 - c.trackLeft - c.trackGap, TrackbarCreateWidth(1000, c.dpi));
        EXPECT_EQ(1000 - c.trackGap - c.trackLeft, TrackbarNewWidth(1000, c.trackLeft, c.dpi));
        EXPECT_EQ(0, TrackbarCreateWidth(c.trackLeft, c.dpi));
        // A status part is at least the scaled 80, else its text and the room beside it.
        EXPECT_EQ(c.partWidth, StatusPartWidth(10, c.dpi));
        EXPECT_EQ(200 + Scaled(STATUS_TEXT_ROOM, c.dpi), StatusPartWidth(200, c.dpi));
        // The floor of sizing and of fitting the frame, and the margin the fit adds.
        const Edges current = {0, 0, 2000, 2000};
        const Edges below = {0, 0, c.frameWidth - 1, c.frameHeight - 1};
        const Edges at = {0, 0, c.frameWidth, c.frameHeight};
        EXPECT_EQ(2000, SizingRule(below, current, c.dpi).right);
        EXPECT_EQ(2000, SizingRule(below, current, c.dpi).bottom);
        EXPECT_EQ(c.frameWidth, SizingRule(at, current, c.dpi).right);
        const Placement small = FitFrame({10, 20, 900, 700}, 890, 600, 16, 16, 2000, 2000, c.dpi);
        EXPECT_EQ(c.frameWidth, small.width);
        EXPECT_EQ(c.frameHeight, small.height);
        const Placement big = FitFrame({10, 20, 900, 700}, 890, 600, 1000, 900, 3000, 3000, c.dpi);
        EXPECT_EQ(900 + 1000 - 890 + c.room, big.width);
        EXPECT_EQ(700 + 900 - 600 + c.room, big.height);
        // The movie is centred with half the margin when it does not fit.
        EXPECT_EQ(c.room / 2, CentreCoordinate(1000, 500, 0, c.room));
        EXPECT_EQ(c.room,
                  ComputeScrollBars(2000, 2000, false, {2, 2, 17, 17}, 100, 100, c.room).hMax -
                      100);
    }
    // The defaults are those of 96 DPI, and the rounding is MulDiv's.
    EXPECT_EQ(Scaled(400, 96), Scaled(400, 0));
    EXPECT_EQ(Scaled(400, 96), Scaled(400, -120));
    EXPECT_EQ(-3, Scaled(-2, 144));
    EXPECT_EQ(INT32_MAX, Scaled(INT32_MAX, 192));
    EXPECT_EQ(TrackbarCreateWidth(1000), TrackbarCreateWidth(1000, 96));
}

TEST(ScaleTest, StatusPartsTakeTheirWidthsFromTheRight) {
    const auto edges = StatusPartEdgesFor(600, 20, 80, 120);
    EXPECT_EQ(380, edges[0]);
    EXPECT_EQ(460, edges[1]);
    EXPECT_EQ(580, edges[2]);
    // Too narrow a bar: nothing negative, the order kept.
    const auto narrow = StatusPartEdgesFor(150, 20, 80, 120);
    EXPECT_EQ(0, narrow[0]);
    EXPECT_EQ(10, narrow[1]);
    EXPECT_EQ(130, narrow[2]);
    const auto odd = StatusPartEdgesFor(600, 20, -5, -5);
    EXPECT_EQ(580, odd[0]);
    // The 80-pixel parts of before, through the same rule.
    const auto classic = StatusPartEdges(392, 20);
    EXPECT_EQ(212, classic[0]);
    EXPECT_EQ(292, classic[1]);
    EXPECT_EQ(372, classic[2]);
}

// Counts of each colour a glyph has at a cell size.
struct GlyphCount {
    int32_t face, red, green, shadow, glint;
};

GlyphCount CountOf(int32_t glyph, int32_t cell) {
    GlyphCount count = {0, 0, 0, 0, 0};
    for (int32_t y = 0; y < cell; ++y) {
        for (int32_t x = 0; x < cell; ++x) {
            switch (GlyphPixel(glyph, x, y, cell)) {
            case GLYPH_FACE:
                ++count.face;
                break;
            case GLYPH_RED:
                ++count.red;
                break;
            case GLYPH_GREEN:
                ++count.green;
                break;
            case GLYPH_SHADOW:
                ++count.shadow;
                break;
            case GLYPH_GLINT:
                ++count.glint;
                break;
            }
        }
    }
    return count;
}

TEST(ScaleTest, GlyphsGrowWithTheCellAndKeepTheirShading) {
    for (int32_t glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        SCOPED_TRACE(glyph);
        const GlyphCount at20 = CountOf(glyph, 20);
        EXPECT_GT(at20.red, 10);
        for (const int32_t cell : {25, 30, 40}) {
            SCOPED_TRACE(cell);
            const GlyphCount scaled = CountOf(glyph, cell);
            // The area grows with the square of the scale, within a pixel's rounding along its
            // edges; a glint and a lower-right corner at every size.
            const double ratio = static_cast<double>(cell * cell) / 400.0;
            const int32_t inside = scaled.red + scaled.green + scaled.glint;
            const int32_t inside20 = at20.red + at20.green + at20.glint;
            EXPECT_NEAR(inside20 * ratio, inside, inside20 * ratio * 0.25);
            EXPECT_GT(scaled.glint, 0);
            EXPECT_GT(scaled.green, 0);
            EXPECT_GT(scaled.shadow, 0);
        }
    }
    // The pause glyph's two bars at 40 pixels are the 20-pixel ones doubled: every pixel is the
    // bigger one's pixel (2x, 2y) inside, shading aside.
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            const bool small =
                GlyphPixel(1, x, y, 20) != GLYPH_FACE && GlyphPixel(1, x, y, 20) != GLYPH_SHADOW;
            const bool large = GlyphPixel(1, 2 * x, 2 * y, 40) != GLYPH_FACE &&
                               GlyphPixel(1, 2 * x, 2 * y, 40) != GLYPH_SHADOW;
            EXPECT_EQ(small, large) << x << "," << y;
        }
    }
    // Outside a cell, an unknown glyph and a hostile size: the face.
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(0, -1, 9, 20));
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(0, 20, 9, 20));
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(8, 9, 9, 20));
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(-1, 9, 9, 20));
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(0, 9, 9, 0));
    EXPECT_EQ(GLYPH_FACE, GlyphPixel(0, 9, 9, INT32_MAX));
}

} // namespace
