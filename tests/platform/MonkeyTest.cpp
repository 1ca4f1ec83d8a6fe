// A seeded random driver: thousands of user actions thrown at a started player, in-process,
// with everything the user can see checked against the player state after each one.
//
// Every failure names the seed and the event index. To replay a run, or part of it:
//   QUILLOTROPE_MONKEY_SEED=<seed>            replay that seed (in MonkeyReplay.FromEnvironment)
//   QUILLOTROPE_MONKEY_EVENTS=<n>             send events 0 .. n-1 only (also for the five seeds)
//   QUILLOTROPE_MONKEY_EVENTS=<a>-<b>         send only the events with index a .. b
//   QUILLOTROPE_MONKEY_VERBOSE=1              print each event before it is sent
//   QUILLOTROPE_MONKEY_KEEP_GOING=1           report every failing event, not just the first
// Each event draws from its own generator, made from the seed and its index, so an event is the
// same action whichever range is sent.
#include <windows.h>
#include <commctrl.h>
#include <vfw.h>

#include "PlayerSupport.h"
#include "core/CommandTable.h"
#include "core/PlayerState.h"
#include "core/Rules.h"
#include "core/Seeking.h"
#include "core/TimeText.h"
#include "core/Volume.h"
#include "movie/MovieWindow.h"
#include "movie/SoundVolume.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/FrameGeometry.h"
#include "shell/FullScreenController.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/StartUp.h"
#include "shell/StatusBar.h"
#include "shell/TransportToolbar.h"
#include "shell/VideoHost.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using playertest::Frame;
using playertest::MovieMode;
using playertest::MovieWindowsInHost;
using playertest::SetTrackbarPosition;
using playertest::StatusPart;
using playertest::TrackbarPosition;

namespace {

// The frame's floor at the DPI the player runs at (one seed runs at 150 %).
int MinWidth() {
    return Scaled(MIN_FRAME_WIDTH, mainFrame.Dpi());
}

int MinHeight() {
    return Scaled(MIN_FRAME_HEIGHT, mainFrame.Dpi());
}

const int DEFAULT_EVENTS = 10000;
const uint64_t SEEDS[] = {1, 2718281828u, 0xC0FFEEu, 31415926u, 0x5EED5EEDu};

// Deadlines per event: generous, they catch hangs and pathological slowness. Without a window
// manager Wine waits about 2 s for one whenever a captioned window is hidden or shown again:
// every dialog, and a frame that is minimised, restored or resized from or to nothing.
const DWORD NORMAL_DEADLINE_MS = 2000;
// The platform's largest window size in either direction.
const LONG LARGEST_WINDOW = 32767;
const DWORD SLOW_DEADLINE_MS = 10000;
// The watchdog ends the process when one event has not returned after this long.
const DWORD HANG_MS = 45000; // as the message says
// Exit code of a run ended by a crash inside the platform's own DLLs; ctest counts it as skipped.
const UINT PLATFORM_CRASH_EXIT = 77;
// A still mouse: past the 2 s after which the full-screen pointer hides, by about a tick of the
// player's 250 ms timer; the grace is how much later it may still hide.
const DWORD STILL_MOUSE_MS = 2300;
const DWORD POINTER_GRACE_MS = 700;
// Far more than a frame of any test movie, and than the time a frame step's event takes.
const int32_t FRAME_STEP_EDGE_MS = 500;

// ---- random numbers ------------------------------------------------------------------------

uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

class Random {
  public:
    Random(uint64_t seed, uint64_t index)
        : state(Mix(Mix(seed) ^ (index * 0xD1B54A32D192ED03ull))) {}
    uint32_t Next() {
        state = Mix(state);
        return static_cast<uint32_t>(state >> 16);
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <typename T, size_t N> const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

  private:
    uint64_t state;
};

std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// ---- what the player shows -----------------------------------------------------------------

std::string RectText(const RECT& r) {
    return Format("(%ld,%ld)-(%ld,%ld) %ldx%ld", static_cast<long>(r.left),
                  static_cast<long>(r.top), static_cast<long>(r.right), static_cast<long>(r.bottom),
                  static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
}

const char* StateName(PlayerState state) {
    switch (state) {
    case MCI_MODE_NOT_READY:
        return "not ready";
    case MCI_MODE_STOP:
        return "stopped";
    case MCI_MODE_PLAY:
        return "playing";
    case MCI_MODE_PAUSE:
        return "paused";
    default:
        return "invalid";
    }
}

const char* CommandName(int id) {
    static const char* const names[] = {
        "IDM_PLAYPAUSE", "IDM_OPEN",      "IDM_CLOSE",     "IDM_EXIT",     "IDM_STOP",
        "IDM_BEGINNING", "IDM_REWIND",    "IDM_FORWARD",   "IDM_END",      "IDM_FULLSCREEN",
        "IDM_REPEAT",    "IDM_ABOUT",     "IDM_ZOOM50",    "IDM_ZOOM100",  "IDM_ZOOM200",
        "IDM_ZOOMFIT",   "IDM_NEXTFRAME", "IDM_PREVFRAME", "IDM_VOLUMEUP", "IDM_VOLUMEDOWN",
        "IDM_MUTE"};
    static_assert(sizeof names / sizeof names[0] == IDM_LAST - IDM_FIRST + 1, "command names");
    if (id >= IDM_FIRST && id <= IDM_LAST) {
        return names[id - IDM_FIRST];
    }
    return "(no command)";
}

// Whether the pointer shows for this thread's windows. GetCursorInfo answers for the foreground
// thread, which may be another seed's player on the same display: then this thread's own
// display count is read instead, by one step up and down again.
bool PointerShowing() {
    const HWND frame = Frame();
    if (GetForegroundWindow() == frame) {
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info) && GetForegroundWindow() == frame) {
            return (info.flags & CURSOR_SHOWING) != 0;
        }
    }
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count >= 0;
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms);
}

// ---- the fixtures ----------------------------------------------------------------------------

struct Fixture {
    const char* name;
    bool opens;
};

const Fixture GOOD_MOVIES[] = {{"clip160.avi", true},   {"clip320.avi", true},
                               {"clip640.avi", true},   {"my clip \xC3\xA9.avi", true},
                               {"cuthalf.avi", true},   {"tone.avi", true},
                               {"tone-pcm16.avi", true}};
const Fixture BAD_MOVIES[] = {{"notmovie.avi", false}, {"cut4k.avi", false}};

// ---- answering modal windows -----------------------------------------------------------------

// How the next modal window of each kind is to be answered; set by the event that opens it.
struct ModalPlan {
    bool openCancel = true;
    std::string openPath; // typed into the open-file dialog when not cancelled
    int aboutEnding = 0;  // 0 OK, 1 Cancel, 2 Enter key, 3 Escape key, 4 close box
    int popupDowns = -1;  // -1 EndMenu, -2 Escape, n >= 0: n times Down, then Return
};

// What appeared during the current event.
struct ModalLog {
    int fileDialogs = 0;
    int aboutBoxes = 0;
    int errorBoxes = 0;
    int popups = 0;
    std::vector<std::string> others; // captions of anything else
};

struct Answered {
    HWND window;
    DWORD when;
    int tries;
};

ModalPlan modalPlan;
ModalLog modalLog;
std::vector<Answered> answered;

// ---- what the movie window is told and tells --------------------------------------------------

// The movie window's commands and notifications during the current event, for the failure
// messages; and a count of the seeks, which cost about 10 ms each here and so set the mix.
std::vector<std::string> movieTraffic;
int seeksSent = 0;
DWORD eventStartTicks = 0;
HHOOK trafficHook = nullptr;

const char* TrafficName(UINT message) {
    switch (message) {
    case MCI_PLAY:
        return "play";
    case MCI_PAUSE:
        return "pause";
    case MCI_STOP:
        return "stop";
    case MCI_SEEK:
        return "seek";
    case MCIWNDM_SETZOOM:
        return "zoom";
    case MCIWNDM_NOTIFYMODE:
        return "notify mode";
    case MCIWNDM_NOTIFYPOS:
        return "notify position";
    case MCIWNDM_NOTIFYSIZE:
        return "notify size";
    default:
        return nullptr;
    }
}

LRESULT CALLBACK RecordTraffic(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        const char* name = TrafficName(call->message);
        const bool toMovie = call->message != MCIWNDM_NOTIFYMODE &&
                             call->message != MCIWNDM_NOTIFYPOS &&
                             call->message != MCIWNDM_NOTIFYSIZE;
        if (name != nullptr && (toMovie ? ClassOf(call->hwnd) == "MCIWndClass"
                                        : call->hwnd == videoHost.GetWindow())) {
            if (call->message == MCI_SEEK) {
                ++seeksSent;
            }
            if (movieTraffic.size() < 200) {
                movieTraffic.push_back(
                    Format("+%lu %s %ld (state %ld)",
                           static_cast<unsigned long>(GetTickCount() - eventStartTicks), name,
                           static_cast<long>(call->lParam), static_cast<long>(playerState)));
            }
        }
    }
    return CallNextHookEx(trafficHook, code, wParam, lParam);
}

void AnswerDialog(HWND dialog) {
    const std::string caption = WindowText(dialog);
    // The movie window's own error box, or the player's box for a file it refuses itself.
    if (caption == "MCI Error" || caption == "Quillotrope") {
        ++modalLog.errorBoxes;
        PressDialogButton(dialog, IDOK);
    } else if (caption == "Player") {
        ++modalLog.aboutBoxes;
        switch (modalPlan.aboutEnding) {
        case 1:
            PressDialogButton(dialog, IDCANCEL);
            break;
        case 2:
            PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_RETURN, 1);
            break;
        case 3:
            PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case 4:
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        default:
            PressDialogButton(dialog, IDOK);
            break;
        }
    } else if (GetDlgItem(dialog, 0x470) != nullptr) { // cmb1: the file type list
        ++modalLog.fileDialogs;
        const HWND edit = FindDescendant(dialog, "Edit");
        if (modalPlan.openCancel || edit == nullptr) {
            PressDialogButton(dialog, IDCANCEL);
        } else {
            SetWindowTextA(edit, modalPlan.openPath.c_str());
            PressDialogButton(dialog, IDOK);
        }
    } else {
        modalLog.others.push_back(caption);
        PressDialogButton(dialog, IDCANCEL);
    }
}

