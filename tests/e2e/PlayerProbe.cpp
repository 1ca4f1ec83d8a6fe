// Looks at a running player from another process, for the end-to-end scripts: its frame's
// rectangle, style and menu bar, the toolbar's buttons, the trackbar's position, the video
// area's and the picture's rectangles, the status bar's texts, the keyboard focus, whether the
// mouse pointer shows and the dialogs and popup menus the player shows.
//
//     player_probe show <frame title>
//     player_probe wait <timeout ms> <frame title> <key>=<value>|<key><<n>|<key>><n>...
//     player_probe cancel <frame title>
//     player_probe close <frame title>
//     player_probe focus <frame title> trackbar|host|movie|toolbar
//
// "show" prints one "key=value" line per fact. "wait" reads them every 20 ms until every
// condition holds (exit 0) or the time is up (exit 1, with what was seen last); a condition
// is a key with its value, or a numeric key below or above a number. Conditions separated by
// a lone "|" are alternatives; "matched=N" tells which one held.
// "cancel" answers the player's open dialogs with IDCANCEL; "close" asks the frame to close,
// as its close box does; "focus" gives the keyboard focus to one of the frame's children, as a
// control that keeps the focus after a click would have it (the player's own controls give it
// back to the frame), through the player's input state, which the probe shares for that while.
//
// The frame is found by its exact title, so a script that opens a movie with a name of its own
// finds its own player although other players share the Wine server. Everything is read with
// messages that answer with a number, except the status texts: SB_GETTEXTA writes into the
// status bar's own process, so the buffer is allocated there and read back. Menu states are
// not read: under Wine, GetMenuState on another process's menu answers -1.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const char FRAME_CLASS[] = "MainWnd";
const char TRACKBAR_CLASS_NAME[] = "msctls_trackbar32";
const DWORD POLL_MS = 20;
const UINT ANSWER_MS = 1000; // a hung player must not hang the probe

typedef std::map<std::string, std::string> Facts;

struct Button {
    const char* name;
    int id;
};

const Button BUTTONS[] = {{"playpause", IDM_PLAYPAUSE},
                          {"stop", IDM_STOP},
                          {"close", IDM_CLOSE},
                          {"beginning", IDM_BEGINNING},
                          {"rewind", IDM_REWIND},
                          {"forward", IDM_FORWARD},
                          {"end", IDM_END}};

std::string Number(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return text;
}

// "left,top,right,bottom"
std::string RectText(const RECT& rect) {
    return Number(rect.left) + "," + Number(rect.top) + "," + Number(rect.right) + "," +
           Number(rect.bottom);
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    if (window != nullptr) {
        GetClassNameA(window, name, sizeof name);
    }
    return name;
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (window == nullptr || SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                                 ANSWER_MS, &answer) == 0) {
        return false;
    }
    *result = static_cast<LRESULT>(answer);
    return true;
}

std::string AskNumber(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    LRESULT result = 0;
    return Ask(window, message, wParam, lParam, &result) ? Number(result) : "?";
}

// A status bar part's text, through a buffer in the player's own memory.
std::string StatusText(HANDLE process, HWND status, int part) {
    const SIZE_T size = 256;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr) {
        return "?";
    }
    std::string text = "?";
    LRESULT length = 0;
    char local[size] = "";
    if (Ask(status, SB_GETTEXTLENGTHA, part, 0, &length) && LOWORD(length) < size &&
        Ask(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote), &length) &&
        ReadProcessMemory(process, remote, local, size - 1, nullptr)) {
        local[size - 1] = '\0';
        text = local;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

struct Finder {
    DWORD pid;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    Finder* finder = reinterpret_cast<Finder*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == finder->pid && IsWindowVisible(window) && ClassOf(window) == finder->className) {
        finder->found.push_back(window);
    }
    return TRUE;
}

// The process's visible top-level windows of one class.
std::vector<HWND> WindowsOf(DWORD pid, const char* className) {
    Finder finder = {pid, className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&finder));
    return finder.found;
}

std::string Titles(const std::vector<HWND>& windows) {
    std::string titles;
    for (HWND window : windows) {
        char title[256] = "";
        GetWindowTextA(window, title, sizeof title);
        titles += (titles.empty() ? "" : "|") + std::string(title);
    }
    return titles;
}

