// The video host of a started player: its place between the toolbar and the status bar, the
// movie window centred in it or scrolled with its own bars, the notifications it passes on and
// the Play menu it pops up.
#include <windows.h>
#include <commctrl.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "shell/Application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace playertest;

namespace {

POINT MovieOrigin() {
    const RECT rect = RectInParent(Movie());
    return {rect.left, rect.top};
}

void SizeFrame(int width, int height) {
    const RECT rect = OuterRect(Frame());
    MoveWindow(Frame(), rect.left, rect.top, width, height, TRUE);
    PumpPending();
}

void ExpectHostBetweenToolbarAndStatusBar() {
    const RECT host = RectInParent(Host());
    const SIZE client = ClientSize(Frame());
    const int toolbarHeight = OuterSize(transportToolbar.GetWindow()).cy;
    const RECT status = RectInParent(statusBar.GetWindow());
    EXPECT_EQ(0, host.left);
    EXPECT_EQ(toolbarHeight, host.top);
    EXPECT_EQ(client.cx, host.right);
    EXPECT_EQ(status.top, host.bottom);
    EXPECT_EQ(client.cy - OuterSize(statusBar.GetWindow()).cy, host.bottom);
}

// What the host's bars must be for the movie window it holds, from its outer size and the
// system's edge and scroll bar sizes.
ScrollBarsLayout BarsFromOuterSizes(bool clientEdge) {
    const SIZE host = OuterSize(Host());
    const SIZE movie = OuterSize(Movie());
    int w = host.cx - (clientEdge ? GetSystemMetrics(SM_CXEDGE) : 0);
    int h = host.cy - (clientEdge ? GetSystemMetrics(SM_CYEDGE) : 0);
    ScrollBarsLayout bars = {};
    bars.hMax = movie.cx + 8;
    bars.vMax = movie.cy + 8;
    bars.hbar = w < bars.hMax;
    bars.vbar = h < bars.vMax;
    if (bars.vbar) {
        w -= GetSystemMetrics(SM_CXVSCROLL);
    }
    if (bars.hbar) {
        h -= GetSystemMetrics(SM_CYHSCROLL);
    }
    bars.hPage = w + 1;
    bars.vPage = h + 1;
    return bars;
}

// The 640 x 480 movie in a frame too small for it: both bars shown.
void OpenLargeMovieInASmallFrame() {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    SizeFrame(520, 420);
    ASSERT_TRUE(HasBar(WS_HSCROLL));
    ASSERT_TRUE(HasBar(WS_VSCROLL));
}

} // namespace

TEST(VideoHost, IsABlackChildOfTheFrameBoundToItsObject) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const HWND host = Host();
    char cls[32] = {};
    GetClassNameA(host, cls, sizeof cls);
    EXPECT_STREQ("ChildWnd", cls);
    EXPECT_EQ(IDC_VIDEOHOST, GetDlgCtrlID(host));
    EXPECT_EQ(Frame(), GetParent(host));
    EXPECT_EQ(0x54000000, GetWindowLongA(host, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(WS_EX_CLIENTEDGE, GetWindowLongA(host, GWL_EXSTYLE));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&videoHost), GetWindowLongPtrA(host, GWLP_USERDATA));

    LOGBRUSH brush = {};
    const HGDIOBJ background =
        reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(host, GCLP_HBRBACKGROUND));
    ASSERT_EQ(static_cast<int>(sizeof brush), GetObjectA(background, sizeof brush, &brush));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), brush.lbStyle);
    EXPECT_EQ(RGB(0, 0, 0), brush.lbColor);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)),
              GetClassLongPtrA(host, GCLP_HCURSOR));
    EXPECT_FALSE(videoHost.Create());
    EXPECT_EQ(host, Host());
}

TEST(VideoHost, FillsTheSpaceBetweenToolbarAndStatusBarAsTheFrameChanges) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ExpectHostBetweenToolbarAndStatusBar();
    SizeFrame(700, 555);
    ExpectHostBetweenToolbarAndStatusBar();
    SizeFrame(400, 320);
    ExpectHostBetweenToolbarAndStatusBar();
}

TEST(VideoHost, HasNoScrollBarsWithoutAMovie) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    // Bars a movie left behind go with the next size message once it is closed.
    OpenFixture("clip640.avi");
    ASSERT_NE(nullptr, Movie());
    SizeFrame(520, 420);
    ASSERT_TRUE(HasBar(WS_HSCROLL));
    Command(IDM_CLOSE);
    PumpPending();
    ASSERT_EQ(nullptr, Movie());
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    SizeFrame(450, 350);
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
}

