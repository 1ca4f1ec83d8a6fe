// STUB: to be replaced
#include <windows.h>
#include "shell/TransportToolbar.h"
TransportToolbar::TransportToolbar() : window(nullptr) {}
bool TransportToolbar::Create() { return false; }
bool TransportToolbar::OnFrameSize(HWND, int32_t, int32_t) { return false; }
bool TransportToolbar::RefreshButtons() { return false; }
