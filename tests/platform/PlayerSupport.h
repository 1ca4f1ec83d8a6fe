// What the tests look at in a started player: the views of the state, the movie window, the
// host's scroll bars and context menu, and counters of the commands the frame receives.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <vfw.h>

#include "PlatformTest.h"
#include "core/PlayerState.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/ScrollGeometry.h"
#include "shell/StartUp.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace playertest {

// The accelerator table the last start-up loaded.
inline HACCEL startedAccelerators = nullptr;

// Start-up with this command line; the frame must be there.
inline void StartFrame(const char* commandLine = "") {
    ASSERT_TRUE(StartUp(GetModuleHandleA(nullptr), commandLine, &startedAccelerators));
    PumpPending();
    ASSERT_NE(nullptr, mainFrame.GetWindow());
}

// Start-up with the frame, the video host and the trackbar.
inline void StartPlayer(const char* commandLine = "") {
    ASSERT_NO_FATAL_FAILURE(StartFrame(commandLine));
    ASSERT_NE(nullptr, videoHost.GetWindow());
    ASSERT_NE(nullptr, positionTrackbar.GetWindow());
}

// Start-up with every control of the frame.
inline void StartWithEveryControl() {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    ASSERT_NE(nullptr, transportToolbar.GetWindow());
    ASSERT_NE(nullptr, statusBar.GetWindow());
}

inline HWND Frame() {
    return mainFrame.GetWindow();
}