TEST(VideoHost, LargeMovieGetsBothBarsWithRangesAndPagesFromTheOuterSize) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    // The frame fits the movie with its margin: no bars, the movie 4 pixels in.
    ExpectBars(BarsFromOuterSizes(true));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(4, MovieOrigin().x);
    EXPECT_EQ(4, MovieOrigin().y);

    SizeFrame(520, 420);
    const ScrollBarsLayout bars = BarsFromOuterSizes(true);
    ASSERT_TRUE(bars.hbar);
    ASSERT_TRUE(bars.vbar);
    ExpectBars(bars);
    EXPECT_EQ(OuterSize(Movie()).cx + 8, bars.hMax);
    EXPECT_EQ(0, GetScrollPos(Host(), SB_HORZ));
    EXPECT_EQ(0, GetScrollPos(Host(), SB_VERT));
    EXPECT_EQ(4, MovieOrigin().x);
    EXPECT_EQ(4, MovieOrigin().y);

    // Only one direction too small: only that bar.
    SizeFrame(900, 420);
    const ScrollBarsLayout wide = BarsFromOuterSizes(true);
    ASSERT_FALSE(wide.hbar);
    ASSERT_TRUE(wide.vbar);
    ExpectBars(wide);
}

namespace {

struct ScrollStep {
    WORD code;
    WORD thumb;
    // The expected position, from the position before and the largest position.
    int (*expected)(int before, int largest);
    const char* name;
};

const ScrollStep SCROLL_STEPS[] = {
    {SB_LINEUP, 0, [](int, int) { return 0; }, "line back at 0 does nothing"},
    {SB_PAGEUP, 0, [](int, int) { return 0; }, "page back at 0 does nothing"},
    {SB_LINEDOWN, 0, [](int b, int) { return b + 8; }, "line forward 8"},
    {SB_PAGEDOWN, 0, [](int b, int) { return b + 64; }, "page forward 64"},
    {SB_LINEDOWN, 0, [](int b, int) { return b + 8; }, "line forward again"},
    {SB_LINEUP, 0, [](int b, int) { return b - 8; }, "line back 8"},
    {SB_THUMBTRACK, 100, [](int, int) { return 100; }, "thumb drag to 100"},
    {SB_THUMBPOSITION, 100, [](int, int) { return 100; }, "thumb release where it is"},
    {SB_ENDSCROLL, 0, [](int b, int) { return b; }, "end of scroll does nothing"},
    {SB_TOP, 0, [](int b, int) { return b; }, "top does nothing"},
    {SB_BOTTOM, 0, [](int b, int) { return b; }, "bottom does nothing"},
    {SB_THUMBTRACK, 60000, [](int, int m) { return m; }, "thumb beyond the end stops there"},
    {SB_PAGEDOWN, 0, [](int, int m) { return m; }, "page forward at the end does nothing"},
    {SB_LINEDOWN, 0, [](int, int m) { return m; }, "line forward at the end does nothing"},
    {SB_PAGEUP, 0, [](int, int m) { return m - 64; }, "page back from the end"},
    {SB_THUMBTRACK, 20, [](int, int) { return 20; }, "thumb drag back to 20"},
    {SB_PAGEUP, 0, [](int, int) { return 0; }, "page back stops at 0"},
};

class VideoHostScroll : public testing::TestWithParam<int> {};

} // namespace

TEST_P(VideoHostScroll, ScrollCodesMoveThePositionAndTheMovieWithinTheRange) {
    const int bar = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenLargeMovieInASmallFrame());
    const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    const int otherBar = bar == SB_HORZ ? SB_VERT : SB_HORZ;
    const SCROLLINFO info = BarInfo(bar);
    const int largest = info.nMax - static_cast<int>(info.nPage) + 1;
    ASSERT_GT(largest, 64);

    for (const ScrollStep& step : SCROLL_STEPS) {
        const int before = GetScrollPos(Host(), bar);
        const POINT origin = MovieOrigin();
        const int want = step.expected(before, largest);
        EXPECT_EQ(0, SendMessageA(Host(), message, MAKEWPARAM(step.code, step.thumb), 0));
        PumpPending();
        EXPECT_EQ(want, GetScrollPos(Host(), bar)) << step.name;
        // The movie moves with the contents, by as much as the position changed.
        const POINT now = MovieOrigin();
        const int moved = bar == SB_HORZ ? now.x - origin.x : now.y - origin.y;
        EXPECT_EQ(before - want, moved) << step.name;
        EXPECT_EQ(4 - want, bar == SB_HORZ ? now.x : now.y) << step.name;
        EXPECT_EQ(4, bar == SB_HORZ ? now.y : now.x) << step.name;
        EXPECT_EQ(0, GetScrollPos(Host(), otherBar)) << step.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, VideoHostScroll, testing::Values(SB_HORZ, SB_VERT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SB_HORZ ? "Horizontal" : "Vertical");
                         });

