// The least a program must do to show a movie in the platform's movie window: one top-level
// window and the movie window set up exactly as the player sets up its own. Shared by the
// bare host and the driver's in-process measurements, so that both floors are the same code.
#pragma once

#include <windows.h>
#include <vfw.h>

#include "shell/FrameGeometry.h"

#include <cstring>

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

// A borderless window over the whole screen, as the player's full screen.
inline HWND CreateBareScreenFrame(HINSTANCE instance) {
    const HWND frame = CreateBareFrame(instance);
    if (frame != nullptr) {
        SetWindowLongA(frame, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
        MoveWindow(frame, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
    }
    return frame;
}

// The picture at Fit to Window in the parent's client area, drawn by the movie window scaled
// to its client area, as the player places it.
inline void FitBareMovie(HWND parent, HWND movie) {
    RECT source = {0, 0, 0, 0};
    RECT area = {0, 0, 0, 0};
    SendMessageA(movie, MCIWNDM_GET_SOURCE, 0, reinterpret_cast<LPARAM>(&source));
    GetClientRect(parent, &area);
    const Placement picture =
        FitPicture(area.right, area.bottom, source.right - source.left, source.bottom - source.top);
    RECT outer, client;
    POINT origin = {0, 0};
    GetWindowRect(movie, &outer);
    GetClientRect(movie, &client);
    ClientToScreen(movie, &origin);
    SetWindowPos(movie, HWND_TOP, picture.x - (origin.x - outer.left),
                 picture.y - (origin.y - outer.top),
                 picture.width + (outer.right - outer.left) - client.right,
                 picture.height + (outer.bottom - outer.top) - client.bottom, SWP_NOACTIVATE);
    RECT dest = {0, 0, picture.width, picture.height};
    SendMessageA(movie, MCIWNDM_PUT_DEST, 0, reinterpret_cast<LPARAM>(&dest));
}

// "/fit " before the path: full screen with the picture fitted to it.
inline bool BareFitOption(const char** commandLine) {
    if (std::strncmp(*commandLine, "/fit ", 5) != 0) {
        return false;
    }
    *commandLine += 5;
    return true;
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

// The message loop until the frame is destroyed; its exit code.
inline int RunBareLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
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
