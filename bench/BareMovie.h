// The least a program must do to show a movie in the platform's movie window: one top-level
// window and the movie window set up exactly as the player sets up its own. Shared by the
// bare host and the driver's in-process measurements, so that both floors are the same code.
#pragma once

#include <windows.h>
#include <vfw.h>

// WS_CHILD | WS_VISIBLE with MCIWNDF_NOPLAYBAR, NOMENU, NOTIFYMODE, NOTIFYPOS, NOTIFYSIZE and
// NOOPEN: the player's style.
const DWORD BARE_MOVIE_STYLE = 0x5000870A;
const char BARE_FRAME_CLASS[] = "BareHost";

inline LRESULT CALLBACK BareFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window of the player's first size (400 x 320), black like its video area.
inline HWND CreateBareFrame(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareFrameProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = BARE_FRAME_CLASS;
    if (RegisterClassA(&windowClass) == 0) {
        return nullptr;
    }
    return CreateWindowExA(0, BARE_FRAME_CLASS, "Bare host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CW_USEDEFAULT, CW_USEDEFAULT, 400, 320, nullptr, nullptr, instance,
                           nullptr);
}

// MCIWndCreateA, then the three settings the player makes, then shown and drawn.
inline HWND CreateBareMovie(HWND parent, HINSTANCE instance, const char* path) {
    const HWND movie = MCIWndCreateA(parent, instance, BARE_MOVIE_STYLE, path);
    if (movie == nullptr) {
        return nullptr;
    }
    SendMessageA(movie, MCIWNDM_SETTIMERS, 500, 500);
    SendMessageA(movie, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<LPARAM>("ms"));
    SendMessageA(movie, MCIWNDM_SETZOOM, 0, 100);
    ShowWindow(movie, SW_SHOW);
    UpdateWindow(movie);
    return movie;
}

// The command line is one path, perhaps in double quotes.
inline const char* BarePath(const char* commandLine, char (&path)[MAX_PATH]) {
    if (commandLine[0] == '"') {
        ++commandLine;
    }
    size_t length = 0;
    while (commandLine[length] != '\0' && length < MAX_PATH - 1) {
        path[length] = commandLine[length];
        ++length;
    }
    if (length > 0 && path[length - 1] == '"') {
        --length;
    }
    path[length] = '\0';
    return path;
}
