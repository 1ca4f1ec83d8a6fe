#include <windows.h>
#include <commdlg.h>

#include "core/OpenClose.h"
#include "core/CommandLine.h"
#include "core/DropFiles.h"
#include "core/PlayerState.h"
#include "core/Refusal.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/VideoHost.h"
#include "shell/WindowMetrics.h"
#include "shell/Profile.h"

#include <cstdint>
#include <cstring>

namespace {

// One filter entry; the literal's own terminator ends the list.
const char OPEN_FILTER[] = "Avi files to play(*.avi)\0*.avi\0";

// The file-name part of a path that fits: a tail of it, so it fits the same size of buffer.
void FileTitleOf(const char (&path)[PATH_BUFFER_SIZE], char (&fileTitle)[PATH_BUFFER_SIZE]) {
    const char* name = FileNamePart(path);
    std::memmove(fileTitle, name, std::strlen(name) + 1);
}

// The player's own refusal of a file, said in a box that the frame owns.
void SayRefusal(HWND frame, const char (&text)[REFUSAL_TEXT_SIZE]) {
    MessageBoxA(frame, text, REFUSAL_CAPTION, MB_OK | MB_ICONWARNING);
}

void SayRefusal(HWND frame, const char* path, int32_t reason) {
    char text[REFUSAL_TEXT_SIZE];
    RefusalText(path, reason, text);
    SayRefusal(frame, text);
}

// The path named by pendingPath, which is used up either way. False, after the box, when it does
// not fit.
bool TakePendingPath(HWND frame, char (&path)[PATH_BUFFER_SIZE]) {
    const char* const named = pendingPath;
    pendingPath = nullptr;
    if (!PathFromCommandLine(named, path)) {
        SayRefusal(frame, named, REFUSAL_PATH_TOO_LONG);
        return false;
    }
    return true;
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
    if (getOpenFileName(&dialog) == FALSE) {
        return false;
    }
    if (!PathFromDialog(answer, path)) {
        SayRefusal(frame, answer, REFUSAL_PATH_TOO_LONG);
        return false;
    }
    return true;
}

// Room for the file-name part of a wide name as the box shows it: one more letter than the box
// keeps (so that a longer name is seen to be cut), each UTF-16 unit at most three bytes.
const size_t SHOWN_NAME_SIZE = 3 * (REFUSAL_NAME_BYTES + 1) + 1;

// The file-name part of a dropped wide name (length units at units, not necessarily aligned), in
// the code page as far as it can carry it: for the box, not for opening.
void ShownWideName(const uint8_t* units, size_t length, char (&shown)[SHOWN_NAME_SIZE]) {
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        const unsigned unit = units[2 * i] | static_cast<unsigned>(units[2 * i + 1]) << 8;
        if (unit == '\\' || unit == '/') {
            start = i + 1;
        }
    }
    WCHAR wide[REFUSAL_NAME_BYTES + 1];
    const size_t count =
        length - start < REFUSAL_NAME_BYTES + 1 ? length - start : REFUSAL_NAME_BYTES + 1;
    std::memcpy(wide, units + 2 * start, count * sizeof(WCHAR));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(count), shown,
                                          static_cast<int>(SHOWN_NAME_SIZE - 1), nullptr, nullptr);
    shown[bytes > 0 ? bytes : 0] = '\0';
}