void AnswerPopup(HWND popup) {
    ++modalLog.popups;
    if (modalPlan.popupDowns == -1) {
        EndMenu();
        return;
    }
    if (modalPlan.popupDowns == -2) {
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    for (int i = 0; i < modalPlan.popupDowns; ++i) {
        PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    }
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}

BOOL CALLBACK CollectModal(HWND window, LPARAM param) {
    if (IsWindowVisible(window)) {
        const std::string name = ClassOf(window);
        if (name == "#32770" || name == "#32768") {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        }
    }
    return TRUE;
}

// The visible dialogs and popup menus of this thread.
std::vector<HWND> OpenModals() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectModal, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs inside whatever modal loop is open (dialog, message box, popup menu): answers each new
// modal window once, and insists if one is still there a while later.
void CALLBACK AnswerModals(HWND, UINT, UINT_PTR, DWORD) {
    const std::vector<HWND> found = OpenModals();
    const DWORD now = GetTickCount();
    for (const HWND window : found) {
        Answered* entry = nullptr;
        for (Answered& a : answered) {
            if (a.window == window) {
                entry = &a;
            }
        }
        const bool popup = ClassOf(window) == "#32768";
        if (entry == nullptr) {
            answered.push_back({window, now, 1});
            if (popup) {
                AnswerPopup(window);
            } else {
                AnswerDialog(window);
            }
        } else if (now - entry->when > (popup ? 300u : 4000u)) {
            // Still there: the planned answer did not end it.
            entry->when = now;
            ++entry->tries;
            if (popup) {
                EndMenu();
            } else if (entry->tries == 2) {
                PressDialogButton(window, IDCANCEL);
            } else {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
        }
    }
    // Forget the windows that have gone, so that a reused handle is a new window.
    std::vector<Answered> still;
    for (const Answered& a : answered) {
        for (const HWND window : found) {
            if (a.window == window) {
                still.push_back(a);
            }
        }
    }
    answered.swap(still);
}

// ---- the watchdog ----------------------------------------------------------------------------

// A hang cannot fail a test from the hung thread: this thread names the event and ends the
// process.
struct Watchdog {
    HANDLE stop = nullptr;
    HANDLE thread = nullptr;
    volatile LONG active = 0;
    volatile DWORD startTicks = 0;
    char what[500] = {}; // seed, event and what it does
    volatile LONG whatLength = 0;

    static inline Watchdog* running = nullptr;

    // Only system calls from here on: whatever hung or crashed may hold a lock of the C library.
    static void Write(const char* text, size_t length) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(length), &written,
                  nullptr);
    }
    static void Write(const char* text) {
        size_t length = 0;
        while (text[length] != '\0') {
            ++length;
        }
        Write(text, length);
    }
    static void WriteWhat() {
        if (running != nullptr) {
            Write(running->what, static_cast<size_t>(running->whatLength));
        }
    }
    static void WriteHex(uint64_t value) {
        char digits[17] = {};
        for (int i = 0; i < 16; ++i) {
            digits[i] = "0123456789ABCDEF"[(value >> (4 * (15 - i))) & 0xF];
        }
        Write(digits, 16);
    }

    static DWORD WINAPI Run(LPVOID param) {
        Watchdog* self = static_cast<Watchdog*>(param);
        while (WaitForSingleObject(self->stop, 500) == WAIT_TIMEOUT) {
            if (self->active && GetTickCount() - self->startTicks > HANG_MS) {
                Write("\nFAILURE ");
                WriteWhat();
                Write(": no return after 45 s; the process ends\n");
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
        return 0;
    }
    // A crash in any thread fails the run at once, naming the event: Wine's debugger would
    // otherwise attach and hold the process until the test's time runs out.
    static LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
        // A fault outside the test's own executable, under Wine, is the platform's: its AVI
        // player thread has been seen to run on after its device was closed and its DLL
        // unloaded (then the address lies in no module). Reported, and the test skipped.
        HMODULE faulting = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(info->ExceptionRecord->ExceptionAddress), &faulting);
        if (RunningUnderWine() && faulting != GetModuleHandleA(nullptr)) {
            char name[MAX_PATH] = "an unloaded module";
            if (faulting != nullptr) {
                GetModuleFileNameA(faulting, name, MAX_PATH);
            }
            Write("\nSKIPPED: Wine crashed in ");
            Write(name);
            Write(" (exception 0x");
            WriteHex(info->ExceptionRecord->ExceptionCode);
            Write(") during ");
            WriteWhat();
            Write("\n");
            TerminateProcess(GetCurrentProcess(), PLATFORM_CRASH_EXIT);
            return EXCEPTION_EXECUTE_HANDLER;
        }
        Write("\nFAILURE: the process crashed (exception 0x");
        WriteHex(info->ExceptionRecord->ExceptionCode);
        Write(" at 0x");
        WriteHex(reinterpret_cast<uintptr_t>(info->ExceptionRecord->ExceptionAddress));
        Write(") during ");
        WriteWhat();
        Write("\n");
        TerminateProcess(GetCurrentProcess(), 4);
        return EXCEPTION_EXECUTE_HANDLER;
    }
    void Start() {
        stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        running = this;
        previousFilter = SetUnhandledExceptionFilter(OnCrash);
    }
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
    // Names what runs from now on; restart starts the clock for a new event.
    void Name(const std::string& text, bool restart) {
        active = 0;
        const int length = std::snprintf(what, sizeof what, "%s", text.c_str());
        whatLength = length < 0                                ? 0
                     : length >= static_cast<int>(sizeof what) ? static_cast<LONG>(sizeof what - 1)
                                                               : length;
        if (restart) {
            startTicks = GetTickCount();
        }
        active = 1;
    }
    void End() { active = 0; }
    void Finish() {
        if (stop != nullptr) {
            SetUnhandledExceptionFilter(previousFilter);
            running = nullptr;
            SetEvent(stop);
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
            CloseHandle(stop);
            stop = nullptr;
        }
    }
};

// ---- the run ---------------------------------------------------------------------------------

struct RunOptions {
    uint64_t seed = 0;
    int first = 0;
    int last = DEFAULT_EVENTS - 1;
    bool verbose = false;
    bool keepGoing = false;
};

bool EnvironmentFlag(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' && value[0] != '0';
}

RunOptions OptionsFor(uint64_t seed) {
    RunOptions options;
    options.seed = seed;
    if (const char* events = std::getenv("QUILLOTROPE_MONKEY_EVENTS")) {
        int a = 0;
        int b = 0;
        if (std::sscanf(events, "%d-%d", &a, &b) == 2) {
            options.first = a;
            options.last = b;
        } else if (std::sscanf(events, "%d", &a) == 1) {
            options.last = a - 1;
        }
    }
    options.verbose = EnvironmentFlag("QUILLOTROPE_MONKEY_VERBOSE");
    options.keepGoing = EnvironmentFlag("QUILLOTROPE_MONKEY_KEEP_GOING");
    return options;
}

enum Kind {
    K_COMMAND,
    K_ZOOM,
    K_FULLSCREEN,
    K_CLOSE,
    K_OPEN_GOOD,
    K_OPEN_BAD,
    K_OPEN_DIALOG,
    K_OPEN_ACCELERATOR,
    K_ABOUT,
    K_ACCELERATOR,
    K_TRACK_DRAG,
    K_TRACK_STEP,
    K_HOST_SCROLL,
    K_FRAME_SIZE_MESSAGE,
    K_FRAME_SIZING,
    K_FRAME_MOVE,
    K_FRAME_SHOW,
    K_KEY,
    K_CONTEXT_MENU,
    K_MENU_SELECT,
    K_PUMP,
    K_PLAY_TO_END,
    K_SEEK_KEY,
    K_WHEEL,
    K_DOUBLE_CLICK,
    K_DROP,
    K_FRAME_STEP,
    K_VOLUME,
    K_APP_COMMAND,
    K_STILL_MOUSE,
    KIND_COUNT
};

struct KindInfo {
    const char* name;
    int weight; // out of the sum of all weights
};

// The mix, set by what things cost here: a dialog about 2 s, a seek of the movie about 10 ms
// (Stop, Beginning, Rewind, Forward, End and every trackbar move), an open or a full-screen
// switch some tens of milliseconds, most other events well under one. Dialogs are rare, seeking
// events a few hundred per seed, cheap events the bulk. A still mouse waits 2.3 s: about two a
// seed.
const KindInfo KINDS[KIND_COUNT] = {
    {"command", 1100},     {"zoom", 120},        {"full screen", 70},   {"close", 25},
    {"open", 30},          {"open bad file", 1}, {"open dialog", 1},    {"open accelerator", 1},
    {"about", 1},          {"accelerator", 700}, {"trackbar drag", 90}, {"trackbar step", 60},
    {"host scroll", 2600}, {"WM_SIZE", 200},     {"WM_SIZING", 2000},   {"move frame", 60},
    {"show frame", 6},     {"key", 900},         {"context menu", 25},  {"menu select", 2000},
    {"pump", 20},          {"play to end", 5},   {"arrow key", 300},    {"wheel", 300},
    {"double click", 40},  {"drop", 25},         {"frame step", 60},    {"volume", 120},
    {"app command", 200},  {"still mouse", 2},
};

struct KindStats {
    int count = 0;
    DWORD totalMs = 0;
    DWORD maxMs = 0;
};

// What an open event is expected to do.
enum OpenExpectation { OPEN_NONE, OPEN_GOOD, OPEN_BAD, OPEN_CANCELLED };

class Monkey {
  public:
    explicit Monkey(const RunOptions& o) : options(o) {}

    void Run();

  private:
    // The state of things before an event, for the checks after it.
    struct Before {
        PlayerState state;
        ScreenMode mode;
        HWND movie;
        RECT frameRect;
        SIZE frameClient;
        bool iconic;
        bool repeatOn;
        int zoom;
        std::string title;
    };

    Before Snapshot() const;
    void SendEvent(Random& random);
    void Check(const Before& before);
    void CheckOpen(const Before& before);
    void CheckFit(const Before& before);
    void CheckLayoutAfterResize(const Before& before);
    void CheckLiveness();
    void Fail(const std::string& what);
    void Announce();
    bool Failed() const { return failures > 0; }

    // Event helpers.
    LRESULT Command(int id, WPARAM high, LPARAM lParam = 0);
    void SendCommandEvent(Random& random);
    void SendAccelerator(Random& random, bool openKey);
    void SendTrackDrag(Random& random);
    void SendTrackStep(Random& random);
    void SendFrameStep(Random& random);
    void SendVolume(Random& random);
    void SendAppCommand(Random& random);
    void SendStillMouse();
    void CheckPlayPause(PlayerState state, const char* what);
    void CheckStop(const char* what);
    void CheckSound(HMENU menu);
    void PlanOpenDialog(Random& random);

    RunOptions options;
    int eventIndex = 0;
    std::string description;
    DWORD deadline = NORMAL_DEADLINE_MS;
    int failures = 0;
    int failedEvents = 0;
    HMENU menuBar = nullptr;
    HACCEL accelerators = nullptr;
    Watchdog watchdog;
    KindStats stats[KIND_COUNT];
    KindStats commandStats[IDM_LAST - IDM_FIRST + 1];
    int opensSucceeded = 0;
    DWORD checkMs = 0;
    DWORD livenessMs = 0;
    std::vector<std::string> slowEvents; // 1 s or more
    int eventsInState[4] = {0, 0, 0, 0}; // by the state before the event
    int eventsInFullScreen = 0;
    int moviesEnded = 0;
    int pointerHides = 0; // still-mouse events that hid the pointer

    // Expectations the event sets for the checks after it.
    OpenExpectation openExpected = OPEN_NONE;
    std::string openName;
    bool expectErrorBox = false;
    bool expectFileDialog = false;
    bool expectAbout = false;
    bool expectPopup = false;
    bool fitExpected = false;   // the movie window reported a new size: the frame fits it
    bool closeExpected = false; // a Close with a movie open
    bool resized = false;       // the frame was really resized
    bool soundAsked = false;    // a volume command may have run, or the Play popup opened
    std::string movieName;      // file name of the open movie, as the title must show it
    std::vector<std::string> notes;
};

std::string TrafficText() {
    std::string text;
    const size_t shown = 16;
    const size_t from = movieTraffic.size() > shown ? movieTraffic.size() - shown : 0;
    for (size_t i = from; i < movieTraffic.size(); ++i) {
        text += (i == from ? "\n  movie window: " : "; ") + movieTraffic[i];
    }
    return text;
}

void Monkey::Fail(const std::string& what) {
    ++failures;
    if (failures > 60) {
        return;
    }
    ADD_FAILURE() << "seed " << options.seed << " event " << eventIndex << " (" << description
                  << "): " << what << "\n  [state " << playerState << " " << StateName(playerState)
                  << ", mode " << fullScreenController.mode << ", repeat " << repeat << ", zoom "
                  << zoomPercent << ", movie " << (movieWindow.GetWindow() ? movieName : "none")
                  << "]" << TrafficText() << "\n  replay: QUILLOTROPE_MONKEY_SEED=" << options.seed
                  << " QUILLOTROPE_MONKEY_EVENTS=" << (eventIndex + 1);
}

