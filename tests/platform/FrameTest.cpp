// The main frame as start-up leaves it, its message table, menu help, tooltips, the minimum
// size and fitting the frame around a movie. Each test case runs in its own process.
#include <windows.h>
#include <commctrl.h>

#include "PlayerSupport.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/StartUp.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <string>
#include <vector>

using playertest::SetStatusPart;
using playertest::startedAccelerators;
using playertest::StartFrame;
using playertest::StartWithEveryControl;
using playertest::StatusPart;

namespace {

UINT ItemState(HMENU menu, UINT id) {
    return GetMenuState(menu, id, MF_BYCOMMAND);
}

bool Checked(UINT id) {
    return (ItemState(GetMenu(mainFrame.GetWindow()), id) & MF_CHECKED) != 0;
}

// Grayed and checked bits of every item the rules govern, for "nothing changed" checks.
std::vector<UINT> MenuSnapshot(HMENU menu) {
    std::vector<UINT> states;
    for (UINT id = IDM_FIRST; id <= IDM_LAST; ++id) {
        states.push_back(ItemState(menu, id) & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
    }
    return states;
}

// The WM_COMMAND messages the frame receives, however they are sent.
std::vector<WPARAM> commandsSeen;
std::vector<std::string> pendingPathAtCommand;
HHOOK commandHook = nullptr;

LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND) {
        char cls[32] = {};
        GetClassNameA(call->hwnd, cls, sizeof cls);
        if (std::string(cls) == "MainWnd") {
            commandsSeen.push_back(call->wParam);
            pendingPathAtCommand.push_back(pendingPath ? pendingPath : "<null>");
        }
    }
    return CallNextHookEx(commandHook, code, wParam, lParam);
}

struct CommandRecorder {
    CommandRecorder() {
        commandsSeen.clear();
        pendingPathAtCommand.clear();
        commandHook =
            SetWindowsHookExA(WH_CALLWNDPROC, RecordCommands, nullptr, GetCurrentThreadId());
    }
    ~CommandRecorder() { UnhookWindowsHookEx(commandHook); }
};

// What the frame is asked to become, before the platform's default processing clamps it.
std::vector<WINDOWPOS> movesSeen;
HHOOK moveHook = nullptr;

LRESULT CALLBACK RecordMoves(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGING &&
        call->hwnd == mainFrame.GetWindow()) {
        movesSeen.push_back(*reinterpret_cast<const WINDOWPOS*>(call->lParam));
    }
    return CallNextHookEx(moveHook, code, wParam, lParam);
}

struct MoveRecorder {
    MoveRecorder() {
        movesSeen.clear();
        moveHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordMoves, nullptr, GetCurrentThreadId());
    }
    ~MoveRecorder() { UnhookWindowsHookEx(moveHook); }
};

} // namespace

// --- Start-up -----------------------------------------------------------------------------

TEST(FrameStartUp, ShowsTitledFrameAtItsPlaceWithTheNoMovieMenu) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const RECT rect = OuterRect(frame);
    EXPECT_EQ(120, rect.left);
    EXPECT_EQ(50, rect.top);
    EXPECT_EQ(520, rect.right);
    EXPECT_EQ(370, rect.bottom);
    EXPECT_EQ("Quillotrope", WindowText(frame));
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
    EXPECT_NE(nullptr, startedAccelerators);

    // The resource has every item enabled and unchecked: these states come from start-up.
    const HMENU menu = GetMenu(frame);
    ASSERT_NE(nullptr, menu);
    for (const MenuItemRule& rule : MenuRules(MCI_MODE_NOT_READY, Windowed, false, 100)) {
        const UINT state = ItemState(menu, static_cast<UINT>(rule.commandId));
        if (rule.isCheck) {
            EXPECT_EQ(rule.value == RULE_MF_CHECKED, (state & MF_CHECKED) != 0) << rule.commandId;
        } else {
            EXPECT_EQ(rule.value == RULE_MF_GRAYED, (state & MF_GRAYED) != 0) << rule.commandId;
        }
    }
    for (UINT grayed :
         {IDM_CLOSE, IDM_PLAYPAUSE, IDM_STOP, IDM_BEGINNING, IDM_REWIND, IDM_FORWARD, IDM_END}) {
        EXPECT_NE(0u, ItemState(menu, grayed) & MF_GRAYED) << grayed;
    }
    for (UINT enabled : {IDM_OPEN, IDM_EXIT, IDM_ABOUT, IDM_FULLSCREEN, IDM_REPEAT}) {
        EXPECT_EQ(0u, ItemState(menu, enabled) & MF_GRAYED) << enabled;
    }
    EXPECT_TRUE(Checked(IDM_ZOOM100));
    EXPECT_FALSE(Checked(IDM_ZOOM50));
    EXPECT_FALSE(Checked(IDM_ZOOM200));
    EXPECT_FALSE(Checked(IDM_ZOOMFIT));
    EXPECT_FALSE(Checked(IDM_FULLSCREEN));
    EXPECT_FALSE(Checked(IDM_REPEAT));
}

TEST(FrameStartUp, FrameIsBoundToTheMainFrameObject) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&mainFrame), GetWindowLongPtrA(frame, GWLP_USERDATA));
    char cls[32] = {};
    GetClassNameA(frame, cls, sizeof cls);
    EXPECT_STREQ("MainWnd", cls);
    EXPECT_EQ(frame, FindOwnWindow("MainWnd"));
    // A second creation is refused: the object already holds its window.
    EXPECT_FALSE(mainFrame.Create());
    EXPECT_EQ(frame, mainFrame.GetWindow());
}

