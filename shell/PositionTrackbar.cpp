// The position trackbar, drawn inside the toolbar, notifying the video host.
#include <windows.h>
#include <commctrl.h>

#include "shell/PositionTrackbar.h"
#include "core/PlayerState.h"
#include "core/Seeking.h"
#include "movie/MovieWindow.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/MainFrame.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"

namespace {

// WS_CHILD, WS_VISIBLE, TBS_HORZ, TBS_BOTH and TBS_NOTICKS.
const DWORD TRACKBAR_STYLE = 0x50000018;
static_assert(TRACKBAR_STYLE == (WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_BOTH | TBS_NOTICKS),
              "trackbar style");

// SWP_NOMOVE, SWP_NOZORDER and SWP_NOACTIVATE: only the width changes.
const UINT WIDTH_ONLY = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

} // namespace

PositionTrackbar::PositionTrackbar() : window(nullptr) {}

bool PositionTrackbar::Create() {
    const HINSTANCE instance = application.GetInstance();
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND host = videoHost.GetWindow();
    if (instance == nullptr || toolbar == nullptr || host == nullptr || window != nullptr) {
        return false;
    }
    const WindowMetrics metrics;
    const int32_t dpi = mainFrame.Dpi();
    // The control sends its notifications to its creation parent for good, so it is created in
    // the video host, which seeks, and only then moved into the toolbar, where it is drawn.
    const HWND created =
        CreateWindowExA(0, "msctls_trackbar32", "", TRACKBAR_STYLE, Scaled(TRACKBAR_LEFT, dpi),
                        Scaled(TRACKBAR_TOP, dpi), TrackbarCreateWidth(metrics.Width(toolbar), dpi),
                        Scaled(TRACKBAR_HEIGHT, dpi), host, nullptr, instance, nullptr);
    if (created == nullptr) {
        return false;
    }
    window = created;
    SetParent(window, toolbar);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

bool PositionTrackbar::SetPosition(int32_t position) {
    if (window == nullptr) {
        return false;
    }
    // A thumb already there is not moved (nor redrawn) again.
    if (SendMessageA(window, TBM_GETPOS, 0, 0) != position) {
        SendMessageA(window, TBM_SETPOS, TRUE, position);
    }
    return true;
}

int32_t PositionTrackbar::GetPosition() const {
    if (window == nullptr) {
        return 0;
    }
    return static_cast<int32_t>(SendMessageA(window, TBM_GETPOS, 0, 0));
}

bool PositionTrackbar::OnFrameSize(HWND frame, int32_t, int32_t) {
    const HWND toolbar = transportToolbar.GetWindow();
    if (frame == nullptr || window == nullptr || toolbar == nullptr) {
        return false;
    }
    // Runs after the toolbar's own layout, so its right edge is the new one. In full screen
    // the toolbar has not moved and the width comes out as it was.
    RECT toolbarRect;
    RECT trackbarRect;
    if (!GetWindowRect(toolbar, &toolbarRect) || !GetWindowRect(window, &trackbarRect)) {
        return false;
    }
    const int32_t width = TrackbarNewWidth(toolbarRect.right, trackbarRect.left, mainFrame.Dpi());
    SetWindowPos(window, nullptr, 0, 0, width, trackbarRect.bottom - trackbarRect.top, WIDTH_ONLY);
    return true;
}

bool PositionTrackbar::RefreshTrackbar() {
    if (window == nullptr) {
        return true;
    }
    if (playerState == MCI_MODE_NOT_READY) {
        SendMessageA(window, TBM_SETRANGE, TRUE, MAKELPARAM(0, TRACK_SCALE));
        SetPosition(0);
        return true;
    }
    if (movieWindow.GetWindow() != nullptr) {
        const int32_t position = movieWindow.GetPosition();
        const int32_t length = movieWindow.GetLength();
        const int32_t start = movieWindow.GetStart();
        SetPosition(TrackPositionOf(position, start, length));
    }
    return true;
}

bool PositionTrackbar::OnDpiChanged(int32_t dpi) {
    const HWND toolbar = transportToolbar.GetWindow();
    if (window == nullptr || toolbar == nullptr) {
        return false;
    }
    const WindowMetrics metrics;
    SetWindowPos(window, nullptr, Scaled(TRACKBAR_LEFT, dpi), Scaled(TRACKBAR_TOP, dpi),
                 TrackbarCreateWidth(metrics.Width(toolbar), dpi), Scaled(TRACKBAR_HEIGHT, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
