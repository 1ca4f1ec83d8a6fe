#include <windows.h>

#include "PlatformTest.h"

#include <cstdlib>

bool PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
    const DWORD startTicks = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount() - startTicks >= timeoutMs) {
            return done();
        }
        // Wakes on the next message or after a short while, whichever comes first.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpPending() {
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string FixturePath(const char* name) {
    const char* dir = std::getenv("QUILLOTROPE_FIXTURES");
    std::string path = dir ? dir : "";
    // A Unix path reaches us as it stands; Wine maps the root on drive Z:.
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path + name;
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

namespace {

struct AnswererState {
    std::function<void(HWND)> answer;
    UINT_PTR timer = 0;
    UINT_PTR fallback = 0;
    int answered = 0;
    HWND lastAnswered = nullptr; // each dialog is answered once
    std::string caption;
    DWORD thread = 0;
};

AnswererState* current = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    DWORD pid = 0;
    if (std::string(cls) == "#32770" && IsWindowVisible(window) &&
        GetWindowThreadProcessId(window, &pid) == current->thread) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindOwnDialog() {
    HWND found = nullptr;
    EnumThreadWindows(current->thread, FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK OnAnswerTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!current) {
        return;
    }
    HWND dialog = FindOwnDialog();
    if (dialog && dialog != current->lastAnswered) {
        current->lastAnswered = dialog;
        char caption[256] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        current->caption = caption;
        ++current->answered;
        current->answer(dialog);
    }
}

void CALLBACK OnFallbackTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!current) {
        return;
    }
    HWND dialog = FindOwnDialog();
    if (dialog) {
        PressDialogButton(dialog, IDCANCEL);
    }
}

} // namespace

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> answer, uint32_t timeoutMs) {
    current = new AnswererState;
    current->answer = std::move(answer);
    current->thread = GetCurrentThreadId();
    current->timer = SetTimer(nullptr, 0, 50, OnAnswerTimer);
    current->fallback = SetTimer(nullptr, 0, timeoutMs, OnFallbackTimer);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, current->timer);
    KillTimer(nullptr, current->fallback);
    delete current;
    current = nullptr;
}

int DialogAnswerer::AnsweredCount() const {
    return current->answered;
}

std::string DialogAnswerer::LastCaption() const {
    return current->caption;
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