// Without a main frame nothing further may run: no controls, no accelerators and no
// command line, and WinMain does not enter the loop.
TEST(FrameStartUp, WithoutAnInstanceCreatesNothingAndRunsNoCommandLine) {
    HACCEL accel = reinterpret_cast<HACCEL>(1);
    CommandRecorder recorder;
    EXPECT_FALSE(StartUp(nullptr, "Z:\\some movie.avi", &accel));
    EXPECT_EQ(nullptr, accel);
    EXPECT_EQ(nullptr, mainFrame.GetWindow());
    EXPECT_EQ(nullptr, FindOwnWindow("MainWnd"));
    EXPECT_EQ(nullptr, transportToolbar.GetWindow());
    EXPECT_EQ(nullptr, statusBar.GetWindow());
    EXPECT_EQ(nullptr, videoHost.GetWindow());
    EXPECT_EQ(nullptr, pendingPath);
    EXPECT_TRUE(commandsSeen.empty());

    // Nothing was left behind that would stop a proper start.
    HACCEL second = nullptr;
    EXPECT_TRUE(StartUp(GetModuleHandleA(nullptr), "", &second));
    EXPECT_NE(nullptr, mainFrame.GetWindow());
}

TEST(FrameStartUp, EmptyCommandLineSendsNoCommand) {
    CommandRecorder recorder;
    StartFrame();
    EXPECT_TRUE(commandsSeen.empty());
    EXPECT_EQ(nullptr, pendingPath);
}

TEST(FrameStartUp, CommandLineIsKeptAndSentAsOpenThenPlayPause) {
    // Whatever Open makes of a missing file, the movie window's error box is answered.
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDOK); });
    CommandRecorder recorder;
    static const char commandLine[] = "Z:\\no\\such\\movie.avi";
    HACCEL accel = nullptr;
    ASSERT_TRUE(StartUp(GetModuleHandleA(nullptr), commandLine, &accel));
    ASSERT_GE(commandsSeen.size(), 2u);
    EXPECT_EQ(static_cast<WPARAM>(IDM_OPEN), commandsSeen.front());
    EXPECT_EQ(commandLine, pendingPathAtCommand.front());
    EXPECT_EQ(static_cast<WPARAM>(IDM_PLAYPAUSE), commandsSeen.back());
}

TEST(FrameStartUp, MessageLoopEndsWithTheQuitCodeOfExit) {
    StartFrame();
    PostMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(0, RunMessageLoop(startedAccelerators));
    EXPECT_FALSE(IsWindow(mainFrame.GetWindow()));
}

TEST(FrameStartUp, MessageLoopTranslatesAcceleratorsForTheFrame) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    HoldModifiers(true, false);
    PostMessageA(frame, WM_KEYDOWN, 'R', 1);
    PostMessageA(frame, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(0, RunMessageLoop(startedAccelerators));
    EXPECT_TRUE(repeat);
}

// --- The player state and the layout fan-out -------------------------------------------

namespace {

// Which of the frame's controls is sent a message, in the order they are, consecutive repeats
// collapsed; and whether the menu was already refreshed when the first one was.
std::vector<HWND> controlsReached;
bool stopEnabledAtFirstControl = false;
HHOOK controlHook = nullptr;

LRESULT CALLBACK RecordControls(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        for (HWND control : {transportToolbar.GetWindow(), statusBar.GetWindow(),
                             videoHost.GetWindow(), positionTrackbar.GetWindow()}) {
            if (call->hwnd != control) {
                continue;
            }
            if (controlsReached.empty()) {
                stopEnabledAtFirstControl =
                    (ItemState(GetMenu(mainFrame.GetWindow()), IDM_STOP) & MF_GRAYED) == 0;
            }
            if (controlsReached.empty() || controlsReached.back() != control) {
                controlsReached.push_back(control);
            }
        }
    }
    return CallNextHookEx(controlHook, code, wParam, lParam);
}

struct ControlRecorder {
    ControlRecorder() {
        controlsReached.clear();
        controlHook =
            SetWindowsHookExA(WH_CALLWNDPROC, RecordControls, nullptr, GetCurrentThreadId());
    }
    ~ControlRecorder() { UnhookWindowsHookEx(controlHook); }
};

} // namespace

TEST(FrameState, SetPlayerStateRefreshesMenuButtonsStatusAndTrackbarInOrder) {
    StartWithEveryControl();
    ASSERT_TRUE(application.SetPlayerState(MCI_MODE_PAUSE));
    EXPECT_EQ(MCI_MODE_PAUSE, playerState);
    // Back to no movie: every view has something to change.
    ControlRecorder recorder;
    ASSERT_TRUE(application.SetPlayerState(MCI_MODE_NOT_READY));
    EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
    const std::vector<HWND> expected = {transportToolbar.GetWindow(), statusBar.GetWindow(),
                                        positionTrackbar.GetWindow()};
    EXPECT_EQ(expected, controlsReached);
    EXPECT_FALSE(stopEnabledAtFirstControl); // the menu came first
    EXPECT_NE(0u, ItemState(GetMenu(mainFrame.GetWindow()), IDM_STOP) & MF_GRAYED);
}

