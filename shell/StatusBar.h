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
    // The status font at the new DPI, and the parts measured in it.
    bool OnDpiChanged(int32_t dpi);

  private:
    bool SetParts();
    // Measures the widest state and time texts in the control's font.
    void MeasureParts();
    HWND window;
    // Made for a DPI change; the control's own font until then.
    HFONT font;
    int32_t stateWidth;
    int32_t timeWidth;
};

extern StatusBar statusBar;