TEST(VideoHost, SmallMovieIsCentredAndStaysCentredAsTheFrameGrows) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
    for (int grow : {0, 101, 37}) {
        if (grow != 0) {
            const SIZE frame = OuterSize(Frame());
            SizeFrame(frame.cx + grow, frame.cy + grow);
        }
        const SIZE movie = OuterSize(Movie());
        const SIZE client = ClientSize(Host());
        ASSERT_LT(movie.cx + 8, client.cx);
        ASSERT_LT(movie.cy + 8, client.cy);
        EXPECT_EQ((client.cx - movie.cx) / 2, MovieOrigin().x) << grow;
        EXPECT_EQ((client.cy - movie.cy) / 2, MovieOrigin().y) << grow;
        EXPECT_FALSE(HasBar(WS_HSCROLL));
        EXPECT_FALSE(HasBar(WS_VSCROLL));
    }
}

TEST(VideoHost, PaintingPutsTheMovieBackInItsPlace) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip160.avi"));
    const POINT centred = MovieOrigin();
    SetWindowPos(Movie(), nullptr, 1, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(1, MovieOrigin().x);
    InvalidateRect(Host(), nullptr, TRUE);
    UpdateWindow(Host());
    EXPECT_EQ(centred.x, MovieOrigin().x);
    EXPECT_EQ(centred.y, MovieOrigin().y);
}