TEST(FrameState, SetPlayerStateWithoutWindowsOnlyStores) {
    EXPECT_TRUE(application.SetPlayerState(MCI_MODE_PLAY));
    EXPECT_EQ(MCI_MODE_PLAY, playerState);
}

TEST(FrameLayout, SizeLaysOutToolbarStatusBarHostAndTrackbarInOrder) {
    StartWithEveryControl();
    const HWND frame = mainFrame.GetWindow();
    ControlRecorder recorder;
    MoveWindow(frame, 120, 50, 520, 410, TRUE);
    const std::vector<HWND> expected = {transportToolbar.GetWindow(), statusBar.GetWindow(),
                                        videoHost.GetWindow(), positionTrackbar.GetWindow()};
    EXPECT_EQ(expected, controlsReached);
    // Each laid out for the new client size.
    RECT client = {};
    GetClientRect(frame, &client);
    const WindowMetrics metrics;
    EXPECT_EQ(client.right, metrics.Width(transportToolbar.GetWindow()));
    EXPECT_EQ(client.right, metrics.Width(statusBar.GetWindow()));
    EXPECT_EQ(client.right, metrics.Width(videoHost.GetWindow()));
}

// --- Window binding and measuring -----------------------------------------------------------

TEST(FrameBinding, MessageBeforeBindingGetsDefaultProcessing) {
    StartFrame();
    // A window with no object in its user data, as every window is before WM_NCCREATE.
    const HWND plain = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, plain);
    ASSERT_EQ(0, GetWindowLongPtrA(plain, GWLP_USERDATA));

    MINMAXINFO viaProc = {};
    MINMAXINFO viaDefault = {};
    const LRESULT result =
        MainWndProc(plain, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&viaProc));
    const LRESULT expected =
        DefWindowProcA(plain, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&viaDefault));
    EXPECT_EQ(expected, result);
    EXPECT_EQ(viaDefault.ptMaxTrackSize.x, viaProc.ptMaxTrackSize.x);
    EXPECT_EQ(viaDefault.ptMinTrackSize.y, viaProc.ptMinTrackSize.y);

    // Not forwarded to the frame object either: Repeat does not run.
    EXPECT_EQ(0, MainWndProc(plain, WM_COMMAND, IDM_REPEAT, 0));
    EXPECT_FALSE(repeat);
    EXPECT_EQ(static_cast<LRESULT>(strlen("plain")), MainWndProc(plain, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(plain);
}

TEST(FrameMetrics, NullWindowMeasuresZero) {
    const WindowMetrics metrics;
    EXPECT_EQ(0, metrics.Left(nullptr));
    EXPECT_EQ(0, metrics.Top(nullptr));
    EXPECT_EQ(0, metrics.Width(nullptr));
    EXPECT_EQ(0, metrics.Height(nullptr));
    EXPECT_EQ(0, metrics.ClientWidth(nullptr));
    EXPECT_EQ(0, metrics.ClientHeight(nullptr));
}

TEST(FrameMetrics, MeasuresAfreshAfterEveryMove) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const WindowMetrics metrics;
    const struct { int x, y, width, height; } places[] = {{130, 60, 450, 360}, {10, 20, 640, 480}};
    for (const auto& place : places) {
        MoveWindow(frame, place.x, place.y, place.width, place.height, TRUE);
        RECT client = {};
        GetClientRect(frame, &client);
        EXPECT_EQ(place.x, metrics.Left(frame));
        EXPECT_EQ(place.y, metrics.Top(frame));
        EXPECT_EQ(place.width, metrics.Width(frame));
        EXPECT_EQ(place.height, metrics.Height(frame));
        EXPECT_EQ(client.right, metrics.ClientWidth(frame));
        EXPECT_EQ(client.bottom, metrics.ClientHeight(frame));
        EXPECT_LT(metrics.ClientWidth(frame), place.width); // the frame's border is outside
    }
}

// --- Commands -------------------------------------------------------------------------------

namespace {

struct CommandCase {
    UINT id;
    WORD highWord; // 0 from a menu item or button, 1 from an accelerator
};

// Readable test names in the test list.
void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.id << " high word " << c.highWord;
}

} // namespace

class FrameCommand : public testing::TestWithParam<CommandCase> {};

