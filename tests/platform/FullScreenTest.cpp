// Switching the main frame to full screen and back: what Enter changes, what Leave restores,
// and the Full Screen check mark on the detached menu.
#include <windows.h>

#include "PlayerSupport.h"
#include "res/resource.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

bool FullScreenChecked(HMENU menu) {
    return (GetMenuState(menu, IDM_FULLSCREEN, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// A started frame moved away from its start place, so that restoring is not a coincidence.
class FullScreenSwitch : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(playertest::StartWithEveryControl());
        frame = mainFrame.GetWindow();
        MoveWindow(frame, 150, 70, 480, 350, TRUE);
        PumpPending();
        rect = OuterRect(frame);
        style = GetWindowLongA(frame, GWL_STYLE);
        menu = GetMenu(frame);
        hostExStyle = GetWindowLongA(videoHost.GetWindow(), GWL_EXSTYLE);
        ASSERT_NE(nullptr, menu);
        ASSERT_NE(0, hostExStyle & WS_EX_CLIENTEDGE);
    }

    void ExpectWindowedAsBefore() {
        EXPECT_EQ(Windowed, fullScreenController.mode);
        EXPECT_EQ(style, GetWindowLongA(frame, GWL_STYLE));
        EXPECT_EQ(menu, GetMenu(frame));
        EXPECT_TRUE(SameRect(rect, OuterRect(frame)));
        EXPECT_TRUE(IsWindowVisible(transportToolbar.GetWindow()));
        EXPECT_TRUE(IsWindowVisible(positionTrackbar.GetWindow()));
        EXPECT_TRUE(IsWindowVisible(statusBar.GetWindow()));
        EXPECT_EQ(hostExStyle, GetWindowLongA(videoHost.GetWindow(), GWL_EXSTYLE));
        EXPECT_FALSE(FullScreenChecked(GetMenu(frame)));
    }

    HWND frame = nullptr;
    RECT rect = {};
    LONG style = 0;
    HMENU menu = nullptr;
    LONG hostExStyle = 0;
};

} // namespace

TEST_F(FullScreenSwitch, EnterCoversTheScreenWithTheVideoHostOnly) {
    ASSERT_TRUE(fullScreenController.Enter());
    PumpPending();
    EXPECT_EQ(FullScreen, fullScreenController.mode);
    // Wine shows one monitor here: the frame's monitor is the whole screen.
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(SameRect(screen, OuterRect(frame)));
    // The platform keeps WS_CLIPSIBLINGS on every top-level window.
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_VISIBLE),
              GetWindowLongA(frame, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(nullptr, GetMenu(frame));
    EXPECT_FALSE(IsWindowVisible(transportToolbar.GetWindow()));
    EXPECT_FALSE(IsWindowVisible(positionTrackbar.GetWindow()));
    EXPECT_FALSE(IsWindowVisible(statusBar.GetWindow()));
    EXPECT_EQ(0, GetWindowLongA(videoHost.GetWindow(), GWL_EXSTYLE));

    // Without border or caption the client area is the screen; the host fills all of it.
    RECT client = {};
    GetClientRect(frame, &client);
    EXPECT_EQ(screen.right, client.right);
    EXPECT_EQ(screen.bottom, client.bottom);
    RECT host = OuterRect(videoHost.GetWindow());
    MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&host), 2);
    EXPECT_TRUE(SameRect(client, host));

    // What was saved is what the frame had.
    EXPECT_EQ(style, fullScreenController.savedStyle);
    EXPECT_EQ(menu, fullScreenController.savedMenu);
    EXPECT_TRUE(SameRect(rect, fullScreenController.savedRect));
    EXPECT_EQ(hostExStyle, fullScreenController.savedHostExStyle);
    EXPECT_TRUE(IsMenu(fullScreenController.savedMenu)); // detached, not destroyed
}

// Enter covers the monitor that holds the frame, or the nearest one to a frame on none.
TEST_F(FullScreenSwitch, EnterCoversTheFramesOwnMonitor) {
    const POINT places[] = {{150, 70}, {-300, -200}, {5000, 4000}};
    for (const POINT& place : places) {
        SCOPED_TRACE(std::to_string(place.x) + ", " + std::to_string(place.y));
        MoveWindow(frame, place.x, place.y, 480, 350, TRUE);
        PumpPending();
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor));
        ASSERT_TRUE(fullScreenController.Enter());
        PumpPending();
        EXPECT_TRUE(SameRect(monitor.rcMonitor, OuterRect(frame)));
        ASSERT_TRUE(fullScreenController.Leave());
        PumpPending();
        EXPECT_EQ(place.x, OuterRect(frame).left);
        EXPECT_EQ(place.y, OuterRect(frame).top);
    }
}

