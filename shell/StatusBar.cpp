// STUB: to be replaced
#include <windows.h>
#include "shell/StatusBar.h"
StatusBar::StatusBar() : window(nullptr) {}
bool StatusBar::Create() { return false; }
bool StatusBar::OnFrameSize(HWND, int32_t, int32_t) { return false; }
bool StatusBar::ShowHelpText(const char*) { return false; }
bool StatusBar::ShowTime(int32_t, int32_t) { return false; }
bool StatusBar::RefreshStatus() { return true; }
bool StatusBar::SetParts() { return false; }
