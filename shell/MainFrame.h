// The main frame window (class "MainWnd") and its message handling.
#pragma once

#include <windows.h>

#include <cstdint>

class MainFrame {
  public:
    MainFrame();
    ~MainFrame() {}
    bool Create();
    HWND GetWindow() const { return window; }
    // The DPI the frame is drawn at, which every pixel value of the layout is scaled to.
    int32_t Dpi() const { return dpi; }
    LRESULT HandleMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

    bool RefreshMenu();
    bool FitToMovie(int32_t movieWidth, int32_t movieHeight);

    LRESULT ToggleRepeat(HWND frame, WPARAM wParam, LPARAM lParam);
    LRESULT ZoomTo(HWND frame, int32_t percent);
    LRESULT ZoomToFit(HWND frame);
    LRESULT ShowAbout(HWND frame, WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelect(HWND frame, WPARAM wParam, LPARAM lParam);
    LRESULT OnToolTipText(HWND frame, WPARAM wParam, LPARAM lParam);
    LRESULT OnSizing(HWND frame, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(HWND frame, WPARAM wParam, LPARAM lParam);
    // The frame moved to a monitor of another scale, or the scale changed.
    LRESULT OnDpiChanged(HWND frame, WPARAM wParam, LPARAM lParam);
    // Volume Up (direction > 0) and Down, and Mute; each shows what the sound now is.
    LRESULT StepVolume(int32_t direction);
    LRESULT ToggleMute();

  private:
    LRESULT OnCommand(HWND frame, WPARAM wParam, LPARAM lParam);
    // The menu that holds the items: the bar's, or the one full screen keeps aside.
    HMENU CurrentMenu() const;
    // Status part 0 and the Mute check mark say what the mixer has now.
    void ShowSound();
    void CheckMute(bool muted);
    HWND window;
    int32_t dpi;
    // The part of a notch that fine-grained wheels have turned so far.
    int32_t wheelRemainder;
};

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern MainFrame mainFrame;
