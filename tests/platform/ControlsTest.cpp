// The toolbar, the status bar and the trackbar of a started player: where they are, what they
// show in each state, and where their notifications go.
#include <windows.h>
#include <commctrl.h>

#include "PlayerSupport.h"
#include "shell/Application.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace playertest;

namespace {

const int TRANSPORT_IDS[7] = {IDM_PLAYPAUSE, IDM_STOP,    IDM_CLOSE, IDM_BEGINNING,
                              IDM_REWIND,    IDM_FORWARD, IDM_END};

RECT ClientRect(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

int Width(const RECT& rect) {
    return rect.right - rect.left;
}

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

std::vector<bool> ButtonStates() {
    std::vector<bool> states;
    for (int id : TRANSPORT_IDS) {
        states.push_back(ButtonEnabled(id));
    }
    return states;
}

// Grows the frame's outer size and lets the layout run.
void GrowFrame(int dx, int dy) {
    const HWND frame = mainFrame.GetWindow();
    const RECT rect = OuterRect(frame);
    MoveWindow(frame, rect.left, rect.top, Width(rect) + dx, Height(rect) + dy, TRUE);
    PumpPending();
}

void ExpectPartsFromOuterSize() {
    const RECT rect = OuterRect(statusBar.GetWindow());
    const int w = Width(rect);
    const int h = Height(rect);
    INT edges[3] = {};
    ASSERT_EQ(3,
              SendMessageA(statusBar.GetWindow(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    // The state part keeps its 80 pixels; the time part is as wide as its widest text needs.
    EXPECT_EQ(80, edges[1] - edges[0]);
    EXPECT_GE(edges[2] - edges[1], 80);
    EXPECT_EQ(w - h, edges[2]);
    ExpectStatusTextsFit();
}

} // namespace

TEST(Controls, StartUpDisablesTheButtonsShowsPauseGlyphEmptyStatusAndTrackbarAtZero) {
    StartWithEveryControl();
    for (int id : TRANSPORT_IDS) {
        EXPECT_FALSE(ButtonEnabled(id)) << id;
    }
    // Created with the play glyph; the not-ready state switches in the pause glyph.
    EXPECT_EQ(1, PlayPauseGlyph());
    EXPECT_EQ("", StatusPart(1));
    EXPECT_EQ("", StatusPart(2));
    // A new trackbar runs from 0 to 100: the range is the refresh's doing.
    const HWND trackbar = positionTrackbar.GetWindow();
    EXPECT_EQ(0, SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(200, SendMessageA(trackbar, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(0, SendMessageA(trackbar, TBM_GETPOS, 0, 0));
    EXPECT_EQ(0, positionTrackbar.GetPosition());
}

TEST(Controls, ToolbarHoldsTheNineButtonsAtTheTopOfTheFrame) {
    StartWithEveryControl();
    const HWND toolbar = transportToolbar.GetWindow();
    EXPECT_EQ(IDC_TOOLBAR, GetDlgCtrlID(toolbar));
    EXPECT_EQ(mainFrame.GetWindow(), GetParent(toolbar));
    EXPECT_EQ(0x54000906, GetWindowLongA(toolbar, GWL_STYLE) & 0xFFFF0FFF);
    ASSERT_EQ(9, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    struct Expected {
        int image;
        int command;
        BYTE style;
    };
    const Expected expected[9] = {
        {0, IDM_PLAYPAUSE, TBSTYLE_BUTTON},
        {2, IDM_STOP, TBSTYLE_BUTTON},
        {3, IDM_CLOSE, TBSTYLE_BUTTON},
        {6, 0, TBSTYLE_SEP},
        {4, IDM_BEGINNING, TBSTYLE_BUTTON},
        {5, IDM_REWIND, TBSTYLE_BUTTON},
        {6, IDM_FORWARD, TBSTYLE_BUTTON},
        {7, IDM_END, TBSTYLE_BUTTON},
        {6, 0, TBSTYLE_SEP},
    };
    for (int i = 0; i < 9; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        // The Play/Pause image follows the state; the others are as created.
        if (i != 0) {
            EXPECT_EQ(expected[i].image, button.iBitmap) << i;
        }
        EXPECT_EQ(expected[i].command, button.idCommand) << i;
        EXPECT_EQ(expected[i].style, button.fsStyle) << i;
    }

    // At the top left, as wide as the frame's client area.
    const RECT place = RectInParent(toolbar);
    EXPECT_EQ(0, place.left);
    EXPECT_EQ(0, place.top);
    EXPECT_EQ(Width(ClientRect(mainFrame.GetWindow())), Width(place));

    // As high as the control makes itself for these buttons, less 2.
    TBBUTTON same[1] = {};
    same[0].idCommand = IDM_PLAYPAUSE;
    same[0].fsState = TBSTATE_ENABLED;
    const HWND reference =
        CreateToolbarEx(mainFrame.GetWindow(), 0x54000906, 999, 9, GetModuleHandleA(nullptr),
                        IDB_TOOLBAR, same, 1, 20, 20, 20, 20, sizeof(TBBUTTON));
    ASSERT_NE(nullptr, reference);
    const int referenceHeight = Height(OuterRect(reference));
    DestroyWindow(reference);
    EXPECT_EQ(referenceHeight - 2, Height(place));

    // The height stays when the frame changes size.
    GrowFrame(100, 50);
    const RECT grown = RectInParent(toolbar);
    EXPECT_EQ(0, grown.left);
    EXPECT_EQ(0, grown.top);
    EXPECT_EQ(Width(place) + 100, Width(grown));
    EXPECT_EQ(Width(ClientRect(mainFrame.GetWindow())), Width(grown));
    EXPECT_EQ(Height(place), Height(grown));
}

TEST(Controls, StatusPartsEndAtTheOuterSizeLessTheGripAndFollowTheFrame) {
    StartWithEveryControl();
    const HWND status = statusBar.GetWindow();
    EXPECT_EQ(IDC_STATUSBAR, GetDlgCtrlID(status));
    EXPECT_EQ(mainFrame.GetWindow(), GetParent(status));
    ExpectPartsFromOuterSize();

    const RECT before = OuterRect(status);
    GrowFrame(100, 60);
    const RECT after = OuterRect(status);
    EXPECT_EQ(Width(before) + 100, Width(after));
    EXPECT_EQ(Height(before), Height(after));
    ExpectPartsFromOuterSize();
    // Along the bottom of the frame's client area, across its whole width.
    const RECT place = RectInParent(status);
    const RECT client = ClientRect(mainFrame.GetWindow());
    EXPECT_EQ(0, place.left);
    EXPECT_EQ(client.bottom, place.bottom);
    EXPECT_EQ(client.right, place.right);
}

TEST(Controls, TrackbarSitsInTheToolbarTenPixelsFromItsEndAndFollowsItsWidth) {
    StartWithEveryControl();
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND trackbar = positionTrackbar.GetWindow();
    char cls[64] = {};
    GetClassNameA(trackbar, cls, sizeof cls);
    EXPECT_STREQ("msctls_trackbar32", cls);
    EXPECT_EQ(0x50000018, GetWindowLongA(trackbar, GWL_STYLE) & 0xFFFF00FF);
    ASSERT_EQ(toolbar, GetParent(trackbar));

    const RECT place = RectInParent(trackbar);
    EXPECT_EQ(208, place.left);
    EXPECT_EQ(2, place.top);
    EXPECT_EQ(22, Height(place));
    EXPECT_EQ(OuterRect(toolbar).right - 10, OuterRect(trackbar).right);
    EXPECT_EQ(Width(OuterRect(toolbar)) - 218, Width(place));

    GrowFrame(100, 0);
    const RECT grown = RectInParent(trackbar);
    EXPECT_EQ(208, grown.left);
    EXPECT_EQ(2, grown.top);
    EXPECT_EQ(22, Height(grown));
    EXPECT_EQ(Width(place) + 100, Width(grown));
    EXPECT_EQ(OuterRect(toolbar).right - 10, OuterRect(trackbar).right);
}

TEST(Controls, FullScreenFrameSizeMovesNeitherToolbarNorStatusBar) {
    StartWithEveryControl();
    const HWND frame = mainFrame.GetWindow();
    const RECT toolbar = OuterRect(transportToolbar.GetWindow());
    const RECT status = OuterRect(statusBar.GetWindow());
    const RECT trackbar = OuterRect(positionTrackbar.GetWindow());
    INT edges[3] = {};
    SendMessageA(statusBar.GetWindow(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));

    fullScreenController.mode = FullScreen;
    EXPECT_FALSE(transportToolbar.OnFrameSize(frame, 900, 700));
    EXPECT_FALSE(statusBar.OnFrameSize(frame, 900, 700));
    EXPECT_TRUE(positionTrackbar.OnFrameSize(frame, 900, 700));
    fullScreenController.mode = Windowed;

    EXPECT_TRUE(SameRect(toolbar, OuterRect(transportToolbar.GetWindow())));
    EXPECT_TRUE(SameRect(status, OuterRect(statusBar.GetWindow())));
    // The toolbar has not moved, so the trackbar's width computes to what it was.
    EXPECT_TRUE(SameRect(trackbar, OuterRect(positionTrackbar.GetWindow())));
    INT after[3] = {};
    SendMessageA(statusBar.GetWindow(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(after));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(edges[i], after[i]) << i;
    }
}

TEST(Controls, FrameSizeWithoutAFrameWindowMovesNothing) {
    StartWithEveryControl();
    const RECT toolbar = OuterRect(transportToolbar.GetWindow());
    const RECT status = OuterRect(statusBar.GetWindow());
    const RECT trackbar = OuterRect(positionTrackbar.GetWindow());
    EXPECT_FALSE(transportToolbar.OnFrameSize(nullptr, 900, 700));
    EXPECT_FALSE(statusBar.OnFrameSize(nullptr, 900, 700));
    EXPECT_FALSE(positionTrackbar.OnFrameSize(nullptr, 900, 700));
    EXPECT_TRUE(SameRect(toolbar, OuterRect(transportToolbar.GetWindow())));
    EXPECT_TRUE(SameRect(status, OuterRect(statusBar.GetWindow())));
    EXPECT_TRUE(SameRect(trackbar, OuterRect(positionTrackbar.GetWindow())));
}

namespace {

// Records the scroll notifications that reach the video host.
class HostScrollSpy : public WindowSpy {
  public:
    HostScrollSpy() : WindowSpy(videoHost.GetWindow()) {}
    std::vector<LPARAM> sources;
    std::vector<WORD> codes;

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_HSCROLL) {
            sources.push_back(lParam);
            codes.push_back(LOWORD(wParam));
        }
        return CallOriginal(window, message, wParam, lParam);
    }
};

// Records each tooltip request the frame gets and the text it answers with.
class ToolTipSpy : public WindowSpy {
  public:
    ToolTipSpy() : WindowSpy(mainFrame.GetWindow()) {}
    std::vector<UINT_PTR> requests;
    std::vector<std::string> answers;

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = CallOriginal(window, message, wParam, lParam);
        if (message == WM_NOTIFY) {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == static_cast<UINT>(TTN_GETDISPINFOA)) {
                const NMTTDISPINFOA* request = reinterpret_cast<const NMTTDISPINFOA*>(lParam);
                requests.push_back(header->idFrom);
                answers.push_back(request->lpszText != nullptr &&
                                          request->lpszText != LPSTR_TEXTCALLBACKA &&
                                          !IS_INTRESOURCE(request->lpszText)
                                      ? request->lpszText
                                      : request->szText);
            } else if (header->code == static_cast<UINT>(TTN_GETDISPINFOW)) {
                requests.push_back(header->idFrom);
                answers.push_back("(Unicode request)");
            }
        }
        return result;
    }
};

} // namespace

TEST(Controls, TrackbarScrollNotificationsGoToTheVideoHost) {
    StartWithEveryControl();
    const HWND trackbar = positionTrackbar.GetWindow();
    HostScrollSpy spy;
    ASSERT_TRUE(spy.Installed());

    // A key the user presses on the trackbar: it moves and tells its notify window.
    SendMessageA(trackbar, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(trackbar, WM_KEYUP, VK_RIGHT, 0);
    PumpPending();

    EXPECT_EQ(1, SendMessageA(trackbar, TBM_GETPOS, 0, 0));
    ASSERT_FALSE(spy.sources.empty());
    for (LPARAM source : spy.sources) {
        EXPECT_EQ(reinterpret_cast<LPARAM>(trackbar), source);
    }
    EXPECT_EQ(TB_LINEDOWN, spy.codes.front());
    EXPECT_EQ(TB_ENDTRACK, spy.codes.back());
}

TEST(Controls, ToolbarAsksTheFrameForTheToolTipText) {
    StartWithEveryControl();
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(nullptr, tips);
    ToolTipSpy spy;
    ASSERT_TRUE(spy.Installed());

    // The request as the toolbar's own tooltip control sends it, about the Stop button: the
    // tooltip is a Unicode window, and the toolbar hands the frame the 8-bit form.
    NMTTDISPINFOW request = {};
    request.hdr.hwndFrom = tips;
    request.hdr.idFrom = IDM_STOP;
    request.hdr.code = TTN_GETDISPINFOW;
    request.lpszText = request.szText;
    SendMessageW(toolbar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));

    ASSERT_EQ(1u, spy.requests.size());
    EXPECT_EQ(static_cast<UINT_PTR>(IDM_STOP), spy.requests[0]);
    EXPECT_EQ("Stop", spy.answers[0]);
    ASSERT_NE(nullptr, request.lpszText);
    EXPECT_EQ(std::wstring(L"Stop"), std::wstring(request.lpszText));
}

namespace {

struct StateCase {
    PlayerState state;
    bool enabled[7]; // Play/Pause, Stop, Close, Beginning, Rewind, Forward, End
    int image;
    const char* stateText;
};

void PrintTo(const StateCase& c, std::ostream* out) {
    *out << "state " << c.state;
}

const StateCase STATE_CASES[] = {
    {MCI_MODE_STOP, {true, false, true, true, true, true, true}, 0, "Stopped"},
    {MCI_MODE_PLAY, {true, true, true, false, false, false, false}, 1, "Playing"},
    {MCI_MODE_PAUSE, {true, true, true, true, true, true, true}, 0, "Paused"},
    {MCI_MODE_NOT_READY, {false, false, false, false, false, false, false}, 1, ""},
};

class ControlsState : public testing::TestWithParam<StateCase> {};

} // namespace

TEST_P(ControlsState, ButtonsImageAndStatusFollowTheStateWithoutAMovieWindow) {
    const StateCase& c = GetParam();
    StartWithEveryControl();
    // Begin from the opposite of every expectation, so each value is the refresh's doing.
    application.SetPlayerState(c.state == MCI_MODE_PLAY ? MCI_MODE_PAUSE : MCI_MODE_PLAY);
    SetStatusPart(0, "help");
    SetStatusPart(1, "marker");
    SetStatusPart(2, "00:07/00:09");

    EXPECT_TRUE(application.SetPlayerState(c.state));
    EXPECT_EQ(c.state, playerState);
    const std::vector<bool> states = ButtonStates();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(c.enabled[i], states[i]) << TRANSPORT_IDS[i];
    }
    EXPECT_EQ(c.image, PlayPauseGlyph());
    EXPECT_EQ(c.stateText, StatusPart(1));
    // Without a movie window no time is written; only the not-ready state clears it.
    EXPECT_EQ(c.state == MCI_MODE_NOT_READY ? "" : "00:07/00:09", StatusPart(2));
    EXPECT_EQ("help", StatusPart(0));
}

TEST_P(ControlsState, ButtonsImageStatusAndTrackbarFollowTheStateWithAMovieWindow) {
    const StateCase& c = GetParam();
    StartWithEveryControl();
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    // Halfway through the 5 s movie, with every view saying something else.
    movieWindow.Seek(2500);
    ASSERT_EQ(2500, movieWindow.GetPosition());
    application.SetPlayerState(c.state == MCI_MODE_PLAY ? MCI_MODE_PAUSE : MCI_MODE_PLAY);
    SetStatusPart(0, "help");
    SetStatusPart(1, "marker");
    SetStatusPart(2, "marker");
    SendMessageA(positionTrackbar.GetWindow(), TBM_SETPOS, TRUE, 7);

    EXPECT_TRUE(application.SetPlayerState(c.state));
    const std::vector<bool> states = ButtonStates();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(c.enabled[i], states[i]) << TRANSPORT_IDS[i];
    }
    EXPECT_EQ(c.image, PlayPauseGlyph());
    EXPECT_EQ(c.stateText, StatusPart(1));
    EXPECT_EQ("help", StatusPart(0));
    if (c.state == MCI_MODE_NOT_READY) {
        // The not-ready views are the same whether or not a window is still there.
        EXPECT_EQ("", StatusPart(2));
        EXPECT_EQ(0, positionTrackbar.GetPosition());
    } else {
        // Position and length queried from the movie window.
        EXPECT_EQ("00:02/00:05", StatusPart(2));
        EXPECT_EQ(100, positionTrackbar.GetPosition());
    }
    EXPECT_EQ(200, SendMessageA(positionTrackbar.GetWindow(), TBM_GETRANGEMAX, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(EachState, ControlsState, testing::ValuesIn(STATE_CASES),
                         [](const testing::TestParamInfo<StateCase>& info) {
                             return std::to_string(info.param.state);
                         });

TEST(Controls, RefreshStatusWritesNothingForAStateThatIsNeverStored) {
    StartWithEveryControl();
    SetStatusPart(1, "one");
    SetStatusPart(2, "two");
    playerState = 527; // MCI_MODE_SEEK: a mode of the movie window, never a player state
    EXPECT_TRUE(statusBar.RefreshStatus());
    EXPECT_EQ("one", StatusPart(1));
    EXPECT_EQ("two", StatusPart(2));
}

TEST(Controls, HelpTextGoesToPartZeroAndANullTextWritesNothing) {
    StartWithEveryControl();
    EXPECT_TRUE(statusBar.ShowHelpText("Open a movie file"));
    EXPECT_EQ("Open a movie file", StatusPart(0));
    EXPECT_FALSE(statusBar.ShowHelpText(nullptr));
    EXPECT_EQ("Open a movie file", StatusPart(0));
    EXPECT_TRUE(statusBar.ShowHelpText(""));
    EXPECT_EQ("", StatusPart(0));
    EXPECT_EQ("", StatusPart(1));
}

TEST(Controls, TimeTextGoesToPartTwoAndANegativeValueWritesNothing) {
    StartWithEveryControl();
    EXPECT_TRUE(statusBar.ShowTime(5000, 5400000));
    EXPECT_EQ("00:05/01:30:00", StatusPart(2));
    EXPECT_FALSE(statusBar.ShowTime(-1, 5000));
    EXPECT_FALSE(statusBar.ShowTime(5000, -1));
    EXPECT_EQ("00:05/01:30:00", StatusPart(2));
    EXPECT_EQ("", StatusPart(1));
}

TEST(Controls, SetPositionMovesTheThumbAndGetPositionReadsIt) {
    StartWithEveryControl();
    EXPECT_TRUE(positionTrackbar.SetPosition(150));
    EXPECT_EQ(150, SendMessageA(positionTrackbar.GetWindow(), TBM_GETPOS, 0, 0));
    SendMessageA(positionTrackbar.GetWindow(), TBM_SETPOS, TRUE, 42);
    EXPECT_EQ(42, positionTrackbar.GetPosition());
    // The not-ready refresh puts it back to 0.
    application.SetPlayerState(MCI_MODE_NOT_READY);
    EXPECT_EQ(0, positionTrackbar.GetPosition());
}

TEST(Controls, CreatingAControlTwiceIsRefused) {
    StartWithEveryControl();
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND status = statusBar.GetWindow();
    const HWND trackbar = positionTrackbar.GetWindow();
    EXPECT_FALSE(transportToolbar.Create());
    EXPECT_FALSE(statusBar.Create());
    EXPECT_FALSE(positionTrackbar.Create());
    EXPECT_EQ(toolbar, transportToolbar.GetWindow());
    EXPECT_EQ(status, statusBar.GetWindow());
    EXPECT_EQ(trackbar, positionTrackbar.GetWindow());
}

TEST(Controls, ControlsAreNotCreatedBeforeTheWindowsTheyNeed) {
    // Nothing started: no instance and no frame.
    EXPECT_FALSE(transportToolbar.Create());
    EXPECT_FALSE(statusBar.Create());
    EXPECT_FALSE(positionTrackbar.Create());
    EXPECT_EQ(nullptr, transportToolbar.GetWindow());
    EXPECT_FALSE(transportToolbar.RefreshButtons());
    EXPECT_TRUE(statusBar.RefreshStatus());
    EXPECT_FALSE(statusBar.ShowHelpText("x"));
    EXPECT_FALSE(statusBar.ShowTime(0, 0));
    EXPECT_TRUE(positionTrackbar.RefreshTrackbar());
    EXPECT_FALSE(positionTrackbar.SetPosition(3));
    EXPECT_EQ(0, positionTrackbar.GetPosition());
}

TEST(Controls, HoveringAButtonAsksTheFrameForItsToolTip) {
    StartWithEveryControl();
    const HWND frame = mainFrame.GetWindow();
    const HWND toolbar = transportToolbar.GetWindow();
    ToolTipSpy spy;
    RECT button = {};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button)));
    POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    POINT screen = centre;
    ClientToScreen(toolbar, &screen);
    SetForegroundWindow(frame);
    SetActiveWindow(frame);
    // Away first: under Wine a pointer that an earlier run left on the button brings the
    // tooltip no motion of its own, and every other run then waits in vain.
    SetCursorPos(screen.x, screen.y + 200);
    PumpUntil(
        [&] {
            POINT now = {};
            GetCursorPos(&now);
            return now.y == screen.y + 200;
        },
        3000);
    SetCursorPos(screen.x, screen.y);
    const bool warped = PumpUntil(
        [&] {
            POINT now = {};
            GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y && WindowFromPoint(now) == toolbar;
        },
        3000);
    // The tooltip control asks after its initial delay, and only while the frame is active;
    // disabled buttons have tips too. Processes sharing the Wine server share one foreground
    // window, so activation is taken back, and the hover started again, if it was lost.
    PostMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    const bool asked = warped && PumpUntil(
                                     [&] {
                                         if (GetActiveWindow() != frame) {
                                             SetForegroundWindow(frame);
                                             SetActiveWindow(frame);
                                             PostMessageA(toolbar, WM_MOUSEMOVE, 0,
                                                          MAKELPARAM(centre.x, centre.y));
                                         }
                                         return !spy.requests.empty();
                                     },
                                     8000);
    ASSERT_TRUE(warped);
    ASSERT_TRUE(asked);
    EXPECT_EQ(static_cast<UINT_PTR>(IDM_STOP), spy.requests[0]);
    EXPECT_EQ("Stop", spy.answers[0]);
}

// --- While playing: only what changes is written ---------------------------------------------

namespace {

// Counts the writes that reach a control and those of them that would not change what it shows:
// a time text equal to the one part 2 shows, a thumb position equal to the current one.
class UnchangedWriteSpy : public WindowSpy {
  public:
    explicit UnchangedWriteSpy(HWND control) : WindowSpy(control) {}
    int writes = 0;
    int unchanged = 0;

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SB_SETTEXTA && LOBYTE(wParam) == 2) {
            ++writes;
            unchanged += StatusPart(2) == reinterpret_cast<const char*>(lParam) ? 1 : 0;
        } else if (message == WM_SETTEXT) {
            ++writes;
            ++unchanged; // the status bar's own text is never the player's to write
        } else if (message == TBM_SETPOS) {
            ++writes;
            unchanged += TrackbarPosition() == static_cast<int>(lParam) ? 1 : 0;
        }
        return CallOriginal(window, message, wParam, lParam);
    }
};

} // namespace