// Each command is observed by its own effect; the transport commands, Close among them, do
// nothing while no movie is open.
TEST_P(FrameCommand, ReachesItsHandler) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const CommandCase c = GetParam();
    const WPARAM wParam = MAKEWPARAM(c.id, c.highWord);
    const RECT rectBefore = OuterRect(frame);
    const LONG styleBefore = GetWindowLongA(frame, GWL_STYLE);
    const std::vector<UINT> menuBefore = MenuSnapshot(GetMenu(frame));

    switch (c.id) {
    case IDM_EXIT:
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_FALSE(IsWindow(frame));
        {
            MSG quit = {};
            ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(0u, quit.wParam);
        }
        return;
    case IDM_REPEAT:
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_TRUE(repeat);
        EXPECT_TRUE(Checked(IDM_REPEAT));
        return;
    case IDM_ZOOM50:
    case IDM_ZOOM100:
    case IDM_ZOOM200: {
        if (c.id == IDM_ZOOM100) {
            SendMessageA(frame, WM_COMMAND, IDM_ZOOM200, 0); // move away from the start value
        }
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        const int32_t percent = c.id == IDM_ZOOM50 ? 50 : c.id == IDM_ZOOM100 ? 100 : 200;
        EXPECT_EQ(percent, zoomPercent);
        EXPECT_TRUE(Checked(c.id));
        return;
    }
    case IDM_ZOOMFIT:
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_TRUE(zoomFit);
        EXPECT_EQ(100, zoomPercent);
        EXPECT_TRUE(Checked(IDM_ZOOMFIT));
        EXPECT_FALSE(Checked(IDM_ZOOM100));
        EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
        return;
    case IDM_FULLSCREEN:
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_EQ(FullScreen, fullScreenController.mode);
        // The platform keeps WS_CLIPSIBLINGS on every top-level window.
        EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_VISIBLE),
                  GetWindowLongA(frame, GWL_STYLE) & ~WS_CLIPSIBLINGS);
        return;
    case IDM_ABOUT: {
        std::string caption;
        DialogAnswerer answerer([&caption](HWND dialog) {
            caption = WindowText(dialog);
            PressDialogButton(dialog, IDOK);
        });
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ("Player", caption);
        return;
    }
    case IDM_OPEN: {
        DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        EXPECT_EQ(1, answerer.AnsweredCount());
        EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
        return;
    }
    case IDM_MUTE: {
        // Observed by what it says; the check mark says the same, and a second Mute leaves
        // the sound as the test found it.
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        const std::string said = playertest::StatusPart(0);
        EXPECT_TRUE(said == "Muted" || said.rfind("Volume ", 0) == 0 || said == "No sound device")
            << said;
        EXPECT_EQ(said == "Muted", Checked(IDM_MUTE));
        SendMessageA(frame, WM_COMMAND, wParam, 0);
        EXPECT_NE(said == "Muted", Checked(IDM_MUTE) && said != "No sound device");
        return;
    }
    default:
        // Play/Pause, Close, Stop, Beginning, Rewind, Forward, End, the frame steps without a
        // movie; the volume steps, which leave the menu as it was.
        EXPECT_EQ(0, SendMessageA(frame, WM_COMMAND, wParam, 0));
        PumpPending();
        EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
        EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
        EXPECT_EQ(styleBefore, GetWindowLongA(frame, GWL_STYLE));
        EXPECT_EQ(menuBefore, MenuSnapshot(GetMenu(frame)));
        EXPECT_EQ("Quillotrope", WindowText(frame));
        return;
    }
}

std::vector<CommandCase> AllCommands() {
    std::vector<CommandCase> cases;
    for (WORD high : {WORD{0}, WORD{1}}) {
        for (UINT id = IDM_FIRST; id <= IDM_LAST; ++id) {
            cases.push_back({id, high});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllIds, FrameCommand, testing::ValuesIn(AllCommands()),
                         [](const testing::TestParamInfo<CommandCase>& info) {
                             return std::to_string(info.param.id) + "_high" +
                                    std::to_string(info.param.highWord);
                         });

TEST(FrameCommands, IdOutsideTheRangeGetsDefaultProcessing) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const RECT rectBefore = OuterRect(frame);
    const std::vector<UINT> menuBefore = MenuSnapshot(GetMenu(frame));
    // Below, above, and ids hidden in the high word only: the low word alone decides.
    const WPARAM outside[] = {IDM_FIRST - 1,
                              IDM_LAST + 1,
                              IDOK,
                              0,
                              MAKEWPARAM(0, IDM_REPEAT),
                              MAKEWPARAM(IDM_LAST + 1, IDM_ZOOM50)};
    for (WPARAM wParam : outside) {
        EXPECT_EQ(DefWindowProcA(frame, WM_COMMAND, wParam, 0),
                  SendMessageA(frame, WM_COMMAND, wParam, 0))
            << wParam;
    }
    EXPECT_FALSE(repeat);
    EXPECT_EQ(100, zoomPercent);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
    EXPECT_EQ(menuBefore, MenuSnapshot(GetMenu(frame)));
}

TEST(FrameCommands, RepeatTwiceReturnsToUnchecked) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const bool expected[] = {true, false, true, false};
    for (bool on : expected) {
        SendMessageA(frame, WM_COMMAND, IDM_REPEAT, 0);
        EXPECT_EQ(on, repeat);
        EXPECT_EQ(on, Checked(IDM_REPEAT));
    }
}

// The four zoom items are one group: exactly the one chosen last is checked. Fit to Window
// keeps the last zoom for when it is left.
TEST(FrameCommands, EachZoomMovesTheCheckMark) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const struct {
        UINT id;
        int32_t percent;
        bool fit;
    } steps[] = {{IDM_ZOOM50, 50, false},   {IDM_ZOOMFIT, 50, true},  {IDM_ZOOM200, 200, false},
                 {IDM_ZOOM100, 100, false}, {IDM_ZOOMFIT, 100, true}, {IDM_ZOOMFIT, 100, true},
                 {IDM_ZOOM100, 100, false}, {IDM_ZOOM200, 200, false}};
    for (const auto& step : steps) {
        SendMessageA(frame, WM_COMMAND, step.id, 0);
        EXPECT_EQ(step.percent, zoomPercent);
        EXPECT_EQ(step.fit, zoomFit);
        for (UINT id : {IDM_ZOOM50, IDM_ZOOM100, IDM_ZOOM200, IDM_ZOOMFIT}) {
            EXPECT_EQ(id == step.id, Checked(id)) << step.id << " " << id;
        }
    }
}