// The event is described: name it for the watchdog, and print it when asked to.
void Monkey::Announce() {
    watchdog.Name(
        Format("seed %" PRIu64 " event %d (%s)", options.seed, eventIndex, description.c_str()),
        false);
    if (options.verbose) {
        std::printf("[ monkey   ] %d %s\n", eventIndex, description.c_str());
        std::fflush(stdout);
    }
}

Monkey::Before Monkey::Snapshot() const {
    Before b;
    b.state = playerState;
    b.mode = fullScreenController.mode;
    b.movie = movieWindow.GetWindow();
    b.frameRect = OuterRect(Frame());
    b.frameClient = ClientSize(Frame());
    b.iconic = IsIconic(Frame()) != FALSE;
    b.repeatOn = repeat;
    b.zoom = zoomPercent;
    b.title = WindowText(Frame());
    return b;
}

LRESULT Monkey::Command(int id, WPARAM high, LPARAM lParam) {
    return SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(id, high), lParam);
}

void Monkey::PlanOpenDialog(Random& random) {
    modalPlan.openCancel = random.OneIn(3);
    const Fixture& fixture = random.OneIn(4) ? random.Pick(BAD_MOVIES) : random.Pick(GOOD_MOVIES);
    if (modalPlan.openCancel) {
        openExpected = OPEN_CANCELLED;
        description += ", cancelled";
    } else {
        modalPlan.openPath = FixturePath(fixture.name);
        openExpected = fixture.opens ? OPEN_GOOD : OPEN_BAD;
        openName = fixture.name;
        expectErrorBox = !fixture.opens;
        description += Format(", typed \"%s\"", fixture.name);
    }
    expectFileDialog = true;
}

void Monkey::SendCommandEvent(Random& random) {
    // Play/Pause and Repeat often; the four seeking commands and Stop cost a seek each.
    static const int cheap[] = {IDM_PLAYPAUSE, IDM_PLAYPAUSE, IDM_PLAYPAUSE, IDM_PLAYPAUSE,
                                IDM_PLAYPAUSE, IDM_PLAYPAUSE, IDM_PLAYPAUSE, IDM_PLAYPAUSE,
                                IDM_REPEAT,    IDM_REPEAT,    IDM_REPEAT,    IDM_STOP,
                                IDM_BEGINNING, IDM_REWIND,    IDM_FORWARD,   IDM_END};
    static const int outside[] = {0, 1, IDM_FIRST - 1, IDM_LAST + 1, 40000};
    const bool noCommand = random.OneIn(40);
    const int id = noCommand ? random.Pick(outside) : random.Pick(cheap);
    const WPARAM high = static_cast<WPARAM>(random.Below(2));
    // A toolbar click carries the toolbar's handle; the handler looks at the low word only.
    const LPARAM lParam =
        random.OneIn(3) ? reinterpret_cast<LPARAM>(transportToolbar.GetWindow()) : 0;
    description = Format("WM_COMMAND %s (%d), high word %d%s", CommandName(id), id,
                         static_cast<int>(high), lParam ? ", from the toolbar" : "");
    const PlayerState state = playerState;
    const bool hadMovie = movieWindow.GetWindow() != nullptr;
    const bool repeatWas = repeat;
    Announce();
    const DWORD commandStart = GetTickCount();
    const LRESULT result = Command(id, high, lParam);
    if (id >= IDM_FIRST && id <= IDM_LAST) {
        KindStats& c = commandStats[id - IDM_FIRST];
        ++c.count;
        c.totalMs += GetTickCount() - commandStart;
    }
    if (!noCommand && result != 0) {
        Fail(Format("WM_COMMAND returned %ld, not 0", static_cast<long>(result)));
    }
    // What the handler must have done, before anything else is pumped.
    if (id == IDM_REPEAT && repeat == repeatWas) {
        Fail("Repeat did not flip repeat");
    }
    if (hadMovie && id == IDM_PLAYPAUSE) {
        CheckPlayPause(state, "Play/Pause");
    }
    if (hadMovie && id == IDM_STOP) {
        CheckStop("Stop");
    }
    if (!hadMovie && playerState != state) {
        Fail(Format("%s without a movie changed the state to %s", CommandName(id),
                    StateName(playerState)));
    }
    if (hadMovie && id >= IDM_BEGINNING && id <= IDM_END && playerState != state) {
        Fail(Format("%s changed the state from %s to %s", CommandName(id), StateName(state),
                    StateName(playerState)));
    }
}

// What Play/Pause must have done to a movie in that state, before anything else is pumped.
void Monkey::CheckPlayPause(PlayerState state, const char* what) {
    const PlayerState wanted = state == MCI_MODE_PLAY ? MCI_MODE_PAUSE : MCI_MODE_PLAY;
    // Play at the movie's last frame is its end at once: without Repeat the end rule stops it
    // and returns it to the start.
    const bool endedAtOnce = wanted == MCI_MODE_PLAY && playerState == MCI_MODE_STOP && !repeat &&
                             movieWindow.GetWindow() != nullptr &&
                             movieWindow.GetPosition() == movieWindow.GetStart();
    if (playerState != wanted && !endedAtOnce) {
        Fail(Format("%s from %s gave %s, not %s", what, StateName(state), StateName(playerState),
                    StateName(wanted)));
    }
}

void Monkey::CheckStop(const char* what) {
    if (playerState != MCI_MODE_STOP) {
        Fail(Format("%s gave %s", what, StateName(playerState)));
    }
    if (TrackbarPosition() != 0) {
        Fail(Format("%s left the trackbar at %d, not 0", what, TrackbarPosition()));
    }
}

struct AcceleratorKey {
    UINT key;
    bool control;
    bool alt;
    bool shift;
    int command; // 0: not in the table
};

const AcceleratorKey ACCELERATOR_KEYS[] = {
    {'R', true, false, false, IDM_REPEAT},
    {'S', true, false, false, IDM_STOP},
    {VK_END, false, false, false, IDM_END},
    {VK_HOME, false, false, false, IDM_BEGINNING},
    {VK_NEXT, false, false, false, IDM_FORWARD},
    {VK_PRIOR, false, false, false, IDM_REWIND},
    {VK_RETURN, false, true, false, IDM_FULLSCREEN},
    {VK_SPACE, false, false, false, IDM_PLAYPAUSE},
    {VK_SPACE, false, false, false, IDM_PLAYPAUSE},
    {VK_END, false, false, false, IDM_END},
    {VK_RIGHT, true, false, false, IDM_NEXTFRAME},
    {VK_LEFT, true, false, false, IDM_PREVFRAME},
    {VK_UP, false, false, false, IDM_VOLUMEUP},
    {VK_DOWN, false, false, false, IDM_VOLUMEDOWN},
    {'M', false, false, false, IDM_MUTE},
    // Near misses: keys of the table with other modifiers, and letters without Ctrl.
    {'R', false, false, false, 0},
    {'S', false, false, true, 0},
    {VK_SPACE, true, false, false, 0},
    {VK_HOME, false, false, true, 0},
    {VK_RETURN, false, false, false, 0},
    {'P', true, false, false, 0},
    {'M', true, false, false, 0},
    {VK_DOWN, false, false, true, 0},
};

void Monkey::SendAccelerator(Random& random, bool openKey) {
    const AcceleratorKey key =
        openKey ? AcceleratorKey{'O', true, false, false, IDM_OPEN} : random.Pick(ACCELERATOR_KEYS);
    description = Format("accelerator key 0x%02X%s%s%s (%s)", key.key, key.control ? " +Ctrl" : "",
                         key.alt ? " +Alt" : "", key.shift ? " +Shift" : "",
                         key.command ? CommandName(key.command) : "not in the table");
    if (openKey) {
        PlanOpenDialog(random);
    }
    HoldModifiers(key.control, key.alt, key.shift);
    MSG msg = KeyDownMessage(Frame(), key.key, key.alt);
    const bool repeatWas = repeat;
    const ScreenMode modeWas = fullScreenController.mode;
    // As the message loop does it: a key that is not translated is dispatched.
    Announce();
    if (TranslateAcceleratorA(Frame(), accelerators, &msg) == 0) {
        DispatchMessageA(&msg);
    }
    BYTE none[256] = {};
    SetKeyboardState(none);
    // These are never grayed, so they always arrive, except at a minimised frame, for which the
    // platform translates no accelerator of the menu (measured here).
    const bool arrives = !IsIconic(Frame());
    if (!arrives && openKey) {
        openExpected = OPEN_NONE;
        expectFileDialog = expectErrorBox = false;
    }
    if (arrives && key.command == IDM_REPEAT && repeat == repeatWas) {
        Fail("Ctrl+R did not flip repeat");
    }
    if (arrives && key.command == IDM_FULLSCREEN && fullScreenController.mode == modeWas) {
        Fail("Alt+Enter did not switch the mode");
    }
}

void Monkey::SendTrackDrag(Random& random) {
    struct Move {
        int thumb;
        int holdMs; // 0: only what is queued is pumped
    };
    std::vector<Move> moves(static_cast<size_t>(random.Between(1, 3)));
    description = Format("trackbar drag, %d thumb moves", static_cast<int>(moves.size()));
    for (Move& move : moves) {
        static const int edges[] = {0, 200, 199, 1};
        move.thumb = random.OneIn(6) ? random.Pick(edges) : random.Between(0, 200);
        // A slow drag: the movie's notifications arrive while the thumb is held.
        move.holdMs = random.OneIn(10) ? random.Between(20, 100) : 0;
        description += Format(" %d", move.thumb);
        if (move.holdMs > 0) {
            description += Format(" (held %d ms)", move.holdMs);
        }
    }
    Announce();
    const HWND host = videoHost.GetWindow();
    const LPARAM trackbar = reinterpret_cast<LPARAM>(positionTrackbar.GetWindow());
    for (const Move& move : moves) {
        // The control moves its thumb, then tells its notify window.
        SetTrackbarPosition(move.thumb);
        SendMessageA(host, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, move.thumb), trackbar);
        if (movieWindow.GetWindow() != nullptr && !seeking) {
            Fail("a thumb move did not set seeking");
        }
        if (move.holdMs > 0) {
            PumpFor(static_cast<DWORD>(move.holdMs));
            if (TrackbarPosition() != move.thumb) {
                Fail(Format("while the thumb was held at %d the trackbar moved to %d", move.thumb,
                            TrackbarPosition()));
            }
        } else {
            PumpPending();
        }
    }
    // Released where it was last moved to.
    SendMessageA(host, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, moves.back().thumb), trackbar);
    SendMessageA(host, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), trackbar);
}

void Monkey::SendTrackStep(Random& random) {
    static const int codes[] = {TB_LINEUP, TB_LINEDOWN, TB_PAGEUP, TB_PAGEDOWN, TB_TOP, TB_BOTTOM};
    static const char* const names[] = {"TB_LINEUP",   "TB_LINEDOWN", "TB_PAGEUP",
                                        "TB_PAGEDOWN", "TB_TOP",      "TB_BOTTOM"};
    const int which = random.Below(6);
    const int code = codes[which];
    const int repeats = random.OneIn(3) ? 2 : 1;
    description = Format("trackbar %s x%d", names[which], repeats);
    const HWND host = videoHost.GetWindow();
    const LPARAM trackbar = reinterpret_cast<LPARAM>(positionTrackbar.GetWindow());
    for (int i = 0; i < repeats; ++i) {
        int position = TrackbarPosition();
        switch (code) {
        case TB_LINEUP:
            position -= 1;
            break;
        case TB_LINEDOWN:
            position += 1;
            break;
        case TB_PAGEUP:
            position -= 40; // the control's default page: a fifth of the range
            break;
        case TB_PAGEDOWN:
            position += 40;
            break;
        case TB_TOP:
            position = 0;
            break;
        default:
            position = 200;
            break;
        }
        Announce();
        SetTrackbarPosition(position < 0 ? 0 : position > 200 ? 200 : position);
        SendMessageA(host, WM_HSCROLL, MAKEWPARAM(code, 0), trackbar);
        PumpPending();
    }
    SendMessageA(host, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), trackbar);
}

