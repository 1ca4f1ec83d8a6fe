#include "shell/ScrollGeometry.h"
#include "CaseTables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// SM_CXEDGE, SM_CYEDGE, SM_CXVSCROLL, SM_CYHSCROLL of a classic desktop.
const SystemSizes SIZES = {2, 2, 17, 17};

// ---------------------------------------------------------------------------------------------
// ComputeScrollBars

struct BarsCase {
    const char* name;
    int32_t hostWidth;
    int32_t hostHeight;
    bool clientEdge;
    int32_t movieWidth;
    int32_t movieHeight;
    ScrollBarsLayout expected;
};

class ComputeScrollBarsTest : public testing::TestWithParam<BarsCase> {};

TEST_P(ComputeScrollBarsTest, DecidesBarsRangesAndPages) {
    const BarsCase& c = GetParam();
    const ScrollBarsLayout l = ComputeScrollBars(c.hostWidth, c.hostHeight, c.clientEdge, SIZES,
                                                 c.movieWidth, c.movieHeight);
    EXPECT_EQ(c.expected.hbar, l.hbar);
    EXPECT_EQ(c.expected.vbar, l.vbar);
    EXPECT_EQ(c.expected.hMax, l.hMax);
    EXPECT_EQ(c.expected.hPage, l.hPage);
    EXPECT_EQ(c.expected.vMax, l.vMax);
    EXPECT_EQ(c.expected.vPage, l.vPage);
}

