// STUB: to be replaced
#include <windows.h>
#include "shell/WindowMetrics.h"
int32_t WindowMetrics::Left(HWND) const { return 0; }
int32_t WindowMetrics::Top(HWND) const { return 0; }
int32_t WindowMetrics::Width(HWND) const { return 0; }
int32_t WindowMetrics::Height(HWND) const { return 0; }
int32_t WindowMetrics::ClientWidth(HWND) const { return 0; }
int32_t WindowMetrics::ClientHeight(HWND) const { return 0; }