TEST(VideoHost, TrackbarNotificationSeeksAndNeverScrollsTheHost) {
    ASSERT_NO_FATAL_FAILURE(OpenLargeMovieInASmallFrame());
    SendMessageA(Host(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    ASSERT_EQ(8, GetScrollPos(Host(), SB_HORZ));
    const POINT origin = MovieOrigin();

    // Every code the trackbar sends, as it sends them: lParam is the trackbar.
    for (WORD code : {TB_LINEDOWN, TB_PAGEDOWN, TB_LINEUP, TB_PAGEUP, TB_THUMBTRACK,
                      TB_THUMBPOSITION, TB_TOP, TB_BOTTOM, TB_ENDTRACK}) {
        TrackbarScroll(code, 100);
        EXPECT_EQ(8, GetScrollPos(Host(), SB_HORZ)) << code;
        EXPECT_EQ(origin.x, MovieOrigin().x) << code;
        EXPECT_EQ(origin.y, MovieOrigin().y) << code;
    }

    // A thumb drag reaches the seeking: the movie goes to the middle of its 3 s.
    TrackbarScroll(TB_THUMBTRACK, 100);
    EXPECT_TRUE(seeking);
    EXPECT_EQ(1500, MoviePosition());
    EXPECT_EQ("00:01/00:03", StatusPart(2));
    TrackbarScroll(TB_ENDTRACK);
    EXPECT_FALSE(seeking);
}

TEST(VideoHost, KeyOnTheTrackbarSeeksTheMovie) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    const HWND trackbar = positionTrackbar.GetWindow();
    const int length = static_cast<int>(SendMessageA(Movie(), MCIWNDM_GETLENGTH, 0, 0));
    // Page Down moves the control by a fifth of its range; it tells the host, which seeks.
    SendMessageA(trackbar, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(40, TrackbarPosition());
    EXPECT_TRUE(seeking);
    EXPECT_EQ(40 * length / 200, MoviePosition());
    SendMessageA(trackbar, WM_KEYUP, VK_NEXT, 0);
    EXPECT_FALSE(seeking);
}

TEST(VideoHost, MovieNotificationsReachTheirHandlers) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    // The state says playing, the movie window stands still: only the messages below count.
    application.SetPlayerState(MCI_MODE_PLAY);

    EXPECT_EQ(0, SendMessageA(Host(), MCIWNDM_NOTIFYPOS, 0, 1500));
    EXPECT_EQ(100, TrackbarPosition());
    EXPECT_EQ("00:01/00:03", StatusPart(2));

    // The size notification fits the frame around the window it names. The fit measures the
    // host with the bars it shows then, so the frame comes out larger by their sizes.
    SizeFrame(520, 420);
    ASSERT_TRUE(HasBar(WS_HSCROLL));
    ASSERT_TRUE(HasBar(WS_VSCROLL));
    EXPECT_EQ(0, SendMessageA(Host(), MCIWNDM_NOTIFYSIZE, reinterpret_cast<WPARAM>(Movie()), 0));
    PumpPending();
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(OuterSize(Movie()).cx + 8 + GetSystemMetrics(SM_CXVSCROLL), ClientSize(Host()).cx);
    EXPECT_EQ(OuterSize(Movie()).cy + 8 + GetSystemMetrics(SM_CYHSCROLL), ClientSize(Host()).cy);
    const SIZE fitted = OuterSize(Frame());
    EXPECT_EQ(0, SendMessageA(Host(), MCIWNDM_NOTIFYSIZE, 0, 0));
    EXPECT_EQ(fitted.cx, OuterSize(Frame()).cx);
    EXPECT_FALSE(videoHost.OnMovieSize(nullptr));

    // Stopped while playing is the end of the movie: with repeat off, Stop runs.
    EXPECT_EQ(0, SendMessageA(Host(), MCIWNDM_NOTIFYMODE, 0, MCI_MODE_STOP));
    EXPECT_EQ(MCI_MODE_STOP, playerState);
    EXPECT_EQ("Stopped", StatusPart(1));
    EXPECT_EQ(0, TrackbarPosition());
}

TEST(VideoHost, ZoomInFullScreenRecomputesTheBarsWithoutAHostSizeChange) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip640.avi"));
    Command(IDM_FULLSCREEN);
    PumpPending();
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ASSERT_EQ(0, GetWindowLongA(Host(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const SIZE host = OuterSize(Host());
    ExpectBars(BarsFromOuterSizes(false));

    // Twice the movie is wider than the screen: the host keeps its size, the bars change.
    Command(IDM_ZOOM200);
    PumpPending();
    ASSERT_EQ(host.cx, OuterSize(Host()).cx);
    ASSERT_EQ(host.cy, OuterSize(Host()).cy);
    const ScrollBarsLayout zoomed = BarsFromOuterSizes(false);
    ASSERT_TRUE(zoomed.hbar || zoomed.vbar);
    ExpectBars(zoomed);

    Command(IDM_ZOOM100);
    PumpPending();
    const ScrollBarsLayout back = BarsFromOuterSizes(false);
    EXPECT_FALSE(back.hbar);
    EXPECT_FALSE(back.vbar);
    ExpectBars(back);
    EXPECT_EQ(0, GetScrollPos(Host(), SB_HORZ));
}

TEST(VideoHost, ContextMenuIsThePlayMenuAtThePointWithTheCurrentStates) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Command(IDM_REPEAT);
    application.SetPlayerState(MCI_MODE_PLAY);
    const PopupSeen popup = ContextMenuAt(150, 120);
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(150, popup.rect.left);
    EXPECT_EQ(120, popup.rect.top);
    EXPECT_EQ(GetSubMenu(GetMenu(Frame()), 1), popup.menu);
    // Playing: Play/Pause and Stop enabled, the seeking items grayed; Repeat checked.
    EXPECT_EQ(0u, popup.StateOf(IDM_PLAYPAUSE) & MF_GRAYED);
    EXPECT_EQ(0u, popup.StateOf(IDM_STOP) & MF_GRAYED);
    for (UINT id : {IDM_BEGINNING, IDM_REWIND, IDM_FORWARD, IDM_END}) {
        EXPECT_NE(0u, popup.StateOf(id) & MF_GRAYED) << id;
    }
    EXPECT_NE(0u, popup.StateOf(IDM_REPEAT) & MF_CHECKED);
    EXPECT_EQ(0u, popup.StateOf(IDM_FULLSCREEN) & MF_CHECKED);
}

TEST(VideoHost, ContextMenuFromTheKeyboardOpensAtTheScreenCorner) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const PopupSeen popup = ContextMenuAt(-1, -1);
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(0, popup.rect.left);
    EXPECT_EQ(0, popup.rect.top);
    // Nothing open: everything that needs a movie is grayed.
    EXPECT_NE(0u, popup.StateOf(IDM_PLAYPAUSE) & MF_GRAYED);
    EXPECT_NE(0u, popup.StateOf(IDM_STOP) & MF_GRAYED);
}

TEST(VideoHost, RightClickInTheHostOpensTheMenuAtTheMouse) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    POINT point = {30, 40};
    const LPARAM client = MAKELPARAM(point.x, point.y);
    ClientToScreen(Host(), &point);
    // The default handling of the button's release asks for the context menu.
    const PopupSeen popup = PopUpFromHost(WM_RBUTTONUP, 0, client);
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(point.x, popup.rect.left);
    EXPECT_EQ(point.y, popup.rect.top);
}