// --- Accelerators -------------------------------------------------------------------------

namespace {

struct AcceleratorCase {
    UINT key;
    bool control;
    bool alt;
    UINT id;
};

// Readable test names in the test list.
void PrintTo(const AcceleratorCase& c, std::ostream* out) {
    *out << c.key << " -> " << c.id;
}

} // namespace

class FrameAccelerator : public testing::TestWithParam<AcceleratorCase> {};

// A key message run through the loaded table arrives as the command with high word 1.
TEST_P(FrameAccelerator, KeyArrivesAsItsCommand) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const AcceleratorCase c = GetParam();
    ASSERT_NE(nullptr, startedAccelerators);
    HoldModifiers(c.control, c.alt);
    // The platform sends no command for a grayed menu item: paused without a movie, every
    // item is enabled and the transport handlers still find no movie to act on.
    application.SetPlayerState(MCI_MODE_PAUSE);
    MSG msg = KeyDownMessage(frame, c.key, c.alt);

    // Open's dialog, if any, is cancelled.
    DialogAnswerer answerer([](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
    CommandRecorder recorder;
    EXPECT_NE(0, TranslateAcceleratorA(frame, startedAccelerators, &msg));
    ASSERT_EQ(1u, commandsSeen.size());
    EXPECT_EQ(MAKEWPARAM(c.id, 1), commandsSeen[0]);
    switch (c.id) {
    case IDM_REPEAT:
        EXPECT_TRUE(repeat);
        EXPECT_TRUE(Checked(IDM_REPEAT));
        break;
    case IDM_FULLSCREEN:
        EXPECT_EQ(FullScreen, fullScreenController.mode);
        break;
    case IDM_OPEN:
        EXPECT_EQ(1, answerer.AnsweredCount());
        break;
    default:
        EXPECT_EQ(MCI_MODE_PAUSE, playerState);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FrameAccelerator,
                         testing::Values(AcceleratorCase{'O', true, false, IDM_OPEN},
                                         AcceleratorCase{'R', true, false, IDM_REPEAT},
                                         AcceleratorCase{'S', true, false, IDM_STOP},
                                         AcceleratorCase{VK_END, false, false, IDM_END},
                                         AcceleratorCase{VK_HOME, false, false, IDM_BEGINNING},
                                         AcceleratorCase{VK_NEXT, false, false, IDM_FORWARD},
                                         AcceleratorCase{VK_PRIOR, false, false, IDM_REWIND},
                                         AcceleratorCase{VK_RETURN, false, true, IDM_FULLSCREEN},
                                         AcceleratorCase{VK_SPACE, false, false, IDM_PLAYPAUSE}),
                         [](const testing::TestParamInfo<AcceleratorCase>& info) {
                             return "Key" + std::to_string(info.param.key) + "_" +
                                    std::to_string(info.param.id);
                         });

// Measured here: an accelerator whose menu-bar item is grayed is swallowed by the platform
// (TranslateAcceleratorA still reports it translated); with the menu bar detached in full
// screen the same key reaches the frame.
TEST(FrameAcceleratorGrayed, ArrivesOnlyWithoutTheMenuBar) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    HoldModifiers(false, false);
    MSG msg = KeyDownMessage(frame, VK_SPACE, false);
    {
        CommandRecorder recorder;
        EXPECT_NE(0, TranslateAcceleratorA(frame, startedAccelerators, &msg));
        EXPECT_TRUE(commandsSeen.empty());
    }
    ASSERT_TRUE(fullScreenController.Enter());
    {
        CommandRecorder recorder;
        EXPECT_NE(0, TranslateAcceleratorA(frame, startedAccelerators, &msg));
        ASSERT_EQ(1u, commandsSeen.size());
        EXPECT_EQ(MAKEWPARAM(IDM_PLAYPAUSE, 1), commandsSeen[0]);
    }
}

// --- Keys ---------------------------------------------------------------------------------

TEST(FrameKeys, EscapeInWindowedModeChangesNothing) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const RECT rectBefore = OuterRect(frame);
    const LONG styleBefore = GetWindowLongA(frame, GWL_STYLE);
    const HMENU menuBefore = GetMenu(frame);
    const std::vector<UINT> statesBefore = MenuSnapshot(menuBefore);
    EXPECT_EQ(0, SendMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 1));
    PumpPending();
    EXPECT_EQ(Windowed, fullScreenController.mode);
    EXPECT_TRUE(SameRect(rectBefore, OuterRect(frame)));
    EXPECT_EQ(styleBefore, GetWindowLongA(frame, GWL_STYLE));
    EXPECT_EQ(menuBefore, GetMenu(frame));
    EXPECT_EQ(statesBefore, MenuSnapshot(GetMenu(frame)));
    EXPECT_EQ(nullptr, fullScreenController.savedMenu); // Leave did not run, nor Enter
}

TEST(FrameKeys, OtherKeyGetsDefaultAndLeavesTheStatusBarAlone) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    ASSERT_NE(nullptr, statusBar.GetWindow());
    SetStatusPart(0, "help before");
    const std::string part1 = StatusPart(1);
    const std::string part2 = StatusPart(2);
    for (WPARAM key : {WPARAM{'A'}, WPARAM{VK_F5}, WPARAM{VK_RETURN}, WPARAM{VK_SPACE}}) {
        EXPECT_EQ(DefWindowProcA(frame, WM_KEYDOWN, key, 1),
                  SendMessageA(frame, WM_KEYDOWN, key, 1));
    }
    PumpPending();
    EXPECT_EQ("help before", StatusPart(0));
    EXPECT_EQ(part1, StatusPart(1));
    EXPECT_EQ(part2, StatusPart(2));
    EXPECT_EQ(Windowed, fullScreenController.mode);
    EXPECT_EQ(MCI_MODE_NOT_READY, playerState);
}

