// STUB: to be replaced
#include <windows.h>
#include "shell/PositionTrackbar.h"
PositionTrackbar::PositionTrackbar() : window(nullptr) {}
bool PositionTrackbar::Create() { return false; }
bool PositionTrackbar::SetPosition(int32_t) { return false; }
int32_t PositionTrackbar::GetPosition() const { return 0; }
bool PositionTrackbar::OnFrameSize(HWND, int32_t, int32_t) { return false; }
bool PositionTrackbar::RefreshTrackbar() { return true; }
