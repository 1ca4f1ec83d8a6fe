// The fair floor: the bare host with the controls the player must have around its movie window,
// made with the player's own calls: the toolbar with its bitmap, the status bar of three parts
// and the trackbar in the toolbar. Nothing else: no menu, no state, no layout after start-up.
#include <windows.h>
#include <commctrl.h>
#include <vfw.h>

#include "bench/BareMovie.h"
#include "res/resource.h"
#include "shell/FrameGeometry.h"
#include "shell/Profile.h"

namespace {

// The player's styles: the flat toolbar with tooltips, the status bar with its grip along the
// bottom, the horizontal trackbar without ticks.
const DWORD TOOLBAR_STYLE = 0x54000906;
const DWORD STATUS_STYLE = 0x54000103;
const DWORD TRACKBAR_STYLE = 0x50000018;
const int GLYPHS = 9;
const int BUTTONS = 9;
const int STATE_PART_WIDTH = 80;
const int TIME_PART_WIDTH = 99;

TBBUTTON Button(int image, int command, BYTE style) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    return button;
}

int Height(HWND window) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ProfileStep("start-up");
    const HWND frame = CreateBareFrame(instance);
    if (frame == nullptr) {
        return 1;
    }
    ProfileStep("frame");
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    ProfileStep("common controls");

    const TBBUTTON buttons[BUTTONS] = {
        Button(0, IDM_PLAYPAUSE, TBSTYLE_BUTTON),  Button(2, IDM_STOP, TBSTYLE_BUTTON),
        Button(3, IDM_CLOSE, TBSTYLE_BUTTON),      Button(TOOLBAR_SEPARATOR, 0, TBSTYLE_SEP),
        Button(4, IDM_BEGINNING, TBSTYLE_BUTTON),  Button(5, IDM_REWIND, TBSTYLE_BUTTON),
        Button(6, IDM_FORWARD, TBSTYLE_BUTTON),    Button(7, IDM_END, TBSTYLE_BUTTON),
        Button(TOOLBAR_SEPARATOR, 0, TBSTYLE_SEP),
    };
    const HWND toolbar = CreateToolbarEx(frame, TOOLBAR_STYLE, IDC_TOOLBAR, GLYPHS, instance,
                                         IDB_TOOLBAR, buttons, BUTTONS, TOOLBAR_CELL, TOOLBAR_CELL,
                                         TOOLBAR_CELL, TOOLBAR_CELL, sizeof(TBBUTTON));
    RECT client = {0, 0, 0, 0};
    GetClientRect(frame, &client);
    const int toolbarHeight = Height(toolbar) - 2;
    MoveWindow(toolbar, 0, 0, client.right, toolbarHeight, TRUE);
    ShowWindow(toolbar, SW_SHOW);
    UpdateWindow(toolbar);
    ProfileStep("toolbar");

    const HWND status = CreateStatusWindowA(STATUS_STYLE, nullptr, frame, IDC_STATUSBAR);
    INT parts[3] = {client.right - STATE_PART_WIDTH - TIME_PART_WIDTH - Height(status),
                    client.right - TIME_PART_WIDTH - Height(status), -1};
    SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    ShowWindow(status, SW_SHOW);
    UpdateWindow(status);
    ProfileStep("status bar");

    const HWND trackbar = CreateWindowExA(0, "msctls_trackbar32", "", TRACKBAR_STYLE, TRACKBAR_LEFT,
                                          TRACKBAR_TOP, TrackbarCreateWidth(client.right, 96),
                                          TRACKBAR_HEIGHT, frame, nullptr, instance, nullptr);
    SetParent(trackbar, toolbar);
    ShowWindow(trackbar, SW_SHOW);
    UpdateWindow(trackbar);
    ProfileStep("trackbar");

    char path[MAX_PATH];
    const HWND movie = CreateBareMovie(frame, instance, BarePath(commandLine, path));
    ProfileStep("opened");
    if (movie != nullptr) {
        // Below the toolbar, as the player's video area puts it.
        SetWindowPos(movie, nullptr, 0, toolbarHeight, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(movie, MCI_PLAY, 0, 0);
        ProfileStep("playing");
    }
    return RunBareLoop();
}