void Monkey::SendFrameStep(Random& random) {
    const bool next = random.OneIn(2);
    const int id = next ? IDM_NEXTFRAME : IDM_PREVFRAME;
    const WPARAM high = static_cast<WPARAM>(random.Below(2));
    description = Format("WM_COMMAND %s, high word %d", CommandName(id), static_cast<int>(high));
    const HWND movie = movieWindow.GetWindow();
    const PlayerState state = playerState;
    const bool steps = movie != nullptr && movieWindow.CanStepFrame(next ? 1 : -1);
    const int32_t position = movie != nullptr ? movieWindow.GetPosition() : 0;
    // A playing movie moves on meanwhile: near its first or last frame, whether a frame was
    // left to step to when the player asked is told only by what it did.
    const bool nearEdge = movie != nullptr && state == MCI_MODE_PLAY &&
                          (position - movieWindow.GetStart() < FRAME_STEP_EDGE_MS ||
                           movieWindow.GetEnd() - position < FRAME_STEP_EDGE_MS);
    Announce();
    if (Command(id, high) != 0) {
        Fail("the frame step did not return 0");
    }
    if (movie == nullptr || (nearEdge ? playerState == MCI_MODE_PLAY : !steps)) {
        // Without a movie, and at the first or the last frame, nothing moves and a playing movie
        // plays on.
        if (playerState != state) {
            Fail(Format("a step that had nothing to do changed the state to %s",
                        StateName(playerState)));
        }
        if (movie != nullptr && state != MCI_MODE_PLAY && movieWindow.GetPosition() != position) {
            Fail(Format("a step past the %s frame moved the movie", next ? "last" : "first"));
        }
        return;
    }
    // A step pauses a playing movie first.
    const PlayerState wanted = state == MCI_MODE_PLAY ? MCI_MODE_PAUSE : state;
    if (playerState != wanted) {
        Fail(Format("a frame step from %s gave %s, not %s", StateName(state),
                    StateName(playerState), StateName(wanted)));
    }
    const int32_t now = movieWindow.GetPosition();
    if (state != MCI_MODE_PLAY && (next ? now <= position : now >= position)) {
        Fail(Format("a frame step went from %d to %d", static_cast<int>(position),
                    static_cast<int>(now)));
    }
    const int32_t start = movieWindow.GetStart();
    const int32_t length = movieWindow.GetLength();
    char text[TIME_TEXT_SIZE];
    TimeText(now, length, text);
    if (StatusPart(2) != text || TrackbarPosition() != TrackPositionOf(now, start, length)) {
        Fail(Format("at %d after a frame step the time reads \"%s\" and the trackbar %d",
                    static_cast<int>(now), StatusPart(2).c_str(), TrackbarPosition()));
    }
}

void Monkey::SendVolume(Random& random) {
    static const int ids[] = {IDM_VOLUMEUP, IDM_VOLUMEUP, IDM_VOLUMEDOWN, IDM_VOLUMEDOWN, IDM_MUTE};
    const int id = random.Pick(ids);
    const WPARAM high = static_cast<WPARAM>(random.Below(2));
    description = Format("WM_COMMAND %s, high word %d", CommandName(id), static_cast<int>(high));
    int32_t percent = 0;
    bool muted = false;
    const bool known = soundVolume.Read(&percent, &muted);
    Announce();
    if (Command(id, high) != 0) {
        Fail("the volume command did not return 0");
    }
    int32_t percentNow = 0;
    bool mutedNow = false;
    const bool knownNow = soundVolume.Read(&percentNow, &mutedNow);
    if (known && knownNow) {
        // A step that changes the volume turns the mute off; at 0 % down or 100 % up nothing
        // changes.
        const int32_t wanted =
            id == IDM_MUTE ? percent : SteppedVolume(percent, id == IDM_VOLUMEUP ? 1 : -1);
        const bool wantedMute = id == IDM_MUTE ? !muted : wanted == percent && muted;
        if (percentNow != wanted || mutedNow != wantedMute) {
            Fail(Format("%s from %d%%%s gave %d%%%s, not %d%%%s", CommandName(id),
                        static_cast<int>(percent), muted ? " muted" : "",
                        static_cast<int>(percentNow), mutedNow ? " muted" : "",
                        static_cast<int>(wanted), wantedMute ? " muted" : ""));
        }
    } else if (known != knownNow) {
        Fail(Format("the mixer was %sreadable before %s and %s after it", known ? "" : "not ",
                    CommandName(id), knownNow ? "is" : "is not"));
    }
    char text[VOLUME_TEXT_SIZE] = "";
    const bool shown = knownNow && VolumeText(percentNow, mutedNow, text, sizeof text);
    const std::string wantedText = shown ? text : NO_SOUND_DEVICE_TEXT;
    if (StatusPart(0) != wantedText) {
        Fail("after " + std::string(CommandName(id)) + " status part 0 reads \"" + StatusPart(0) +
             "\", not \"" + wantedText + "\"");
    }
}

struct AppCommand {
    int command;
    const char* name;
};

// The media keys' commands often, and two that the player leaves to the system.
const AppCommand APP_COMMANDS[] = {{APPCOMMAND_MEDIA_PLAY_PAUSE, "MEDIA_PLAY_PAUSE"},
                                   {APPCOMMAND_MEDIA_PLAY_PAUSE, "MEDIA_PLAY_PAUSE"},
                                   {APPCOMMAND_MEDIA_PLAY, "MEDIA_PLAY"},
                                   {APPCOMMAND_MEDIA_PAUSE, "MEDIA_PAUSE"},
                                   {APPCOMMAND_MEDIA_STOP, "MEDIA_STOP"},
                                   {APPCOMMAND_MEDIA_NEXTTRACK, "MEDIA_NEXTTRACK"},
                                   {APPCOMMAND_BROWSER_BACKWARD, "BROWSER_BACKWARD"}};

void Monkey::SendAppCommand(Random& random) {
    const AppCommand& command = random.Pick(APP_COMMANDS);
    static const WORD devices[] = {FAPPCOMMAND_KEY, FAPPCOMMAND_MOUSE, FAPPCOMMAND_OEM};
    const WORD device = random.Pick(devices);
    // Where the platform sends it: the window with the focus, or any of the frame's children,
    // each of which passes it on to its parent.
    static const char* const places[] = {"focus window", "frame",   "video area", "picture",
                                         "trackbar",     "toolbar", "status bar"};
    const int place = random.Below(7);
    const HWND frame = Frame();
    const HWND focus = GetFocus();
    const HWND movie = movieWindow.GetWindow();
    const HWND targets[] = {focus != nullptr && (focus == frame || IsChild(frame, focus)) ? focus
                                                                                          : frame,
                            frame,
                            videoHost.GetWindow(),
                            movie != nullptr ? movie : videoHost.GetWindow(),
                            positionTrackbar.GetWindow(),
                            transportToolbar.GetWindow(),
                            statusBar.GetWindow()};
    const HWND target = targets[place];
    description = Format("WM_APPCOMMAND %s (%d) from device 0x%04X to the %s (%s)", command.name,
                         command.command, device, places[place], ClassOf(target).c_str());
    const PlayerState state = playerState;
    const MediaKeyAction action = MediaKeyActionOf(command.command, state);
    Announce();
    const LRESULT result = SendMessageA(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target),
                                        MAKELPARAM(0, static_cast<WORD>(command.command) | device));
    // Only the frame's own answer is known: a child's default handling answers for itself.
    if (target == frame && action.handled && result != TRUE) {
        Fail(Format("the frame answered %ld, not TRUE", static_cast<long>(result)));
    }
    if (movie == nullptr || action.commandId == 0) {
        if (playerState != state) {
            Fail(Format("%s from %s changed the state to %s", command.name, StateName(state),
                        StateName(playerState)));
        }
    } else if (action.commandId == IDM_PLAYPAUSE) {
        CheckPlayPause(state, command.name);
    } else if (action.commandId == IDM_STOP) {
        CheckStop(command.name);
    }
}

void Monkey::SendStillMouse() {
    const HWND frame = Frame();
    description =
        Format("the mouse still for %lu ms (%s)", static_cast<unsigned long>(STILL_MOUSE_MS),
               fullScreenController.mode == FullScreen ? "full screen" : "windowed");
    Announce();
    PumpFor(STILL_MOUSE_MS);
    // The frame shows the full-screen picture under the pointer, and has the activation.
    const auto hides = [frame] {
        POINT cursor = {0, 0};
        const HWND under = GetCursorPos(&cursor) ? WindowFromPoint(cursor) : nullptr;
        return fullScreenController.mode == FullScreen && !IsIconic(frame) &&
               GetActiveWindow() == frame && under != nullptr &&
               (under == frame || IsChild(frame, under));
    };
    if (!hides()) {
        return;
    }
    PumpUntil([&] { return !hides() || !PointerShowing(); }, POINTER_GRACE_MS);
    if (hides() && PointerShowing()) {
        Fail(Format("full screen, active and the mouse still for %lu ms, the pointer shows",
                    static_cast<unsigned long>(STILL_MOUSE_MS + POINTER_GRACE_MS)));
    } else if (!PointerShowing()) {
        ++pointerHides;
    }
}