HWND FindFrame(const char* title) {
    return FindWindowA(FRAME_CLASS, title);
}

Facts Look(const char* title) {
    Facts facts;
    const HWND frame = FindFrame(title);
    facts["frame"] = frame != nullptr ? "1" : "0";
    if (frame == nullptr) {
        return facts;
    }
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(frame, &pid);

    RECT rect = {};
    GetWindowRect(frame, &rect);
    facts["rect"] = RectText(rect);
    char style[16];
    std::snprintf(style, sizeof style, "0x%08lX",
                  static_cast<unsigned long>(GetWindowLongA(frame, GWL_STYLE)));
    facts["style"] = style;
    facts["menubar"] = GetMenu(frame) != nullptr ? "1" : "0";

    const HWND toolbar = GetDlgItem(frame, IDC_TOOLBAR);
    const HWND status = GetDlgItem(frame, IDC_STATUSBAR);
    const HWND host = GetDlgItem(frame, IDC_VIDEOHOST);
    const HWND trackbar = FindWindowExA(toolbar, nullptr, TRACKBAR_CLASS_NAME, nullptr);
    facts["toolbar.visible"] = IsWindowVisible(toolbar) ? "1" : "0";
    facts["status.visible"] = IsWindowVisible(status) ? "1" : "0";
    facts["trackbar.visible"] = IsWindowVisible(trackbar) ? "1" : "0";
    facts["trackbar"] = AskNumber(trackbar, TBM_GETPOS);
    RECT trackbarRect = {};
    GetWindowRect(trackbar, &trackbarRect);
    facts["trackbar.rect"] = RectText(trackbarRect);
    for (const Button& button : BUTTONS) {
        // Nonzero when enabled (the platform answers with the state bit itself).
        LRESULT enabled = 0;
        facts[std::string("button.") + button.name] =
            !Ask(toolbar, TB_ISBUTTONENABLED, button.id, 0, &enabled) ? "?"
            : enabled != 0                                            ? "1"
                                                                      : "0";
    }
    facts["glyph"] = AskNumber(toolbar, TB_GETBITMAP, IDM_PLAYPAUSE);

    RECT hostRect = {};
    GetWindowRect(host, &hostRect);
    facts["host"] = RectText(hostRect);
    // The movie window, the picture, inside the host: none without a movie.
    const HWND movie = FindWindowExA(host, nullptr, "MCIWndClass", nullptr);
    RECT movieRect = {};
    if (movie != nullptr) {
        GetWindowRect(movie, &movieRect);
    }
    facts["movie"] = RectText(movieRect);
    facts["host.exstyle"] = Number(GetWindowLongA(host, GWL_EXSTYLE));
    const LONG hostStyle = GetWindowLongA(host, GWL_STYLE);
    facts["host.hbar"] = (hostStyle & WS_HSCROLL) != 0 ? "1" : "0";
    facts["host.vbar"] = (hostStyle & WS_VSCROLL) != 0 ? "1" : "0";

    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    for (int part = 0; part < 3; ++part) {
        facts["status" + Number(part)] =
            process != nullptr ? StatusText(process, status, part) : "?";
    }
    if (process != nullptr) {
        CloseHandle(process);
    }

    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(thread, &gui)) {
        facts["focus"] = gui.hwndFocus == frame ? "frame" : ClassOf(gui.hwndFocus);
        facts["active"] = gui.hwndActive == frame ? "frame" : ClassOf(gui.hwndActive);
    }
    // The platform answers for the foreground thread's pointer, whichever process asks.
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    facts["pointer"] = !GetCursorInfo(&cursor)                ? "?"
                       : (cursor.flags & CURSOR_SHOWING) != 0 ? "1"
                                                              : "0";
    facts["dialogs"] = Titles(WindowsOf(pid, "#32770"));
    facts["popups"] = Number(static_cast<long long>(WindowsOf(pid, "#32768").size()));
    return facts;
}

void Print(const Facts& facts) {
    for (const auto& fact : facts) {
        std::printf("%s=%s\n", fact.first.c_str(), fact.second.c_str());
    }
    std::fflush(stdout);
}

