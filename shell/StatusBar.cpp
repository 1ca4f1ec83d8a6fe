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

#include <algorithm>
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

// The width of a text in a window's font.
int32_t TextWidth(HDC dc, const char* text) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}

// The status font for a DPI: the system's for that DPI where it can tell (Windows 10 1607 and
// later), else its own scaled from the DPI it has.
HFONT StatusFontFor(int32_t dpi, int32_t systemDpi) {
    typedef BOOL(WINAPI * ParametersForDpi)(UINT, UINT, PVOID, UINT, UINT);
    const ParametersForDpi parametersForDpi =
        reinterpret_cast<ParametersForDpi>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    // The wide form: SystemParametersInfoForDpi has no 8-bit one.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi != nullptr && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                                        &metrics, 0, static_cast<UINT>(dpi))) {
        return CreateFontIndirectW(&metrics.lfStatusFont);
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi, systemDpi);
    return CreateFontIndirectW(&metrics.lfStatusFont);
}

} // namespace

StatusBar::StatusBar() : window(nullptr), font(nullptr), stateWidth(0), timeWidth(0) {}

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
    MeasureParts();
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
        StatusPartEdgesFor(metrics.Width(window), metrics.Height(window), stateWidth, timeWidth);
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

void StatusBar::MeasureParts() {
    const HDC dc = GetDC(window);
    if (dc == nullptr) {
        return;
    }
    const HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    const HGDIOBJ was = shown != nullptr ? SelectObject(dc, shown) : nullptr;
    int32_t state = 0;
    for (const PlayerState each : {MCI_MODE_STOP, MCI_MODE_PLAY, MCI_MODE_PAUSE}) {
        state = std::max(state, TextWidth(dc, StateText(each)));
    }
    // The longest time text, every digit the font's widest: no time can be wider.
    char widest = '0';
    for (char digit = '1'; digit <= '9'; ++digit) {
        const char one[2] = {digit, '\0'};
        const char best[2] = {widest, '\0'};
        widest = TextWidth(dc, one) > TextWidth(dc, best) ? digit : widest;
    }
    char time[] = "00:00:00/00:00:00";
    for (char& c : time) {
        c = c == '0' ? widest : c;
    }
    const int32_t dpi = mainFrame.Dpi();
    stateWidth = StatusPartWidth(state, dpi);
    timeWidth = StatusPartWidth(TextWidth(dc, time), dpi);
    if (was != nullptr) {
        SelectObject(dc, was);
    }
    ReleaseDC(window, dc);
}

bool StatusBar::OnDpiChanged(int32_t dpi) {
    if (window == nullptr) {
        return false;
    }
    const HFONT newFont = StatusFontFor(dpi, WindowDpi(nullptr));
    if (newFont != nullptr) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
        if (font != nullptr) {
            DeleteObject(font);
        }
        font = newFont;
    }
    // The control takes the height of its new font along the frame's bottom.
    SendMessageA(window, WM_SIZE, 0, 0);
    MeasureParts();
    return SetParts();
}
