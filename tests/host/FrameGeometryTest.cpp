#include "shell/FrameGeometry.h"
#include "CaseTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// ---------------------------------------------------------------------------------------------
// FitFrame

struct FitCase {
    const char* name;
    Placement frame;
    int32_t hostClientWidth;
    int32_t hostClientHeight;
    int32_t movieWidth;
    int32_t movieHeight;
    int32_t maxWidth;
    int32_t maxHeight;
    Placement expected;
};

class FitFrameTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitFrameTest, PlacesFrameAroundMovie) {
    const FitCase& c = GetParam();
    const Placement p = FitFrame(c.frame, c.hostClientWidth, c.hostClientHeight, c.movieWidth,
                                 c.movieHeight, c.maxWidth, c.maxHeight);
    EXPECT_EQ(c.expected.x, p.x);
    EXPECT_EQ(c.expected.y, p.y);
    EXPECT_EQ(c.expected.width, p.width);
    EXPECT_EQ(c.expected.height, p.height);
}

// A 400 x 320 frame whose host client area is 396 x 250 has 4 x 70 pixels of chrome around it.
const Placement START = {100, 50, 400, 320};

const FitCase FIT_CASES[] = {
    // 400 + 640 - 396 + 8, 320 + 480 - 250 + 8
    {"GrowsByWhatTheHostLacks", START, 396, 250, 640, 480, 1600, 1200, {100, 50, 652, 558}},
    {"SmallMovieGetsMinimumAtCurrentCorner",
     {30, 40, 500, 400},
     496,
     330,
     160,
     120,
     1600,
     1200,
     {30, 40, 400, 320}},
    {"LargerThanMaximizedInBoth", START, 396, 250, 2000, 1500, 1288, 1000, {0, 0, 1288, 1000}},
    {"OnlyWidthReachesMaximized", START, 396, 250, 2000, 300, 1288, 1000, {0, 50, 1288, 378}},
    {"OnlyHeightReachesMaximized", START, 396, 250, 640, 2000, 1288, 1000, {100, 0, 652, 1000}},
    {"WidthExactlyMaximizedGoesToZero", START, 396, 250, 640, 480, 652, 1200, {0, 50, 652, 558}},
    {"WidthOneBelowMaximizedStays", START, 396, 250, 640, 480, 653, 1200, {100, 50, 652, 558}},
    {"HeightExactlyMaximizedGoesToZero", START, 396, 250, 640, 480, 1600, 558, {100, 0, 652, 558}},
    {"HeightOneBelowMaximizedStays", START, 396, 250, 640, 480, 1600, 559, {100, 50, 652, 558}},
    // 400 + 388 - 396 + 8 = 400: at the floor, but not a floor that was applied.
    {"WidthExactlyMinimum", START, 396, 250, 388, 480, 1600, 1200, {100, 50, 400, 558}},
    {"WidthOneBelowMinimum", START, 396, 250, 387, 480, 1600, 1200, {100, 50, 400, 558}},
    {"HeightExactlyMinimum", START, 396, 250, 640, 242, 1600, 1200, {100, 50, 652, 320}},
    {"HeightOneBelowMinimum", START, 396, 250, 640, 241, 1600, 1200, {100, 50, 652, 320}},
    // A maximized size below the floor: the floor wins and the frame stays where it is.
    {"MaximizedBelowMinimumGivesMinimum", START, 396, 250, 640, 480, 300, 200, {100, 50, 400, 320}},
    {"MaximizedEqualToMinimum", START, 396, 250, 640, 480, 400, 320, {0, 0, 400, 320}},
    // A minimised frame's host has a 0 x 0 client area.
    {"HostClientZero",
     {-32000, -32000, 160, 24},
     0,
     0,
     320,
     240,
     1600,
     1200,
     {-32000, -32000, 488, 320}},
    {"ZeroMovie", START, 396, 250, 0, 0, 1600, 1200, {100, 50, 400, 320}},
    {"NegativeMovie", START, 396, 250, -500, -500, 1600, 1200, {100, 50, 400, 320}},
    // Sums that leave the 32-bit range: wrapped, the huge size would come out small and the
    // hugely negative one as an ordinary size.
    {"HugeSumsReachMaximized",
     {7, 9, MAX32, MAX32},
     MIN32,
     MIN32,
     MAX32,
     MAX32,
     1600,
     1200,
     {0, 0, 1600, 1200}},
    {"HugelyNegativeSumsGiveMinimum",
     {7, 9, MIN32, MIN32},
     -1000,
     -1000,
     MIN32,
     MIN32,
     1600,
     1200,
     {7, 9, 400, 320}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FitFrameTest, testing::ValuesIn(FIT_CASES), CaseName<FitCase>);

// ---------------------------------------------------------------------------------------------
// SizingRule

struct SizingCase {
    const char* name;
    Edges proposed;
    Edges expected;
};

class SizingRuleTest : public testing::TestWithParam<SizingCase> {};

// The frame while the user drags: 450 wide, 400 high.
const Edges CURRENT = {100, 100, 550, 500};

TEST_P(SizingRuleTest, KeepsCurrentEdgesBelowMinimum) {
    const SizingCase& c = GetParam();
    const Edges e = SizingRule(c.proposed, CURRENT);
    EXPECT_EQ(c.expected.left, e.left);
    EXPECT_EQ(c.expected.top, e.top);
    EXPECT_EQ(c.expected.right, e.right);
    EXPECT_EQ(c.expected.bottom, e.bottom);
}

const SizingCase SIZING_CASES[] = {
    {"Width390StaysAt450", {160, 100, 550, 500}, {100, 100, 550, 500}},
    {"Width410Taken", {140, 100, 550, 500}, {140, 100, 550, 500}},
    {"Width400Taken", {150, 100, 550, 500}, {150, 100, 550, 500}},
    {"Width399Refused", {151, 100, 550, 500}, {100, 100, 550, 500}},
    {"RightEdgeDragRefused", {100, 100, 490, 500}, {100, 100, 550, 500}},
    {"Height310Refused", {100, 190, 550, 500}, {100, 100, 550, 500}},
    {"Height330Taken", {100, 170, 550, 500}, {100, 170, 550, 500}},
    {"Height320Taken", {100, 180, 550, 500}, {100, 180, 550, 500}},
    {"Height319Refused", {100, 100, 550, 419}, {100, 100, 550, 500}},
    // Each dimension is judged on its own.
    {"NarrowButTallKeepsProposedHeight", {100, 50, 480, 600}, {100, 50, 550, 600}},
    {"WideButShortKeepsProposedWidth", {0, 100, 900, 300}, {0, 100, 900, 500}},
    {"BothBelowGivesCurrent", {300, 300, 310, 310}, {100, 100, 550, 500}},
    {"InvertedRectangleRefused", {600, 600, 100, 100}, {100, 100, 550, 500}},
    {"NoMaximum", {-5000, -5000, 5000, 5000}, {-5000, -5000, 5000, 5000}},
    // Differences that leave the 32-bit range are judged by their true value.
    {"HugeWidthTaken", {MIN32, 100, MAX32, 500}, {MIN32, 100, MAX32, 500}},
    {"HugelyNegativeWidthRefused", {1, 1, MIN32, MIN32}, {100, 100, 550, 500}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SizingRuleTest, testing::ValuesIn(SIZING_CASES),
                         CaseName<SizingCase>);

// ---------------------------------------------------------------------------------------------
// StatusPartEdges

struct StatusCase {
    const char* name;
    int32_t width;
    int32_t height;
    int32_t edge0;
    int32_t edge1;
    int32_t edge2;
};

class StatusPartEdgesTest : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusPartEdgesTest, GivesThreeRightEdges) {
    const StatusCase& c = GetParam();
    const std::array<int32_t, 3> edges = StatusPartEdges(c.width, c.height);
    EXPECT_EQ(c.edge0, edges[0]);
    EXPECT_EQ(c.edge1, edges[1]);
    EXPECT_EQ(c.edge2, edges[2]);
}

const StatusCase STATUS_CASES[] = {
    {"Width392Height20", 392, 20, 212, 292, 372},
    {"Width800Height22", 800, 22, 618, 698, 778},
    // A minimised frame: no edge may be -1 or below, which the control reads as the right end.
    {"ZeroByZero", 0, 0, 0, 0, 0},
    {"ZeroWidth", 0, 20, 0, 0, 0},
    {"OnlyGrip", 20, 20, 0, 0, 0},
    {"PartZeroJustEmpty", 180, 20, 0, 80, 160},
    {"PartZeroOnePixel", 181, 20, 1, 81, 161},
    {"PartOneClipped", 179, 20, 0, 79, 159},
    {"EdgeWouldBeMinusOne", 99, 20, 0, 0, 79},
    {"NegativeWidth", -50, 20, 0, 0, 0},
    {"HugeWidthSaturates", MAX32, MIN32, MAX32, MAX32, MAX32},
    {"HugelyNegativeWidth", MIN32, MAX32, 0, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, StatusPartEdgesTest, testing::ValuesIn(STATUS_CASES),
                         CaseName<StatusCase>);

// ---------------------------------------------------------------------------------------------
// Trackbar widths

struct WidthCase {
    const char* name;
    int32_t a;
    int32_t b;
    int32_t expected;
};

class TrackbarCreateWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(TrackbarCreateWidthTest, LeavesTenPixelsOnTheRight) {
    const WidthCase& c = GetParam();
    EXPECT_EQ(c.expected, TrackbarCreateWidth(c.a));
}

const WidthCase CREATE_CASES[] = {
    {"Toolbar392", 392, 0, 174},
    {"Toolbar492", 492, 0, 274},
    {"Toolbar219", 219, 0, 1},
    {"Toolbar218", 218, 0, 0},
    {"Toolbar217", 217, 0, 0},
    {"Toolbar0", 0, 0, 0},
    {"NegativeToolbar", -100, 0, 0},
    {"MostNegativeToolbar", MIN32, 0, 0},
    {"HugeToolbar", MAX32, 0, MAX32 - 218},
};

INSTANTIATE_TEST_SUITE_P(Cases, TrackbarCreateWidthTest, testing::ValuesIn(CREATE_CASES),
                         CaseName<WidthCase>);

class TrackbarNewWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(TrackbarNewWidthTest, EndsTenPixelsLeftOfToolbar) {
    const WidthCase& c = GetParam();
    EXPECT_EQ(c.expected, TrackbarNewWidth(c.a, c.b));
}

// Screen coordinates: the toolbar's left edge at 108, so the trackbar's left edge is at 316.
const WidthCase NEW_CASES[] = {
    {"Toolbar392", 108 + 392, 316, 174},
    {"ToolbarGrewTo492", 108 + 492, 316, 274},
    {"RightEdgeTenPastLeft", 326, 316, 0},
    {"RightEdgeElevenPastLeft", 327, 316, 1},
    {"MinimisedToolbar", 108, 316, 0},
    {"NegativeScreenCoordinates", -32000 + 492, -32000 + 208, 274},
    {"HugelyNegativeDifference", MIN32, MAX32, 0},
    {"HugeDifferenceSaturates", MAX32, MIN32, MAX32},
};

INSTANTIATE_TEST_SUITE_P(Cases, TrackbarNewWidthTest, testing::ValuesIn(NEW_CASES),
                         CaseName<WidthCase>);

// The layout after a size change must give the width that creation gave for the same toolbar, so
// a size change that leaves the toolbar alone (full screen) leaves the trackbar alone too.
TEST(TrackbarWidthTest, LayoutAgreesWithCreation) {
    for (int32_t toolbarLeft : {0, 8, 1000, -32000}) {
        for (int32_t toolbarWidth : {0, 100, 217, 218, 219, 392, 492, 1920}) {
            SCOPED_TRACE(toolbarLeft);
            SCOPED_TRACE(toolbarWidth);
            EXPECT_EQ(TrackbarCreateWidth(toolbarWidth),
                      TrackbarNewWidth(toolbarLeft + toolbarWidth, toolbarLeft + TRACKBAR_LEFT));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// HostPlacement

struct HostCase {
    const char* name;
    ScreenMode mode;
    int32_t clientWidth;
    int32_t clientHeight;
    int32_t toolbarHeight;
    int32_t statusHeight;
    Placement expected;
};

class HostPlacementTest : public testing::TestWithParam<HostCase> {};

TEST_P(HostPlacementTest, FillsTheSpaceLeft) {
    const HostCase& c = GetParam();
    const Placement p =
        HostPlacement(c.mode, c.clientWidth, c.clientHeight, c.toolbarHeight, c.statusHeight);
    EXPECT_EQ(c.expected.x, p.x);
    EXPECT_EQ(c.expected.y, p.y);
    EXPECT_EQ(c.expected.width, p.width);
    EXPECT_EQ(c.expected.height, p.height);
}

const HostCase HOST_CASES[] = {
    {"WindowedBetweenBars", Windowed, 392, 274, 26, 20, {0, 26, 392, 228}},
    {"FullScreenWholeClient", FullScreen, 1024, 768, 26, 20, {0, 0, 1024, 768}},
    {"WindowedMinimised", Windowed, 0, 0, 26, 20, {0, 26, 0, 0}},
    {"FullScreenMinimised", FullScreen, 0, 0, 26, 20, {0, 0, 0, 0}},
    {"WindowedExactlyBars", Windowed, 392, 46, 26, 20, {0, 26, 392, 0}},
    {"WindowedOnePixel", Windowed, 392, 47, 26, 20, {0, 26, 392, 1}},
    {"WindowedNegativeWidth", Windowed, -5, 274, 26, 20, {0, 26, 0, 228}},
    {"FullScreenNegative", FullScreen, -5, -7, 26, 20, {0, 0, 0, 0}},
    {"WindowedHugelyNegativeHeight", Windowed, 100, MIN32, 1, 0, {0, 1, 100, 0}},
    {"WindowedHugeHeightSaturates", Windowed, 100, MAX32, MIN32, 0, {0, MIN32, 100, MAX32}},
};

INSTANTIATE_TEST_SUITE_P(Cases, HostPlacementTest, testing::ValuesIn(HOST_CASES),
                         CaseName<HostCase>);

// ---------------------------------------------------------------------------------------------
// FitPicture

struct FitPictureCase {
    const char* name;
    int32_t areaWidth;
    int32_t areaHeight;
    int32_t sourceWidth;
    int32_t sourceHeight;
    Placement expected;
};

class FitPictureTest : public testing::TestWithParam<FitPictureCase> {};

TEST_P(FitPictureTest, LargestCentredWithTheSourceProportions) {
    const FitPictureCase& c = GetParam();
    const Placement p = FitPicture(c.areaWidth, c.areaHeight, c.sourceWidth, c.sourceHeight);
    EXPECT_EQ(c.expected.x, p.x);
    EXPECT_EQ(c.expected.y, p.y);
    EXPECT_EQ(c.expected.width, p.width);
    EXPECT_EQ(c.expected.height, p.height);
    // Whatever the case, the picture stays inside the area.
    EXPECT_GE(p.x, 0);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(int64_t{p.x} + p.width, std::max(0, c.areaWidth));
    EXPECT_LE(int64_t{p.y} + p.height, std::max(0, c.areaHeight));
}

const FitPictureCase FIT_PICTURE_CASES[] = {
    {"SameProportionsFillTheArea", 640, 480, 320, 240, {0, 0, 640, 480}},
    // 1280 x 1024 screen, 4:3 movie: the width is filled, 32 black rows above and below.
    {"FullScreenFillsTheWidth", 1280, 1024, 320, 240, {0, 32, 1280, 960}},
    // 250 * 320 / 240 = 333.3: the height is filled, centred with 31 columns left of it.
    {"WiderAreaFillsTheHeight", 396, 250, 320, 240, {31, 0, 333, 250}},
    // 100 * 2 / 3 = 66.7 rounds to 67.
    {"RoundsToTheNearestPixel", 100, 100, 3, 2, {0, 16, 100, 67}},
    {"RoundsHalfUp", 5, 5, 2, 1, {0, 1, 5, 3}},
    {"RoundsDown", 100, 100, 3, 1, {0, 33, 100, 33}},
    {"AreaSmallerThanTheMovie", 160, 100, 640, 480, {13, 0, 133, 100}},
    {"OddRemainderCentresToTheLeft", 403, 300, 4, 3, {1, 0, 400, 300}},
    {"OnePixelArea", 1, 1, 320, 240, {0, 0, 1, 1}},
    {"ExtremelyWideSourceKeepsOneRow", 100, 100, 10000, 1, {0, 49, 100, 1}},
    {"ExtremelyTallSourceKeepsOneColumn", 100, 100, 1, 10000, {49, 0, 1, 100}},
    {"LargestValues", MAX32, MAX32, MAX32, 1, {0, 1073741823, MAX32, 1}},
    {"LargestSourceInSmallArea", 320, 240, MAX32, MAX32, {40, 0, 240, 240}},
    {"EmptyArea", 0, 0, 320, 240, {0, 0, 0, 0}},
    {"ZeroAreaHeight", 640, 0, 320, 240, {0, 0, 0, 0}},
    {"NegativeArea", -5, 300, 320, 240, {0, 0, 0, 0}},
    {"EmptySource", 640, 480, 0, 0, {0, 0, 0, 0}},
    {"ZeroSourceWidth", 640, 480, 0, 240, {0, 0, 0, 0}},
    {"NegativeSource", 640, 480, 320, MIN32, {0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FitPictureTest, testing::ValuesIn(FIT_PICTURE_CASES),
                         CaseName<FitPictureCase>);

// ---------------------------------------------------------------------------------------------
// FullScreenPlacement

struct FullScreenCase {
    const char* name;
    bool haveMonitor;
    Edges monitor;
    int32_t screenWidth;
    int32_t screenHeight;
    Placement expected;
};

class FullScreenPlacementTest : public testing::TestWithParam<FullScreenCase> {};

TEST_P(FullScreenPlacementTest, CoversTheFramesMonitor) {
    const FullScreenCase& c = GetParam();
    const Placement p =
        FullScreenPlacement(c.haveMonitor, c.monitor, c.screenWidth, c.screenHeight);
    EXPECT_EQ(c.expected.x, p.x);
    EXPECT_EQ(c.expected.y, p.y);
    EXPECT_EQ(c.expected.width, p.width);
    EXPECT_EQ(c.expected.height, p.height);
}

const FullScreenCase FULL_SCREEN_CASES[] = {
    {"PrimaryMonitorIsTheScreen", true, {0, 0, 1280, 1024}, 1280, 1024, {0, 0, 1280, 1024}},
    {"SecondMonitorToTheRight", true, {1280, 0, 3200, 1080}, 1280, 1024, {1280, 0, 1920, 1080}},
    {"MonitorLeftOfAndAbovePrimary",
     true,
     {-1920, -200, 0, 880},
     1280,
     1024,
     {-1920, -200, 1920, 1080}},
    {"NoMonitorGivesThePrimaryScreen", false, {5, 5, 6, 6}, 1280, 1024, {0, 0, 1280, 1024}},
    {"EmptyMonitor", true, {10, 10, 10, 10}, 1280, 1024, {10, 10, 0, 0}},
    {"InvertedMonitorIsEmpty", true, {10, 10, 0, 0}, 1280, 1024, {10, 10, 0, 0}},
    {"WidestMonitorSaturates", true, {MIN32, 0, MAX32, 1}, 1280, 1024, {MIN32, 0, MAX32, 1}},
    {"NegativeScreenSize", false, {0, 0, 0, 0}, -1, -1, {0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FullScreenPlacementTest, testing::ValuesIn(FULL_SCREEN_CASES),
                         CaseName<FullScreenCase>);

} // namespace
