// STUB: to be replaced
#include <windows.h>
#include "shell/VideoHost.h"
VideoHost::VideoHost() : window(nullptr) {}
bool VideoHost::Create() { return false; }
bool VideoHost::OnFrameSize(HWND, int32_t, int32_t) { return false; }
bool VideoHost::CentreMovie() { return false; }
LRESULT VideoHost::HandleMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
bool VideoHost::UpdateScrollBars() { return false; }
bool VideoHost::OnScroll(int, WPARAM) { return false; }
bool VideoHost::ShowContextMenu(int32_t, int32_t) { return false; }
bool VideoHost::OnMovieSize(HWND) { return false; }
LRESULT CALLBACK ChildWndProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
