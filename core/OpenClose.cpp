#include <windows.h>
#include <commdlg.h>
#include <shlwapi.h>

#include "core/OpenClose.h"
#include "core/CommandLine.h"
#include "core/DropFiles.h"
#include "core/PlayerState.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"

#include <cstdint>
#include <cstring>

namespace {

// One filter entry; the literal's own terminator ends the list.
const char OPEN_FILTER[] = "Avi files to play(*.avi)\0*.avi\0";

// The file-name part of a path that fits: a tail of it, so it fits the same size of buffer.
void FileTitleOf(const char (&path)[PATH_BUFFER_SIZE], char (&fileTitle)[PATH_BUFFER_SIZE]) {
    const char* name = PathFindFileNameA(path);
    std::memmove(fileTitle, name, std::strlen(name) + 1);
}

// The path named by pendingPath, which is used up either way. False when it does not fit.
bool TakePendingPath(char (&path)[PATH_BUFFER_SIZE]) {
    const bool fits = PathFromCommandLine(pendingPath, path);
    pendingPath = nullptr;
    return fits;
}

typedef BOOL(WINAPI* OpenFileNameFunction)(LPOPENFILENAMEA);

// The open-file dialog's DLL brings shell32, ole32 and more with it (under Wine six more modules
// and about 0.8 MB): it is loaded when the dialog is first wanted, not at start-up.
OpenFileNameFunction OpenFileNameDialog() {
    static OpenFileNameFunction function = nullptr;
    if (function == nullptr) {
        const HMODULE dialogs = LoadLibraryA("comdlg32.dll");
        if (dialogs != nullptr) {
            // Through the generic function type, which converts to any other without a warning.
            function = reinterpret_cast<OpenFileNameFunction>(
                reinterpret_cast<void (*)()>(GetProcAddress(dialogs, "GetOpenFileNameA")));
        }
    }
    return function;
}

// Wine 8's 8-bit dialog checks a path's length in UTF-16 letters but hands it over in UTF-8
// bytes: a path of more bytes than the buffer comes back cut, without its terminator. Its paths
// have at most MAX_PATH UTF-16 letters, each at most three bytes of UTF-8, so this buffer holds
// any of them whole (its last byte stays 0 all the same), and the length is checked here.
const size_t DIALOG_BUFFER_SIZE = 3 * PATH_BUFFER_SIZE + 1;

bool AskForPath(HWND frame, char (&path)[PATH_BUFFER_SIZE]) {
    const OpenFileNameFunction getOpenFileName = OpenFileNameDialog();
    if (getOpenFileName == nullptr) {
        return false;
    }
    char answer[DIALOG_BUFFER_SIZE] = "";
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    // The original form of the structure, without the later extension fields.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = frame;
    dialog.lpstrFilter = OPEN_FILTER;
    dialog.lpstrFile = answer;
    dialog.nMaxFile = DIALOG_BUFFER_SIZE - 1;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return getOpenFileName(&dialog) != FALSE && PathFromDialog(answer, path);
}

// The first dropped name in the process's ANSI code page (UTF-8 where the manifest asks for
// it), whole. A name that does not convert without loss, or does not fit the path buffer, is
// refused, never cut. The block is read in place: no shell library is needed for it.
bool DroppedPath(HDROP drop, char (&path)[PATH_BUFFER_SIZE]) {
    path[0] = '\0';
    const SIZE_T size = GlobalSize(drop);
    const uint8_t* block = static_cast<const uint8_t*>(GlobalLock(drop));
    if (block == nullptr) {
        return false;
    }
    const DroppedName name = FirstDroppedName(block, size);
    bool taken = false;
    // Every character takes at least one byte: a longer name cannot fit.
    if (name.found && name.length < PATH_BUFFER_SIZE) {
        if (!name.wide) {
            std::memcpy(path, block + name.offset, name.length);
            path[name.length] = '\0';
            taken = true;
        } else {
            WCHAR wide[PATH_BUFFER_SIZE];
            std::memcpy(wide, block + name.offset, name.length * sizeof(WCHAR));
            // UTF-8 takes neither a default character nor the best-fit flag.
            const bool utf8 = GetACP() == CP_UTF8;
            BOOL lossy = FALSE;
            const int bytes = WideCharToMultiByte(
                CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide,
                static_cast<int>(name.length), path, static_cast<int>(PATH_BUFFER_SIZE - 1),
                nullptr, utf8 ? nullptr : &lossy);
            taken = bytes > 0 && !lossy;
            path[taken ? bytes : 0] = '\0';
        }
    }
    GlobalUnlock(drop);
    return taken;
}

RECT FrameRect(HWND frame) {
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(frame, &rect);
    return rect;
}

void RestoreFrameRect(HWND frame, const RECT& rect) {
    const RECT now = FrameRect(frame);
    if (now.left != rect.left || now.top != rect.top || now.right != rect.right ||
        now.bottom != rect.bottom) {
        MoveWindow(frame, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   TRUE);
    }
}

} // namespace

