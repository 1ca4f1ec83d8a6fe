// The black video area (class "ChildWnd"): parent of the movie window, receiver of its and the
// trackbar's notifications.
#pragma once

#include <windows.h>

#include "core/Seeking.h"

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
    // Takes the left-button presses of a new movie window too, which covers the picture.
    bool WatchMovieClicks(HWND movie);
    // A left-button press on the video area or the picture, at a point of the screen: the
    // second of a double click switches full screen.
    bool OnLeftPress(uint32_t time, int32_t screenX, int32_t screenY);

  private:
    bool FitMovie();
    HWND window;
    Press lastPress;
};

LRESULT CALLBACK ChildWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern VideoHost videoHost;