// --- Menu help ------------------------------------------------------------------------------

namespace {

struct MenuSelectCase {
    const char* name;
    WORD item;
    WORD flags;
    int menu; // 0: null, 1: the menu bar, 2: the system menu
    const char* part0;
};

// Readable test names in the test list.
void PrintTo(const MenuSelectCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class FrameMenuHelp : public testing::TestWithParam<MenuSelectCase> {};

TEST_P(FrameMenuHelp, WritesHelpTextToPartZero) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    ASSERT_NE(nullptr, statusBar.GetWindow());
    const MenuSelectCase c = GetParam();
    SetStatusPart(0, "before");
    const HMENU menu = c.menu == 1   ? GetMenu(frame)
                       : c.menu == 2 ? GetSystemMenu(frame, FALSE)
                                     : nullptr;
    EXPECT_EQ(0, SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(c.item, c.flags),
                              reinterpret_cast<LPARAM>(menu)));
    EXPECT_EQ(c.part0, StatusPart(0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameMenuHelp,
    testing::Values(
        MenuSelectCase{"Open", IDM_OPEN, MF_HILITE | MF_MOUSESELECT, 1, "Open a movie file"},
        MenuSelectCase{"Exit", IDM_EXIT, MF_HILITE, 1, "Quit the application"},
        MenuSelectCase{"About", IDM_ABOUT, MF_HILITE, 1, "Display program infomation"},
        MenuSelectCase{"GrayedClose", IDM_CLOSE, MF_HILITE | MF_GRAYED, 1, "Close the movie"},
        MenuSelectCase{"Zoom50", IDM_ZOOM50, MF_HILITE, 1, ""},
        MenuSelectCase{"Zoom200", IDM_ZOOM200, MF_HILITE | MF_CHECKED, 1, ""},
        MenuSelectCase{"ZoomFit", IDM_ZOOMFIT, MF_HILITE, 1, "Fit the picture to the window"},
        MenuSelectCase{"FilePopup", 0, MF_POPUP | MF_HILITE, 1, ""},
        // Flags decide before the id: an item id under a popup or system flag gives no help.
        MenuSelectCase{"PopupWithCommandId", IDM_OPEN, MF_POPUP | MF_HILITE, 1, ""},
        MenuSelectCase{"SystemClose", SC_CLOSE, MF_SYSMENU | MF_HILITE, 2, ""},
        MenuSelectCase{"SystemWithCommandId", IDM_EXIT, MF_SYSMENU | MF_HILITE, 2, ""},
        MenuSelectCase{"AllFlagsWithMenu", IDM_OPEN, 0xFFFF, 1, ""},
        MenuSelectCase{"Closed", 0, 0xFFFF, 0, "before"}),
    [](const testing::TestParamInfo<MenuSelectCase>& info) { return info.param.name; });

TEST(FrameMenuHelpClose, ClosingTheMenuRewritesStateAndTimeButKeepsHelp) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    ASSERT_NE(nullptr, statusBar.GetWindow());
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(IDM_OPEN, MF_HILITE),
                 reinterpret_cast<LPARAM>(GetMenu(frame)));
    SetStatusPart(1, "stale state");
    SetStatusPart(2, "stale time");
    EXPECT_EQ(0, SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0));
    EXPECT_EQ("Open a movie file", StatusPart(0));
    EXPECT_EQ("", StatusPart(1)); // no movie: no state text
    EXPECT_EQ("", StatusPart(2));
}

// --- Tooltips, clicks and focus -----------------------------------------------------------

namespace {

struct ToolTipCase {
    UINT_PTR idFrom;
    const char* text;
};

// Readable test names in the test list.
void PrintTo(const ToolTipCase& c, std::ostream* out) {
    *out << c.idFrom;
}

} // namespace

class FrameToolTip : public testing::TestWithParam<ToolTipCase> {};

TEST_P(FrameToolTip, AnswersWithTheCommandsTooltip) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    const ToolTipCase c = GetParam();
    TOOLTIPTEXTA request = {};
    request.hdr.hwndFrom = frame;
    request.hdr.idFrom = c.idFrom;
    request.hdr.code = TTN_NEEDTEXTA;
    char sentinel[] = "untouched";
    request.lpszText = sentinel;
    request.hinst = reinterpret_cast<HINSTANCE>(0x1234);
    memset(request.szText, 'x', sizeof request.szText);
    EXPECT_EQ(0, SendMessageA(frame, WM_NOTIFY, c.idFrom, reinterpret_cast<LPARAM>(&request)));
    EXPECT_STREQ(c.text, request.szText); // terminator included
    EXPECT_EQ(sentinel, request.lpszText);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(0x1234), request.hinst);
    EXPECT_EQ('x', request.szText[sizeof request.szText - 1]); // nothing written past the text
}

