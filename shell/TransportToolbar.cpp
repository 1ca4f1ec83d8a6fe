// The flat toolbar with the seven transport buttons.
#include <windows.h>
#include <commctrl.h>

#include "shell/TransportToolbar.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/WindowMetrics.h"

namespace {

// WS_CHILD, WS_VISIBLE, WS_CLIPSIBLINGS, TBSTYLE_FLAT, TBSTYLE_TOOLTIPS, CCS_NORESIZE and
// CCS_NOMOVEY.
const DWORD TOOLBAR_STYLE = 0x54000906;
static_assert(TOOLBAR_STYLE == (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOMOVEY),
              "toolbar style");

const int BITMAP_COUNT = 9;
const int BUTTON_COUNT = 9;
const int CELL_SIZE = 20; // buttons and bitmap cells alike
const int SEPARATOR_WIDTH = 6;

TBBUTTON Button(int image, int command) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    return button;
}

// A separator carries its width where a button has its image.
TBBUTTON Separator() {
    TBBUTTON separator = Button(SEPARATOR_WIDTH, 0);
    separator.fsStyle = TBSTYLE_SEP;
    return separator;
}

} // namespace

TransportToolbar::TransportToolbar() : window(nullptr) {}

bool TransportToolbar::Create() {
    const HINSTANCE instance = application.GetInstance();
    const HWND frame = mainFrame.GetWindow();
    if (instance == nullptr || frame == nullptr || window != nullptr) {
        return false;
    }
    // Image 1, the pause glyph, is switched in by RefreshButtons.
    const TBBUTTON buttons[BUTTON_COUNT] = {
        Button(0, IDM_PLAYPAUSE),
        Button(2, IDM_STOP),
        Button(3, IDM_CLOSE),
        Separator(),
        Button(4, IDM_BEGINNING),
        Button(5, IDM_REWIND),
        Button(6, IDM_FORWARD),
        Button(7, IDM_END),
        Separator(),
    };
    const HWND created = CreateToolbarEx(frame, TOOLBAR_STYLE, IDC_TOOLBAR, BITMAP_COUNT, instance,
                                         IDB_TOOLBAR, buttons, BUTTON_COUNT, CELL_SIZE, CELL_SIZE,
                                         CELL_SIZE, CELL_SIZE, sizeof(TBBUTTON));
    if (created == nullptr) {
        return false;
    }
    window = created;
    // The control sizes itself for its buttons; it keeps that height, less 2, from now on.
    const WindowMetrics metrics;
    MoveWindow(window, 0, 0, metrics.ClientWidth(frame), metrics.Height(window) - 2, TRUE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

bool TransportToolbar::OnFrameSize(HWND frame, int32_t newClientWidth, int32_t) {
    // In full screen the toolbar is hidden and keeps its place.
    if (frame == nullptr || window == nullptr || fullScreenController.mode != Windowed) {
        return false;
    }
    const WindowMetrics metrics;
    MoveWindow(window, 0, 0, newClientWidth, metrics.Height(window), TRUE);
    return true;
}

bool TransportToolbar::RefreshButtons() {
    if (window == nullptr) {
        return false;
    }
    for (const ButtonRule& rule : ButtonRules(playerState)) {
        SendMessageA(window, TB_ENABLEBUTTON, static_cast<WPARAM>(rule.commandId),
                     MAKELPARAM(rule.enabled ? 1 : 0, 0));
    }
    SendMessageA(window, TB_CHANGEBITMAP, IDM_PLAYPAUSE,
                 MAKELPARAM(PlayPauseImage(playerState), 0));
    return true;
}
