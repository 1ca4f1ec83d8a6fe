// What the movie, transport and open/close tests look at in a started player: the views of
// the state, the movie window, the frame's geometry, and counters of the commands the frame
// receives.
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
#include "shell/StartUp.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace playertest {

inline void StartPlayer(const char* commandLine = "") {
    HACCEL accelerators = nullptr;
    ASSERT_TRUE(StartUp(GetModuleHandleA(nullptr), commandLine, &accelerators));
    PumpPending();
    ASSERT_NE(nullptr, mainFrame.GetWindow());
    ASSERT_NE(nullptr, videoHost.GetWindow());
    ASSERT_NE(nullptr, positionTrackbar.GetWindow());
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

inline RECT OuterRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

inline SIZE OuterSize(HWND window) {
    const RECT rect = OuterRect(window);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

inline SIZE ClientSize(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

// Counts the commands that reach the main frame, by subclassing it; also runs an optional
// action inside each one, before the frame handles it.
class FrameCommandCounter {
  public:
    FrameCommandCounter() {
        self = this;
        original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            Frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameCommandCounter::Proc)));
    }
    ~FrameCommandCounter() {
        SetWindowLongPtrA(Frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        self = nullptr;
    }
    int Count(int id) const {
        const auto found = counts.find(id);
        return found == counts.end() ? 0 : found->second;
    }
    // The deepest nesting of one command inside itself seen so far.
    int MaxDepth(int id) const {
        const auto found = maxDepth.find(id);
        return found == maxDepth.end() ? 0 : found->second;
    }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        FrameCommandCounter* counter = self;
        if (message != WM_COMMAND || counter == nullptr) {
            return CallWindowProcA(counter ? counter->original : DefWindowProcA, window, message,
                                   wParam, lParam);
        }
        const int id = LOWORD(wParam);
        ++counter->counts[id];
        const int depth = ++counter->depth[id];
        if (depth > counter->maxDepth[id]) {
            counter->maxDepth[id] = depth;
        }
        const LRESULT result = CallWindowProcA(counter->original, window, message, wParam, lParam);
        --counter->depth[id];
        return result;
    }

    static inline FrameCommandCounter* self = nullptr;
    WNDPROC original = nullptr;
    std::map<int, int> counts;
    std::map<int, int> depth;
    std::map<int, int> maxDepth;
};

} // namespace playertest