// The first dropped name in the process's ANSI code page (UTF-8 where the manifest asks for
// it), whole. A name that does not convert without loss, or does not fit the path buffer, is
// refused, never cut: refusal then holds the box's text (it stays empty when nothing was
// dropped at all). The block is read in place: no shell library is needed for it.
bool DroppedPath(HDROP drop, char (&path)[PATH_BUFFER_SIZE], char (&refusal)[REFUSAL_TEXT_SIZE]) {
    path[0] = '\0';
    refusal[0] = '\0';
    const SIZE_T size = GlobalSize(drop);
    const uint8_t* block = static_cast<const uint8_t*>(GlobalLock(drop));
    if (block == nullptr) {
        return false;
    }
    const DroppedName name = FirstDroppedName(block, size);
    // Every character takes at least one byte: a longer name cannot fit.
    int32_t reason = name.length < PATH_BUFFER_SIZE ? REFUSAL_NONE : REFUSAL_PATH_TOO_LONG;
    if (!name.found) {
        GlobalUnlock(drop);
        return false;
    }
    if (!name.wide) {
        if (reason == REFUSAL_NONE) {
            std::memcpy(path, block + name.offset, name.length);
            path[name.length] = '\0';
        } else {
            // The list's own terminator ends the name.
            RefusalText(reinterpret_cast<const char*>(block + name.offset), reason, refusal);
        }
    } else {
        if (reason == REFUSAL_NONE) {
            WCHAR wide[PATH_BUFFER_SIZE];
            std::memcpy(wide, block + name.offset, name.length * sizeof(WCHAR));
            // UTF-8 takes neither a default character nor the best-fit flag.
            const bool utf8 = GetACP() == CP_UTF8;
            BOOL lossy = FALSE;
            const int bytes = WideCharToMultiByte(
                CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide,
                static_cast<int>(name.length), path, static_cast<int>(PATH_BUFFER_SIZE - 1),
                nullptr, utf8 ? nullptr : &lossy);
            if (bytes <= 0 || lossy) {
                reason = bytes <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER
                             ? REFUSAL_PATH_TOO_LONG
                             : REFUSAL_NAME_NOT_CARRIED;
            }
            path[reason == REFUSAL_NONE ? bytes : 0] = '\0';
        }
        if (reason != REFUSAL_NONE) {
            char shown[SHOWN_NAME_SIZE];
            ShownWideName(block + name.offset, name.length, shown);
            RefusalText(shown, reason, refusal);
        }
    }
    GlobalUnlock(drop);
    return reason == REFUSAL_NONE;
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
        if (!TakePendingPath(frame, path)) {
            return;
        }
    } else if (!AskForPath(frame, path)) {
        return;
    }
    FileTitleOf(path, fileTitle);

    const RECT beforeClose = FrameRect(frame);
    if (movieWindow.GetWindow() != nullptr) {
        SendMessageA(frame, WM_COMMAND, IDM_CLOSE, 0);
        ProfileStep("closed");
    }
    // A window that cannot open its file still reports a size while it is created, and the
    // frame fits itself around it; the refused movie must leave the frame as it found it. At
    // Fit to Window opening keeps the frame's size, the one Close gave a windowed frame too.
    const RECT before = zoomFit ? beforeClose : FrameRect(frame);
    if (!movieWindow.Create(path)) {
        RestoreFrameRect(frame, before);
        if (movieWindow.Refusal() != REFUSAL_NONE) {
            SayRefusal(frame, path, movieWindow.Refusal());
        }
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
    ProfileStep("movie laid out");
    application.SetPlayerState(MCI_MODE_STOP);
    ProfileStep("menu and controls refreshed");
    // The new layout is painted now, while the movie stands at its first frame: a paint left
    // for the message loop would draw whatever frame a play has reached by then (and a damaged
    // frame, painted by this thread, leaves the device locked).
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void OpenDroppedFile(HWND frame, HDROP drop) {
    char path[PATH_BUFFER_SIZE];
    char refusal[REFUSAL_TEXT_SIZE];
    const bool named = DroppedPath(drop, path, refusal);
    // What DragFinish does: the block is the receiver's to free.
    GlobalFree(drop);
    if (!named) {
        if (refusal[0] != '\0') {
            SayRefusal(frame, refusal);
        }
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
    ProfileStep("close: title");
    if (fullScreenController.mode == Windowed) {
        WindowMetrics metrics;
        MoveWindow(frame, metrics.Left(frame), metrics.Top(frame),
                   Scaled(MIN_FRAME_WIDTH, mainFrame.Dpi()),
                   Scaled(MIN_FRAME_HEIGHT, mainFrame.Dpi()), TRUE);
        ProfileStep("close: frame shrunk");
    }
    application.SetPlayerState(MCI_MODE_NOT_READY);
    ProfileStep("close: controls refreshed");
}
