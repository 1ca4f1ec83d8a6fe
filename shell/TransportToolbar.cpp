// The flat toolbar with the seven transport buttons.
#include <windows.h>
#include <commctrl.h>

#include "shell/TransportToolbar.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/ToolbarGlyphs.h"
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
// The separators' places among the buttons.
const int SEPARATORS[] = {3, 8};

TBBUTTON Button(int image, int command) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    return button;
}

// A separator carries its width where a button has its image.
TBBUTTON Separator(int width) {
    TBBUTTON separator = Button(width, 0);
    separator.fsStyle = TBSTYLE_SEP;
    return separator;
}

// The glyph strip drawn for square cells of a size, in the system's button colours as the
// toolbar maps those of the resource's strip (which the same shapes drew at 20 pixels): every
// pixel is the face, the shadow, the highlight or one of the glyph's own two colours.
HBITMAP DrawGlyphStrip(int32_t cell) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cell * BITMAP_COUNT;
    info.bmiHeader.biHeight = -cell; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP strip = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr || bits == nullptr) {
        return strip;
    }
    // 0x00RRGGBB, as the section stores its pixels.
    const auto pixel = [](COLORREF colour) {
        return static_cast<DWORD>(GetRValue(colour)) << 16 |
               static_cast<DWORD>(GetGValue(colour)) << 8 | GetBValue(colour);
    };
    const DWORD colours[] = {pixel(GetSysColor(COLOR_BTNFACE)), pixel(RGB(128, 0, 0)),
                             pixel(RGB(0, 64, 0)), pixel(GetSysColor(COLOR_BTNSHADOW)),
                             pixel(GetSysColor(COLOR_BTNHIGHLIGHT))};
    DWORD* out = static_cast<DWORD*>(bits);
    for (int32_t y = 0; y < cell; ++y) {
        for (int32_t x = 0; x < cell * BITMAP_COUNT; ++x) {
            *out++ = colours[GlyphPixel(x / cell, x % cell, y, cell)];
        }
    }
    GdiFlush();
    return strip;
}

} // namespace

TransportToolbar::TransportToolbar()
    : window(nullptr), strip(nullptr), images(nullptr), baseHeight(0) {}

bool TransportToolbar::Create() {
    const HINSTANCE instance = application.GetInstance();
    const HWND frame = mainFrame.GetWindow();
    if (instance == nullptr || frame == nullptr || window != nullptr) {
        return false;
    }
    const int32_t dpi = mainFrame.Dpi();
    const int32_t cell = Scaled(TOOLBAR_CELL, dpi);
    const int separator = Scaled(TOOLBAR_SEPARATOR, dpi);
    // Image 1, the pause glyph, is switched in by RefreshButtons.
    const TBBUTTON buttons[BUTTON_COUNT] = {
        Button(0, IDM_PLAYPAUSE), Button(2, IDM_STOP),      Button(3, IDM_CLOSE),
        Separator(separator),     Button(4, IDM_BEGINNING), Button(5, IDM_REWIND),
        Button(6, IDM_FORWARD),   Button(7, IDM_END),       Separator(separator),
    };
    // At 96 DPI the resource's strip; at any other, the same glyphs drawn at that size, which
    // the control takes as a bitmap handle in place of a resource.
    HINSTANCE bitmapModule = instance;
    UINT_PTR bitmap = IDB_TOOLBAR;
    if (cell != TOOLBAR_CELL) {
        strip = DrawGlyphStrip(cell);
        bitmapModule = nullptr;
        bitmap = reinterpret_cast<UINT_PTR>(strip);
    }
    const HWND created =
        CreateToolbarEx(frame, TOOLBAR_STYLE, IDC_TOOLBAR, BITMAP_COUNT, bitmapModule, bitmap,
                        buttons, BUTTON_COUNT, cell, cell, cell, cell, sizeof(TBBUTTON));
    if (created == nullptr) {
        return false;
    }
    window = created;
    // The control gives itself a height of its own, which does not follow the DPI: less 2, it
    // is the toolbar's height at 96 DPI, scaled from then on.
    const WindowMetrics metrics;
    baseHeight = metrics.Height(window) - 2;
    MoveWindow(window, 0, 0, metrics.ClientWidth(frame), Scaled(baseHeight, dpi), TRUE);
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

bool TransportToolbar::OnDpiChanged(int32_t dpi) {
    if (window == nullptr) {
        return false;
    }
    const int32_t cell = Scaled(TOOLBAR_CELL, dpi);
    const HBITMAP newStrip = DrawGlyphStrip(cell);
    const HIMAGELIST newImages =
        ImageList_Create(cell, cell, ILC_COLOR32 | ILC_MASK, BITMAP_COUNT, 0);
    if (newStrip == nullptr || newImages == nullptr) {
        DeleteObject(newStrip);
        ImageList_Destroy(newImages);
        return false;
    }
    // The face around the glyphs is the mask, as for the strip the control loaded itself.
    ImageList_AddMasked(newImages, newStrip, GetSysColor(COLOR_BTNFACE));
    SendMessageA(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(newImages));
    SendMessageA(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(cell, cell));
    TBBUTTONINFOA separator = {};
    separator.cbSize = sizeof separator;
    separator.dwMask = TBIF_BYINDEX | TBIF_SIZE;
    separator.cx = static_cast<WORD>(Scaled(TOOLBAR_SEPARATOR, dpi));
    for (const int index : SEPARATORS) {
        SendMessageA(window, TB_SETBUTTONINFOA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&separator));
    }
    // The earlier images go once the control draws from the new ones.
    if (images != nullptr) {
        ImageList_Destroy(images);
    }
    if (strip != nullptr) {
        DeleteObject(strip);
    }
    images = newImages;
    strip = newStrip;
    const WindowMetrics metrics;
    SetWindowPos(window, nullptr, 0, 0, metrics.Width(window), Scaled(baseHeight, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    return true;
}