TEST(VideoHost, ChosenContextMenuItemReachesTheFrame) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    FrameCommandCounter counter;
    ASSERT_FALSE(repeat);
    // "Repea&t": its mnemonic chooses it.
    const PopupSeen popup = ContextMenuAt(100, 100, {'T'});
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(1, counter.Count(IDM_REPEAT));
    EXPECT_TRUE(repeat);
}

TEST(VideoHost, ContextMenuInFullScreenIsTheSavedMenusPlayMenu) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    Command(IDM_FULLSCREEN);
    ASSERT_EQ(FullScreen, fullScreenController.mode);
    ASSERT_EQ(nullptr, GetMenu(Frame()));
    const PopupSeen popup = ContextMenuAt(200, 210);
    ASSERT_TRUE(popup.seen);
    EXPECT_EQ(GetSubMenu(fullScreenController.savedMenu, 1), popup.menu);
    EXPECT_NE(0u, popup.StateOf(IDM_FULLSCREEN) & MF_CHECKED);
    EXPECT_EQ(200, popup.rect.left);
    EXPECT_EQ(210, popup.rect.top);
}

TEST(VideoHost, ContextMenuWithoutAMenuDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const HMENU menu = GetMenu(Frame());
    SetMenu(Frame(), nullptr);
    EXPECT_FALSE(videoHost.ShowContextMenu(10, 10));
    // A menu bar without a second popup.
    const HMENU bare = CreateMenu();
    AppendMenuA(bare, MF_STRING, IDM_OPEN, "Open");
    SetMenu(Frame(), bare);
    EXPECT_FALSE(videoHost.ShowContextMenu(10, 10));
    SetMenu(Frame(), menu);
    DestroyMenu(bare);
}

TEST(VideoHost, OperationsWithoutTheirWindowsDoNothing) {
    EXPECT_FALSE(videoHost.Create());
    EXPECT_FALSE(videoHost.CentreMovie());
    EXPECT_FALSE(videoHost.UpdateScrollBars());
    EXPECT_FALSE(videoHost.OnFrameSize(nullptr, 100, 100));
    EXPECT_FALSE(videoHost.OnScroll(SB_HORZ, SB_LINEDOWN));
    EXPECT_FALSE(videoHost.ShowContextMenu(0, 0));
    EXPECT_FALSE(videoHost.OnMovieSize(nullptr));
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // No movie window: nothing to centre.
    EXPECT_FALSE(videoHost.CentreMovie());
    EXPECT_FALSE(videoHost.OnFrameSize(nullptr, 100, 100));
}

// Shift+F10 and the context-menu key reach the frame, which holds the focus; the Play menu opens
// at the video area's top-left corner, in both modes.
TEST(VideoHost, ShiftF10AndTheMenuKeyOpenThePlayMenuAtTheVideoAreasCorner) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const struct {
        const char* name;
        UINT down, up;
        WPARAM key;
        bool shift;
    } keys[] = {{"Shift+F10", WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F10, true},
                {"menu key", WM_KEYDOWN, WM_KEYUP, VK_APPS, false}};
    for (const bool full : {false, true}) {
        if (full) {
            Command(IDM_FULLSCREEN);
            ASSERT_EQ(FullScreen, fullScreenController.mode);
        }
        POINT corner = {0, 0};
        ClientToScreen(Host(), &corner);
        for (const auto& key : keys) {
            HoldModifiers(false, false, key.shift);
            const PopupSeen popup = WatchPopupMenu(
                [&] {
                    MSG down = {Frame(), key.down, key.key, 1, 0, {0, 0}};
                    MSG up = {Frame(), key.up, key.key, static_cast<LPARAM>(0xC0000001), 0, {0, 0}};
                    DispatchMessageA(&down);
                    DispatchMessageA(&up);
                },
                std::vector<UINT>(std::begin(PLAY_MENU_IDS), std::end(PLAY_MENU_IDS)), {VK_ESCAPE});
            HoldModifiers(false, false, false);
            ASSERT_TRUE(popup.seen) << key.name << (full ? " in full screen" : "");
            EXPECT_EQ(corner.x, popup.rect.left) << key.name;
            EXPECT_EQ(corner.y, popup.rect.top) << key.name;
            EXPECT_EQ(GetSubMenu(PlayerMenu(), 1), popup.menu) << key.name;
            EXPECT_EQ(full, (popup.StateOf(IDM_FULLSCREEN) & MF_CHECKED) != 0) << key.name;
        }
    }
}
