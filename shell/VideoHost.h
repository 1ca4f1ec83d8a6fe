// The black video area (class "ChildWnd"): parent of the movie window, receiver of its and the
// trackbar's notifications.
#pragma once

#include <windows.h>

#include <cstdint>

class VideoHost {
  public:
    VideoHost();
    ~VideoHost() {}
    bool Create();
    HWND GetWindow() const { return window; }
    bool OnFrameSize(HWND frame, int32_t newClientWidth, int32_t newClientHeight);
    bool CentreMovie();
    LRESULT HandleMessage(HWND host, UINT message, WPARAM wParam, LPARAM lParam);

    bool UpdateScrollBars();
    bool OnScroll(int bar, WPARAM wParam);
    bool ShowContextMenu(int32_t x, int32_t y);
    // The context menu at the video area's top-left corner, as the keyboard asks for it.
    bool ShowContextMenuAtArea();
    bool OnMovieSize(HWND movie);

  private:
    HWND window;
};

LRESULT CALLBACK ChildWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern VideoHost videoHost;