void Monkey::SendEvent(Random& random) {
    int total = 0;
    for (const KindInfo& k : KINDS) {
        total += k.weight;
    }
    int draw = random.Below(total);
    int kind = 0;
    while (draw >= KINDS[kind].weight) {
        draw -= KINDS[kind].weight;
        ++kind;
    }
    const HWND frame = Frame();
    const HWND host = videoHost.GetWindow();
    description = KINDS[kind].name;
    // Anything that can change the frame's size or style may meet Wine's 2 s wait.
    static const int frameChanging[] = {K_ZOOM,
                                        K_FULLSCREEN,
                                        K_CLOSE,
                                        K_OPEN_GOOD,
                                        K_OPEN_BAD,
                                        K_OPEN_DIALOG,
                                        K_OPEN_ACCELERATOR,
                                        K_ABOUT,
                                        K_ACCELERATOR,
                                        K_FRAME_MOVE,
                                        K_FRAME_SHOW,
                                        K_KEY,
                                        K_CONTEXT_MENU,
                                        K_DOUBLE_CLICK,
                                        K_DROP};
    deadline = NORMAL_DEADLINE_MS;
    for (const int slow : frameChanging) {
        if (kind == slow) {
            deadline = SLOW_DEADLINE_MS;
        }
    }
    const DWORD start = GetTickCount();
    DWORD extraDeadline = 0;

    switch (kind) {
    case K_COMMAND:
        SendCommandEvent(random);
        break;
    case K_ZOOM: {
        // 0: Fit to Window, which keeps the frame as it is and the last zoom for later.
        const int percents[] = {50, 100, 200, 0};
        const int percent = random.Pick(percents);
        const int id = percent == 50    ? IDM_ZOOM50
                       : percent == 100 ? IDM_ZOOM100
                       : percent == 200 ? IDM_ZOOM200
                                        : IDM_ZOOMFIT;
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description =
            Format("WM_COMMAND %s, high word %d", CommandName(id), static_cast<int>(high));
        const int percentWas = zoomPercent;
        fitExpected = movieWindow.GetWindow() != nullptr && percent != 0 &&
                      (percent != zoomPercent || zoomFit);
        const RECT rect = OuterRect(frame);
        const bool iconic = IsIconic(frame) != FALSE;
        Announce();
        Command(id, high);
        if (percent == 0) {
            if (!zoomFit || zoomPercent != percentWas) {
                Fail(Format("Fit to Window gave fit %d, zoomPercent %d", zoomFit ? 1 : 0,
                            zoomPercent));
            }
            const RECT after = OuterRect(frame);
            if (!iconic && !EqualRect(&rect, &after)) {
                Fail("Fit to Window changed the frame from " + RectText(rect) + " to " +
                     RectText(after));
            }
        } else if (zoomPercent != percent || zoomFit) {
            Fail(Format("zoomPercent is %d (fit %d) after %s", zoomPercent, zoomFit ? 1 : 0,
                        CommandName(id)));
        }
        break;
    }
    case K_FULLSCREEN: {
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description = Format("WM_COMMAND IDM_FULLSCREEN, high word %d", static_cast<int>(high));
        const ScreenMode was = fullScreenController.mode;
        Announce();
        Command(IDM_FULLSCREEN, high);
        if (fullScreenController.mode == was) {
            Fail("Full Screen did not switch the mode");
        }
        resized = true;
        break;
    }
    case K_CLOSE: {
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description = Format("WM_COMMAND IDM_CLOSE, high word %d", static_cast<int>(high));
        Announce();
        closeExpected = movieWindow.GetWindow() != nullptr;
        Command(IDM_CLOSE, high);
        if (movieWindow.GetWindow() != nullptr) {
            Fail("a movie window is still there after Close");
        } else {
            movieName.clear();
        }
        break;
    }
    case K_OPEN_GOOD:
    case K_OPEN_BAD: {
        const Fixture& fixture =
            kind == K_OPEN_GOOD ? random.Pick(GOOD_MOVIES) : random.Pick(BAD_MOVIES);
        const bool quoted = random.OneIn(2);
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description = Format("open \"%s\" through pendingPath%s, high word %d", fixture.name,
                             quoted ? " in quotes" : "", static_cast<int>(high));
        static std::string kept;
        kept = quoted ? "\"" + FixturePath(fixture.name) + "\"" : FixturePath(fixture.name);
        Announce();
        pendingPath = kept.c_str();
        openExpected = fixture.opens ? OPEN_GOOD : OPEN_BAD;
        openName = fixture.name;
        expectErrorBox = !fixture.opens;
        Command(IDM_OPEN, high);
        if (pendingPath != nullptr) {
            Fail("Open left pendingPath set");
            pendingPath = nullptr;
        }
        if (fixture.opens && playerState != MCI_MODE_STOP) {
            Fail(Format("a good movie opened in state %s, not stopped", StateName(playerState)));
        }
        break;
    }
    case K_OPEN_DIALOG: {
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description =
            Format("WM_COMMAND IDM_OPEN, high word %d, open-file dialog", static_cast<int>(high));
        PlanOpenDialog(random);
        Announce();
        Command(IDM_OPEN, high);
        break;
    }
    case K_OPEN_ACCELERATOR:
        SendAccelerator(random, true);
        break;
    case K_ABOUT: {
        static const char* const endings[] = {"OK", "Cancel", "Enter", "Escape", "close box"};
        modalPlan.aboutEnding = random.Below(5);
        const WPARAM high = static_cast<WPARAM>(random.Below(2));
        description = Format("WM_COMMAND IDM_ABOUT, high word %d, ended by %s",
                             static_cast<int>(high), endings[modalPlan.aboutEnding]);
        expectAbout = true;
        Announce();
        const RECT rect = OuterRect(frame);
        Command(IDM_ABOUT, high);
        const RECT after = OuterRect(frame);
        if (!EqualRect(&rect, &after)) {
            Fail("the About box changed the frame's rectangle");
        }
        break;
    }
    case K_ACCELERATOR:
        soundAsked = true;
        SendAccelerator(random, false);
        break;
    case K_TRACK_DRAG:
        SendTrackDrag(random);
        break;
    case K_TRACK_STEP:
        SendTrackStep(random);
        break;
    case K_HOST_SCROLL: {
        const bool vertical = random.OneIn(2);
        const int code = random.Between(0, 8);
        const int thumb = random.OneIn(4) ? random.Between(0, 65535) : random.Between(0, 700);
        description = Format("%s code %d thumb %d to the host",
                             vertical ? "WM_VSCROLL" : "WM_HSCROLL", code, thumb);
        Announce();
        const LRESULT result =
            SendMessageA(host, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
        if (result != 0) {
            Fail("the host's scroll message did not return 0");
        }
        break;
    }
    case K_FRAME_SIZE_MESSAGE: {
        int width = random.Between(0, 2000);
        int height = random.Between(0, 1500);
        if (random.OneIn(5)) {
            width = 0;
            height = 0;
        } else if (random.OneIn(5)) {
            width = random.OneIn(2) ? 65535 : random.Between(3000, 65535);
            height = random.OneIn(2) ? 65535 : random.Between(3000, 65535);
        }
        const WPARAM type = static_cast<WPARAM>(random.Below(3));
        description =
            Format("WM_SIZE %d x %d, type %d to the frame", width, height, static_cast<int>(type));
        Announce();
        SendMessageA(frame, WM_SIZE, type, MAKELPARAM(width, height));
        break;
    }
    case K_FRAME_SIZING: {
        const RECT current = OuterRect(frame);
        RECT proposed;
        proposed.left = current.left + random.Between(-600, 600);
        proposed.top = current.top + random.Between(-600, 600);
        proposed.right =
            proposed.left + (random.OneIn(6) ? -random.Between(0, 500) : random.Between(0, 1800));
        proposed.bottom =
            proposed.top + (random.OneIn(6) ? -random.Between(0, 500) : random.Between(0, 1400));
        if (random.OneIn(10)) {
            proposed.right = proposed.left + 0x7FFFFFF;
            proposed.bottom = proposed.top - 0x7FFFFFF;
        }
        const WPARAM edge = static_cast<WPARAM>(random.Between(1, 8));
        description =
            "WM_SIZING " + RectText(proposed) + Format(", edge %d", static_cast<int>(edge));
        Announce();
        RECT result = proposed;
        const LRESULT answer =
            SendMessageA(frame, WM_SIZING, edge, reinterpret_cast<LPARAM>(&result));
        const bool narrow = static_cast<int64_t>(proposed.right) - proposed.left < MinWidth();
        const bool low = static_cast<int64_t>(proposed.bottom) - proposed.top < MinHeight();
        RECT wanted = proposed;
        if (narrow) {
            wanted.left = current.left;
            wanted.right = current.right;
        }
        if (low) {
            wanted.top = current.top;
            wanted.bottom = current.bottom;
        }
        if (!EqualRect(&result, &wanted)) {
            Fail("WM_SIZING gave " + RectText(result) + ", not " + RectText(wanted));
        }
        if (answer != 0) {
            Fail("WM_SIZING did not return 0");
        }
        break;
    }
    case K_FRAME_MOVE: {
        int width = random.Between(400, 1400);
        int height = random.Between(320, 1100);
        // A frame with no area, or wholly off the screen, is unmapped and later mapped again,
        // which costs 2 s each time here: 0 x 0 is rare, and every other place overlaps the
        // screen.
        switch (random.Below(240)) {
        case 0:
            width = 0;
            height = 0;
            break;
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
            width = random.Between(250, 399);
            height = random.Between(200, 319);
            break;
        case 17:
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 24:
        case 25:
        case 26:
        case 27:
        case 28:
            width = random.Between(3000, 40000);
            height = random.Between(3000, 40000);
            break;
        default:
            break;
        }
        const int x = random.Between(-120, 1100);
        const int y = random.Between(-90, 850);
        description = Format("MoveWindow frame to (%d, %d) %d x %d", x, y, width, height);
        Announce();
        MoveWindow(frame, x, y, width, height, TRUE);
        resized = true;
        break;
    }
    case K_FRAME_SHOW: {
        static const int shows[] = {SW_MINIMIZE, SW_MAXIMIZE, SW_RESTORE, SW_RESTORE,
                                    SW_SHOWNORMAL};
        static const char* const names[] = {"SW_MINIMIZE", "SW_MAXIMIZE", "SW_RESTORE",
                                            "SW_RESTORE", "SW_SHOWNORMAL"};
        const int which = random.Below(5);
        description = Format("ShowWindow frame %s", names[which]);
        Announce();
        ShowWindow(frame, shows[which]);
        resized = true;
        break;
    }
    case K_SEEK_KEY:
    case K_WHEEL: {
        // Left/Right, or whole notches of the wheel over the video area, the picture or (doing
        // nothing) the toolbar: 5 s a step in every state, the state kept.
        int steps = 0;
        LRESULT result = 0;
        const HWND movie = movieWindow.GetWindow();
        const int32_t position = movie != nullptr ? movieWindow.GetPosition() : 0;
        const std::string timeBefore = StatusPart(2);
        const PlayerState stateBefore = playerState;
        if (kind == K_SEEK_KEY) {
            const bool right = random.OneIn(2);
            const bool held = random.OneIn(4);
            steps = right ? 1 : -1;
            description = Format("WM_KEYDOWN %s%s to the frame", right ? "Right" : "Left",
                                 held ? " (a repeat)" : "");
            Announce();
            result =
                SendMessageA(frame, WM_KEYDOWN, right ? VK_RIGHT : VK_LEFT, held ? 0x40000001 : 1);
        } else {
            static const int notches[] = {-3, -2, -1, -1, 1, 1, 2, 3};
            const int n = random.Pick(notches);
            // 0..2 the video area, 3 the picture, 4 the toolbar (windowed; hidden in full
            // screen, where the video area covers its place).
            const int where = random.Below(5);
            const bool overToolbar = where == 4 && fullScreenController.mode == Windowed;
            const HWND target = overToolbar ? frame : where == 3 && movie != nullptr ? movie : host;
            POINT point = {3, 3};
            ClientToScreen(overToolbar ? transportToolbar.GetWindow() : target, &point);
            // Only a point inside the video area's client area seeks: a picture scrolled
            // partly out of the area, or a minimised frame's layout, can put the point of a
            // target outside it, or the toolbar's point inside it.
            POINT inHost = point;
            RECT area = {0, 0, 0, 0};
            GetClientRect(host, &area);
            ScreenToClient(host, &inHost);
            steps = PtInRect(&area, inHost) ? -n : 0;
            description = Format("WM_MOUSEWHEEL %d to the %s", n * WHEEL_DELTA,
                                 overToolbar       ? "frame over the toolbar"
                                 : target == movie ? "picture"
                                                   : "video area");
            Announce();
            result = SendMessageA(target, WM_MOUSEWHEEL,
                                  MAKEWPARAM(0, static_cast<WORD>(n * WHEEL_DELTA)),
                                  ScreenPoint(point.x, point.y));
        }
        if (result != 0) {
            Fail("the seek's message did not return 0");
        }
        if (movie == nullptr || steps == 0) {
            // A playing movie moves on by itself meanwhile.
            if (stateBefore != MCI_MODE_PLAY &&
                (StatusPart(2) != timeBefore || playerState != stateBefore)) {
                Fail("a seek that had nothing to do changed the status bar or the state");
            }
            break;
        }
        // A playing movie plays on from the target and may reach its end meanwhile.
        if (stateBefore != MCI_MODE_PLAY) {
            if (playerState != stateBefore) {
                Fail(Format("a 5 s seek changed the state to %s", StateName(playerState)));
            }
            const int32_t start = movieWindow.GetStart();
            const int32_t length = movieWindow.GetLength();
            const int32_t target = SeekTarget(position, steps, start, movieWindow.GetEnd());
            char text[TIME_TEXT_SIZE];
            TimeText(target, length, text);
            if (StatusPart(2) != text) {
                Fail(Format("a 5 s seek from %d shows \"%s\", not \"%s\"",
                            static_cast<int>(position), StatusPart(2).c_str(), text));
            }
            const int track =
                static_cast<int>(SendMessageA(positionTrackbar.GetWindow(), TBM_GETPOS, 0, 0));
            if (track != TrackPositionOf(target, start, length)) {
                Fail(Format("a 5 s seek to %d left the trackbar at %d", static_cast<int>(target),
                            track));
            }
        }
        break;
    }
    case K_DOUBLE_CLICK: {
        // Two presses posted together (the same message time) on the video area or the
        // picture, away from any earlier press: one double click, one switch.
        static int lastX = -100;
        const HWND movie = movieWindow.GetWindow();
        const bool onPicture = movie != nullptr && random.OneIn(2);
        const HWND target = onPicture ? movie : host;
        const SIZE size = ClientSize(target);
        int x = random.Between(0, size.cx > 1 ? size.cx - 1 : 0);
        if (x > lastX - 10 && x < lastX + 10) {
            x = x >= 20 ? x - 20 : x + 20;
        }
        lastX = x;
        const int y = random.Between(0, size.cy > 1 ? size.cy - 1 : 0);
        description = Format("double click at (%d, %d) on the %s", x, y,
                             onPicture ? "picture" : "video area");
        Announce();
        const ScreenMode was = fullScreenController.mode;
        for (int press = 0; press < 2; ++press) {
            PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        }
        PumpPending();
        if (fullScreenController.mode == was) {
            Fail("a double click did not switch the mode");
        }
        resized = true;
        break;
    }
    case K_FRAME_STEP:
        SendFrameStep(random);
        break;
    case K_VOLUME:
        soundAsked = true;
        SendVolume(random);
        break;
    case K_APP_COMMAND:
        SendAppCommand(random);
        break;
    case K_STILL_MOUSE:
        SendStillMouse();
        extraDeadline = STILL_MOUSE_MS + POINTER_GRACE_MS;
        break;
    case K_DROP: {
        // Files dropped as the shell drops them: the first opens and plays, a file that is no
        // movie ends as its Open ends, a name too long for the path buffer is refused.
        const int what = random.Below(6); // 0..3 good, 4 bad, 5 too long
        const bool wide = random.OneIn(2);
        const Fixture& fixture = what < 4 ? random.Pick(GOOD_MOVIES) : random.Pick(BAD_MOVIES);
        std::string path = FixturePath(fixture.name);
        if (what == 5) {
            path = FixturePath("long") + "\\" + std::string(300, 'x') + ".avi";
        }
        description =
            Format("drop of %s (%s names)", what == 5 ? "a 300-character name" : fixture.name,
                   wide ? "wide" : "8-bit");
        Announce();
        wchar_t widePath[1024] = {};
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, 1024);
        std::vector<char> list;
        if (wide) {
            const char* bytes = reinterpret_cast<const char*>(widePath);
            list.assign(bytes, bytes + (wcslen(widePath) + 2) * sizeof(wchar_t));
        } else {
            list.assign(path.c_str(), path.c_str() + path.size() + 1);
            list.push_back('\0');
        }
        const DWORD header = 20; // DROPFILES
        const HGLOBAL block = GlobalAlloc(GHND, header + list.size());
        char* bytes = static_cast<char*>(GlobalLock(block));
        bytes[0] = static_cast<char>(header);
        bytes[16] = wide ? 1 : 0;
        std::memcpy(bytes + header, list.data(), list.size());
        GlobalUnlock(block);
        if (what == 5) {
            // Refused in the player's own box.
            openExpected = OPEN_NONE;
            expectErrorBox = true;
        } else {
            openExpected = fixture.opens ? OPEN_GOOD : OPEN_BAD;
            openName = fixture.name;
            expectErrorBox = !fixture.opens;
        }
        const HWND movieBefore = movieWindow.GetWindow();
        const std::string titleBefore = WindowText(frame);
        PostMessageA(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        PumpPending();
        if (what == 5 &&
            (movieWindow.GetWindow() != movieBefore || WindowText(frame) != titleBefore)) {
            Fail("a dropped name too long for the path buffer was not refused");
        }
        break;
    }
    case K_KEY: {
        static const UINT others[] = {
            VK_SPACE,  VK_RETURN, VK_TAB,  VK_UP, VK_DOWN, VK_HOME,  VK_END,     VK_PRIOR,  VK_NEXT,
            VK_DELETE, VK_INSERT, VK_BACK, VK_F1, VK_F2,   VK_F5,    VK_F11,     VK_F12,    'A',
            'O',       'S',       'R',     '0',   '7',     VK_SHIFT, VK_CONTROL, VK_NUMPAD5};
        const UINT key = random.OneIn(3) ? VK_ESCAPE : random.Pick(others);
        description = Format("WM_KEYDOWN 0x%02X to the frame", key);
        Announce();
        const ScreenMode was = fullScreenController.mode;
        const RECT rect = OuterRect(frame);
        const std::string statusBefore = StatusPart(1) + "|" + StatusPart(2);
        const LRESULT result = SendMessageA(frame, WM_KEYDOWN, key, 1);
        if (key == VK_ESCAPE) {
            if (result != 0) {
                Fail("Escape did not return 0");
            }
            if (fullScreenController.mode != Windowed) {
                Fail("Escape left the frame in full screen");
            }
            resized = was == FullScreen;
            const RECT after = OuterRect(frame);
            if (was == Windowed && !EqualRect(&rect, &after)) {
                Fail("Escape in windowed mode changed the frame's rectangle");
            }
        } else {
            if (fullScreenController.mode != was) {
                Fail("a key other than Escape switched the mode");
            }
            if (StatusPart(1) + "|" + StatusPart(2) != statusBefore) {
                Fail("a key other than Escape changed the status bar");
            }
        }
        break;
    }
    case K_CONTEXT_MENU: {
        soundAsked = true;
        int x = random.Between(-50, 1400);
        int y = random.Between(-50, 1100);
        if (random.OneIn(4)) {
            x = -1;
            y = -1;
        }
        // 11 to 13 reach Volume Up, Volume Down and Mute.
        static const int downs[] = {-1, -1, -1, -2, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        modalPlan.popupDowns = random.Pick(downs);
        description = Format("WM_CONTEXTMENU at (%d, %d), answered %s", x, y,
                             modalPlan.popupDowns == -1   ? "by EndMenu"
                             : modalPlan.popupDowns == -2 ? "by Escape"
                                                          : "");
        if (modalPlan.popupDowns >= 0) {
            description += Format("by %d x Down, Return", modalPlan.popupDowns);
        }
        Announce();
        expectPopup = true;
        const LRESULT result = SendMessageA(host, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host),
                                            MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        if (result != 0) {
            Fail("WM_CONTEXTMENU did not return 0");
        }
        // A chosen item arrives as a posted command: deliver it within this event.
        PumpPending();
        break;
    }
    case K_MENU_SELECT: {
        const int which = random.Below(4);
        const int id = random.Between(IDM_FIRST - 1, IDM_LAST + 1);
        const HMENU menu = menuBar;
        switch (which) {
        case 0:
            description = "WM_MENUSELECT menu closed";
            Announce();
            SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
            break;
        case 1:
            description = Format("WM_MENUSELECT popup %d", id & 3);
            Announce();
            SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(id & 3, MF_POPUP | MF_HILITE),
                         reinterpret_cast<LPARAM>(menu));
            if (StatusPart(0) != "") {
                Fail("highlighting a popup left help text \"" + StatusPart(0) + "\"");
            }
            break;
        default: {
            description = Format("WM_MENUSELECT item %d", id);
            Announce();
            SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE),
                         reinterpret_cast<LPARAM>(menu));
            const char* help = HelpText(id);
            if (StatusPart(0) != (help ? help : "")) {
                Fail("menu help for " + std::to_string(id) + " shows \"" + StatusPart(0) + "\"");
            }
            break;
        }
        }
        break;
    }
    case K_PUMP: {
        const int ms = random.Between(10, 80);
        description = Format("pump %d ms", ms);
        Announce();
        PumpFor(static_cast<DWORD>(ms));
        extraDeadline = static_cast<DWORD>(ms);
        break;
    }
    case K_PLAY_TO_END: {
        // Let a playing movie run to its end: stopped after it, or playing again with repeat.
        description = "play to the end";
        if (playerState != MCI_MODE_PLAY || movieWindow.GetWindow() == nullptr) {
            description += " (nothing playing)";
            Announce();
            PumpPending();
            break;
        }
        const int32_t left = movieWindow.GetEnd() - movieWindow.GetPosition();
        const bool repeatOn = repeat;
        const DWORD budget = static_cast<DWORD>((left > 0 ? left : 0) + 1500);
        description += Format(" (%ld ms left, repeat %d)", static_cast<long>(left), repeatOn);
        Announce();
        extraDeadline = budget;
        const HWND movie = movieWindow.GetWindow();
        if (repeatOn) {
            // Past the end and round again.
            const int32_t end = movieWindow.GetEnd();
            PumpUntil(
                [&] {
                    return movieWindow.GetWindow() != movie || playerState != MCI_MODE_PLAY ||
                           movieWindow.GetPosition() < end - left;
                },
                budget);
            if (playerState != MCI_MODE_PLAY) {
                Fail(Format("with repeat on the end of the movie gave %s", StateName(playerState)));
            }
        } else {
            PumpUntil([&] { return playerState != MCI_MODE_PLAY; }, budget);
            if (playerState != MCI_MODE_STOP) {
                Fail(Format("%ld ms after the end the state is %s, not stopped",
                            static_cast<long>(budget - left), StateName(playerState)));
            } else {
                ++moviesEnded;
                if (TrackbarPosition() != 0) {
                    Fail(Format("after the end the trackbar is at %d, not 0", TrackbarPosition()));
                }
            }
        }
        break;
    }
    default:
        break;
    }
    PumpPending();

    const DWORD took = GetTickCount() - start;
    KindStats& s = stats[kind];
    ++s.count;
    s.totalMs += took;
    if (took > s.maxMs) {
        s.maxMs = took;
    }
    if (took >= 1000 && slowEvents.size() < 30) {
        slowEvents.push_back(Format("%d %s: %lu ms", eventIndex, description.c_str(),
                                    static_cast<unsigned long>(took)));
    }
    if (took > deadline + extraDeadline) {
        Fail(Format("took %lu ms, more than the %lu ms allowed", static_cast<unsigned long>(took),
                    static_cast<unsigned long>(deadline + extraDeadline)));
    }
}