TEST_F(FullScreenSwitch, LeaveRestoresTheFrameExactly) {
    ASSERT_TRUE(fullScreenController.Enter());
    PumpPending();
    ASSERT_TRUE(fullScreenController.Leave());
    PumpPending();
    ExpectWindowedAsBefore();
    // Laid out for windowed mode again: the host sits between toolbar and status bar.
    const RECT host = OuterRect(videoHost.GetWindow());
    EXPECT_GE(host.top, OuterRect(transportToolbar.GetWindow()).bottom);
    EXPECT_LE(host.bottom, OuterRect(statusBar.GetWindow()).top);
}

TEST_F(FullScreenSwitch, EnterTwiceKeepsTheFirstSavedState) {
    ASSERT_TRUE(fullScreenController.Enter());
    PumpPending();
    EXPECT_FALSE(fullScreenController.Enter());
    EXPECT_EQ(FullScreen, fullScreenController.mode);
    EXPECT_EQ(style, fullScreenController.savedStyle);
    EXPECT_EQ(menu, fullScreenController.savedMenu);
    EXPECT_TRUE(SameRect(rect, fullScreenController.savedRect));
    EXPECT_EQ(hostExStyle, fullScreenController.savedHostExStyle);
    ASSERT_TRUE(fullScreenController.Leave());
    PumpPending();
    ExpectWindowedAsBefore();
}

TEST_F(FullScreenSwitch, LeaveWhileWindowedChangesNothing) {
    EXPECT_FALSE(fullScreenController.Leave());
    PumpPending();
    ExpectWindowedAsBefore();
    EXPECT_EQ(nullptr, fullScreenController.savedMenu);
    EXPECT_EQ(0, fullScreenController.savedStyle);
}

TEST_F(FullScreenSwitch, SavedFieldsSurviveLeaving) {
    ASSERT_TRUE(fullScreenController.Enter());
    ASSERT_TRUE(fullScreenController.Leave());
    EXPECT_EQ(style, fullScreenController.savedStyle);
    EXPECT_EQ(menu, fullScreenController.savedMenu);
    EXPECT_TRUE(SameRect(rect, fullScreenController.savedRect));
}

namespace {

struct LeavingCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

// Readable test names in the test list.
void PrintTo(const LeavingCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class FullScreenLeaving : public FullScreenSwitch,
                          public testing::WithParamInterface<LeavingCase> {};

// The Full Screen item is checked on the detached menu while full screen, and unchecked once
// the menu bar is back, whichever way the frame left.
TEST_P(FullScreenLeaving, ChecksTheItemOnlyWhileFullScreen) {
    EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, IDM_FULLSCREEN, 0));
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    EXPECT_TRUE(FullScreenChecked(fullScreenController.savedMenu));

    // The detached menu stays current while full screen.
    SendMessageA(frame, WM_COMMAND, IDM_REPEAT, 0);
    EXPECT_NE(0u,
              GetMenuState(fullScreenController.savedMenu, IDM_REPEAT, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageA(frame, WM_COMMAND, IDM_REPEAT, 0);

    const LeavingCase c = GetParam();
    EXPECT_EQ(0, SendMessageA(frame, c.message, c.wParam, 1));
    PumpPending();
    ExpectWindowedAsBefore();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FullScreenLeaving,
    testing::Values(LeavingCase{"Command", WM_COMMAND, IDM_FULLSCREEN},
                    LeavingCase{"Accelerator", WM_COMMAND, MAKEWPARAM(IDM_FULLSCREEN, 1)},
                    LeavingCase{"Escape", WM_KEYDOWN, VK_ESCAPE}),
    [](const testing::TestParamInfo<LeavingCase>& info) { return info.param.name; });

TEST_F(FullScreenSwitch, OtherKeyDoesNotLeave) {
    ASSERT_TRUE(fullScreenController.Enter());
    SendMessageA(frame, WM_KEYDOWN, 'Q', 1);
    SendMessageA(frame, WM_KEYDOWN, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(FullScreen, fullScreenController.mode);
    EXPECT_EQ(nullptr, GetMenu(frame));
}
