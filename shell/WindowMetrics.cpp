// Measures windows afresh on every query; 0 for a null window.
#include <windows.h>

#include "shell/WindowMetrics.h"

namespace {

RECT OuterRect(HWND window) {
    RECT rect = {0, 0, 0, 0};
    if (window != nullptr && !GetWindowRect(window, &rect)) {
        rect = RECT{0, 0, 0, 0};
    }
    return rect;
}

RECT ClientRect(HWND window) {
    RECT rect = {0, 0, 0, 0};
    if (window != nullptr && !GetClientRect(window, &rect)) {
        rect = RECT{0, 0, 0, 0};
    }
    return rect;
}

} // namespace

int32_t WindowMetrics::Left(HWND window) const {
    return OuterRect(window).left;
}

int32_t WindowMetrics::Top(HWND window) const {
    return OuterRect(window).top;
}

int32_t WindowMetrics::Width(HWND window) const {
    const RECT rect = OuterRect(window);
    return rect.right - rect.left;
}

int32_t WindowMetrics::Height(HWND window) const {
    const RECT rect = OuterRect(window);
    return rect.bottom - rect.top;
}

int32_t WindowMetrics::ClientWidth(HWND window) const {
    const RECT rect = ClientRect(window);
    return rect.right - rect.left;
}

int32_t WindowMetrics::ClientHeight(HWND window) const {
    const RECT rect = ClientRect(window);
    return rect.bottom - rect.top;
}

namespace {

// Looked up by name, once: older systems have no such function, and the program still starts.
typedef UINT(WINAPI* DpiForWindow)(HWND);
DpiForWindow dpiForWindow = nullptr;
bool dpiForWindowLooked = false;

} // namespace

int32_t WindowDpi(HWND window) {
    if (!dpiForWindowLooked) {
        dpiForWindowLooked = true;
        dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    }
    if (window != nullptr && dpiForWindow != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int32_t>(dpi);
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}
