// The flat toolbar with the seven transport buttons.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

class TransportToolbar {
  public:
    TransportToolbar();
    ~TransportToolbar() {}
    bool Create();
    HWND GetWindow() const { return window; }
    bool OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight);
    bool RefreshButtons();
    // Buttons and images at the new DPI's size; the frame lays the toolbar out afterwards.
    bool OnDpiChanged(int32_t dpi);

  private:
    HWND window;
    // Drawn at run time for a DPI other than 96, kept while the toolbar may draw from them.
    HBITMAP strip;
    HIMAGELIST images;
    // The toolbar's height at 96 DPI, from the height the control chose at creation.
    int32_t baseHeight;
};

extern TransportToolbar transportToolbar;
