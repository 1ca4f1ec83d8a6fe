// The flat toolbar with the seven transport buttons.
#pragma once

#include <windows.h>

#include <cstdint>

class TransportToolbar {
  public:
    TransportToolbar();
    ~TransportToolbar() {}
    bool Create();
    HWND GetWindow() const { return window; }
    bool OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight);
    bool RefreshButtons();

  private:
    HWND window;
};

extern TransportToolbar transportToolbar;
