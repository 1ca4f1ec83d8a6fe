// Opening and closing a movie.
#pragma once

#include <windows.h>

void OpenMovie(HWND frame);
void CloseMovie(HWND frame);
