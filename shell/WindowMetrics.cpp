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