TEST(Controls, PlayingWritesTheTimeTextAndThePositionOnlyWhenTheyChange) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    ASSERT_NO_FATAL_FAILURE(OpenMovie("clip320.avi"));
    UnchangedWriteSpy status(statusBar.GetWindow());
    UnchangedWriteSpy trackbar(positionTrackbar.GetWindow());
    ASSERT_TRUE(status.Installed());
    ASSERT_TRUE(trackbar.Installed());

    // The same second and thumb place again and again, as the position notification brings.
    const int length = static_cast<int>(SendMessageA(Movie(), MCIWNDM_GETLENGTH, 0, 0));
    for (int position : {1000, 1100, 1400, 1990, 1000, 2000, 2000, 2400}) {
        statusBar.ShowTime(position, length);
        positionTrackbar.SetPosition(position * 200 / length);
    }
    EXPECT_EQ("00:02/00:05", StatusPart(2));
    EXPECT_EQ(2, status.writes); // 00:01, then 00:02
    EXPECT_EQ(0, status.unchanged);
    EXPECT_EQ(0, trackbar.unchanged);

    // Playing: every notification still shows the right text and thumb, but writes only news.
    Command(IDM_PLAYPAUSE);
    const int before = status.writes;
    PumpUntil([] { return MoviePosition() >= 2600; }, 10000);
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
    EXPECT_GT(status.writes, before);
    EXPECT_EQ(0, status.unchanged);
    EXPECT_EQ(0, trackbar.unchanged);
}