void Monkey::CheckOpen(const Before& before) {
    const HWND movie = movieWindow.GetWindow();
    switch (openExpected) {
    case OPEN_GOOD:
        if (movie == nullptr || movie == before.movie) {
            Fail("\"" + openName + "\" did not open");
        } else {
            movieName = openName;
            ++opensSucceeded;
            if (!zoomFit) {
                fitExpected = true;
            } else if (!before.iconic) {
                const RECT now = OuterRect(Frame());
                if (!EqualRect(&now, &before.frameRect)) {
                    Fail("opening at Fit to Window changed the frame from " +
                         RectText(before.frameRect) + " to " + RectText(now));
                }
            }
        }
        break;
    case OPEN_BAD:
        if (movie != nullptr) {
            Fail("\"" + openName + "\" left a movie window");
        }
        movieName.clear();
        if (before.movie != nullptr && !zoomFit) {
            closeExpected = true;
        } else if (!before.iconic) {
            const RECT now = OuterRect(Frame());
            if (!EqualRect(&now, &before.frameRect)) {
                Fail("a refused movie changed the frame from " + RectText(before.frameRect) +
                     " to " + RectText(now));
            }
        }
        break;
    case OPEN_CANCELLED: {
        if (movie != before.movie) {
            Fail("a cancelled open changed the movie window");
        }
        const RECT now = OuterRect(Frame());
        if (!before.iconic && !EqualRect(&now, &before.frameRect)) {
            Fail("a cancelled open changed the frame from " + RectText(before.frameRect) + " to " +
                 RectText(now));
        }
        if (WindowText(Frame()) != before.title) {
            Fail("a cancelled open changed the title to \"" + WindowText(Frame()) + "\"");
        }
        break;
    }
    case OPEN_NONE:
        break;
    }
}

