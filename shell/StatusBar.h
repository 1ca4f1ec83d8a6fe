// The three-part status bar: menu help, state text, time text.
#pragma once

#include <windows.h>

#include <cstdint>

class StatusBar {
  public:
    StatusBar();
    ~StatusBar() {}
    bool Create();
    HWND GetWindow() const { return window; }
    bool OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight);
    bool ShowHelpText(const char* text);
    bool ShowTime(int32_t position, int32_t length);
    bool RefreshStatus();

  private:
    bool SetParts();
    HWND window;
};

extern StatusBar statusBar;