inline void Command(int id) {
    SendMessageA(Frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// Opens a movie the way start-up does: through pendingPath and the Open command. The text is
// kept for as long as Open may read it.
inline void OpenThroughCommandLine(const std::string& text) {
    static std::string kept;
    kept = text;
    pendingPath = kept.c_str();
    Command(IDM_OPEN);
}

inline void OpenFixture(const char* name) {
    OpenThroughCommandLine(FixturePath(name));
}

inline HWND Host() {
    return videoHost.GetWindow();
}

inline HWND Movie() {
    return movieWindow.GetWindow();
}

// Opens a fixture and handles what opening it posted; the movie window must be there.
inline void OpenMovie(const char* name) {
    OpenFixture(name);
    PumpPending();
    ASSERT_NE(nullptr, Movie());
}

// The movie windows the host holds, whoever made them.
inline int MovieWindowsInHost() {
    int count = 0;
    for (HWND child = FindWindowExA(Host(), nullptr, "MCIWndClass", nullptr); child != nullptr;
         child = FindWindowExA(Host(), child, "MCIWndClass", nullptr)) {
        ++count;
    }
    return count;
}

inline std::string Title() {
    char text[512] = {};
    GetWindowTextA(Frame(), text, sizeof text);
    return text;
}

inline std::string StatusPart(int part) {
    char text[256] = {};
    if (LOWORD(SendMessageA(statusBar.GetWindow(), SB_GETTEXTLENGTHA, part, 0)) >= sizeof text) {
        return "(too long)";
    }
    SendMessageA(statusBar.GetWindow(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

// The width of a text in the status bar's font.
inline int StatusTextWidth(const char* text) {
    const HWND status = statusBar.GetWindow();
    const HDC dc = GetDC(status);
    const HGDIOBJ was =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(status, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    SelectObject(dc, was);
    ReleaseDC(status, dc);
    return size.cx;
}

// The room a status part's text has: the part less its sunken edge (1 pixel each side) and the
// control's margin of 3 on the text's left.
inline int StatusTextRoom(int part) {
    RECT rect = {};
    SendMessageA(statusBar.GetWindow(), SB_GETRECT, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(&rect));
    return rect.right - rect.left - 5;
}

// Every text the state and time parts can hold fits them unclipped.
inline void ExpectStatusTextsFit() {
    for (const char* text : {"Stopped", "Playing", "Paused"}) {
        EXPECT_LE(StatusTextWidth(text), StatusTextRoom(1)) << text;
    }
    for (const char* text : {"00:00/00:00", "59:59/59:59", "01:10:00/01:10:00", "59:59:59/59:59:59",
                             "00:00:00/59:59:59"}) {
        EXPECT_LE(StatusTextWidth(text), StatusTextRoom(2)) << text;
    }
}

inline void SetStatusPart(int part, const char* text) {
    SendMessageA(statusBar.GetWindow(), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

inline int TrackbarPosition() {
    return static_cast<int>(SendMessageA(positionTrackbar.GetWindow(), TBM_GETPOS, 0, 0));
}

inline void SetTrackbarPosition(int position) {
    SendMessageA(positionTrackbar.GetWindow(), TBM_SETPOS, TRUE, position);
}

// The movie window's own position and mode, asked directly.
inline int MoviePosition() {
    return static_cast<int>(SendMessageA(movieWindow.GetWindow(), MCIWNDM_GETPOSITIONA, 0, 0));
}

inline int MovieMode() {
    return static_cast<int>(SendMessageA(movieWindow.GetWindow(), MCIWNDM_GETMODEA, 0, 0));
}

// What a user's trackbar move sends the video host.
inline void TrackbarScroll(int code, int thumb = 0) {
    SendMessageA(videoHost.GetWindow(), WM_HSCROLL, MAKEWPARAM(code, thumb),
                 reinterpret_cast<LPARAM>(positionTrackbar.GetWindow()));
}

inline HMENU PlayerMenu() {
    return fullScreenController.mode == Windowed ? GetMenu(Frame())
                                                 : fullScreenController.savedMenu;
}

inline bool ItemGrayed(int id) {
    return (GetMenuState(PlayerMenu(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

inline bool ButtonEnabled(int id) {
    return SendMessageA(transportToolbar.GetWindow(), TB_ISBUTTONENABLED, id, 0) != 0;
}

inline int PlayPauseGlyph() {
    return static_cast<int>(
        SendMessageA(transportToolbar.GetWindow(), TB_GETBITMAP, IDM_PLAYPAUSE, 0));
}

// The menu items and buttons that follow the state, and the state text, as the player must
// show them in each state.
struct StateViews {
    PlayerState state;
    const char* stateText;
    bool playPause, close, stop, seeks; // enabled
    int glyph;                          // 0 play, 1 pause
};

const StateViews STATE_VIEWS[] = {
    {MCI_MODE_NOT_READY, "", false, false, false, false, 1},
    {MCI_MODE_STOP, "Stopped", true, true, false, true, 0},
    {MCI_MODE_PLAY, "Playing", true, true, true, false, 1},
    {MCI_MODE_PAUSE, "Paused", true, true, true, true, 0},
};

inline void ExpectViewsOf(PlayerState state) {
    const StateViews* views = nullptr;
    for (const StateViews& candidate : STATE_VIEWS) {
        if (candidate.state == state) {
            views = &candidate;
        }
    }
    ASSERT_NE(nullptr, views);
    EXPECT_EQ(state, playerState);
    EXPECT_EQ(views->stateText, StatusPart(1));
    const struct {
        int id;
        bool enabled;
    } items[] = {{IDM_PLAYPAUSE, views->playPause},
                 {IDM_CLOSE, views->close},
                 {IDM_STOP, views->stop},
                 {IDM_BEGINNING, views->seeks},
                 {IDM_REWIND, views->seeks},
                 {IDM_FORWARD, views->seeks},
                 {IDM_END, views->seeks}};
    for (const auto& item : items) {
        EXPECT_EQ(!item.enabled, ItemGrayed(item.id)) << "menu item " << item.id;
        EXPECT_EQ(item.enabled, ButtonEnabled(item.id)) << "button " << item.id;
    }
    EXPECT_EQ(views->glyph, PlayPauseGlyph());
}

// The no-movie state as start-up leaves it.
inline void ExpectNoMovie() {
    ExpectViewsOf(MCI_MODE_NOT_READY);
    EXPECT_EQ(nullptr, movieWindow.GetWindow());
    EXPECT_EQ(nullptr, FindWindowExA(videoHost.GetWindow(), nullptr, "MCIWndClass", nullptr));
    EXPECT_EQ("Quillotrope", Title());
    EXPECT_EQ("", StatusPart(2));
    EXPECT_EQ(0, TrackbarPosition());
    EXPECT_EQ(0, SendMessageA(positionTrackbar.GetWindow(), TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(200, SendMessageA(positionTrackbar.GetWindow(), TBM_GETRANGEMAX, 0, 0));
}

// The host's scroll bars.
inline bool HasBar(DWORD bar) {
    return (GetWindowLongA(Host(), GWL_STYLE) & bar) != 0;
}

inline SCROLLINFO BarInfo(int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Host(), bar, &info);
    return info;
}

// The platform keeps a page no larger than the range (maximum - minimum + 1): a bar that is
// not needed reads back its range as its page.
inline UINT StoredPage(int32_t page, int32_t maximum) {
    return static_cast<UINT>(page < maximum + 1 ? page : maximum + 1);
}

inline void ExpectBars(const ScrollBarsLayout& bars) {
    EXPECT_EQ(bars.hbar, HasBar(WS_HSCROLL));
    EXPECT_EQ(bars.vbar, HasBar(WS_VSCROLL));
    const SCROLLINFO h = BarInfo(SB_HORZ);
    EXPECT_EQ(0, h.nMin);
    EXPECT_EQ(bars.hMax, h.nMax);
    EXPECT_EQ(StoredPage(bars.hPage, bars.hMax), h.nPage);
    const SCROLLINFO v = BarInfo(SB_VERT);
    EXPECT_EQ(0, v.nMin);
    EXPECT_EQ(bars.vMax, v.nMax);
    EXPECT_EQ(StoredPage(bars.vPage, bars.vMax), v.nPage);
}

// The items of the Play menu, which the host pops up as its context menu.
const UINT PLAY_MENU_IDS[] = {IDM_PLAYPAUSE, IDM_STOP, IDM_BEGINNING,  IDM_REWIND,
                              IDM_FORWARD,   IDM_END,  IDM_FULLSCREEN, IDM_REPEAT};

// Sends the host a message that pops up its context menu, and presses keys in the menu from
// inside its loop (Escape by default).
inline PopupSeen PopUpFromHost(UINT message, WPARAM wParam, LPARAM lParam,
                               const std::vector<WPARAM>& keys = {VK_ESCAPE}) {
    return WatchPopupMenu([&] { SendMessageA(Host(), message, wParam, lParam); },
                          std::vector<UINT>(std::begin(PLAY_MENU_IDS), std::end(PLAY_MENU_IDS)),
                          keys);
}

// The host's context menu asked for at a point of the screen.
inline PopupSeen ContextMenuAt(int x, int y, const std::vector<WPARAM>& keys = {VK_ESCAPE}) {
    return PopUpFromHost(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Host()), ScreenPoint(x, y), keys);
}

// Counts the commands that reach the main frame, and how deeply one nests inside itself.
class FrameCommandCounter : public WindowSpy {
  public:
    FrameCommandCounter() : WindowSpy(Frame()) {}
    int Count(int id) const {
        const auto found = counts.find(id);
        return found == counts.end() ? 0 : found->second;
    }
    // The deepest nesting of one command inside itself seen so far.
    int MaxDepth(int id) const {
        const auto found = maxDepth.find(id);
        return found == maxDepth.end() ? 0 : found->second;
    }

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_COMMAND) {
            return CallOriginal(window, message, wParam, lParam);
        }
        const int id = LOWORD(wParam);
        ++counts[id];
        const int nesting = ++depth[id];
        if (nesting > maxDepth[id]) {
            maxDepth[id] = nesting;
        }
        const LRESULT result = CallOriginal(window, message, wParam, lParam);
        --depth[id];
        return result;
    }

  private:
    std::map<int, int> counts;
    std::map<int, int> depth;
    std::map<int, int> maxDepth;
};

} // namespace playertest