// After the frame fitted itself around a movie or went back to its size without one.
void Monkey::CheckFit(const Before& before) {
    const HWND frame = Frame();
    if (before.iconic || IsIconic(frame)) {
        return;
    }
    const RECT now = OuterRect(frame);
    const long width = now.right - now.left;
    const long height = now.bottom - now.top;
    if (fullScreenController.mode == FullScreen) {
        if ((fitExpected || closeExpected) && !EqualRect(&now, &before.frameRect)) {
            Fail("in full screen the frame went from " + RectText(before.frameRect) + " to " +
                 RectText(now));
        }
        return;
    }
    if (closeExpected && !fitExpected) {
        if (width != MinWidth() || height != MinHeight() || now.left != before.frameRect.left ||
            now.top != before.frameRect.top) {
            Fail("after Close the frame is " + RectText(now) + ", not " +
                 Format("%d x %d", MinWidth(), MinHeight()) + " at (" +
                 std::to_string(before.frameRect.left) + ", " +
                 std::to_string(before.frameRect.top) + ")");
        }
    }
    if (fitExpected) {
        const long maxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
        const long maxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
        if (width < MinWidth() || height < MinHeight() ||
            width > (maxWidth > MinWidth() ? maxWidth : MinWidth()) ||
            height > (maxHeight > MinHeight() ? maxHeight : MinHeight())) {
            Fail("after fitting the movie the frame is " + RectText(now) +
                 Format(" (limits %d x %d to %ld x %ld)", MinWidth(), MinHeight(), maxWidth,
                        maxHeight));
        }
    }
}

// A real change of the frame's client size lays the controls out for it.
void Monkey::CheckLayoutAfterResize(const Before& before) {
    const HWND frame = Frame();
    const SIZE client = ClientSize(frame);
    if (IsIconic(frame) ||
        (client.cx == before.frameClient.cx && client.cy == before.frameClient.cy &&
         fullScreenController.mode == before.mode)) {
        return; // no size message came, so an earlier WM_SIZE of ours may still stand
    }
    const HWND toolbar = transportToolbar.GetWindow();
    const HWND status = statusBar.GetWindow();
    const RECT host = RectInParent(videoHost.GetWindow());
    const Placement wanted = HostPlacement(fullScreenController.mode, client.cx, client.cy,
                                           OuterRect(toolbar).bottom - OuterRect(toolbar).top,
                                           OuterRect(status).bottom - OuterRect(status).top);
    if (host.left != wanted.x || host.top != wanted.y || host.right - host.left != wanted.width ||
        host.bottom - host.top != wanted.height) {
        Fail(Format("client %ld x %ld: the host is at ", static_cast<long>(client.cx),
                    static_cast<long>(client.cy)) +
             RectText(host) +
             Format(", not (%d, %d) %d x %d", wanted.x, wanted.y, wanted.width, wanted.height));
    }
    if (fullScreenController.mode == Windowed) {
        const RECT bar = RectInParent(toolbar);
        if (bar.left != 0 || bar.top != 0 || bar.right != client.cx) {
            Fail("the toolbar is at " + RectText(bar) + " in a client area " +
                 std::to_string(client.cx) + " wide");
        }
        const RECT statusRect = RectInParent(status);
        if (statusRect.left != 0 || statusRect.right != client.cx ||
            statusRect.bottom != client.cy) {
            Fail("the status bar is at " + RectText(statusRect) +
                 Format(" in a client area %ld x %ld", static_cast<long>(client.cx),
                        static_cast<long>(client.cy)));
        }
    }
}

// The Mute item's check mark says what the mixer has: every volume command and every opening of
// the Play popup sets it from the mixer, and nothing else changes the mixer here.
void Monkey::CheckSound(HMENU menu) {
    int32_t percent = 0;
    bool muted = false;
    const bool known = soundVolume.Read(&percent, &muted);
    const bool checked = (GetMenuState(menu, IDM_MUTE, MF_BYCOMMAND) & MF_CHECKED) != 0;
    if (checked != (known && muted)) {
        Fail(Format("Mute is %schecked, and the mixer %s", checked ? "" : "un",
                    !known  ? "cannot be read"
                    : muted ? "is muted"
                            : "is not muted"));
    }
    if (known && (percent < 0 || percent > 100)) {
        Fail(Format("the volume is %d%%", static_cast<int>(percent)));
    }
}

// The frame says "Playing" only while the movie plays (or is about to report its end), and
// never lets the movie play while it says something else.
void Monkey::CheckLiveness() {
    const HWND movie = movieWindow.GetWindow();
    if (movie == nullptr) {
        return;
    }
    const int mode = MovieMode();
    if (playerState != MCI_MODE_PLAY && mode == MCI_MODE_PLAY) {
        Fail(Format("the movie plays while the player is %s", StateName(playerState)));
        if (options.keepGoing) {
            Command(IDM_STOP, 0);
        }
        return;
    }
    if (playerState == MCI_MODE_PLAY && mode != MCI_MODE_PLAY) {
        const DWORD waitStart = GetTickCount();
        struct AddTime {
            DWORD& total;
            DWORD start;
            ~AddTime() { total += GetTickCount() - start; }
        } addTime{livenessMs, waitStart};
        // Normally the end of the movie, whose notification is on its way.
        PumpUntil(
            [&] {
                return playerState != MCI_MODE_PLAY || MovieMode() == MCI_MODE_PLAY ||
                       movieWindow.GetWindow() != movie;
            },
            1000);
        if (playerState == MCI_MODE_PLAY && MovieMode() != MCI_MODE_PLAY &&
            movieWindow.GetWindow() == movie) {
            Fail(Format("the player says Playing but the movie's mode has been %d for 1 s",
                        MovieMode()));
            if (options.keepGoing) {
                // Out of the stuck state, so that the run can look for other faults.
                Command(IDM_STOP, 0);
            }
        }
    }
}