const BarsCase BARS_CASES[] = {
    // 398 x 298 inside the edge; the movie needs 328 x 248.
    {"SmallMovieNoBars", 400, 300, true, 320, 240, {false, false, 328, 399, 248, 299}},
    // Each bar takes 17 off the other direction: pages 398 - 17 + 1 and 298 - 17 + 1.
    {"LargeMovieBothBars", 400, 300, true, 640, 480, {true, true, 648, 382, 488, 282}},
    // Full screen: no edge, so the whole outer size counts.
    {"NoEdgeLargeMovie", 400, 300, false, 640, 480, {true, true, 648, 384, 488, 284}},
    {"NoEdgeSmallMovie", 400, 300, false, 320, 240, {false, false, 328, 401, 248, 301}},
    // The edge alone decides: 330 - 2 < 330, but 330 is not below 330.
    {"EdgeTipsWidth", 330, 300, true, 322, 240, {true, false, 330, 329, 248, 282}},
    {"NoEdgeWidthFits", 330, 300, false, 322, 240, {false, false, 330, 331, 248, 301}},
    {"EdgeTipsHeight", 400, 250, true, 320, 242, {false, true, 328, 382, 250, 249}},
    {"NoEdgeHeightFits", 400, 250, false, 320, 242, {false, false, 328, 401, 250, 251}},
    // W == needW and H == needH: the movie fits with its margin, no bars.
    {"ExactlyFits", 400, 300, true, 390, 290, {false, false, 398, 399, 298, 299}},
    {"OnePixelTooWide", 400, 300, true, 391, 290, {true, false, 399, 399, 298, 282}},
    {"OnePixelTooHigh", 400, 300, true, 390, 291, {false, true, 398, 382, 299, 299}},
    // The vertical bar's width would make the movie too wide, but both decisions are taken
    // before either bar is taken off, so no horizontal bar.
    {"VerticalBarDoesNotForceHorizontal",
     400,
     300,
     true,
     385,
     300,
     {false, true, 393, 382, 308, 299}},
    {"HorizontalBarDoesNotForceVertical",
     400,
     300,
     true,
     640,
     285,
     {true, false, 648, 399, 293, 282}},
    {"OnlyHorizontal", 400, 300, true, 640, 240, {true, false, 648, 399, 248, 282}},
    {"OnlyVertical", 400, 300, true, 320, 480, {false, true, 328, 382, 488, 299}},
    // A minimised frame's host: bars wanted, pages that would be negative are 0.
    {"HostZeroWithEdge", 0, 0, true, 320, 240, {true, true, 328, 0, 248, 0}},
    {"HostZeroNoEdge", 0, 0, false, 320, 240, {true, true, 328, 0, 248, 0}},
    {"HostAndMovieZero", 0, 0, false, 0, 0, {true, true, 8, 0, 8, 0}},
    {"HostJustTheBars", 17, 17, false, 100, 100, {true, true, 108, 1, 108, 1}},
    {"NegativeHost", -40, -40, true, 320, 240, {true, true, 328, 0, 248, 0}},
    {"NegativeMovie", 400, 300, true, -100, -50, {false, false, -92, 399, -42, 299}},
    // Sizes at the ends of the 32-bit range must not wrap round into "fits".
    {"HugeMovie", 400, 300, true, MAX32, MAX32, {true, true, MAX32, 382, MAX32, 282}},
    {"MostNegativeHost", MIN32, MIN32, true, 320, 240, {true, true, 328, 0, 248, 0}},
    {"HugeHost", MAX32, MAX32, false, 320, 240, {false, false, 328, MAX32, 248, MAX32}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ComputeScrollBarsTest, testing::ValuesIn(BARS_CASES),
                         CaseName<BarsCase>);

// ---------------------------------------------------------------------------------------------
// CentreCoordinate

struct CentreCase {
    const char* name;
    int32_t movieSize;
    int32_t clientSize;
    int32_t scrollPosition;
    int32_t expected;
};

class CentreCoordinateTest : public testing::TestWithParam<CentreCase> {};

TEST_P(CentreCoordinateTest, CentresOrKeepsMargin) {
    const CentreCase& c = GetParam();
    EXPECT_EQ(c.expected, CentreCoordinate(c.movieSize, c.clientSize, c.scrollPosition));
}

const CentreCase CENTRE_CASES[] = {
    // The 400 x 300 host with its edge has a 396 x 296 client area.
    {"SmallMovieX", 320, 396, 0, 38},
    {"SmallMovieY", 240, 296, 0, 28},
    {"LargeMovieAtOrigin", 640, 396 - 17, 0, 4},
    {"LargeMovieScrolled", 640, 379, 100, -96},
    {"LargeMovieScrolledToEnd", 640, 379, 267, -263},
    // The scroll position counts for a centred movie too.
    {"CentredAndScrolled", 320, 396, 10, 28},
    // Exactly 8 narrower: not centred.
    {"ExactlyEightNarrower", 388, 396, 0, 4},
    {"NineNarrowerTruncates", 387, 396, 0, 4},
    {"TenNarrower", 386, 396, 0, 5},
    {"OddDifferenceTruncates", 321, 396, 0, 37},
    {"FullScreenCentred", 640, 1024, 0, 192},
    {"MinimisedHost", 320, 0, 0, 4},
    {"ZeroMovieZeroClient", 0, 0, 0, 4},
    {"ZeroMovieClientEight", 0, 8, 0, 4},
    {"ZeroMovieClientTen", 0, 10, 0, 5},
    {"NegativeClient", 0, -20, 0, 4},
    // Ends of the 32-bit range: movie + 8 must not wrap round into "fits".
    {"HugeMovieHugeClient", MAX32, MAX32, 0, 4},
    {"WidestSpread", MIN32, MAX32, 0, MAX32},
    {"MostNegativeScroll", 320, 0, MIN32, MAX32},
    {"HugeScroll", 320, 0, MAX32, 4 - MAX32},
};

INSTANTIATE_TEST_SUITE_P(Cases, CentreCoordinateTest, testing::ValuesIn(CENTRE_CASES),
                         CaseName<CentreCase>);

// ---------------------------------------------------------------------------------------------
// ScrollChange

struct ChangeCase {
    const char* name;
    int32_t code;
    int32_t thumb;
    int32_t position;
    int32_t expected;
};

class ScrollChangeTest : public testing::TestWithParam<ChangeCase> {};

TEST_P(ScrollChangeTest, WantedChangeByCode) {
    const ChangeCase& c = GetParam();
    EXPECT_EQ(c.expected, ScrollChange(c.code, c.thumb, c.position));
}

const ChangeCase CHANGE_CASES[] = {
    {"LineUp", 0, 100, 40, -8},
    {"LineDown", 1, 100, 40, 8},
    {"PageUp", 2, 100, 40, -64},
    {"PageDown", 3, 100, 40, 64},
    {"ThumbPosition", 4, 100, 40, 60},
    {"ThumbTrack", 5, 100, 40, 60},
    {"ThumbBack", 5, 0, 267, -267},
    {"ThumbUnmoved", 4, 40, 40, 0},
    {"Top", 6, 100, 40, 0},
    {"Bottom", 7, 100, 40, 0},
    {"EndScroll", 8, 100, 40, 0},
    {"UnknownCode", 9, 100, 40, 0},
    {"HighCode", 65535, 100, 40, 0},
    {"NegativeCode", -1, 100, 40, 0},
    {"ThumbHugeDifference", 5, MAX32, -1, MAX32},
    {"ThumbHugelyNegativeDifference", 4, MIN32, 1, MIN32},
};

INSTANTIATE_TEST_SUITE_P(Cases, ScrollChangeTest, testing::ValuesIn(CHANGE_CASES),
                         CaseName<ChangeCase>);

// ---------------------------------------------------------------------------------------------
// ClampScrollChange

struct ClampCase {
    const char* name;
    int32_t change;
    int32_t minimum;
    int32_t maximum;
    int32_t page;
    int32_t position;
    int32_t expected;
};

class ClampScrollChangeTest : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampScrollChangeTest, KeepsPositionInRange) {
    const ClampCase& c = GetParam();
    EXPECT_EQ(c.expected, ClampScrollChange(c.change, c.minimum, c.maximum, c.page, c.position));
}