INSTANTIATE_TEST_SUITE_P(Ids, FrameToolTip,
                         testing::Values(ToolTipCase{IDM_CLOSE, "Close"},
                                         ToolTipCase{IDM_OPEN, "Unknown"},
                                         ToolTipCase{IDM_PLAYPAUSE, "Play/Pause"},
                                         ToolTipCase{IDM_END, "End"},
                                         ToolTipCase{IDM_ZOOM50, "Unknown"},
                                         ToolTipCase{0x10000 + IDM_CLOSE, "Unknown"}));

class FrameFocus : public testing::Test {
  protected:
    void SetUp() override {
        StartFrame();
        frame = mainFrame.GetWindow();
        SetForegroundWindow(frame);
        child = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, child);
        SetFocus(child);
        ASSERT_EQ(child, GetFocus());
    }
    void TearDown() override { DestroyWindow(child); }

    LRESULT Notify(UINT_PTR idFrom, int code) {
        NMMOUSE mouse = {};
        mouse.hdr.hwndFrom = child;
        mouse.hdr.idFrom = idFrom;
        mouse.hdr.code = static_cast<UINT>(code);
        return SendMessageA(frame, WM_NOTIFY, idFrom, reinterpret_cast<LPARAM>(&mouse));
    }

    HWND frame = nullptr;
    HWND child = nullptr;
};

TEST_F(FrameFocus, ToolbarClickGivesTheFrameTheFocus) {
    EXPECT_EQ(0, Notify(IDC_TOOLBAR, NM_LDOWN));
    EXPECT_EQ(frame, GetFocus());
}

TEST_F(FrameFocus, ClickFromAnotherControlKeepsTheFocus) {
    EXPECT_EQ(0, Notify(IDC_STATUSBAR, NM_LDOWN));
    EXPECT_EQ(child, GetFocus());
}