void Monkey::Check(const Before& before) {
    const HWND frame = Frame();
    if (!IsWindow(frame)) {
        Fail("the frame is gone");
        return;
    }
    // First: it names the movie that the title must show.
    CheckOpen(before);
    CheckLiveness();

    const PlayerState state = playerState;
    if (!IsStoredState(state)) {
        Fail(Format("the state is %ld", static_cast<long>(state)));
        return;
    }
    const ScreenMode mode = fullScreenController.mode;
    if (mode != Windowed && mode != FullScreen) {
        Fail(Format("the mode is %d", static_cast<int>(mode)));
        return;
    }
    const HWND movie = movieWindow.GetWindow();
    if ((state == MCI_MODE_NOT_READY) != (movie == nullptr)) {
        Fail(movie ? "a movie window exists in the no-movie state"
                   : "no movie window, but the state is not the no-movie state");
    }
    if (movie != nullptr && !IsWindow(movie)) {
        Fail("the movie window's handle is stale");
    }
    if (MovieWindowsInHost() != (movie ? 1 : 0)) {
        Fail(Format("the host has %d movie windows", MovieWindowsInHost()));
    }
    if (seeking) {
        Fail("seeking is still set after the trackbar was released");
    }
    if (pendingPath != nullptr) {
        Fail("pendingPath is set");
    }
    if (!IsWindowEnabled(frame)) {
        Fail("the frame is disabled");
    }

    // The menu: the frame's bar when windowed, the one kept aside in full screen.
    const HMENU menu = mode == Windowed ? GetMenu(frame) : fullScreenController.savedMenu;
    if (menu != menuBar) {
        Fail(Format("the menu in mode %d is %p, not the frame's menu %p", static_cast<int>(mode),
                    static_cast<void*>(menu), static_cast<void*>(menuBar)));
    } else {
        int zoomsChecked = 0;
        for (UINT id : {IDM_ZOOM50, IDM_ZOOM100, IDM_ZOOM200, IDM_ZOOMFIT}) {
            zoomsChecked += (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0 ? 1 : 0;
        }
        if (zoomsChecked != 1) {
            Fail(Format("%d zoom items are checked", zoomsChecked));
        }
        std::vector<MenuItemRule> rules;
        for (const MenuItemRule& rule : MenuRules(state, mode, repeat, zoomPercent, zoomFit)) {
            rules.push_back(rule);
        }
        for (const MenuItemRule& rule : FrameStepRules(state)) {
            rules.push_back(rule);
        }
        for (const MenuItemRule& rule : rules) {
            const UINT itemState =
                GetMenuState(menu, static_cast<UINT>(rule.commandId), MF_BYCOMMAND);
            if (rule.isCheck) {
                const bool checked = (itemState & MF_CHECKED) != 0;
                if (checked != (rule.value == RULE_MF_CHECKED)) {
                    Fail(Format("menu item %s is %schecked", CommandName(rule.commandId),
                                checked ? "" : "un"));
                }
            } else {
                const bool grayed = (itemState & MF_GRAYED) != 0;
                if (grayed != (rule.value == RULE_MF_GRAYED)) {
                    Fail(Format("menu item %s is %s", CommandName(rule.commandId),
                                grayed ? "grayed" : "enabled"));
                }
            }
        }
        // Read from the mixer only after the events that use it: a read costs some tenths of a
        // millisecond here.
        if (soundAsked) {
            CheckSound(menu);
        }
    }
    // The pointer hides only over the full-screen picture.
    if (mode == Windowed && !PointerShowing()) {
        Fail("windowed, and the pointer is hidden");
    }
    // Wine keeps the flags of the last call, and a call with none answers them unchanged (see
    // the platform notes on power and the display).
    if (RunningUnderWine()) {
        const EXECUTION_STATE flags = SetThreadExecutionState(0);
        if (((flags & ES_DISPLAY_REQUIRED) != 0) != (state == MCI_MODE_PLAY) ||
            ((flags & ES_SYSTEM_REQUIRED) != 0) != (state == MCI_MODE_PLAY)) {
            Fail(Format("the execution state is 0x%08lX while %s",
                        static_cast<unsigned long>(flags), StateName(state)));
        }
    }
    // At Fit to Window the picture is the fitted rectangle of the host's client area, which it
    // never leaves, and nothing scrolls.
    if (zoomFit && movie != nullptr && !IsIconic(frame)) {
        const HWND host = videoHost.GetWindow();
        const SIZE area = ClientSize(host);
        // Now and then the device answers this query with an error or an empty rectangle (seen
        // once in thousands of events, the player's picture right): then only the bounds hold.
        RECT source = {};
        const bool sourceKnown =
            SendMessageA(movie, MCIWNDM_GET_SOURCE, 0, reinterpret_cast<LPARAM>(&source)) == 0 &&
            !IsRectEmpty(&source);
        const Placement wanted =
            FitPicture(area.cx, area.cy, source.right - source.left, source.bottom - source.top);
        RECT picture = {};
        GetClientRect(movie, &picture);
        MapWindowPoints(movie, host, reinterpret_cast<POINT*>(&picture), 2);
        const RECT wantedRect = {wanted.x, wanted.y, wanted.x + wanted.width,
                                 wanted.y + wanted.height};
        // No window grows past 32767 pixels (the host of a huge frame stops there too): a
        // picture whose window, border included, would be larger is cut to that.
        const SIZE outer = OuterSize(movie);
        const SIZE client = ClientSize(movie);
        const bool tooLarge = wanted.width + outer.cx - client.cx > LARGEST_WINDOW ||
                              wanted.height + outer.cy - client.cy > LARGEST_WINDOW;
        if ((sourceKnown && !tooLarge && !EqualRect(&picture, &wantedRect)) || picture.left < 0 ||
            picture.top < 0 || picture.right > area.cx || picture.bottom > area.cy) {
            Fail("at Fit to Window the picture is " + RectText(picture) + ", not " +
                 RectText(wantedRect) +
                 Format(" in the host's client area %ld x %ld", static_cast<long>(area.cx),
                        static_cast<long>(area.cy)));
        }
        if ((GetWindowLongA(host, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0) {
            Fail("a scroll bar is shown at Fit to Window");
        }
    }
    if (mode == FullScreen && GetMenu(frame) != nullptr) {
        Fail("full screen with a menu bar");
    }

    const HWND toolbar = transportToolbar.GetWindow();
    for (const ButtonRule& rule : ButtonRules(state)) {
        const bool enabled =
            SendMessageA(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(rule.commandId), 0) != 0;
        if (enabled != rule.enabled) {
            Fail(Format("button %s is %s", CommandName(rule.commandId),
                        enabled ? "enabled" : "disabled"));
        }
    }
    const int image = static_cast<int>(SendMessageA(toolbar, TB_GETBITMAP, IDM_PLAYPAUSE, 0));
    if (image != PlayPauseImage(state)) {
        Fail(Format("the Play/Pause button shows image %d", image));
    }

    const std::string stateText = StatusPart(1);
    if (stateText != StateText(state)) {
        Fail("status part 1 reads \"" + stateText + "\"");
    }
    const std::string timeText = StatusPart(2);
    if (movie == nullptr) {
        if (!timeText.empty()) {
            Fail("without a movie status part 2 reads \"" + timeText + "\"");
        }
    } else {
        char length[FORMAT_TIME_SIZE];
        FormatTime(movieWindow.GetLength(), length);
        const size_t slash = timeText.find('/');
        if (slash == std::string::npos || slash < 5 || timeText.substr(slash + 1) != length) {
            Fail("status part 2 reads \"" + timeText + "\", the length is " + length);
        }
    }

    const HWND trackbar = positionTrackbar.GetWindow();
    const LRESULT low = SendMessageA(trackbar, TBM_GETRANGEMIN, 0, 0);
    const LRESULT high = SendMessageA(trackbar, TBM_GETRANGEMAX, 0, 0);
    const int position = TrackbarPosition();
    if (low != 0 || high != TRACK_SCALE || position < 0 || position > TRACK_SCALE) {
        Fail(Format("the trackbar is at %d of %ld..%ld", position, static_cast<long>(low),
                    static_cast<long>(high)));
    }

    const std::string title = WindowText(frame);
    const std::string wantedTitle = movie ? movieName + " - Quillotrope" : "Quillotrope";
    if (title != wantedTitle) {
        Fail("the title is \"" + title + "\", not \"" + wantedTitle + "\"");
    }

    // The two modes as they look.
    const HWND status = statusBar.GetWindow();
    const HWND host = videoHost.GetWindow();
    const LONG hostExStyle = GetWindowLongA(host, GWL_EXSTYLE);
    if (mode == Windowed) {
        if (!IsWindowVisible(toolbar) && !IsIconic(frame)) {
            Fail("windowed with the toolbar hidden");
        }
        if ((hostExStyle & WS_EX_CLIENTEDGE) == 0) {
            Fail("windowed and the host has no client edge");
        }
        if ((GetWindowLongA(frame, GWL_STYLE) & WS_POPUP) != 0) {
            Fail("windowed with the full-screen style");
        }
        (void)status;
    } else {
        if ((GetWindowLongA(toolbar, GWL_STYLE) & WS_VISIBLE) != 0 ||
            (GetWindowLongA(status, GWL_STYLE) & WS_VISIBLE) != 0) {
            Fail("full screen with the toolbar or the status bar shown");
        }
        if ((hostExStyle & WS_EX_CLIENTEDGE) != 0) {
            Fail("full screen and the host keeps its client edge");
        }
    }

    // The host's own scroll positions stay within what their ranges and pages allow.
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        if (GetScrollInfo(host, bar, &info)) {
            const int top = info.nMax - static_cast<int>(info.nPage) + 1;
            if (info.nPos < info.nMin || (info.nPos > top && info.nPos > info.nMin)) {
                Fail(Format("host scroll bar %d at %d of %d..%d, page %u", bar, info.nPos,
                            info.nMin, info.nMax, info.nPage));
            }
        }
    }

    // Modal windows: only those the event asked for, and none left open.
    if (modalLog.errorBoxes != (expectErrorBox ? 1 : 0)) {
        Fail(Format("%d error boxes appeared (%d expected)", modalLog.errorBoxes,
                    expectErrorBox ? 1 : 0));
    }
    if (modalLog.fileDialogs != (expectFileDialog ? 1 : 0)) {
        Fail(Format("%d open-file dialogs appeared (%d expected)", modalLog.fileDialogs,
                    expectFileDialog ? 1 : 0));
    }
    if (modalLog.aboutBoxes != (expectAbout ? 1 : 0)) {
        Fail(Format("%d About boxes appeared (%d expected)", modalLog.aboutBoxes,
                    expectAbout ? 1 : 0));
    }
    if (expectPopup && modalLog.popups != 1) {
        Fail(Format("%d context menus appeared (1 expected)", modalLog.popups));
    }
    for (const std::string& caption : modalLog.others) {
        Fail("an unexpected dialog \"" + caption + "\" appeared");
    }
    if (!OpenModals().empty()) {
        Fail("a modal window is still open");
    }

    if (openExpected != OPEN_NONE || fitExpected || closeExpected) {
        CheckFit(before);
    }
    if (resized) {
        CheckLayoutAfterResize(before);
    }
}

void Monkey::Run() {
    for (const Fixture& f : GOOD_MOVIES) {
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(FixturePath(f.name).c_str()))
            << FixturePath(f.name) << ": is QUILLOTROPE_FIXTURES set?";
    }
    ASSERT_TRUE(StartUp(GetModuleHandleA(nullptr), "", &accelerators));
    PumpPending();
    ASSERT_NE(nullptr, accelerators);
    menuBar = GetMenu(Frame());
    ASSERT_NE(nullptr, menuBar);

    const UINT_PTR answerTimer = SetTimer(nullptr, 0, 20, AnswerModals);
    trafficHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordTraffic, nullptr, GetCurrentThreadId());
    watchdog.Start();
    std::printf("[ monkey   ] seed %" PRIu64 ", events %d..%d\n", options.seed, options.first,
                options.last);
    std::fflush(stdout);
    const DWORD runStart = GetTickCount();
    int sent = 0;

    for (eventIndex = options.first; eventIndex <= options.last; ++eventIndex) {
        Random random(options.seed, static_cast<uint64_t>(eventIndex));
        modalPlan = ModalPlan();
        modalLog = ModalLog();
        movieTraffic.clear();
        eventStartTicks = GetTickCount();
        openExpected = OPEN_NONE;
        expectErrorBox = expectFileDialog = expectAbout = expectPopup = false;
        fitExpected = closeExpected = resized = soundAsked = false;
        const Before before = Snapshot();
        ++eventsInState[before.state == MCI_MODE_NOT_READY ? 0
                        : before.state == MCI_MODE_STOP    ? 1
                        : before.state == MCI_MODE_PLAY    ? 2
                                                           : 3];
        eventsInFullScreen += before.mode == FullScreen ? 1 : 0;
        const int failuresBefore = failures;
        watchdog.Name(Format("seed %" PRIu64 " event %d", options.seed, eventIndex), true);
        SendEvent(random);
        watchdog.Name(Format("seed %" PRIu64 " event %d (%s), checking", options.seed, eventIndex,
                             description.c_str()),
                      false);
        if (options.verbose && !movieTraffic.empty()) {
            std::printf("[ monkey   ]     %s\n", TrafficText().c_str() + 3);
            std::fflush(stdout);
        }
        const DWORD checkStart = GetTickCount();
        Check(before);
        checkMs += GetTickCount() - checkStart;
        watchdog.End();
        ++sent;
        if (sent % 1000 == 0) {
            std::printf("[ monkey   ] %d events, %lu ms\n", sent,
                        static_cast<unsigned long>(GetTickCount() - runStart));
            std::fflush(stdout);
        }
        if (failures > failuresBefore) {
            ++failedEvents;
            if (!options.keepGoing || failedEvents >= 20) {
                break;
            }
        }
    }
    const DWORD eventsMs = GetTickCount() - runStart;

    // The last event: Exit destroys the frame and its windows and posts the quit message.
    if (!Failed() || options.keepGoing) {
        eventIndex = options.last + 1;
        description = "WM_COMMAND IDM_EXIT (the last event)";
        const HWND frame = Frame();
        const HWND movie = movieWindow.GetWindow();
        const DWORD start = GetTickCount();
        Command(IDM_EXIT, 0);
        // Hiding a captioned window costs about 2 s here, as with the dialogs.
        if (GetTickCount() - start > SLOW_DEADLINE_MS) {
            Fail("Exit took too long");
        }
        if (IsWindow(frame)) {
            Fail("the frame is still there after Exit");
        }
        if (movie != nullptr && IsWindow(movie)) {
            Fail("the movie window outlived the frame");
        }
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) || msg.wParam != 0) {
            Fail("Exit posted no quit message with code 0");
        }
    }
    KillTimer(nullptr, answerTimer);
    UnhookWindowsHookEx(trafficHook);
    watchdog.Finish();

    std::printf("[ monkey   ] seed %" PRIu64 ": %d events in %lu ms (%.2f ms each); %d movies "
                "opened, %d played to their end, %d seeks\n",
                options.seed, sent, static_cast<unsigned long>(eventsMs),
                sent ? static_cast<double>(eventsMs) / sent : 0.0, opensSucceeded, moviesEnded,
                seeksSent);
    std::printf("[ monkey   ] events by state: no movie %d, stopped %d, playing %d, paused %d; "
                "in full screen %d; the pointer hid %d times\n",
                eventsInState[0], eventsInState[1], eventsInState[2], eventsInState[3],
                eventsInFullScreen, pointerHides);
    std::printf("[ monkey   ]   %-17s %5d  total %6lu ms, %lu ms of them waiting for an end\n",
                "(checks)", sent, static_cast<unsigned long>(checkMs),
                static_cast<unsigned long>(livenessMs));
    for (int k = 0; k < KIND_COUNT; ++k) {
        if (stats[k].count > 0) {
            std::printf("[ monkey   ]   %-17s %5d  total %6lu ms  max %5lu ms\n", KINDS[k].name,
                        stats[k].count, static_cast<unsigned long>(stats[k].totalMs),
                        static_cast<unsigned long>(stats[k].maxMs));
        }
    }
    for (int id = IDM_FIRST; id <= IDM_LAST; ++id) {
        const KindStats& c = commandStats[id - IDM_FIRST];
        if (c.count > 0) {
            std::printf("[ monkey   ]     %-15s %5d  total %6lu ms\n", CommandName(id), c.count,
                        static_cast<unsigned long>(c.totalMs));
        }
    }
    for (const std::string& slow : slowEvents) {
        std::printf("[ monkey   ]   slow: %s\n", slow.c_str());
    }
    std::fflush(stdout);
}

class MonkeyTest : public testing::TestWithParam<uint64_t> {};

TEST_P(MonkeyTest, EveryEventKeepsTheViewsInStep) {
    if (std::getenv("QUILLOTROPE_MONKEY_SEED") != nullptr) {
        GTEST_SKIP() << "a seed from the environment runs in MonkeyReplay.FromEnvironment";
    }
    Monkey monkey(OptionsFor(GetParam()));
    monkey.Run();
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, testing::ValuesIn(SEEDS),
                         [](const testing::TestParamInfo<uint64_t>& info) {
                             return "Seed" + std::to_string(info.param);
                         });

TEST(MonkeyReplay, FromEnvironment) {
    const char* seed = std::getenv("QUILLOTROPE_MONKEY_SEED");
    if (seed == nullptr) {
        GTEST_SKIP() << "set QUILLOTROPE_MONKEY_SEED to replay a seed";
    }
    Monkey monkey(OptionsFor(std::strtoull(seed, nullptr, 0)));
    monkey.Run();
}

} // namespace
