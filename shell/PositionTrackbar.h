// The position trackbar, drawn inside the toolbar, notifying the video host.
#pragma once

#include <windows.h>

#include <cstdint>

class PositionTrackbar {
  public:
    PositionTrackbar();
    ~PositionTrackbar() {}
    bool Create();
    HWND GetWindow() const { return window; }
    bool SetPosition(int32_t position);
    int32_t GetPosition() const;
    bool OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight);
    bool RefreshTrackbar();
    // Its place and height in the toolbar at the new DPI.
    bool OnDpiChanged(int32_t dpi);

  private:
    HWND window;
};

extern PositionTrackbar positionTrackbar;