namespace {

// Counts the left button's releases that reach a window.
class ReleaseSpy : public WindowSpy {
  public:
    explicit ReleaseSpy(HWND window) : WindowSpy(window) {}
    int releases = 0;

  protected:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONUP) {
            ++releases;
        }
        return CallOriginal(window, message, wParam, lParam);
    }
};

} // namespace

// The trackbar takes the focus on its own press; the frame takes it back, so that Space, the
// arrows and the accelerators keep working.
TEST(Controls, AClickOnTheTrackbarLeavesTheKeyboardFocusWithTheFrame) {
    ASSERT_NO_FATAL_FAILURE(StartWithEveryControl());
    const HWND frame = mainFrame.GetWindow();
    const HWND trackbar = positionTrackbar.GetWindow();
    SetForegroundWindow(frame);
    SetActiveWindow(frame);
    SetFocus(frame);
    ReleaseSpy spy(trackbar);
    const RECT rect = OuterRect(trackbar);
    // On the channel away from the thumb (a page click), and on the thumb (a drag).
    const int xs[] = {(rect.left + rect.right) / 2, rect.left + 12};
    for (int x : xs) {
        const int before = spy.releases;
        ASSERT_TRUE(ClickAt(x, (rect.top + rect.bottom) / 2));
        EXPECT_TRUE(PumpUntil([&] { return spy.releases > before; }, 3000));
        PumpPending();
        EXPECT_EQ(frame, GetFocus()) << x;
    }
}
