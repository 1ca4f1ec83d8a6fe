// STUB: to be replaced
#include <windows.h>
#include "core/OpenClose.h"
void OpenMovie(HWND) {}
void CloseMovie(HWND) {}
