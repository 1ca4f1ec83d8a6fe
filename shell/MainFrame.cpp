// STUB: to be replaced
#include <windows.h>
#include "shell/MainFrame.h"
MainFrame::MainFrame() : window(nullptr) {}
bool MainFrame::Create() { return false; }
LRESULT MainFrame::HandleMessage(HWND f, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(f, m, w, l); }
bool MainFrame::RefreshMenu() { return false; }
bool MainFrame::FitToMovie(int32_t, int32_t) { return false; }
LRESULT CALLBACK MainWndProc(HWND f, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(f, m, w, l); }
