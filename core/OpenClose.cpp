#include <windows.h>
#include <commdlg.h>
#include <shlwapi.h>

#include "core/OpenClose.h"
#include "core/CommandLine.h"
#include "core/PlayerState.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"

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

    if (movieWindow.GetWindow() != nullptr) {
        SendMessageA(frame, WM_COMMAND, IDM_CLOSE, 0);
    }
    // A window that cannot open its file still reports a size while it is created, and the
    // frame fits itself around it; the refused movie must leave the frame as it found it.
    const RECT before = FrameRect(frame);
    if (!movieWindow.Create(path)) {
        RestoreFrameRect(frame, before);
        return;
    }

    char title[TITLE_BUFFER_SIZE];
    TitleText(fileTitle, title);
    SetWindowTextA(frame, title);
    // The movie window may have reported its size before it was ours: lay the host out anew.
    SendMessageA(videoHost.GetWindow(), WM_SIZE, 0, 0);
    videoHost.CentreMovie();
    application.SetPlayerState(MCI_MODE_STOP);
}

void CloseMovie(HWND frame) {
    if (movieWindow.GetWindow() == nullptr) {
        return;
    }
    movieWindow.Destroy();
    SetWindowTextA(frame, APP_TITLE);
    if (fullScreenController.mode == Windowed) {
        WindowMetrics metrics;
        MoveWindow(frame, metrics.Left(frame), metrics.Top(frame), MIN_FRAME_WIDTH,
                   MIN_FRAME_HEIGHT, TRUE);
    }
    application.SetPlayerState(MCI_MODE_NOT_READY);
}