void OpenMovie(HWND frame) {
    char path[PATH_BUFFER_SIZE] = "";
    char fileTitle[PATH_BUFFER_SIZE] = "";
    if (pendingPath != nullptr) {
        if (!TakePendingPath(path)) {
            return;
        }
    } else if (!AskForPath(frame, path)) {
        return;
    }
    FileTitleOf(path, fileTitle);

    const RECT beforeClose = FrameRect(frame);
    if (movieWindow.GetWindow() != nullptr) {
        SendMessageA(frame, WM_COMMAND, IDM_CLOSE, 0);
    }
    // A window that cannot open its file still reports a size while it is created, and the
    // frame fits itself around it; the refused movie must leave the frame as it found it. At
    // Fit to Window opening keeps the frame's size, the one Close gave a windowed frame too.
    const RECT before = zoomFit ? beforeClose : FrameRect(frame);
    if (!movieWindow.Create(path)) {
        RestoreFrameRect(frame, before);
        return;
    }
    if (zoomFit && !IsIconic(frame)) {
        RestoreFrameRect(frame, before);
    }

    videoHost.WatchMovieClicks(movieWindow.GetWindow());

    char title[TITLE_BUFFER_SIZE];
    TitleText(fileTitle, title);
    SetWindowTextA(frame, title);
    // The movie window may have reported its size before it was ours: lay the host out anew.
    SendMessageA(videoHost.GetWindow(), WM_SIZE, 0, 0);
    videoHost.CentreMovie();
    application.SetPlayerState(MCI_MODE_STOP);
}

void OpenDroppedFile(HWND frame, HDROP drop) {
    char path[PATH_BUFFER_SIZE];
    const bool named = DroppedPath(drop, path);
    // What DragFinish does: the block is the receiver's to free.
    GlobalFree(drop);
    if (!named) {
        return;
    }
    // As start-up does for a movie on the command line: Open has finished with pendingPath
    // before Play/Pause starts.
    pendingPath = path;
    SendMessageA(frame, WM_COMMAND, IDM_OPEN, 0);
    pendingPath = nullptr;
    SendMessageA(frame, WM_COMMAND, IDM_PLAYPAUSE, 0);
}

void CloseMovie(HWND frame) {
    if (movieWindow.GetWindow() == nullptr) {
        return;
    }
    movieWindow.Destroy();
    SetWindowTextA(frame, APP_TITLE);
    if (fullScreenController.mode == Windowed) {
        WindowMetrics metrics;
        MoveWindow(frame, metrics.Left(frame), metrics.Top(frame),
                   Scaled(MIN_FRAME_WIDTH, mainFrame.Dpi()),
                   Scaled(MIN_FRAME_HEIGHT, mainFrame.Dpi()), TRUE);
    }
    application.SetPlayerState(MCI_MODE_NOT_READY);
}
