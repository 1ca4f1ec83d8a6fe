// Switches the main frame between the captioned window and a borderless full-screen frame.
#include <windows.h>

#include "shell/FullScreenController.h"
#include "core/Rules.h"
#include "shell/FrameGeometry.h"
#include "shell/MainFrame.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

namespace {

// No caption, no border, no system menu.
const LONG FULL_SCREEN_STYLE = static_cast<LONG>(WS_POPUP | WS_VISIBLE);
static_assert(static_cast<DWORD>(FULL_SCREEN_STYLE) == 0x90000000u, "full-screen style");

// The switch moves the host and the movie window, and the platform carries their old pixels
// along where it thinks them still valid; a paused movie draws only when asked to. Painting
// the whole frame anew leaves nothing of the earlier layout on the screen.
void RepaintAll(HWND frame) {
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The full rectangle of the monitor that holds most of the frame (or is nearest to it).
Placement FrameMonitor(HWND frame) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    const HMONITOR monitor = MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST);
    const bool known = monitor != nullptr && GetMonitorInfoA(monitor, &info);
    const RECT& area = info.rcMonitor;
    return FullScreenPlacement(known, {area.left, area.top, area.right, area.bottom},
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// Moves the frame for the new mode. A move that leaves the client size as it was brings no
// size message, and the controls would keep the old mode's layout: they are laid out then.
void MoveForMode(HWND frame, int x, int y, int width, int height) {
    RECT before = {0, 0, 0, 0};
    GetClientRect(frame, &before);
    MoveWindow(frame, x, y, width, height, TRUE);
    RECT after = {0, 0, 0, 0};
    GetClientRect(frame, &after);
    if (after.right == before.right && after.bottom == before.bottom) {
        SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.right, after.bottom));
    }
}

// Wine 8 under a window manager clips the cursor to a foreground window that covers the
// monitor once the mouse is used on it, with a full-screen window of its own that takes every
// click; after the frame has left full screen that window stays, and the mouse no longer
// reaches any window. ClipCursor(NULL) alone does not end a clip that already equals the
// screen; a clip to the pixel under the cursor and then none does. Elsewhere nothing clips
// the cursor, and neither call moves it.
void ReleaseCursorClip() {
    POINT cursor = {0, 0};
    if (!GetCursorPos(&cursor)) {
        return;
    }
    const RECT pixel = {cursor.x, cursor.y, cursor.x + 1, cursor.y + 1};
    ClipCursor(&pixel);
    ClipCursor(nullptr);
}

// Often enough that a still mouse hides the pointer within a quarter second of the time.
const UINT POINTER_TICK_MS = 250;

bool SamePoint(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

FullScreenController::FullScreenController()
    : mode(Windowed), savedRect{0, 0, 0, 0}, savedStyle(0), savedMenu(nullptr), savedHostExStyle(0),
      pointerHidden(false), menuOpen(false), lastCursor{0, 0}, lastMouseUse(0) {}

bool FullScreenController::Enter() {
    if (mode != Windowed) {
        // Keeps the first saved state, so that Leave still restores it.
        return false;
    }
    const HWND frame = mainFrame.GetWindow();
    const HWND host = videoHost.GetWindow();

    savedStyle = GetWindowLongA(frame, GWL_STYLE);
    savedMenu = GetMenu(frame);
    GetWindowRect(frame, &savedRect);
    savedHostExStyle = GetWindowLongA(host, GWL_EXSTYLE);
    // Asked while the frame is still where the user had it.
    const Placement screen = FrameMonitor(frame);

    SetWindowLongA(frame, GWL_STYLE, FULL_SCREEN_STYLE);
    // Detached, not destroyed: it stays in savedMenu and is kept current there.
    SetMenu(frame, nullptr);
    // The trackbar is a child of the toolbar and hides with it.
    ShowWindow(transportToolbar.GetWindow(), SW_HIDE);
    ShowWindow(statusBar.GetWindow(), SW_HIDE);
    SetWindowLongA(host, GWL_EXSTYLE, 0);

    // The mode changes before the move, so the size message lays out for full screen.
    mode = FullScreen;
    MoveForMode(frame, screen.x, screen.y, screen.width, screen.height);
    RepaintAll(frame);
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    NoteMouseUse(cursor);
    SetTimer(frame, POINTER_TIMER, POINTER_TICK_MS, nullptr);
    return true;
}

bool FullScreenController::Leave() {
    if (mode != FullScreen) {
        return false;
    }
    const HWND frame = mainFrame.GetWindow();

    SetWindowLongA(frame, GWL_STYLE, savedStyle);
    SetMenu(frame, savedMenu);
    ShowWindow(transportToolbar.GetWindow(), SW_SHOW);
    ShowWindow(statusBar.GetWindow(), SW_SHOW);
    SetWindowLongA(videoHost.GetWindow(), GWL_EXSTYLE, savedHostExStyle);

    // Windowed again before the move, so the size message lays out all three controls.
    mode = Windowed;
    MoveForMode(frame, savedRect.left, savedRect.top, savedRect.right - savedRect.left,
                savedRect.bottom - savedRect.top);
    ReleaseCursorClip();
    RepaintAll(frame);
    KillTimer(frame, POINTER_TIMER);
    RevealPointer();
    return true;
}

void FullScreenController::OnPointerTimer() {
    const HWND frame = mainFrame.GetWindow();
    POINT cursor = {0, 0};
    if (mode != FullScreen || !GetCursorPos(&cursor)) {
        return;
    }
    // A move that brought no message (over another window, or one the platform did not pass
    // on) still counts.
    if (!SamePoint(cursor, lastCursor)) {
        NoteMouseUse(cursor);
        return;
    }
    if (pointerHidden) {
        return;
    }
    const HWND under = WindowFromPoint(cursor);
    const bool overFrame = under != nullptr && (under == frame || IsChild(frame, under));
    if (PointerHides(mode, GetTickCount() - lastMouseUse, overFrame, GetActiveWindow() == frame,
                     menuOpen)) {
        ShowCursor(FALSE);
        pointerHidden = true;
    }
}

void FullScreenController::OnMouseMessage(UINT mouseMessage) {
    POINT cursor = {0, 0};
    if (mode != FullScreen || !GetCursorPos(&cursor)) {
        return;
    }
    // The platform sends a move of its own when a window changes under a still pointer:
    // only a real move, or a press, is a use of the mouse.
    const bool press = mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN ||
                       mouseMessage == WM_MBUTTONDOWN || mouseMessage == WM_XBUTTONDOWN;
    if (press || (mouseMessage == WM_MOUSEMOVE && !SamePoint(cursor, lastCursor))) {
        NoteMouseUse(cursor);
    }
}

void FullScreenController::OnMenuLoop(bool entering) {
    menuOpen = entering;
    if (entering) {
        RevealPointer();
    } else {
        lastMouseUse = GetTickCount();
    }
}

void FullScreenController::RevealPointer() {
    if (pointerHidden) {
        ShowCursor(TRUE);
        pointerHidden = false;
    }
}

void FullScreenController::NoteMouseUse(POINT cursor) {
    lastCursor = cursor;
    lastMouseUse = GetTickCount();
    RevealPointer();
}