TEST_F(FrameFocus, OtherNotificationGetsDefaultProcessing) {
    NMHDR header = {child, IDC_TOOLBAR, static_cast<UINT>(NM_CLICK)};
    const LRESULT expected =
        DefWindowProcA(frame, WM_NOTIFY, IDC_TOOLBAR, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(expected, Notify(IDC_TOOLBAR, NM_CLICK));
    EXPECT_EQ(child, GetFocus());
}

TEST_F(FrameFocus, LeftButtonInAChildGivesTheFrameTheFocus) {
    EXPECT_EQ(
        0, SendMessageA(frame, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(5, 5)));
    EXPECT_EQ(frame, GetFocus());
}

TEST_F(FrameFocus, OtherParentNotificationKeepsTheFocus) {
    EXPECT_EQ(
        0, SendMessageA(frame, WM_PARENTNOTIFY, MAKEWPARAM(WM_RBUTTONDOWN, 0), MAKELPARAM(5, 5)));
    EXPECT_EQ(
        0, SendMessageA(frame, WM_PARENTNOTIFY, MAKEWPARAM(WM_MBUTTONDOWN, 0), MAKELPARAM(5, 5)));
    EXPECT_EQ(child, GetFocus());
}

// --- Minimum size ---------------------------------------------------------------------------

namespace {

struct SizingCase {
    const char* name;
    RECT proposed; // relative to a frame at (100, 80) of 450 x 360
    RECT expected;
};

// Readable test names in the test list.
void PrintTo(const SizingCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class FrameSizing : public testing::TestWithParam<SizingCase> {};

TEST_P(FrameSizing, KeepsADimensionProposedBelowItsMinimum) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    MoveWindow(frame, 100, 80, 450, 360, TRUE);
    const SizingCase c = GetParam();
    RECT rect = c.proposed;
    EXPECT_EQ(0, SendMessageA(frame, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(c.expected.left, rect.left) << c.name;
    EXPECT_EQ(c.expected.top, rect.top) << c.name;
    EXPECT_EQ(c.expected.right, rect.right) << c.name;
    EXPECT_EQ(c.expected.bottom, rect.bottom) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameSizing,
    testing::Values(SizingCase{"Width390", {160, 80, 550, 440}, {100, 80, 550, 440}},
                    SizingCase{"Width410", {140, 80, 550, 440}, {140, 80, 550, 440}},
                    SizingCase{"Width400", {150, 80, 550, 440}, {150, 80, 550, 440}},
                    SizingCase{"Width399RightEdge", {100, 80, 499, 440}, {100, 80, 550, 440}},
                    SizingCase{"Height300", {100, 140, 550, 440}, {100, 80, 550, 440}},
                    SizingCase{"Height330", {100, 110, 550, 440}, {100, 110, 550, 440}},
                    SizingCase{"Height319Bottom", {100, 80, 550, 399}, {100, 80, 550, 440}},
                    SizingCase{"BothBelow", {200, 200, 550, 440}, {100, 80, 550, 440}},
                    SizingCase{"WidthBelowHeightTaken", {160, 70, 550, 440}, {100, 70, 550, 440}},
                    SizingCase{"Larger", {50, 30, 900, 700}, {50, 30, 900, 700}}),
    [](const testing::TestParamInfo<SizingCase>& info) { return info.param.name; });

// A window manager resizes the frame without WM_SIZING: the floor is also the minimum tracking
// size, which the platform applies to every sizing (Wine hands it to the manager too).
TEST(FrameMinMax, MinimumTrackingSizeIsTheFloor) {
    StartFrame();
    const HWND frame = mainFrame.GetWindow();
    MINMAXINFO limits = {};
    limits.ptMaxTrackSize = {5000, 4000};
    EXPECT_EQ(0, SendMessageA(frame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)));
    EXPECT_EQ(400, limits.ptMinTrackSize.x);
    EXPECT_EQ(320, limits.ptMinTrackSize.y);
    EXPECT_EQ(5000, limits.ptMaxTrackSize.x); // the rest stays as it came
    EXPECT_EQ(4000, limits.ptMaxTrackSize.y);
    MoveWindow(frame, 100, 80, 150, 90, TRUE);
    RECT rect = {};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(400, rect.right - rect.left);
    EXPECT_EQ(320, rect.bottom - rect.top);
}

// --- Fitting the frame around a movie ------------------------------------------------------

class FrameFit : public testing::Test {
  protected:
    void SetUp() override {
        StartFrame();
        frame = mainFrame.GetWindow();
        ASSERT_NE(nullptr, transportToolbar.GetWindow());
        ASSERT_NE(nullptr, statusBar.GetWindow());
        ASSERT_NE(nullptr, videoHost.GetWindow());
        maxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
        maxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
        MoveWindow(frame, 70, 40, 450, 360, TRUE);
        PumpPending();
    }
    HWND frame = nullptr;
    int maxWidth = 0;
    int maxHeight = 0;
};

TEST_F(FrameFit, SmallMovieGetsTheMinimumFrameAtTheCurrentCorner) {
    EXPECT_TRUE(mainFrame.FitToMovie(32, 24));
    const RECT rect = OuterRect(frame);
    EXPECT_EQ(70, rect.left);
    EXPECT_EQ(40, rect.top);
    EXPECT_EQ(400, rect.right - rect.left);
    EXPECT_EQ(320, rect.bottom - rect.top);
}

TEST_F(FrameFit, MediumMovieGetsItsSizePlusTheMargin) {
    ASSERT_GT(maxWidth, 600);
    ASSERT_GT(maxHeight, 500);
    EXPECT_TRUE(mainFrame.FitToMovie(420, 300));
    PumpPending();
    const WindowMetrics metrics;
    const HWND host = videoHost.GetWindow();
    EXPECT_EQ(70, metrics.Left(frame));
    EXPECT_EQ(40, metrics.Top(frame));
    // No scroll bars showed before or after, so the host's client area is the movie + 8.
    EXPECT_EQ(420 + 8, metrics.ClientWidth(host));
    EXPECT_EQ(300 + 8, metrics.ClientHeight(host));
}

// The platform then clamps the frame to its maximum tracking size. Measured here (Wine,
// 1280 x 1024): SM_CYMAXIMIZED is 1062 but SM_CYMAXTRACK 1036, so the height the frame asks
// for is not the height it gets. The request itself is what FitToMovie decides.
TEST_F(FrameFit, HugeMovieGetsTheMaximizedSizeAtZero) {
    MoveRecorder moves;
    EXPECT_TRUE(mainFrame.FitToMovie(20000, 20000));
    ASSERT_FALSE(movesSeen.empty());
    const WINDOWPOS asked = movesSeen.front();
    EXPECT_EQ(0, asked.x);
    EXPECT_EQ(0, asked.y);
    EXPECT_EQ(maxWidth, asked.cx);
    EXPECT_EQ(maxHeight, asked.cy);
    const RECT rect = OuterRect(frame);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(std::min(maxWidth, GetSystemMetrics(SM_CXMAXTRACK)), rect.right - rect.left);
    EXPECT_EQ(std::min(maxHeight, GetSystemMetrics(SM_CYMAXTRACK)), rect.bottom - rect.top);
}

TEST_F(FrameFit, OnlyTheDimensionThatReachesTheMaximumGoesToZero) {
    {
        MoveRecorder moves;
        EXPECT_TRUE(mainFrame.FitToMovie(20000, 24));
        ASSERT_FALSE(movesSeen.empty());
        EXPECT_EQ(0, movesSeen.front().x);
        EXPECT_EQ(40, movesSeen.front().y);
        EXPECT_EQ(maxWidth, movesSeen.front().cx);
        EXPECT_EQ(320, movesSeen.front().cy);
    }
    MoveWindow(frame, 70, 40, 450, 360, TRUE);
    PumpPending();
    {
        MoveRecorder moves;
        EXPECT_TRUE(mainFrame.FitToMovie(24, 20000));
        ASSERT_FALSE(movesSeen.empty());
        EXPECT_EQ(70, movesSeen.front().x);
        EXPECT_EQ(0, movesSeen.front().y);
        EXPECT_EQ(400, movesSeen.front().cx);
        EXPECT_EQ(maxHeight, movesSeen.front().cy);
    }
    const RECT rect = OuterRect(frame);
    EXPECT_EQ(70, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(400, rect.right - rect.left);
}

TEST_F(FrameFit, FullScreenModeChangesNothing) {
    ASSERT_TRUE(fullScreenController.Enter());
    PumpPending();
    const RECT before = OuterRect(frame);
    EXPECT_FALSE(mainFrame.FitToMovie(32, 24));
    EXPECT_FALSE(mainFrame.FitToMovie(20000, 20000));
    EXPECT_TRUE(SameRect(before, OuterRect(frame)));
}

TEST(FrameFitWithout, NoFrameReturnsFalse) {
    EXPECT_FALSE(mainFrame.FitToMovie(320, 240));
    EXPECT_FALSE(mainFrame.RefreshMenu());
}
