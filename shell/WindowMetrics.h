// Measures windows afresh on every query; 0 for a null window.
#pragma once

#include <windows.h>

#include <cstdint>

class WindowMetrics {
  public:
    int32_t Left(HWND window) const;
    int32_t Top(HWND window) const;
    int32_t Width(HWND window) const;
    int32_t Height(HWND window) const;
    int32_t ClientWidth(HWND window) const;
    int32_t ClientHeight(HWND window) const;
};

// The DPI a window is drawn at: GetDpiForWindow's where the system has it (Windows 10 1607 and
// later), else the screen's; the screen's for a null window.
int32_t WindowDpi(HWND window);
