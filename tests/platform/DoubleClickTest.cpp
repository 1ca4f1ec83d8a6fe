// A double click of the left button on the video area or on the picture switches full screen as
// Alt+Enter does; real clicks through the platform's input queue, stamped with chosen times.
#include <windows.h>

#include "PlayerSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace playertest;

namespace {

// A point of the screen inside a window.
POINT Inside(HWND window, int x = 30, int y = 30) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

// Two clicks at one point, the second delay ms after the first, handled before this returns.
void TwoClicks(POINT at, DWORD first, DWORD delay) {
    SetForegroundWindow(Frame());
    SetActiveWindow(Frame());
    ASSERT_TRUE(ClickAt(at.x, at.y, first));
    ASSERT_TRUE(ClickAt(at.x, at.y, first + delay));
    // Both releases handled: nothing of the clicks is left in the queue.
    PumpUntil(
        [] {
            MSG msg;
            return PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) == 0;
        },
        3000);
    PumpPending();
}

struct ClickCase {
    const char* name;
    const char* movie; // nullptr: no movie
    bool onPicture;    // else on the area beside it
};

// The picture of clip160 sits in the middle of the area: (30, 30) is beside it; the picture's
// own middle is on it.
HWND Target(const ClickCase& c) {
    return c.onPicture ? Movie() : Host();
}

POINT ClickPoint(const ClickCase& c) {
    const HWND target = Target(c);
    const SIZE size = ClientSize(target);
    return c.onPicture ? Inside(target, size.cx / 2, size.cy / 2) : Inside(target, 6, 6);
}

class DoubleClick : public testing::TestWithParam<ClickCase> {};

} // namespace

TEST_P(DoubleClick, SwitchesFullScreenOnAndOffAsAltEnterDoes) {
    const ClickCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    if (c.movie != nullptr) {
        ASSERT_NO_FATAL_FAILURE(OpenMovie(c.movie));
    }
    FrameCommandCounter commands;
    const RECT windowed = OuterRect(Frame());
    const DWORD time = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(TwoClicks(ClickPoint(c), time, 100));
    EXPECT_EQ(1, commands.Count(IDM_FULLSCREEN));
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    EXPECT_TRUE(SameRect(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                         OuterRect(Frame())));
    EXPECT_NE(0u, GetMenuState(PlayerMenu(), IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED);

    // And back, two seconds later on the clock (a new double click, not a third press).
    ASSERT_NO_FATAL_FAILURE(TwoClicks(ClickPoint(c), time + 2000, 100));
    EXPECT_EQ(2, commands.Count(IDM_FULLSCREEN));
    ASSERT_EQ(Windowed, fullScreenController.mode);
    EXPECT_TRUE(SameRect(windowed, OuterRect(Frame())));
    EXPECT_EQ(0u, GetMenuState(GetMenu(Frame()), IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_P(DoubleClick, ASlowSecondClickDoesNotSwitch) {
    const ClickCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    if (c.movie != nullptr) {
        ASSERT_NO_FATAL_FAILURE(OpenMovie(c.movie));
    }
    FrameCommandCounter commands;
    ASSERT_NO_FATAL_FAILURE(TwoClicks(ClickPoint(c), GetTickCount(), GetDoubleClickTime() + 10));
    EXPECT_EQ(0, commands.Count(IDM_FULLSCREEN));
    EXPECT_EQ(Windowed, fullScreenController.mode);
}

INSTANTIATE_TEST_SUITE_P(Targets, DoubleClick,
                         testing::Values(ClickCase{"NoMovie", nullptr, false},
                                         ClickCase{"BesideThePicture", "clip160.avi", false},
                                         ClickCase{"OnThePicture", "clip160.avi", true}),
                         [](const testing::TestParamInfo<ClickCase>& info) {
                             return std::string(info.param.name);
                         });

// Clicks elsewhere keep their meaning: a double click on the toolbar or the status bar does
// not switch.
TEST(DoubleClickElsewhere, OnTheToolbarAndTheStatusBarDoesNotSwitch) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    FrameCommandCounter commands;
    const RECT status = OuterRect(statusBar.GetWindow());
    ASSERT_NO_FATAL_FAILURE(
        TwoClicks(POINT{status.left + 40, status.top + 5}, GetTickCount(), 100));
    const RECT toolbar = OuterRect(transportToolbar.GetWindow());
    ASSERT_NO_FATAL_FAILURE(
        TwoClicks(POINT{toolbar.right - 5, toolbar.top + 3}, GetTickCount() + 2000, 100));
    EXPECT_EQ(0, commands.Count(IDM_FULLSCREEN));
    EXPECT_EQ(Windowed, fullScreenController.mode);
}
