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
    std::string text;
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
        // A message box's text is its static control 0xFFFF; other dialogs have none.
        char text[1024] = {};
        GetWindowTextA(GetDlgItem(dialog, 0xFFFF), text, sizeof text);
        current->text = text;
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

std::string DialogAnswerer::LastText() const {
    return current->text;
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

UINT PopupSeen::StateOf(UINT id) const {
    const auto found = states.find(id);
    return found == states.end() ? 0xFFFFFFFF : found->second;
}

namespace {

struct PopupWatch {
    PopupSeen seen;
    std::vector<UINT> ids;
    std::vector<WPARAM> keys;
    int ticks = 0;
};

PopupWatch* popupWatch = nullptr;

void CALLBACK OnPopupTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    PopupWatch& watch = *popupWatch;
    ++watch.ticks;
    const HWND window = FindOwnWindow("#32768", true);
    if (window != nullptr && !watch.seen.seen) {
        watch.seen.seen = true;
        GetWindowRect(window, &watch.seen.rect);
        watch.seen.menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        for (UINT id : watch.ids) {
            watch.seen.states[id] = GetMenuState(watch.seen.menu, id, MF_BYCOMMAND);
        }
        for (WPARAM key : watch.keys) {
            PostMessageA(window, WM_KEYDOWN, key, 0);
        }
        return;
    }
    // Never wait for a person.
    if (watch.ticks > 150) {
        EndMenu();
        KillTimer(nullptr, timer);
    }
}

} // namespace

PopupSeen WatchPopupMenu(const std::function<void()>& show, const std::vector<UINT>& ids,
                         const std::vector<WPARAM>& keys) {
    PopupWatch watch;
    watch.ids = ids;
    watch.keys = keys;
    popupWatch = &watch;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, OnPopupTimer);
    show();
    KillTimer(nullptr, timer);
    PumpPending();
    popupWatch = nullptr;
    return watch.seen;
}

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

struct DescendantSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchDescendant(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<DescendantSearch*>(param);
    if (lstrcmpiA(ClassOf(child).c_str(), search->className) == 0) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindOwnWindow(const char* className, bool visibleOnly) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && (!visibleOnly || IsWindowVisible(window))) {
            return window;
        }
    }
    return nullptr;
}

HWND FindDescendant(HWND parent, const char* className) {
    DescendantSearch search = {className, nullptr};
    EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CreateTopLevelWindow(const char* className, WNDPROC procedure, const char* title) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    if (RegisterClassExA(&wc) == 0) {
        return nullptr;
    }
    return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

RECT OuterRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE OuterSize(HWND window) {
    const RECT rect = OuterRect(window);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A window's client pixels as the platform holds them (0xRRGGBB), row by row.
std::vector<DWORD> ClientPixels(HWND window, SIZE* size) {
    *size = ClientSize(window);
    std::vector<DWORD> pixels(static_cast<size_t>(size->cx) * static_cast<size_t>(size->cy));
    const HDC screen = GetDC(window);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size->cx;
    info.bmiHeader.biHeight = -size->cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size->cx, size->cy, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

SIZE ClientSize(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

RECT RectInParent(HWND window) {
    RECT rect = OuterRect(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

bool ClickAt(int x, int y, DWORD time) {
    SetCursorPos(x, y);
    const bool there = PumpUntil(
        [x, y] {
            POINT now = {};
            GetCursorPos(&now);
            return now.x == x && now.y == y;
        },
        3000);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[0].mi.time = time;
    inputs[1] = inputs[0];
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return there && SendInput(2, inputs, sizeof(INPUT)) == 2;
}

LPARAM ScreenPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

void HoldModifiers(bool control, bool alt, bool shift) {
    BYTE keys[256] = {};
    if (control) {
        keys[VK_CONTROL] = 0x80;
    }
    if (alt) {
        keys[VK_MENU] = 0x80;
    }
    if (shift) {
        keys[VK_SHIFT] = 0x80;
    }
    SetKeyboardState(keys);
}

MSG KeyDownMessage(HWND window, WPARAM key, bool alt) {
    MSG msg = {};
    msg.hwnd = window;
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1 | (alt ? 0x20000000 : 0);
    return msg;
}

namespace {

// The spies in place, by window.
std::map<HWND, WindowSpy*>& Spies() {
    static std::map<HWND, WindowSpy*> spies;
    return spies;
}

} // namespace

WindowSpy::WindowSpy(HWND window) : spied(window) {
    Spies()[window] = this;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowSpy::Proc)));
    if (original == nullptr) {
        Spies().erase(window);
        spied = nullptr;
    }
}

WindowSpy::~WindowSpy() {
    // A window destroyed meanwhile took its procedure with it.
    if (spied != nullptr) {
        SetWindowLongPtrA(spied, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        Spies().erase(spied);
    }
}

LRESULT WindowSpy::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(window, message, wParam, lParam);
}

LRESULT WindowSpy::CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(original, window, message, wParam, lParam);
}

LRESULT CALLBACK WindowSpy::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = Spies().find(window);
    if (found == Spies().end()) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    WindowSpy* spy = found->second;
    const LRESULT result = spy->OnMessage(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        Spies().erase(window);
        spy->spied = nullptr;
    }
    return result;
}