const ClampCase CLAMP_CASES[] = {
    // The horizontal bar of the 640 x 480 movie: 0..648, page 382, largest position 267.
    {"PageRightNearEnd", 64, 0, 648, 382, 250, 17},
    {"PageRightInMiddle", 64, 0, 648, 382, 100, 64},
    {"LineLeftAtStart", -8, 0, 648, 382, 0, 0},
    {"PageLeftNearStart", -64, 0, 648, 382, 30, -30},
    {"LineRightAtEnd", 8, 0, 648, 382, 267, 0},
    {"ThumbDrag", 60, 0, 648, 382, 40, 60},
    {"FarRightGoesToLargest", MAX32, 0, 648, 382, 0, 267},
    {"FarDownGoesToLargest", MAX32, 0, 488, 282, 0, 207},
    {"FarLeftGoesToStart", MIN32, 0, 648, 382, 267, -267},
    // A position beyond the end comes back even when nothing is asked.
    {"PastEndComesBack", 0, 0, 648, 382, 300, -33},
    {"NonZeroMinimum", -64, 10, 100, 20, 50, -40},
    {"NonZeroMinimumTop", 64, 10, 100, 20, 50, 31},
    // The page covers the range: the two limits cross and the minimum wins.
    {"CrossedStaysAtMinimum", 8, 0, 328, 399, 0, 0},
    {"CrossedReturnsToMinimum", 0, 0, 328, 399, 10, -10},
    {"CrossedEvenWhenScrollingBack", -8, 0, 328, 399, 10, -10},
    {"PageOneMoreThanRange", 5, 0, 100, 101, 0, 0},
    {"PageEqualsRange", 5, 0, 100, 100, 0, 1},
    // Sums at the ends of the 32-bit range are taken exactly.
    {"MostNegativeEverywhere", MIN32, MIN32, MAX32, MIN32, MAX32, MIN32},
    {"MinimumFarAbovePosition", 0, MAX32, MAX32, 0, MIN32, MAX32},
    {"NegativePageWouldWrap", MAX32, 0, MAX32, -1, 0, MAX32},
};

INSTANTIATE_TEST_SUITE_P(Cases, ClampScrollChangeTest, testing::ValuesIn(CLAMP_CASES),
                         CaseName<ClampCase>);

// The host's scroll handling end to end on the 640 x 480 movie: the layout's range and page,
// then the clamped change, then the movie's place at the new position.
TEST(ScrollingTest, LargeMovieScrollsWithinItsRange) {
    const ScrollBarsLayout l = ComputeScrollBars(400, 300, true, SIZES, 640, 480);
    ASSERT_TRUE(l.hbar);
    ASSERT_TRUE(l.vbar);

    int32_t hpos = 0;
    EXPECT_EQ(4, CentreCoordinate(640, 396 - 17, hpos));
    // Page right until the end: 64, 64, 64, 64, then 11 to 267.
    const int32_t steps[] = {64, 64, 64, 64, 11, 0};
    for (int32_t expected : steps) {
        const int32_t d = ClampScrollChange(ScrollChange(3, 0, hpos), 0, l.hMax, l.hPage, hpos);
        EXPECT_EQ(expected, d);
        hpos += d;
    }
    EXPECT_EQ(267, hpos);
    // The page counts the outer size less one edge, the client area loses both edges; so at
    // the end the movie's right edge sits 2 pixels, not 4, inside the 379-pixel client width.
    EXPECT_EQ(379 - 2, CentreCoordinate(640, 379, hpos) + 640);

    int32_t vpos = 0;
    vpos += ClampScrollChange(ScrollChange(5, 65535, vpos), 0, l.vMax, l.vPage, vpos);
    EXPECT_EQ(207, vpos);
    EXPECT_EQ(279 - 2, CentreCoordinate(480, 279, vpos) + 480);
}

// ---------------------------------------------------------------------------------------------
// ContextMenuCoordinate

struct MenuCase {
    const char* name;
    int32_t coordinate;
    int32_t expected;
};

class ContextMenuCoordinateTest : public testing::TestWithParam<MenuCase> {};

TEST_P(ContextMenuCoordinateTest, KeyboardRequestGoesToZero) {
    const MenuCase& c = GetParam();
    EXPECT_EQ(c.expected, ContextMenuCoordinate(c.coordinate));
}

const MenuCase MENU_CASES[] = {
    {"Keyboard", -1, 0},
    {"Zero", 0, 0},
    {"Mouse", 250, 250},
    {"One", 1, 1},
    // A second monitor on the left gives negative coordinates, which stay.
    {"MinusTwo", -2, -2},
    {"LeftMonitor", -1200, -1200},
    {"Smallest16Bit", -32768, -32768},
    {"Largest16Bit", 32767, 32767},
};

INSTANTIATE_TEST_SUITE_P(Cases, ContextMenuCoordinateTest, testing::ValuesIn(MENU_CASES),
                         CaseName<MenuCase>);

} // namespace
