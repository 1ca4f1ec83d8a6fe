// The three-part status bar: menu help, state text, time text.
#include <windows.h>
#include <commctrl.h>

#include "shell/StatusBar.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "core/TimeText.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/WindowMetrics.h"

#include <cstring>

namespace {

// WS_CHILD, WS_VISIBLE, WS_CLIPSIBLINGS, SBARS_SIZEGRIP and CCS_BOTTOM.
const DWORD STATUS_STYLE = 0x54000103;
static_assert(STATUS_STYLE ==
                  (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_BOTTOM),
              "status bar style");

const WPARAM HELP_PART = 0;
const WPARAM STATE_PART = 1;
const WPARAM TIME_PART = 2;

void SetPartText(HWND window, WPARAM part, const char* text) {
    // Drawing type 0: the sunken default.
    SendMessageA(window, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

// Whether a part already shows the time text (the drawing type is always the default).
bool PartShows(HWND window, WPARAM part, const char* text) {
    const size_t length = LOWORD(SendMessageA(window, SB_GETTEXTLENGTHA, part, 0));
    if (length != std::strlen(text) || length >= static_cast<size_t>(TIME_TEXT_SIZE)) {
        return false;
    }
    char shown[TIME_TEXT_SIZE] = "";
    SendMessageA(window, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(shown));
    return std::strcmp(shown, text) == 0;
}

} // namespace

StatusBar::StatusBar() : window(nullptr) {}

bool StatusBar::Create() {
    const HWND frame = mainFrame.GetWindow();
    if (frame == nullptr || window != nullptr) {
        return false;
    }
    // The control places itself along the bottom of the frame (CCS_BOTTOM).
    const HWND created = CreateStatusWindowA(STATUS_STYLE, nullptr, frame, IDC_STATUSBAR);
    if (created == nullptr) {
        return false;
    }
    window = created;
    SetParts();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

bool StatusBar::SetParts() {
    if (window == nullptr) {
        return false;
    }
    const WindowMetrics metrics;
    const std::array<int32_t, 3> edges =
        StatusPartEdges(metrics.Width(window), metrics.Height(window));
    INT parts[3] = {edges[0], edges[1], edges[2]};
    SendMessageA(window, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    return true;
}

bool StatusBar::OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight) {
    // In full screen the status bar is hidden and keeps its last place and parts.
    if (frame == nullptr || window == nullptr || fullScreenController.mode != Windowed) {
        return false;
    }
    const WindowMetrics metrics;
    const int32_t height = metrics.Height(window);
    MoveWindow(window, 0, newClientHeight - height, newClientWidth, height, TRUE);
    return SetParts();
}

bool StatusBar::ShowHelpText(const char* text) {
    if (text == nullptr || window == nullptr) {
        return false;
    }
    SetPartText(window, HELP_PART, text);
    return true;
}

bool StatusBar::ShowTime(int32_t position, int32_t length) {
    if (window == nullptr) {
        return false;
    }
    char text[TIME_TEXT_SIZE];
    if (!TimeText(position, length, text)) {
        return false;
    }
    // While playing the position arrives twice a second and the text changes once a second:
    // the unchanged text is not written again.
    if (!PartShows(window, TIME_PART, text)) {
        SetPartText(window, TIME_PART, text);
    }
    return true;
}

bool StatusBar::RefreshStatus() {
    if (window == nullptr) {
        return true;
    }
    if (StatusShowsTime(playerState) && movieWindow.GetWindow() != nullptr) {
        const int32_t position = movieWindow.GetPosition();
        const int32_t length = movieWindow.GetLength();
        ShowTime(position, length);
    }
    // The help part belongs to menu help and is left alone.
    const char* stateText = StateText(playerState);
    if (stateText != nullptr) {
        SetPartText(window, STATE_PART, stateText);
        if (playerState == MCI_MODE_NOT_READY) {
            SetPartText(window, TIME_PART, "");
        }
    }
    return true;
}