// KEY=VALUE compares texts; KEY<NUMBER and KEY>NUMBER compare numbers.
bool Holds(const Facts& facts, const std::vector<std::string>& wanted) {
    if (wanted.empty()) {
        return false;
    }
    for (const std::string& condition : wanted) {
        const size_t at = condition.find_first_of("=<>");
        if (at == std::string::npos) {
            return false;
        }
        const auto found = facts.find(condition.substr(0, at));
        if (found == facts.end()) {
            return false;
        }
        const std::string value = condition.substr(at + 1);
        const char relation = condition[at];
        if (relation == '=' && found->second != value) {
            return false;
        }
        if (relation != '=') {
            char* end = nullptr;
            const long have = std::strtol(found->second.c_str(), &end, 10);
            if (found->second.empty() || *end != '\0') {
                return false;
            }
            const long limit = std::strtol(value.c_str(), nullptr, 10);
            if ((relation == '<' && !(have < limit)) || (relation == '>' && !(have > limit))) {
                return false;
            }
        }
    }
    return true;
}

// The frame's child of that name; null for an unknown name or a missing window.
HWND ChildNamed(HWND frame, const std::string& name) {
    const HWND toolbar = GetDlgItem(frame, IDC_TOOLBAR);
    const HWND host = GetDlgItem(frame, IDC_VIDEOHOST);
    if (name == "trackbar") {
        return FindWindowExA(toolbar, nullptr, TRACKBAR_CLASS_NAME, nullptr);
    }
    if (name == "host") {
        return host;
    }
    if (name == "movie") {
        return FindWindowExA(host, nullptr, "MCIWndClass", nullptr);
    }
    return name == "toolbar" ? toolbar : nullptr;
}

// SetFocus works on the caller's own input state only: joined to the player's thread, the
// probe's is the player's.
bool FocusChild(const char* title, const std::string& name) {
    const HWND frame = FindFrame(title);
    const HWND child = frame != nullptr ? ChildNamed(frame, name) : nullptr;
    if (child == nullptr) {
        return false;
    }
    const DWORD player = GetWindowThreadProcessId(frame, nullptr);
    const DWORD self = GetCurrentThreadId();
    if (!AttachThreadInput(self, player, TRUE)) {
        return false;
    }
    SetFocus(child);
    const bool focused = GetFocus() == child;
    AttachThreadInput(self, player, FALSE);
    return focused;
}

int Usage() {
    std::fprintf(stderr, "usage: player_probe show TITLE | wait MS TITLE CONDITION... | "
                         "cancel TITLE | close TITLE | focus TITLE CHILD\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    if (command == "show") {
        const Facts facts = Look(argv[2]);
        Print(facts);
        return facts.at("frame") == "1" ? 0 : 1;
    }
    if (command == "wait" && argc >= 5) {
        const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
        // Alternatives are separated by a lone "|"; the first that holds is reported.
        std::vector<std::vector<std::string>> alternatives(1);
        for (int i = 4; i < argc; ++i) {
            if (std::string(argv[i]) == "|") {
                alternatives.emplace_back();
            } else {
                alternatives.back().push_back(argv[i]);
            }
        }
        const DWORD start = GetTickCount();
        for (;;) {
            const Facts facts = Look(argv[3]);
            for (size_t i = 0; i < alternatives.size(); ++i) {
                if (Holds(facts, alternatives[i])) {
                    std::printf("matched=%u\n", static_cast<unsigned>(i + 1));
                    return 0;
                }
            }
            if (GetTickCount() - start >= timeout) {
                std::printf("timed out after %lu ms waiting for:",
                            static_cast<unsigned long>(timeout));
                for (int i = 4; i < argc; ++i) {
                    std::printf(" %s", argv[i]);
                }
                std::printf("\nlast seen:\n");
                Print(facts);
                return 1;
            }
            Sleep(POLL_MS);
        }
    }
    if (command == "cancel") {
        const HWND frame = FindFrame(argv[2]);
        if (frame == nullptr) {
            return 1;
        }
        DWORD pid = 0;
        GetWindowThreadProcessId(frame, &pid);
        for (HWND dialog : WindowsOf(pid, "#32770")) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        }
        return 0;
    }
    if (command == "close") {
        const HWND frame = FindFrame(argv[2]);
        return frame != nullptr && PostMessageA(frame, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "focus" && argc >= 4) {
        return FocusChild(argv[2], argv[3]) ? 0 : 1;
    }
    return Usage();
}
