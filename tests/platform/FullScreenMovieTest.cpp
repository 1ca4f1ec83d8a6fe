// Full screen with a movie: opening, zooming and closing leave the frame's size alone and
// leaving gives back the rectangle of entering; keys whose items are grayed in the detached
// menu still arrive; the context menu is the detached menu's Play menu; the host's scroll bars
// have no edge to subtract; and what the switch leaves on the screen.
#include <windows.h>
#include <commctrl.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/ScrollGeometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace playertest;

namespace {

std::string Describe(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ") - (" +
           std::to_string(rect.right) + ", " + std::to_string(rect.bottom) + ")";
}

RECT ScreenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The place the frame is given before entering: neither its start size nor one fitted to any
// of the movies below.
const RECT ENTERING_RECT = {150, 70, 150 + 530, 70 + 410};

void PlaceFrame(const RECT& rect) {
    MoveWindow(Frame(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    PumpPending();
}

void ExpectWindowedLayout() {
    EXPECT_EQ(Windowed, fullScreenController.mode);
    EXPECT_NE(nullptr, GetMenu(Frame()));
    EXPECT_TRUE(IsWindowVisible(transportToolbar.GetWindow()));
    EXPECT_TRUE(IsWindowVisible(positionTrackbar.GetWindow()));
    EXPECT_TRUE(IsWindowVisible(statusBar.GetWindow()));
    EXPECT_NE(0, GetWindowLongA(Host(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The host lies between the toolbar and the status bar across the whole client width.
    RECT host = OuterRect(Host());
    MapWindowPoints(nullptr, Frame(), reinterpret_cast<POINT*>(&host), 2);
    EXPECT_EQ(0, host.left);
    EXPECT_EQ(OuterSize(transportToolbar.GetWindow()).cy, host.top);
    EXPECT_EQ(ClientSize(Frame()).cx, host.right);
    EXPECT_EQ(ClientSize(Frame()).cy - OuterSize(statusBar.GetWindow()).cy, host.bottom);
}

// --- The frame's size while full screen -----------------------------------------------------

enum class Step { Open320, Open640, Open160, Zoom50, Zoom100, Zoom200, Close, Play, Stop };

const char* StepName(Step step) {
    switch (step) {
    case Step::Open320:
        return "open clip320";
    case Step::Open640:
        return "open clip640";
    case Step::Open160:
        return "open clip160";
    case Step::Zoom50:
        return "zoom 50";
    case Step::Zoom100:
        return "zoom 100";
    case Step::Zoom200:
        return "zoom 200";
    case Step::Close:
        return "close";
    case Step::Play:
        return "play";
    case Step::Stop:
        return "stop";
    }
    return "?";
}

void RunStep(Step step) {
    switch (step) {
    case Step::Open320:
        ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
        break;
    case Step::Open640:
        ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
        break;
    case Step::Open160:
        ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
        break;
    case Step::Zoom50:
        Command(IDM_ZOOM50);
        break;
    case Step::Zoom100:
        Command(IDM_ZOOM100);
        break;
    case Step::Zoom200:
        Command(IDM_ZOOM200);
        break;
    case Step::Close:
        Command(IDM_CLOSE);
        ASSERT_EQ(nullptr, Movie());
        break;
    case Step::Play:
        Command(IDM_PLAYPAUSE);
        ASSERT_EQ(MCI_MODE_PLAY, playerState);
        break;
    case Step::Stop:
        Command(IDM_STOP);
        break;
    }
    PumpPending();
}

enum class Way { Command, Accelerator, Escape };

struct SizeCase {
    const char* name;
    std::vector<Step> before; // windowed, before entering (the frame is placed first)
    std::vector<Step> inside; // while full screen
    Way leaving;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.name;
}

void Leave(Way way) {
    switch (way) {
    case Way::Command:
        Command(IDM_FULLSCREEN);
        break;
    case Way::Accelerator:
        SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(IDM_FULLSCREEN, 1), 0);
        break;
    case Way::Escape:
        SendMessageA(Frame(), WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    }
    PumpPending();
}

class FullScreenMovieSize : public testing::TestWithParam<SizeCase> {};

} // namespace

// Opening, zooming, playing and closing in full screen never move the frame; leaving gives it
// the rectangle it had on entering, not one fitted to the movie and not 400 x 320.
TEST_P(FullScreenMovieSize, StaysCoveringTheScreenAndLeavesToTheEnteringRect) {
    const SizeCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    PlaceFrame(ENTERING_RECT);
    for (Step step : c.before) {
        ASSERT_NO_FATAL_FAILURE(RunStep(step)) << StepName(step);
    }
    const RECT entering = OuterRect(Frame());
    const SIZE size = {entering.right - entering.left, entering.bottom - entering.top};
    ASSERT_FALSE(size.cx == MIN_FRAME_WIDTH && size.cy == MIN_FRAME_HEIGHT);

    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    const RECT screen = ScreenRect();
    ASSERT_TRUE(SameRect(screen, OuterRect(Frame())));

    for (Step step : c.inside) {
        ASSERT_NO_FATAL_FAILURE(RunStep(step)) << StepName(step);
        EXPECT_TRUE(SameRect(screen, OuterRect(Frame())))
            << "after " << StepName(step) << ": " << Describe(OuterRect(Frame()));
        // The host keeps covering the whole client area.
        EXPECT_TRUE(SameRect(screen, OuterRect(Host()))) << "after " << StepName(step);
    }
    // Nothing that arrives later (a size notification, the movie's timer) refits the frame.
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(SameRect(screen, OuterRect(Frame())));

    const bool hadMovie = Movie() != nullptr;
    Leave(c.leaving);
    EXPECT_TRUE(SameRect(entering, OuterRect(Frame())))
        << "left to " << Describe(OuterRect(Frame())) << ", entered from " << Describe(entering);
    ExpectWindowedLayout();
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(SameRect(entering, OuterRect(Frame()))) << "later " << Describe(OuterRect(Frame()));
    EXPECT_EQ(hadMovie, Movie() != nullptr);
    if (!hadMovie) {
        ExpectNoMovie();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FullScreenMovieSize,
                         testing::Values(SizeCase{"OpenZoomCloseOpenWithoutAMovieOnEntering",
                                                  {},
                                                  {Step::Open320, Step::Zoom200, Step::Zoom50,
                                                   Step::Close, Step::Open640},
                                                  Way::Escape},
                                         SizeCase{"EnteredFittedZoomedSmallerInside",
                                                  {Step::Open320},
                                                  {Step::Zoom50, Step::Play, Step::Stop},
                                                  Way::Command},
                                         SizeCase{"EnteredWithTheLargeMovieClosedInside",
                                                  {Step::Open640},
                                                  {Step::Close},
                                                  Way::Accelerator},
                                         SizeCase{"EnteredAtZoom200AnotherMovieOpenedInside",
                                                  {Step::Zoom200, Step::Open160},
                                                  {Step::Open640, Step::Zoom100},
                                                  Way::Escape}),
                         [](const testing::TestParamInfo<SizeCase>& info) {
                             return std::string(info.param.name);
                         });

// --- Keys whose items are grayed --------------------------------------------------------------

namespace {

// Ctrl+S as the message loop meets it, run through the program's own table.
int PressControlS(HACCEL accelerators) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG key = {Frame(), WM_KEYDOWN, 'S', 1, 0, {0, 0}};
    const int translated = TranslateAcceleratorA(Frame(), accelerators, &key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return translated;
}

struct AwayCase {
    const char* name;
    int command; // moves the stopped movie away from its start
    int track;   // the trackbar position it leaves
};

void PrintTo(const AwayCase& c, std::ostream* out) {
    *out << c.name;
}

class FullScreenStopKey : public testing::TestWithParam<AwayCase> {};

} // namespace

// Stopped is where Stop is grayed. With the menu bar attached the platform swallows Ctrl+S;
// in full screen, with the menu detached, it reaches Stop, which goes back to the start.
TEST_P(FullScreenStopKey, ReturnsAStoppedMovieToItsStart) {
    const AwayCase c = GetParam();
    HACCEL accelerators = nullptr;
    ASSERT_TRUE(StartUp(GetModuleHandleA(nullptr), "", &accelerators));
    PumpPending();
    ASSERT_NE(nullptr, accelerators);
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    Command(c.command);
    ASSERT_EQ(MCI_MODE_STOP, playerState);
    ASSERT_EQ(c.track, TrackbarPosition());
    const int away = MoviePosition();
    ASSERT_GT(away, 0);
    ASSERT_TRUE(ItemGrayed(IDM_STOP));

    {
        FrameCommandCounter counter;
        EXPECT_NE(0, PressControlS(accelerators));
        EXPECT_EQ(0, counter.Count(IDM_STOP)) << "windowed: the grayed item takes the key";
    }
    EXPECT_EQ(away, MoviePosition());
    EXPECT_EQ(c.track, TrackbarPosition());

    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ASSERT_TRUE(ItemGrayed(IDM_STOP)); // in the detached menu
    {
        FrameCommandCounter counter;
        EXPECT_NE(0, PressControlS(accelerators));
        EXPECT_EQ(1, counter.Count(IDM_STOP));
    }
    PumpPending();
    EXPECT_EQ(0, MoviePosition());
    EXPECT_EQ(0, TrackbarPosition());
    EXPECT_EQ(MCI_MODE_STOP, playerState);
    EXPECT_NE(MCI_MODE_PLAY, MovieMode());
    EXPECT_EQ("Stopped", StatusPart(1));
    EXPECT_EQ("00:00/00:05", StatusPart(2));
    ExpectViewsOf(MCI_MODE_STOP);
}

INSTANTIATE_TEST_SUITE_P(Moves, FullScreenStopKey,
                         testing::Values(AwayCase{"AfterEnd", IDM_END, 200},
                                         AwayCase{"AfterForward", IDM_FORWARD, 40}),
                         [](const testing::TestParamInfo<AwayCase>& info) {
                             return std::string(info.param.name);
                         });

// --- The context menu ---------------------------------------------------------------------

// In full screen the context menu is the detached menu's Play menu, kept current: Full Screen
// checked, the items enabled as the state says. Choosing Full Screen in it leaves.
TEST(FullScreenContextMenu, IsTheSavedPlayMenuAndItsFullScreenItemLeaves) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    PlaceFrame(ENTERING_RECT);
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    const RECT entering = OuterRect(Frame());
    Command(IDM_REPEAT);
    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ASSERT_EQ(nullptr, GetMenu(Frame()));

    const PopupSeen shown = ContextMenuAt(300, 250);
    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(GetSubMenu(fullScreenController.savedMenu, 1), shown.menu);
    EXPECT_EQ(300, shown.rect.left);
    EXPECT_EQ(250, shown.rect.top);
    EXPECT_NE(0u, shown.StateOf(IDM_FULLSCREEN) & MF_CHECKED);
    EXPECT_NE(0u, shown.StateOf(IDM_REPEAT) & MF_CHECKED);
    // Stopped: Play/Pause and the seeking items enabled, Stop grayed.
    EXPECT_EQ(0u, shown.StateOf(IDM_PLAYPAUSE) & MF_GRAYED);
    EXPECT_NE(0u, shown.StateOf(IDM_STOP) & MF_GRAYED);
    for (UINT id : {IDM_BEGINNING, IDM_REWIND, IDM_FORWARD, IDM_END}) {
        EXPECT_EQ(0u, shown.StateOf(id) & MF_GRAYED) << id;
    }
    EXPECT_EQ(FullScreen, fullScreenController.mode); // Escape only closed the menu

    // Full Screen is the fifth item from the bottom, above Repeat and the three sound items.
    // (Its mnemonic is Forward's too.)
    FrameCommandCounter counter;
    const PopupSeen chosen =
        ContextMenuAt(300, 250, {VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN});
    ASSERT_TRUE(chosen.seen);
    EXPECT_EQ(1, counter.Count(IDM_FULLSCREEN));
    EXPECT_EQ(0, counter.Count(IDM_REPEAT));
    EXPECT_TRUE(repeat);
    EXPECT_EQ(Windowed, fullScreenController.mode);
    EXPECT_TRUE(SameRect(entering, OuterRect(Frame())));
    EXPECT_EQ(0u, GetMenuState(GetMenu(Frame()), IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED);
    ExpectWindowedLayout();
}

// --- Scroll bars without the edge -----------------------------------------------------------

namespace {

SystemSizes RealSizes() {
    return {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
            GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

} // namespace

// The 640 x 480 movie at 200% is wider than the screen: the full-screen host, which has no
// client edge, shows a horizontal bar whose page is its whole outer width plus one.
TEST(FullScreenScrollBars, ComputedWithoutTheEdge) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ASSERT_EQ(0, GetWindowLongA(Host(), GWL_EXSTYLE));
    const SIZE host = OuterSize(Host());
    ASSERT_EQ(ScreenRect().right, host.cx);
    ASSERT_EQ(ScreenRect().bottom, host.cy);

    // At 100% the movie fits the screen.
    SIZE movie = OuterSize(Movie());
    ScrollBarsLayout layout =
        ComputeScrollBars(host.cx, host.cy, false, RealSizes(), movie.cx, movie.cy);
    ASSERT_FALSE(layout.hbar);
    ExpectBars(layout);

    Command(IDM_ZOOM200);
    PumpPending();
    movie = OuterSize(Movie());
    ASSERT_GE(movie.cx, 1280);
    ASSERT_GT(movie.cx + 8, host.cx) << "the screen is too wide for this test";
    layout = ComputeScrollBars(host.cx, host.cy, false, RealSizes(), movie.cx, movie.cy);
    ASSERT_TRUE(layout.hbar);
    ExpectBars(layout);
    const int vbar = layout.vbar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    EXPECT_EQ(host.cx - vbar + 1, static_cast<int>(BarInfo(SB_HORZ).nPage));
    EXPECT_EQ(movie.cx + 8, BarInfo(SB_HORZ).nMax);
    // With the edge it would have been narrower by the edge's width.
    const ScrollBarsLayout edged =
        ComputeScrollBars(host.cx, host.cy, true, RealSizes(), movie.cx, movie.cy);
    EXPECT_NE(edged.hPage, static_cast<int>(BarInfo(SB_HORZ).nPage));

    // The movie scrolls within the bar: its left edge follows the position from 4 in.
    SendMessageA(Host(), WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
    PumpPending();
    RECT rect = OuterRect(Movie());
    MapWindowPoints(nullptr, Host(), reinterpret_cast<POINT*>(&rect), 2);
    const int position = GetScrollPos(Host(), SB_HORZ);
    EXPECT_EQ(layout.hMax - layout.hPage + 1 < 64 ? layout.hMax - layout.hPage + 1 : 64, position);
    EXPECT_EQ(4 - position, rect.left);

    // Leaving brings back the edge, and the bars are computed with it again.
    Command(IDM_FULLSCREEN);
    PumpPending();
    const SIZE windowed = OuterSize(Host());
    layout = ComputeScrollBars(windowed.cx, windowed.cy, true, RealSizes(), movie.cx, movie.cy);
    ExpectBars(layout);
}

// --- What the switch leaves on the screen ------------------------------------------------------

namespace {

// Pixels of the host's client area outside the movie window that are not black: what an
// earlier layout left behind.
int LitPixelsAroundTheMovie() {
    SIZE size = {};
    const std::vector<DWORD> pixels = ClientPixels(Host(), &size);
    RECT movie = OuterRect(Movie());
    MapWindowPoints(nullptr, Host(), reinterpret_cast<POINT*>(&movie), 2);
    int lit = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const POINT point = {x, y};
            const size_t at =
                static_cast<size_t>(y) * static_cast<size_t>(size.cx) + static_cast<size_t>(x);
            if (!PtInRect(&movie, point) && pixels[at] != 0) {
                ++lit;
            }
        }
    }
    return lit;
}

// Pixels of the movie window that differ from what it draws when asked to paint all of
// itself anew: a picture drawn only in part.
int StalePixelsOfTheMovie() {
    SIZE size = {};
    const std::vector<DWORD> shown = ClientPixels(Movie(), &size);
    RedrawWindow(Movie(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpPending();
    SIZE again = {};
    const std::vector<DWORD> repainted = ClientPixels(Movie(), &again);
    if (again.cx != size.cx || again.cy != size.cy) {
        return -1;
    }
    int stale = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != repainted[i]) {
            ++stale;
        }
    }
    return stale;
}

struct PictureStep {
    const char* name;
    int command;
};

// Switching moves the host and the movie window; the platform copies their old pixels along.
// The 640 x 480 movie at 50%, centred both ways, then zoomed while full screen.
const PictureStep PICTURE_STEPS[] = {
    {"enter", IDM_FULLSCREEN},
    {"leave", IDM_FULLSCREEN},
    {"enter again", IDM_FULLSCREEN},
    {"zoom 100", IDM_ZOOM100},
    {"zoom 50", IDM_ZOOM50},
    {"leave again", IDM_FULLSCREEN},
    {"zoom 100 windowed", IDM_ZOOM100},
    {"zoom 50 windowed", IDM_ZOOM50},
    {"fit windowed", IDM_ZOOMFIT},
    {"enter fitted", IDM_FULLSCREEN},
    {"leave fitted", IDM_FULLSCREEN},
    {"zoom 50 from fit", IDM_ZOOM50},
};

} // namespace

// After each switch the host is black around the movie and the movie's picture is whole,
// although the paused movie window draws only when asked to.
TEST(FullScreenPicture, NothingOfTheEarlierLayoutStaysOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    Command(IDM_ZOOM50);
    Command(IDM_PLAYPAUSE);
    Command(IDM_PLAYPAUSE);
    ASSERT_EQ(MCI_MODE_PAUSE, playerState);
    PumpPending();
    EXPECT_EQ(0, LitPixelsAroundTheMovie()) << "windowed, before";
    for (const PictureStep& step : PICTURE_STEPS) {
        Command(step.command);
        PumpPending();
        EXPECT_EQ(0, LitPixelsAroundTheMovie()) << step.name;
        EXPECT_EQ(0, StalePixelsOfTheMovie()) << step.name;
    }
}

// Maximising moves the stopped movie window (and shows parts of it the smaller host hid); the
// stopped movie draws only when asked to.
TEST(MaximisedPicture, AStoppedMovieIsDrawnWholeAfterMaximisingAndRestoring) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const struct {
        const char* clip;
        int width, height; // the frame before maximising; 0: as fitted around the movie
        bool fit;
    } cases[] = {{"clip640.avi", 520, 420, false},
                 {"clip320.avi", 0, 0, false},
                 {"clip160.avi", 0, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clip);
        ASSERT_NO_FATAL_FAILURE(OpenMovie(c.clip));
        Command(c.fit ? IDM_ZOOMFIT : IDM_ZOOM100);
        if (c.width > 0) {
            const RECT rect = OuterRect(Frame());
            MoveWindow(Frame(), rect.left, rect.top, c.width, c.height, TRUE);
        }
        PumpPending();
        ASSERT_EQ(MCI_MODE_STOP, playerState);
        for (int show : {SW_MAXIMIZE, SW_RESTORE}) {
            ShowWindow(Frame(), show);
            PumpPending();
            EXPECT_EQ(0, LitPixelsAroundTheMovie()) << show;
            EXPECT_EQ(0, StalePixelsOfTheMovie()) << show;
        }
    }
}

// --- Closing where the frame keeps its size ---------------------------------------------------

namespace {

struct KeptSizeCase {
    const char* name;
    bool fullScreen;
};

void PrintTo(const KeptSizeCase& c, std::ostream* out) {
    *out << c.name;
}

class ClosingKeepsNoBars : public testing::TestWithParam<KeptSizeCase> {};

} // namespace

// Close leaves the frame's size alone in full screen, and windowed it goes back to 400 x 320,
// which it may already have: either way the host gets no size message, yet the bars of the
// closed movie must go with it.
TEST_P(ClosingKeepsNoBars, WhenTheFrameKeepsItsSize) {
    const KeptSizeCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    if (c.fullScreen) {
        Command(IDM_ZOOM200);
        Command(IDM_FULLSCREEN);
    } else {
        PlaceFrame({60, 40, 60 + MIN_FRAME_WIDTH, 40 + MIN_FRAME_HEIGHT});
    }
    PumpPending();
    ASSERT_TRUE(HasBar(WS_HSCROLL));
    const RECT before = OuterRect(Frame());
    Command(IDM_CLOSE);
    PumpPending();
    ASSERT_EQ(nullptr, Movie());
    ASSERT_TRUE(SameRect(before, OuterRect(Frame())));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
}

INSTANTIATE_TEST_SUITE_P(Modes, ClosingKeepsNoBars,
                         testing::Values(KeptSizeCase{"FullScreen", true},
                                         KeptSizeCase{"WindowedAtTheMinimumSize", false}),
                         [](const testing::TestParamInfo<KeptSizeCase>& info) {
                             return std::string(info.param.name);
                         });
