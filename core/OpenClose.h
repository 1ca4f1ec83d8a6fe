// Opening and closing a movie.
#pragma once

#include <windows.h>
#include <shellapi.h>

void OpenMovie(HWND frame);
void CloseMovie(HWND frame);
// Opens the first of the files dropped on the frame and plays it, as a movie named on the
// command line; the drop's block is freed.
void OpenDroppedFile(HWND frame, HDROP drop);
